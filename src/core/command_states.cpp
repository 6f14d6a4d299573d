#include "core/command_states.h"

#include "base/texts.h"
#include "core/command_table.h"

namespace zun {

CommandStates CommandStatesFor(const CommandSituation& s) noexcept {
  CommandStates states;
  for (const Command& command : Commands()) {
    CommandState& state = states[command.id];
    state.enabled = command.enabled(s);
    state.shown = command.shown == nullptr || command.shown(s);
  }
  if (!s.undoName.empty()) states[CommandId::Undo].caption = std::string(texts::command::kUndo) + " " + s.undoName;
  if (!s.redoName.empty()) states[CommandId::Redo].caption = std::string(texts::command::kRedo) + " " + s.redoName;
  states.sendTo.enabled = s.Rows() && s.Selection();
  states.listCsv.enabled = s.Rows();
  states.reopen.enabled = s.recentFiles;
  return states;
}

CommandStates InitialCommandStates() noexcept {
  CommandStates states;
  for (CommandId id : {CommandId::Load, CommandId::New, CommandId::QuickPick, CommandId::Clear})
    states[id].enabled = true;
  return states;
}

}  // namespace zun
