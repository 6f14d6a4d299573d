#include "list/csv_export.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "hostside/sample_games.h"
#include "platform/file_system.h"
#include "support/memory_file_system.h"
#include "support/test_files.h"

namespace zun {
namespace {

struct SetShape {
  std::string name;
  int32_t count;
};

// A game whose play sets are `shapes`, and a database of the same sets with
// one entry per element of `entries` (per set its numbers).
struct Example {
  TZUN_Lotto_Temp game;
  TZUN_User_Lotto_DBase database;

  Example(const std::vector<SetShape>& shapes, const std::vector<std::vector<std::vector<int8_t>>>& entries) {
    for (const auto& shape : shapes) {
      auto& set = game.PlaySets.emplace_back();
      set.SetName.assign(shape.name);
      set.NumberCount = shape.count;
      set.LowestNumber = 1;
      set.HighestNumber = 49;
      set.Grid.Columns.Count = 10;
    }
    database.NumberSets = game.PlaySets;
    for (const auto& numbers : entries) {
      const int32_t e = database.Entries.size();
      database.Entries.resize(e + 1);
      std::vector<int32_t> counts;
      for (const auto& set : numbers) counts.push_back(static_cast<int32_t>(set.size()));
      database.SizeEntry(e, counts);
      for (size_t s = 0; s < numbers.size(); ++s)
        for (size_t k = 0; k < numbers[s].size(); ++k)
          database.Entries[e].Numbers[static_cast<int32_t>(s)][k] = numbers[s][k];
    }
  }
};

std::string Csv(const TZUN_Lotto_DBase& game, const TZUN_User_Lotto_DBase& database) {
  testing::MemoryFileSystem files;
  EXPECT_TRUE(ExportCsv(files, "out.csv", game, database));
  const auto& bytes = files.files["out.csv"];
  return {bytes.begin(), bytes.end()};
}

// The lines the rules give, built the plain way from NumberText.
std::string ReferenceCsv(const TZUN_Lotto_DBase& game, const TZUN_User_Lotto_DBase& database) {
  std::string text = "\"Seq.\"";
  for (const auto& set : game.PlaySets) {
    if (set.NumberCount == 1) text += ";\"" + std::string(set.SetName.view()) + "\"";
    for (int32_t k = 1; set.NumberCount > 1 && k <= set.NumberCount; ++k)
      text += ";\"" + std::string(set.SetName.view()) + "_" + std::to_string(k) + "\"";
  }
  text += "\r\n";
  for (int32_t e = 0; e < database.Entries.size(); ++e) {
    text += "\"" + std::to_string(e + 1) + "\"";
    const auto& numbers = database.Entries[e].Numbers;
    for (int32_t s = 0; s < numbers.size(); ++s)
      for (size_t j = 0; j < numbers[s].size(); ++j) text += ";" + database.NumberText(e, s, static_cast<int32_t>(j));
    text += "\r\n";
  }
  return text;
}

TEST(CsvExport, HeaderNamesEachNumberAndLinesHoldTheNumbersBare) {
  const Example example({{"Main", 6}, {"None", 0}, {"Bonus", 1}},
                        {{{3, 11, 17, 22, 38, 45}, {}, {7}}, {{1, 2, 3, 4, 5, 49}, {}, {10}}});
  EXPECT_EQ(Csv(example.game, example.database),
            "\"Seq.\";\"Main_1\";\"Main_2\";\"Main_3\";\"Main_4\";\"Main_5\";\"Main_6\";\"Bonus\"\r\n"
            "\"1\";03;11;17;22;38;45;07\r\n"
            "\"2\";01;02;03;04;05;49;10\r\n");
}

TEST(CsvExport, EmptyDatabasesAndEntriesWithoutNumbers) {
  const Example empty({{"Main", 6}, {"Bonus", 1}}, {});
  EXPECT_EQ(Csv(empty.game, empty.database),
            "\"Seq.\";\"Main_1\";\"Main_2\";\"Main_3\";\"Main_4\";\"Main_5\";\"Main_6\";\"Bonus\"\r\n");

  const Example blank({{"Only", 1}}, {{{}}, {}});
  EXPECT_EQ(Csv(blank.game, blank.database), "\"Seq.\";\"Only\"\r\n\"1\"\r\n\"2\"\r\n");
}

TEST(CsvExport, QuotesInNamesAreDoubled) {
  const Example example({{"Say \"hi\"", 2}, {"\"", 1}}, {{{1, 2}, {3}}});
  EXPECT_EQ(Csv(example.game, example.database),
            "\"Seq.\";\"Say \"\"hi\"\"_1\";\"Say \"\"hi\"\"_2\";\"\"\"\"\r\n\"1\";01;02;03\r\n");
}

TEST(CsvExport, NumbersAreNamedAsTheEntryListNamesThem) {
  // Plain numbers (with negatives and numbers off the grid), number labels,
  // and row labels listed by column (numbers outside the columns: empty).
  for (const auto& sample : hostside::MakeSampleGames()) {
    auto database = hostside::MakeSampleDatabase(*sample.game, 40, 3);
    for (int32_t e = 0; e < 8; ++e)
      for (auto& number : database->Entries[e].Numbers[0]) number = static_cast<int8_t>(-128 + 37 * e + number);
    EXPECT_EQ(Csv(*sample.game, *database), ReferenceCsv(*sample.game, *database)) << sample.fileName;
  }
}

// Records every write.
class RecordingWriter final : public FileWriter {
 public:
  std::string bytes;
  size_t writes = 0, largest = 0;
  bool Write(const void* data, size_t size) override {
    bytes.append(static_cast<const char*>(data), size);
    ++writes;
    largest = std::max(largest, size);
    return true;
  }
  bool Commit() override { return true; }
};

TEST(CsvExport, LargeExportsAreWrittenInChunks) {
  const auto game = hostside::MakeTwinPool(0);
  const auto database = hostside::MakeSampleDatabase(*game, 30000, 5);
  RecordingWriter writer;
  ASSERT_TRUE(WriteCsvExport(*game, *database, writer));
  EXPECT_EQ(writer.bytes, ReferenceCsv(*game, *database));
  EXPECT_GT(writer.writes, 2u);
  EXPECT_LT(writer.largest, ChunkedOutput::kChunkBytes + 1024);
}

TEST(CsvExport, AFailedExportKeepsTheOlderFile) {
  const auto game = hostside::MakeLotto649(0);
  const auto database = hostside::MakeSampleDatabase(*game, 30000, 5);
  const std::vector<uint8_t> older{'o', 'l', 'd'};
  testing::MemoryFileSystem files;
  files.files["out.csv"] = older;
  for (const long after : {0L, 100L, 300'000L, 700'000L}) {
    files.failWritesAfter = after;
    EXPECT_FALSE(ExportCsv(files, "out.csv", *game, *database)) << after;
  }
  files.failWritesAfter = -1;
  files.failCommit = true;
  EXPECT_FALSE(ExportCsv(files, "out.csv", *game, *database));
  files.failCommit = false;
  files.failTemporaryFile = true;
  EXPECT_FALSE(ExportCsv(files, "out.csv", *game, *database));
  EXPECT_EQ(files.files["out.csv"], older);
}

#ifndef _WIN32
// What a command prints, and whether it succeeded.
bool Output(const std::string& command, std::string& read) {
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return false;
  char chunk[256];
  while (const size_t n = fread(chunk, 1, sizeof chunk, pipe)) read.append(chunk, n);
  return pclose(pipe) == 0;
}

// Two readers players use read the same cells: Python's csv module and
// SQLite's CSV import (as a spreadsheet or a database would take the file).
TEST(CsvExport, CsvReadersReadTheCellsBack) {
  const Example example({{"Say \"hi\"; twice", 2}, {"a;b", 1}, {"\"", 1}}, {{{5, 49}, {7}, {1}}, {{10, 2}, {3}, {4}}});
  testing::TempFolder folder;
  const std::string path = folder / "odd names.csv";
  ASSERT_TRUE(ExportCsv(PlatformFileSystem(), path, example.game, example.database));
  const std::string expected =
      "Seq.|Say \"hi\"; twice_1|Say \"hi\"; twice_2|a;b|\"\n"
      "1|05|49|07|01\n"
      "2|10|02|03|04\n";

  std::string python;
  ASSERT_TRUE(Output("python3 -c 'import csv,sys\n"
                     "with open(sys.argv[1], newline=\"\") as f:\n"
                     "  for row in csv.reader(f, delimiter=\";\"): print(\"|\".join(row))' '" +
                         path + "'",
                     python))
      << python;
  EXPECT_EQ(python, expected);

  // The header line names the table's columns; the rows come back as text.
  std::string sqlite;
  ASSERT_TRUE(Output("sqlite3 -batch :memory: -cmd '.mode csv' -cmd '.separator \";\"' -cmd \".import '" + path +
                         "' picks\" '.mode list' '.separator \"|\"' '.headers on' 'select * from picks'",
                     sqlite))
      << sqlite;
  EXPECT_EQ(sqlite, expected);
}
#endif

}  // namespace
}  // namespace zun
