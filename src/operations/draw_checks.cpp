#include "operations/draw_checks.h"

#include <algorithm>
#include <bit>

#include "analysis/duplicates.h"
#include "base/error_location.h"
#include "base/explained_error.h"
#include "base/paths.h"
#include "base/reference_codes.h"
#include "base/texts.h"
#include "base/thousands.h"
#include "list/csv_export.h"
#include "model/entry_text.h"

namespace zun {

DrawRange RangeOf(const TZUN_Lotto_DBase& game, const CheckChoice& choice) {
  switch (choice.draws) {
    case CheckChoice::Draws::Last:
      return DrawRange::LastDraws(game, 1);
    case CheckChoice::Draws::LastCount:
      return DrawRange::LastDraws(game, std::max(choice.lastCount, 0));
    case CheckChoice::Draws::All:
      return DrawRange::All(game);
    case CheckChoice::Draws::Between: {
      const int32_t last = game.Draws.size() - 1;
      DrawRange range{std::clamp(std::min(choice.from, choice.to), 0, std::max(last, 0)),
                      std::clamp(std::max(choice.from, choice.to), -1, last)};
      if (last < 0) range = DrawRange{};
      return range;
    }
  }
  return DrawRange{};
}

DrawCheckInput MakeCheckInput(const Document& document, const CheckChoice& choice) {
  const OperationScope operation(codes::kCheckDraws);
  const TZUN_Lotto_DBase& game = document.RequireGame();
  const TZUN_User_Lotto_DBase& database = document.RequireDatabase();
  const DrawRange range = RangeOf(game, choice);
  if (range.last < range.first) throw ExplainedError(texts::check::kNoDraws);
  std::vector<int32_t> selected;
  if (choice.selectedOnly) {
    selected = document.List().SelectedEntries();
    std::sort(selected.begin(), selected.end());
  }
  if (choice.selectedOnly ? selected.empty() : database.Entries.size() == 0)
    throw ExplainedError(texts::check::kNoEntries);
  return DrawCheckInput::Make(game, database, choice.selectedOnly ? &selected : nullptr, range,
                              std::max(choice.atLeast, 0));
}

void SelectEntries(Document& document, Services& services, std::span<const int32_t> entries) {
  const OperationScope operation(codes::kSelectWinning);
  const int32_t row = document.SelectEntries(entries);
  if (row >= 0) services.views.list->RevealRow(row);
}

std::string DuplicatesMessage(int64_t duplicates, int64_t entries) {
  const std::string all = WithThousands(entries) + (entries == 1 ? " entry." : " entries.");
  if (duplicates == 0) return texts::check::kNoDuplicates + all;
  return WithThousands(duplicates) + (duplicates == 1 ? " duplicate" : " duplicates") +
         texts::check::kDuplicatesSelected + all;
}

void SelectDuplicateEntries(Document& document, Services& services) {
  const OperationScope operation(codes::kSelectDuplicates);
  const TZUN_User_Lotto_DBase& database = document.RequireDatabase();
  std::vector<int32_t> later;
  {
    const BusyScope busy(services.hourglass);
    const std::vector<Duplicate> duplicates = FindDuplicates(database);
    later.reserve(duplicates.size());
    for (const Duplicate& duplicate : duplicates) later.push_back(duplicate.entry);
    SelectEntries(document, services, later);
  }
  services.prompt.ShowOkMessage(DuplicatesMessage(static_cast<int64_t>(later.size()), database.Entries.size()),
                                texts::dialog::kInformation, kIconInformation);
}

bool WriteCheckCsv(const CheckResultRows& rows, const DrawCheckInput& input, FileWriter& out) {
  ChunkedOutput output(out);
  const size_t sets = input.playSets.size();
  const int32_t entryColumns = static_cast<int32_t>(sets) + 1;
  std::string line;
  AppendCsvQuoted(line, rows.ColumnName(0));
  for (const Lotto_Numbers_Framework& set : input.playSets) {
    for (int32_t k = 1; k <= set.NumberCount; ++k) {
      std::string name(set.SetName.view());
      if (set.NumberCount != 1) name += '_' + std::to_string(k);
      line += ';';
      AppendCsvQuoted(line, name);
    }
  }
  for (int32_t column = entryColumns; column < rows.ColumnCount(); ++column) {
    line += ';';
    AppendCsvQuoted(line, rows.ColumnName(column));
  }
  line += "\r\n";
  output.Append(line);

  for (int32_t row = 0; row < rows.RowCount(); ++row) {
    line.clear();
    AppendCsvQuoted(line, rows.CellText(row, 0));
    const auto slot = static_cast<size_t>(rows.EntrySlotAt(row));
    for (size_t s = 0; s < sets; ++s) {
      // Every number as the list export names it; a set short of numbers
      // (a damaged entry) leaves its last fields empty.
      const std::vector<int8_t> numbers = NumbersOf(input.entryMasks[slot * sets + s]);
      for (int32_t k = 0; k < input.playSets[s].NumberCount; ++k) {
        line += ';';
        if (k < static_cast<int32_t>(numbers.size())) AppendNumberText(line, input.playSets[s], numbers, k);
      }
    }
    for (int32_t column = entryColumns; column < rows.ColumnCount(); ++column) {
      line += ';';
      AppendCsvQuoted(line, rows.CellText(row, column));
    }
    line += "\r\n";
    output.Append(line);
    if (!output.Flush()) return false;
  }
  return output.Finish();
}

void ExportCheckRows(Services& services, const CheckResultRows& rows, const DrawCheckInput& input) {
  const OperationScope operation(codes::kExportCheck);
  const std::string path = services.dialogs.Save(
      OverwritingSave(texts::check::kCsvTitle, texts::file_dialog::kCsvFilter, texts::file_dialog::kCsvExtension));
  if (path.empty()) return;
  bool written = false;
  {
    const BusyScope busy(services.hourglass);
    const auto writer = services.files.BeginReplace(path);
    written = writer && WriteCheckCsv(rows, input, *writer) && writer->Commit();
  }
  // An older file of that name is untouched when this one failed.
  if (!written) throw ExplainedError(texts::failure::kCsvExport + std::string(FileNameOf(path)));
}

}  // namespace zun
