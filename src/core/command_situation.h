#pragma once

// What the enabling rule looks at: the document as it stands and what the
// add-on is doing. The rule greys buttons and items only: the commands
// themselves stay available (the Delete key deletes whenever entries are
// selected).

#include <cstdint>
#include <optional>
#include <string>

#include "platform/command_id.h"

namespace zun {

struct CommandSituation {
  int32_t rowCount = 0;
  int32_t selectedCount = 0;
  bool allSetsComplete = false;  // every play set holds its count of picks
  std::optional<CommandId> running;  // a command whose button greys while it runs
  bool naturalOrder = true;      // the rows stand in the database's order
  bool currentFile = false;      // a database file is open
  bool modified = false;         // there are unsaved changes
  bool htmlTemplate = false;     // the game's list template exists
  bool recentFiles = false;      // the Reopen menu has a file to show
  std::string undoName;          // what an undo would change back; empty for nothing
  std::string redoName;

  bool Rows() const { return rowCount > 0; }
  bool Selection() const { return selectedCount > 0; }
  // Entries in the list, or a current file (a file whose entries were all
  // deleted saves as an empty database).
  bool SomethingToSave() const { return Rows() || currentFile; }
};

}  // namespace zun
