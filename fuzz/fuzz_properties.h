#pragma once

// What must hold for any bytes given to each reader. The fuzz targets run
// these on generated inputs; the unit tests run them again, in both builds,
// on every input kept in fuzz/regressions/.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

#include "analysis/draw_check.h"
#include "hostside/game_file_writer.h"
#include "base/text_lines.h"
#include "hostside/sample_games.h"
#include "list/list_sort.h"
#include "model/draw_statistics.h"
#include "model/entry_text.h"
#include "model/game_file_reader.h"
#include "model/old_file_import.h"
#include "model/sl5_file.h"
#include "operations/entry_lines.h"
#include "support/memory_file_system.h"
#include "support/reference_draw_check.h"

// A property that does not hold is a crash for the fuzzer.
#define FUZZ_CHECK(condition)                                                               \
  do {                                                                                      \
    if (!(condition)) {                                                                     \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                         \
    }                                                                                       \
  } while (0)

namespace zun::fuzz {

// The check against the draws on a game as read, damaged or not, with a
// few entries whose numbers come from the input (half of them brought into
// their set's range): the same result as the reference's, and texts for it.
inline void CheckDrawCheck(const TZUN_Lotto_DBase& game, std::span<const uint8_t> bytes) {
  if (bytes.empty()) return;
  TZUN_User_Lotto_DBase database;
  std::vector<int32_t> counts;
  for (const auto& set : game.PlaySets) counts.push_back(std::clamp(set.NumberCount, 0, 12));
  const EntryNumbers::Shape shape(counts);
  size_t next = 0;
  for (int e = 0; e < 4; ++e) {
    auto& entry = database.Entries.emplace_back();
    entry.Numbers = EntryNumbers(shape);
    for (int32_t s = 0; s < shape.SetCount(); ++s) {
      const auto& set = game.PlaySets[s];
      const int64_t width = std::max<int64_t>(1, int64_t(set.HighestNumber) - set.LowestNumber + 1);
      for (int8_t& number : entry.Numbers[s]) {
        const uint8_t b = bytes[next++ % bytes.size()];
        number = (b & 1) != 0 ? static_cast<int8_t>(b) : static_cast<int8_t>(set.LowestNumber + (b >> 1) % width);
      }
    }
  }
  const int32_t atLeast = bytes[0] % 4;
  const DrawCheckInput input = DrawCheckInput::Make(game, database, nullptr, DrawRange::All(game), atLeast);
  DrawCheckResult result;
  FUZZ_CHECK(RunDrawCheck(input, result));
  const std::vector<int32_t> all{0, 1, 2, 3};
  if (!result.Truncated())
    FUZZ_CHECK(testing::DifferenceFromReference(
                   input, result, testing::RunReferenceCheck(game, database, all, DrawRange::All(game), atLeast))
                   .empty());
  result.Summary(input);
  for (size_t hit = 0; hit < std::min<size_t>(result.hits.size(), 16); ++hit)
    result.MatchesText(hit, input.drawSets.size());
}

// The game-file reader: no crash, no unbounded allocation, and whatever it
// accepts the host's writer writes back byte for byte. What it read (all or
// part) is checked against its draws (CheckDrawCheck). Entry texts are then
// formatted for the play sets read, with numbers taken from the input, so
// labels and grid shapes from the file meet any ball number.
inline void CheckGameFile(std::span<const uint8_t> bytes) {
  TZUN_Lotto_Temp header;
  ParseGameFile(header, bytes, true);

  TZUN_Lotto_Temp game;
  const bool ok = ParseGameFile(game, bytes, false);
  ComputeDrawStatistics(game);
  if (ok) {
    const std::vector<uint8_t> written = hostside::WriteGameFile(game);
    FUZZ_CHECK(written.size() <= bytes.size());
    FUZZ_CHECK(std::equal(written.begin(), written.end(), bytes.begin()));
  }
  CheckDrawCheck(game, bytes);
  const size_t n = std::min<size_t>(bytes.size(), 8);
  const std::vector<int8_t> numbers(bytes.begin(), bytes.begin() + static_cast<long>(n));
  for (const auto& set : game.PlaySets) {
    const Lotto_Numbers_Framework copy = CopyNumberSetForUserDatabase(set);
    std::string text;
    AppendSetText(text, copy, numbers);
    for (int32_t k = 0; k < static_cast<int32_t>(n); ++k) AppendNumberText(text, copy, numbers, k);
  }
}

// The .sl5 reader: no crash, nothing sized beyond what the bytes back,
// every entry shaped as the sets say, and a file it reads whole is written
// back as the same bytes.
inline void CheckSl5File(std::span<const uint8_t> bytes) {
  TZUN_User_Lotto_DBase header;
  ParseSl5(header, bytes, true, "fuzz.sl5");

  TZUN_User_Lotto_DBase database;
  database.NumberSets.resize(2);  // sets that exist before the read keep their grids
  database.NumberSets[0].Grid.Columns.Count = 7;
  const bool ok = ParseSl5(database, bytes, false, "fuzz.sl5");
  const EntryNumbers::Shape shape = database.EntryShape();
  for (const auto& entry : database.Entries) FUZZ_CHECK(entry.Numbers.HasShape(shape));
  if (ok) {
    const std::vector<uint8_t> written = Sl5Bytes(database);
    FUZZ_CHECK(written.size() <= bytes.size());
    FUZZ_CHECK(std::equal(written.begin(), written.end(), bytes.begin()));
  }
  const int32_t shown = std::min(database.Entries.size(), 16);
  for (int32_t e = 0; e < shown; ++e)
    for (int32_t s = 0; s < database.NumberSets.size(); ++s) database.EntryNumbersText(e, s);
}

// The old-format imports, through the file-reading path the load operation
// uses, then appended to a 6-from-49 database.
inline void CheckOldFile(std::span<const uint8_t> bytes, bool sl3) {
  static const auto game = hostside::MakeLotto649(0);
  const std::string path = sl3 ? "C:\\in\\fuzz.sl3" : "C:\\in\\fuzz.sl4";
  testing::MemoryFileSystem files;
  files.files[path] = std::vector<uint8_t>(bytes.begin(), bytes.end());
  const int32_t count = sl3 ? SL3RecordCount(files, path) : RecordCount(files, path, kSl4RecordBytes);
  FUZZ_CHECK(static_cast<size_t>(count) == bytes.size() / (sl3 ? kSl3RecordBytes : kSl4RecordBytes));
  std::vector<OldEntryRecord> records(static_cast<size_t>(count));
  ReadOldFile(files, records, path, sl3 ? FileKind::Sl3 : FileKind::Sl4, count);
  auto database = hostside::MakeSampleDatabase(*game, 0, 1);
  AppendOldRecords(*game, *database, records, "fuzz");
  FUZZ_CHECK(database->Entries.size() == count);
  for (int32_t e = 0; e < count; ++e) {
    for (int k = 0; k < 6; ++k) {
      const uint8_t expected = sl3 ? bytes[size_t(12 * e + 2 * (5 - k))] : bytes[size_t(29 * e + 22 + k)];
      FUZZ_CHECK(static_cast<uint8_t>(database->Entries[e].Numbers[0][k]) == expected);
    }
  }
}

// The line reader (paste, CSV import), for a sample game the first byte
// picks: every line counted once, each entry taken one the grids could
// make, and the list's cells of a taken entry read back as the same entry.
inline void CheckEntryLines(std::span<const uint8_t> bytes) {
  static const auto games = hostside::MakeSampleGames();
  if (bytes.empty()) return;
  const TZUN_Lotto_Temp& game = *games[bytes[0] % games.size()].game;
  EntryLines lines(game);
  int32_t physical = 0;
  ForEachTextLine(bytes.subspan(1), [&](std::string_view line) {
    FUZZ_CHECK(line.size() <= kMaxLineLength + 1);
    lines.Add(line);
    ++physical;
  });
  FUZZ_CHECK(lines.Taken() + lines.RefusedCount() == lines.EntryLineCount());
  FUZZ_CHECK(lines.EntryLineCount() <= physical);
  FUZZ_CHECK(lines.Refusals().size() == std::min<size_t>(kReportedLines, size_t(lines.RefusedCount())));

  auto database = hostside::MakeSampleDatabase(game, 0, 1);
  for (auto& entry : lines.TakeEntries()) database->Entries.push_back(std::move(entry));
  const EntryRules rules(std::span(game.PlaySets.data(), size_t(game.PlaySets.size())));
  EntryLines again(game);
  for (int32_t e = 0; e < database->Entries.size(); ++e) {
    const TZUN_Database_Structure& entry = database->Entries[e];
    FUZZ_CHECK(entry.Numbers.HasShape(database->EntryShape()));
    std::vector<std::vector<int32_t>> numbers;
    for (int32_t s = 0; s < entry.Numbers.size(); ++s) {
      numbers.emplace_back(entry.Numbers[s].begin(), entry.Numbers[s].end());
      FUZZ_CHECK(std::is_sorted(numbers.back().begin(), numbers.back().end()));
    }
    FUZZ_CHECK(rules.Check(numbers).empty());

    std::string copy;
    for (int32_t column = 0; column < database->NumberSets.size() + 2; ++column) {
      if (column > 0) copy += '\t';
      AppendColumnText(copy, *database, e, column);
    }
    const EntryLines::Reading back = again.Read(copy, false);
    FUZZ_CHECK(back.reason.empty() && !back.blank && !back.header);
    FUZZ_CHECK(back.entry.Numbers == entry.Numbers);
    FUZZ_CHECK(back.entry.Source.view() == entry.Source.view());
  }
}

}  // namespace zun::fuzz
