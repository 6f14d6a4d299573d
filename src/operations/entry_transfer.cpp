#include "operations/entry_transfer.h"

#include <algorithm>
#include <vector>

#include "base/error_location.h"
#include "base/explained_error.h"
#include "base/paths.h"
#include "base/reference_codes.h"
#include "base/text_lines.h"
#include "base/texts.h"
#include "list/entry_list.h"
#include "list/list_sort.h"
#include "operations/entry_lines.h"

namespace zun {
namespace {

// The report of refused lines; nothing when every line was taken.
void ReportLines(Services& services, const EntryLines& lines) {
  if (lines.RefusedCount() == 0 && lines.Taken() > 0) return;
  services.prompt.ShowOkMessage(lines.ReportText(), texts::dialog::kInformation, kIconInformation);
}

// Appends what the lines took as one step named `verb` and the count.
void AppendTaken(Document& document, EntryLines& lines, std::string_view verb) {
  const int32_t taken = lines.Taken();
  if (taken == 0) return;
  document.ClearSelection();
  document.AppendEntries(lines.TakeEntries(), StepName(verb, taken));
}

void Reveal(Services& services, int32_t row) {
  if (row >= 0) services.views.list->RevealRow(row);
}

}  // namespace

std::string SelectedEntriesText(const Document& document) {
  const TZUN_User_Lotto_DBase& database = document.RequireDatabase();
  const EntryList& list = document.List();
  const int32_t columns = database.NumberSets.size() + 2;
  std::string text;
  text.reserve(static_cast<size_t>(list.SelectedCount()) * 48);
  for (const int32_t entry : list.SelectedEntries()) {
    for (int32_t column = 0; column < columns; ++column) {
      if (column > 0) text += '\t';
      const size_t start = text.size();
      AppendColumnText(text, database, entry, column);
      // A source from a file may hold what would split the cell or the line.
      std::replace_if(text.begin() + static_cast<std::ptrdiff_t>(start), text.end(),
                      [](char c) { return c == '\t' || c == '\r' || c == '\n' || c == '\0'; }, ' ');
    }
    text += "\r\n";
  }
  return text;
}

void CopyEntries(const Document& document, Services& services) {
  if (document.List().SelectedCount() == 0) return;
  const BusyScope busy(services.hourglass);
  if (!services.clipboard.PutText(SelectedEntriesText(document))) throw ExplainedError(texts::transfer::kNoClipboard);
}

void CutEntries(Document& document, Services& services) {
  if (document.List().SelectedCount() == 0) return;
  CopyEntries(document, services);  // throws, deleting nothing, when the copy failed
  document.DeleteSelected("Cut");
  document.ClearChoices();
}

void PasteEntries(Document& document, Services& services) {
  const BusyScope busy(services.hourglass);
  EntryLines lines(document.RequireGame());
  if (!services.clipboard.ReadLines([&](std::string_view line) { lines.Add(line); })) return;
  AppendTaken(document, lines, "Paste");
  ReportLines(services, lines);
}

void ImportCsvFile(Document& document, Services& services) {
  FileDialogOptions options;
  options.title = texts::file_dialog::kImportTitle;
  options.filter = texts::file_dialog::kImportFilter;
  options.defaultExtension = texts::file_dialog::kCsvExtension;
  const std::vector<std::string> chosen = services.dialogs.Open(options);
  if (chosen.empty()) return;
  const std::string& path = chosen.front();
  const BusyScope busy(services.hourglass);
  std::vector<uint8_t> bytes;
  if (!services.files.ReadFile(path, bytes))
    throw ExplainedError(texts::transfer::kCannotRead + std::string(FileNameOf(path)));
  EntryLines lines(document.RequireGame());
  ForEachTextLine(bytes, [&](std::string_view line) { lines.Add(line); });
  std::vector<uint8_t>().swap(bytes);  // the file goes before its entries are appended
  AppendTaken(document, lines, "Import");
  ReportLines(services, lines);
}

void UndoChange(Document& document, Services& services) { Reveal(services, document.Undo()); }

void RedoChange(Document& document, Services& services) { Reveal(services, document.Redo()); }

}  // namespace zun
