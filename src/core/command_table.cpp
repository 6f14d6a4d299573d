#include "core/command_table.h"

#include <array>
#include <stdexcept>

#include "base/paths.h"
#include "base/reference_codes.h"
#include "base/texts.h"
#include "operations/draw_checks.h"
#include "operations/entry_editing.h"
#include "operations/entry_transfer.h"
#include "operations/exports.h"
#include "operations/file_operations.h"

namespace zun {
namespace {

namespace text = texts::command;
namespace failure = texts::failure;

constexpr Shortcut Ctrl(char letter) { return Shortcut{.key = static_cast<uint16_t>(letter), .ctrl = true}; }
constexpr Shortcut CtrlShift(char letter) {
  return Shortcut{.key = static_cast<uint16_t>(letter), .ctrl = true, .shift = true};
}

bool Always(const CommandSituation&) { return true; }
bool Rows(const CommandSituation& s) { return s.Rows(); }
bool Selection(const CommandSituation& s) { return s.Selection(); }
bool SomethingToSave(const CommandSituation& s) { return s.SomethingToSave(); }
bool SortedOtherwise(const CommandSituation& s) { return s.Rows() && !s.naturalOrder; }

void Select(Document& d, Services& s, SelectionCommand command) { RunSelectionCommand(d, s, command); }

// clang-format off
const std::array<Command, 24> kCommands = {{
  {.id = CommandId::New, .code = codes::kNewOrSave, .caption = text::kNew, .shortcut = Ctrl('N'),
   .failure = failure::kNew, .enabled = Always,
   .run = [](Document& d, Services& s) { NewDatabase(d, s); }},
  // Save reports a file it could not write itself, naming that file.
  {.id = CommandId::Save, .code = codes::kNewOrSave, .caption = text::kSave, .shortcut = Ctrl('S'),
   .failure = failure::kSave, .failureNamesFile = true,
   .enabled = [](const CommandSituation& s) { return s.SomethingToSave() && s.modified; },
   .run = [](Document& d, Services& s) { SaveDatabase(d, s); }},
  {.id = CommandId::SaveAs, .code = codes::kSaveAs, .caption = text::kSaveAs,
   .failure = failure::kSave, .failureNamesFile = true, .enabled = SomethingToSave,
   .run = [](Document& d, Services& s) { SaveDatabaseAs(d, s); }},
  {.id = CommandId::Load, .code = codes::kOpenFiles, .caption = text::kLoad, .hint = text::kLoadHint,
   .shortcut = Ctrl('L'), .image = 1, .failure = failure::kLoad, .enabled = Always,
   .run = [](Document& d, Services& s) { LoadCommand(d, s); }},
  {.id = CommandId::Add, .code = codes::kAddNumbers, .caption = text::kAdd, .hint = text::kAddHint, .image = 2,
   .failure = failure::kAdd, .enabled = [](const CommandSituation& s) { return s.allSetsComplete; },
   .run = [](Document& d, Services&) { AddSelectionEntry(d); }},
  {.id = CommandId::Clear, .code = codes::kClearSelections, .caption = text::kClear, .hint = text::kClearHint,
   .image = 3, .failure = failure::kAdd, .enabled = Always,
   .run = [](Document& d, Services&) { d.ClearChoices(); }},
  {.id = CommandId::Apply, .code = codes::kApplyChanges, .caption = text::kApply, .hint = text::kApplyHint,
   .image = 4, .failure = failure::kApply,
   .enabled = [](const CommandSituation& s) { return s.allSetsComplete && s.Selection(); },
   .run = [](Document& d, Services& s) { ApplySelectionToEntry(d, s); }},
  {.id = CommandId::Delete, .code = codes::kDeleteEntries, .caption = text::kDelete, .hint = text::kDeleteHint,
   .shortcut = {.key = kKeyDelete}, .image = 5, .failure = failure::kDeleteOne,
   .failureForMany = failure::kDeleteMany, .enabled = Selection,
   .run = [](Document& d, Services& s) { ConfirmAndDeleteSelected(d, s); }},
  {.id = CommandId::QuickPick, .code = codes::kQuickPick, .caption = text::kQuickPick,
   .hint = text::kQuickPickHint, .image = 6, .exclusive = true, .failure = failure::kQuickPick,
   .enabled = [](const CommandSituation& s) { return s.running != CommandId::QuickPick; },
   .run = [](Document& d, Services& s) { AddQuickPickEntry(d, s); }},
  {.id = CommandId::SelectAll, .code = codes::kSelectionCommand, .caption = text::kSelectAll,
   .shortcut = Ctrl('A'), .busy = true, .failure = failure::kSelectAll, .enabled = Rows,
   .run = [](Document& d, Services& s) { Select(d, s, SelectionCommand::All); }},
  {.id = CommandId::SelectEven, .code = codes::kSelectionCommand, .caption = text::kSelectEven,
   .shortcut = Ctrl('E'), .busy = true, .failure = failure::kSelectEven, .enabled = Rows,
   .run = [](Document& d, Services& s) { Select(d, s, SelectionCommand::Even); }},
  {.id = CommandId::SelectOdd, .code = codes::kSelectionCommand, .caption = text::kSelectOdd,
   .shortcut = Ctrl('O'), .busy = true, .failure = failure::kSelectOdd, .enabled = Rows,
   .run = [](Document& d, Services& s) { Select(d, s, SelectionCommand::Odd); }},
  {.id = CommandId::InvertSelection, .code = codes::kSelectionCommand, .caption = text::kInvertSelection,
   .shortcut = Ctrl('I'), .busy = true, .failure = failure::kInvertSelection, .enabled = Rows,
   .run = [](Document& d, Services& s) { Select(d, s, SelectionCommand::Invert); }},
  // There only while the rows are sorted otherwise than in the database's order.
  {.id = CommandId::ApplySort, .code = codes::kApplySort, .caption = text::kApplySort,
   .failure = failure::kApplySort, .enabled = SortedOtherwise, .shown = SortedOtherwise,
   .run = [](Document& d, Services&) { d.ApplySort(); }},
  // The exports report their own failures, with the file at fault.
  {.id = CommandId::ExportHtml, .code = codes::kHtmlExport, .caption = text::kExportHtml,
   .failure = failure::kHtmlExport,
   .enabled = [](const CommandSituation& s) { return s.SomethingToSave() && s.htmlTemplate; },
   .run = [](Document& d, Services& s) { ExportListHtml(d, s); }},
  {.id = CommandId::ExportCsv, .code = codes::kExportCsv, .caption = text::kExportCsv,
   .failure = failure::kCsvExport, .enabled = SomethingToSave,
   .run = [](Document& d, Services& s) { ExportListCsv(d, s); }},
  // The history: its menu items name the step ("Undo Delete 512 Entries").
  {.id = CommandId::Undo, .code = codes::kUndo, .caption = text::kUndo, .shortcut = Ctrl('Z'), .busy = true,
   .failure = failure::kUndo, .enabled = [](const CommandSituation& s) { return !s.undoName.empty(); },
   .run = [](Document& d, Services& s) { UndoChange(d, s); }},
  {.id = CommandId::Redo, .code = codes::kRedo, .caption = text::kRedo, .shortcut = Ctrl('Y'),
   .alternate = CtrlShift('Z'), .busy = true, .failure = failure::kRedo,
   .enabled = [](const CommandSituation& s) { return !s.redoName.empty(); },
   .run = [](Document& d, Services& s) { RedoChange(d, s); }},
  // Entries as text, through the clipboard.
  {.id = CommandId::Cut, .code = codes::kCutEntries, .caption = text::kCut, .shortcut = Ctrl('X'),
   .failure = failure::kCut, .enabled = Selection, .run = [](Document& d, Services& s) { CutEntries(d, s); }},
  {.id = CommandId::Copy, .code = codes::kCopyEntries, .caption = text::kCopy, .shortcut = Ctrl('C'),
   .failure = failure::kCopy, .enabled = Selection, .run = [](Document& d, Services& s) { CopyEntries(d, s); }},
  {.id = CommandId::Paste, .code = codes::kPasteEntries, .caption = text::kPaste, .shortcut = Ctrl('V'),
   .failure = failure::kPaste, .enabled = Always, .run = [](Document& d, Services& s) { PasteEntries(d, s); }},
  {.id = CommandId::ImportCsv, .code = codes::kImportCsv, .caption = text::kImportCsv,
   .failure = failure::kImportCsv, .enabled = Always,
   .run = [](Document& d, Services& s) { ImportCsvFile(d, s); }},
  // The entries against the draws, in a window of its own; and duplicates.
  {.id = CommandId::CheckDraws, .code = codes::kCheckDraws, .caption = text::kCheckDraws, .shortcut = Ctrl('K'),
   .failure = failure::kCheckDraws, .enabled = Rows,
   .run = [](Document&, Services& s) { s.views.check->OpenCheck(); }},
  {.id = CommandId::SelectDuplicates, .code = codes::kSelectDuplicates, .caption = text::kSelectDuplicates,
   .busy = true, .failure = failure::kSelectDuplicates, .enabled = Rows,
   .run = [](Document& d, Services& s) { SelectDuplicateEntries(d, s); }},
}};
// clang-format on

constexpr std::array<CommandId, 6> kToolButtons = {CommandId::Load,   CommandId::Add,       CommandId::Apply,
                                                   CommandId::Delete, CommandId::QuickPick, CommandId::Clear};

// The "Send To" submenu stands right after the first separator; the view
// builds it from the host's registry each time the menu opens.
// After the items it has always had, each group behind a separator: the
// history, the clipboard, then the checks.
constexpr std::array<std::optional<CommandId>, 19> kListPopup = {
    CommandId::SelectAll,  CommandId::SelectEven, CommandId::SelectOdd,  CommandId::InvertSelection,
    std::nullopt,          CommandId::ExportHtml, CommandId::ApplySort,  std::nullopt,
    CommandId::ExportCsv,  std::nullopt,          CommandId::Undo,       CommandId::Redo,
    std::nullopt,          CommandId::Cut,        CommandId::Copy,       CommandId::Paste,
    std::nullopt,          CommandId::CheckDraws, CommandId::SelectDuplicates};

std::string KeyName(uint16_t key) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return std::string(1, static_cast<char>(key));
  if (key == kKeyDelete) return "Del";
  return {};
}

}  // namespace

std::span<const Command> Commands() { return kCommands; }

const Command* FindCommand(CommandId id) {
  for (const Command& command : kCommands)
    if (command.id == id) return &command;
  return nullptr;
}

const Command& CommandFor(CommandId id) {
  if (const Command* command = FindCommand(id)) return *command;
  throw std::out_of_range("no such command");
}

const Command* CommandForShortcut(Shortcut shortcut) {
  if (shortcut.key == 0) return nullptr;
  for (const Command& command : kCommands)
    if (command.shortcut == shortcut || (command.alternate.key != 0 && command.alternate == shortcut)) return &command;
  return nullptr;
}

std::string MenuCaption(const Command& command, std::string_view caption) {
  std::string text = caption.empty() ? std::string(command.caption) : std::string(caption);
  const Shortcut& key = command.shortcut;
  const std::string name = KeyName(key.key);
  if (name.empty()) return text;
  text += '\t';
  if (key.ctrl) text += "Ctrl+";
  if (key.shift) text += "Shift+";
  if (key.alt) text += "Alt+";
  return text + name;
}

std::string FailureText(const Command& command, const Document& document) {
  const bool many = document.List().SelectedCount() != 1 && command.failureForMany != nullptr;
  std::string text = many ? command.failureForMany : command.failure;
  if (command.failureNamesFile) text += FileNameOf(document.Session().CurrentDatabaseFile());
  return text;
}

std::span<const CommandId> ToolButtonCommands() { return kToolButtons; }

std::span<const std::optional<CommandId>> ListPopupCommands() { return kListPopup; }

}  // namespace zun
