#include "core/command_states.h"

namespace zun {

CommandStates CommandStatesFor(const CommandSituation& s) noexcept {
  CommandStates states;
  const auto enable = [&](CommandId id, bool enabled) { states[id].enabled = enabled; };
  const bool rows = s.rowCount > 0;
  const bool selection = s.selectedCount > 0;
  const bool somethingToSave = rows || s.currentFile;

  enable(CommandId::New, true);
  enable(CommandId::Load, true);
  enable(CommandId::Clear, true);
  enable(CommandId::QuickPick, !s.quickPickRunning);
  enable(CommandId::Add, s.allSetsComplete);
  enable(CommandId::Apply, s.allSetsComplete && selection);
  enable(CommandId::Delete, selection);

  enable(CommandId::Save, somethingToSave && s.modified);
  enable(CommandId::SaveAs, somethingToSave);
  enable(CommandId::ExportCsv, somethingToSave);
  enable(CommandId::ExportHtml, somethingToSave && s.htmlTemplate);

  for (CommandId id : {CommandId::SelectAll, CommandId::SelectEven, CommandId::SelectOdd, CommandId::InvertSelection})
    enable(id, rows);
  const bool sorted = rows && !s.naturalOrder;
  enable(CommandId::ApplySort, sorted);
  states[CommandId::ApplySort].shown = sorted;

  states.sendTo.enabled = rows && selection;
  states.listCsv.enabled = rows;
  states.reopen.enabled = s.recentFiles;
  return states;
}

CommandStates InitialCommandStates() noexcept {
  CommandStates states;
  states[CommandId::QuickPick].enabled = true;
  states[CommandId::Clear].enabled = true;
  return states;
}

}  // namespace zun
