#include "core/command_table.h"

#include <array>
#include <stdexcept>

#include "base/reference_codes.h"
#include "operations/entry_editing.h"
#include "operations/exports.h"
#include "core/addon_core.h"

namespace zun {
namespace {

void New(AddonCore& core) { core.RunNew(); }
void Save(AddonCore& core) { core.RunSave(); }
void SaveAs(AddonCore& core) { core.RunSaveAs(); }
void Load(AddonCore& core) { core.RunLoad(); }
void Add(AddonCore& core) {
  Workspace work = core.Work();
  AddSelectionEntry(work);
}
void Apply(AddonCore& core) {
  Workspace work = core.Work();
  ApplySelectionToEntry(work);
}
void Delete(AddonCore& core) { core.ConfirmAndDeleteSelected(); }
void QuickPick(AddonCore& core) { core.RunQuickPick(); }
void Clear(AddonCore& core) {
  Workspace work = core.Work();
  ClearBallGrids(work);
}
void SelectAll(AddonCore& core) { core.RunSelectionCommand(SelectionCommand::All); }
void SelectEven(AddonCore& core) { core.RunSelectionCommand(SelectionCommand::Even); }
void SelectOdd(AddonCore& core) { core.RunSelectionCommand(SelectionCommand::Odd); }
void Invert(AddonCore& core) { core.RunSelectionCommand(SelectionCommand::Invert); }
void ApplySort(AddonCore& core) { core.RunApplySort(); }
void ExportHtml(AddonCore& core) {
  FileWork work = core.FileWorkspace();
  ExportListHtml(work);
}
void ExportCsv(AddonCore& core) {
  FileWork work = core.FileWorkspace();
  ExportListCsv(work);
}

constexpr Shortcut kNoKey{};
constexpr Shortcut Ctrl(char letter) { return Shortcut{static_cast<uint16_t>(letter), true}; }

// clang-format off
const std::array<Command, 16> kCommands = {{
  {CommandId::New, codes::kNewOrSave, "Error while creating a new SL5 File.", nullptr,
   "New SL5 DBase", nullptr, Ctrl('N'), -1, false, New},
  // Save reports its own failure, with the file's name.
  {CommandId::Save, codes::kNewOrSave, "Error while saving SL5 File: ", nullptr,
   "Save SL5 DBase", nullptr, Ctrl('S'), -1, false, Save},
  {CommandId::SaveAs, codes::kSaveAs, "Error while saving SL5 File: ", nullptr,
   "Save SL5 DBase As", nullptr, kNoKey, -1, false, SaveAs},
  {CommandId::Load, codes::kOpenFiles, "Error while opening an SL File.", nullptr,
   "Load SL5 DBase", "Open SL5 File(s)", Ctrl('L'), 1, false, Load},
  {CommandId::Add, codes::kAddNumbers, "Error while adding your Lotto Numbers.", nullptr,
   "Add_DBase_Entry", "Add Numbers", kNoKey, 2, false, Add},
  {CommandId::Clear, codes::kClearSelections, "Error while adding your Lotto Numbers.", nullptr,
   "Clear_Selected_Numbers", "Clear Card/Selections", kNoKey, 3, false, Clear},
  {CommandId::Apply, codes::kApplyChanges, "Error while applying changes.", nullptr,
   "Apply_DBase_Entry_Changes", "Apply changes", kNoKey, 4, false, Apply},
  {CommandId::Delete, codes::kDeleteEntries, "Error while deleting Entry.", "Error while deleting Entries.",
   "Delete_DBase_Entry", "Delete Entrie(s)", Shortcut{kKeyDelete, false}, 5, false, Delete},
  {CommandId::QuickPick, codes::kQuickPick, "Error while generating QP entries.", nullptr,
   "Quick_Pick", "Quick Pick", kNoKey, 6, false, QuickPick},
  {CommandId::SelectAll, codes::kSelectionCommand, "Error Selecting all Lotto Entries.", nullptr,
   "Select All", nullptr, Ctrl('A'), -1, true, SelectAll},
  {CommandId::SelectEven, codes::kSelectionCommand, "Error Selecting Even Lotto Entries.", nullptr,
   "Select Even", nullptr, Ctrl('E'), -1, true, SelectEven},
  {CommandId::SelectOdd, codes::kSelectionCommand, "Error Selecting Odd Lotto Entries.", nullptr,
   "Select Odd", nullptr, Ctrl('O'), -1, true, SelectOdd},
  {CommandId::InvertSelection, codes::kSelectionCommand, "Error inverting Selecting Lotto Entries.", nullptr,
   "Invert Selection", nullptr, Ctrl('I'), -1, true, Invert},
  {CommandId::ApplySort, codes::kApplySort, "Error while applying entries sort.", nullptr,
   "Apply Sort", nullptr, kNoKey, -1, false, ApplySort},
  // The exports report their own failures, with the file's name.
  {CommandId::ExportHtml, codes::kHtmlExport, "Error saving to HTML File: ", nullptr,
   "Save to HTML File", nullptr, kNoKey, -1, false, ExportHtml},
  {CommandId::ExportCsv, codes::kExportCsv, "Error saving to CSV File: ", nullptr,
   "Export to *.csv", nullptr, kNoKey, -1, false, ExportCsv},
}};
// clang-format on

constexpr std::array<CommandId, 6> kToolButtons = {CommandId::Load,   CommandId::Add,       CommandId::Apply,
                                                   CommandId::Delete, CommandId::QuickPick, CommandId::Clear};

// The "Send To" submenu stands right after the first separator; the view
// builds it from the host's registry each time the menu opens.
constexpr std::array<std::optional<CommandId>, 9> kListPopup = {
    CommandId::SelectAll,  CommandId::SelectEven, CommandId::SelectOdd,    CommandId::InvertSelection,
    std::nullopt,          CommandId::ExportHtml, CommandId::ApplySort,    std::nullopt,
    CommandId::ExportCsv};

}  // namespace

std::span<const Command> Commands() { return kCommands; }

std::string MenuCaption(const Command& command) {
  std::string text = command.caption;
  const uint16_t key = command.shortcut.key;
  std::string name;
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) name.assign(1, static_cast<char>(key));
  if (key == kKeyDelete) name = "Del";
  if (!name.empty()) text += (command.shortcut.ctrl ? "\tCtrl+" : "\t") + name;
  return text;
}

const Command& CommandFor(CommandId id) {
  for (const Command& command : kCommands)
    if (command.id == id) return command;
  throw std::out_of_range("no such command");
}

const Command* CommandForShortcut(Shortcut shortcut) {
  if (shortcut.key == 0) return nullptr;
  for (const Command& command : kCommands)
    if (command.shortcut == shortcut) return &command;
  return nullptr;
}

std::span<const CommandId> ToolButtonCommands() { return kToolButtons; }

std::span<const std::optional<CommandId>> ListPopupCommands() { return kListPopup; }

}  // namespace zun
