#pragma once

// The enabling rule: which commands the tool bar and the menus offer, from
// what the core holds. The rule greys buttons and items only: the commands
// themselves stay available (the Delete key deletes whenever entries are
// selected).

#include <cstdint>

#include "platform/views.h"

namespace zun {

// What the rule looks at.
struct CommandSituation {
  int32_t rowCount = 0;
  int32_t selectedCount = 0;
  bool allSetsComplete = false;  // every play set holds its count of picks
  bool quickPickRunning = false;
  bool naturalOrder = true;  // the rows stand in the database's order
  bool currentFile = false;  // a database file is open
  bool modified = false;     // there are unsaved changes
  bool htmlTemplate = false;  // the game's list template exists
  bool recentFiles = false;   // the Reopen menu has a file to show
};

// The rule:
// - Load and New always; Clear always; Quick Pick except while one runs.
// - Add when every set is complete; Apply as Add and with a selection;
//   Delete with a selection.
// - Something to save is entries in the list or a current file (a file
//   whose entries were all deleted saves as an empty database). Save As
//   and the CSV export need something to save; Save also unsaved changes;
//   the HTML export also the game's template.
// - Select All, Even, Odd and Invert need rows; Apply Sort is there only
//   while the rows are sorted otherwise than in the database's order.
// - Send To needs a selection; Reopen a recent file.
// Nothing is checked.
CommandStates CommandStatesFor(const CommandSituation& situation) noexcept;

// The tool bar's states before the rule is first applied: Quick Pick and
// Clear only.
CommandStates InitialCommandStates() noexcept;

}  // namespace zun
