#pragma once

// The enabling rule: which commands the tool bar and the menus offer. Each
// command's row says when it is enabled and shown (core/command_table.h);
// this gathers them, with the two submenus that are no commands of their
// own.

#include "core/command_situation.h"
#include "platform/views.h"

namespace zun {

// The rule as the rows state it, and:
// - Send To needs rows and a selection; Reopen a recent file;
// - the list popup's CSV export greys with the list's other items when
//   there are no rows (the file menu's also exports a current file's
//   empty database).
// Nothing is checked.
CommandStates CommandStatesFor(const CommandSituation& situation) noexcept;

// The tool bar's states before the rule is first applied: Load, New, Quick
// Pick and Clear.
CommandStates InitialCommandStates() noexcept;

}  // namespace zun
