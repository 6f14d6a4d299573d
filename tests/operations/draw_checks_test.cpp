// The check against the draws and "Select Duplicates" through the window's
// commands and the check window's intents: which draws and entries a choice
// names, the rows of a result as the window lists, sorts and exports them,
// the winners and the duplicates selected in the main list.

#include "operations/draw_checks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/explained_error.h"
#include "model/sl5_file.h"
#include "support/adapter_fixture.h"

namespace zun {
namespace {

// A started adapter holding 60 picks of the 6-from-49 game with 40 draws.
struct CheckFixture : testing::AdapterFixture {
  CheckFixture() : AdapterFixture(hostside::MakeLotto649(40)) {
    EXPECT_EQ(Start(), 1);
    files.files["C:\\db\\picks.sl5"] = Sl5Bytes(*hostside::MakeSampleDatabase(*game, 60, 8));
    dialogs.openAnswers.push_back({"C:\\db\\picks.sl5"});
    adapter.Execute(CommandId::Load);
    EXPECT_EQ(Database().Entries.size(), 60);
  }
  void Run(CommandId id) { adapter.Execute(id); }
  void SelectRowsOf(std::initializer_list<int32_t> entries) { adapter.SelectEntries(std::vector<int32_t>(entries)); }
  std::string InputFailure(const CheckChoice& choice) {
    try {
      MakeCheckInput(adapter.Doc(), choice);
    } catch (const ExplainedError& e) {
      return e.what();
    }
    return {};
  }
};

TEST(DrawChecks, AChoiceNamesTheDrawsAndTheEntriesToCheck) {
  CheckFixture f;
  using Draws = CheckChoice::Draws;
  const struct {
    CheckChoice choice;
    int32_t first, last;
  } cases[] = {
      {{.draws = Draws::Last}, 39, 39},
      {{.draws = Draws::LastCount, .lastCount = 5}, 35, 39},
      {{.draws = Draws::LastCount, .lastCount = 500}, 0, 39},
      {{.draws = Draws::All}, 0, 39},
      {{.draws = Draws::Between, .from = 30, .to = 10}, 10, 30},
      {{.draws = Draws::Between, .from = 12, .to = 12}, 12, 12},
  };
  for (const auto& c : cases) {
    const DrawCheckInput input = MakeCheckInput(f.adapter.Doc(), c.choice);
    ASSERT_FALSE(input.draws.empty());
    EXPECT_EQ(input.draws.front(), c.first);
    EXPECT_EQ(input.draws.back(), c.last);
    EXPECT_EQ(input.entries.size(), 60u) << "all entries";
  }

  f.adapter.SelectRows(7, 7, true);
  f.adapter.SelectRows(2, 2, true);
  const DrawCheckInput selected = MakeCheckInput(f.adapter.Doc(), {.selectedOnly = true, .atLeast = 2});
  EXPECT_EQ(selected.entries, (std::vector<int32_t>{2, 7})) << "ascending, whatever the order they were selected in";
  EXPECT_EQ(selected.atLeast, 2);

  f.adapter.SelectRows(-1, -1, false);
  EXPECT_EQ(f.InputFailure({.selectedOnly = true}), "There are no entries to check.");
  EXPECT_EQ(f.InputFailure({.draws = Draws::LastCount, .lastCount = 0}), "The game has no draws to check.");
}

TEST(DrawChecks, TheRowsSortByEachColumnBothWaysAndExportAsTheyAreShown) {
  CheckFixture f;
  // Every pair with two numbers or more: rows enough to sort.
  const DrawCheckInput input = MakeCheckInput(f.adapter.Doc(), {.atLeast = 2});
  DrawCheckResult result;
  ASSERT_TRUE(RunDrawCheck(input, result));
  CheckResultRows rows(input, result);
  ASSERT_GT(rows.RowCount(), 20);
  ASSERT_EQ(rows.ColumnCount(), 5);
  EXPECT_EQ(rows.ColumnName(1), "Main Numbers");

  const auto entryOf = [&](int32_t row) { return std::stoi(rows.CellText(row, 0)); };
  const auto drawOf = [&](int32_t row) { return result.hits[static_cast<size_t>(rows.HitAt(row))].draw; };
  const auto matchesOf = [&](int32_t row) { return rows.CellText(row, 3); };  // "2 + 0": one digit per set here
  const auto divisionOf = [&](int32_t row) {
    const int32_t d = result.hits[static_cast<size_t>(rows.HitAt(row))].division;
    return d < 0 ? 99 : d;
  };
  const auto sorted = [&](auto key, bool ascending) {
    for (int32_t row = 1; row < rows.RowCount(); ++row)
      if (ascending ? key(row - 1) > key(row) : key(row - 1) < key(row)) return false;
    return true;
  };
  EXPECT_TRUE(sorted(entryOf, true)) << "the natural order: entries, then draws";
  rows.ClickColumn(0);
  EXPECT_TRUE(sorted(entryOf, false)) << "the same column again inverts";
  rows.ClickColumn(2);
  EXPECT_TRUE(rows.Ascending());
  EXPECT_TRUE(sorted(drawOf, true));
  rows.ClickColumn(3);
  EXPECT_TRUE(sorted(matchesOf, true));
  rows.ClickColumn(4);
  EXPECT_TRUE(sorted(divisionOf, true)) << "the highest division first, none last";
  rows.ClickColumn(1);
  EXPECT_TRUE(sorted([&](int32_t row) { return rows.CellText(row, 1); }, true)) << "two-digit numbers sort as text";
  rows.ClickColumn(1);
  EXPECT_TRUE(sorted([&](int32_t row) { return rows.CellText(row, 1); }, false));

  // The CSV file: the rows as shown, each number in a field of its own.
  f.dialogs.saveAnswers.push_back("C:\\out\\check.csv");
  f.adapter.ExportCheckRows(rows, input);
  const auto& bytes = f.files.files["C:\\out\\check.csv"];
  const std::string csv(bytes.begin(), bytes.end());
  EXPECT_EQ(csv.substr(0, csv.find("\r\n")),
            "\"Entry\";\"Main Numbers_1\";\"Main Numbers_2\";\"Main Numbers_3\";\"Main Numbers_4\";"
            "\"Main Numbers_5\";\"Main Numbers_6\";\"Draw\";\"Matches\";\"Division\"");
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), rows.RowCount() + 1);
  std::string first = rows.CellText(0, 1);
  for (size_t at; (at = first.find(" - ")) != std::string::npos;) first.replace(at, 3, ";");
  const std::string line = "\"" + rows.CellText(0, 0) + "\";" + first + ";\"" + rows.CellText(0, 2) + "\";\"" +
                           rows.CellText(0, 3) + "\";\"" + rows.CellText(0, 4) + "\"\r\n";
  EXPECT_EQ(csv.substr(csv.find("\r\n") + 2, line.size()), line);

  f.files.failCommit = true;
  f.dialogs.saveAnswers.push_back("C:\\out\\check.csv");
  f.adapter.ExportCheckRows(rows, input);
  ASSERT_FALSE(f.prompt.shown.empty());
  EXPECT_EQ(f.prompt.shown.back().text.rfind("Error saving to CSV File: check.csv\r", 0), 0u)
      << f.prompt.shown.back().text;
}

TEST(DrawChecks, WinnersAndDuplicatesAreSelectedInTheMainList) {
  CheckFixture f;
  f.adapter.ColumnClicked(0);  // "Seq." descending: entry 59 shows first
  f.adapter.SelectEntries(std::vector<int32_t>{3, 40, 99});
  EXPECT_EQ(f.adapter.Doc().List().SelectedCount(), 2) << "an entry that is no more is left out";
  ASSERT_FALSE(f.views.revealed.empty());
  EXPECT_EQ(f.views.revealed.back(), 59 - 40) << "the first selected row in the order shown";

  // Copies of entries 5 and 9 (twice) appended: the later ones selected.
  f.SelectRowsOf({5, 9});
  f.Run(CommandId::Copy);
  f.Run(CommandId::Paste);
  f.SelectRowsOf({9});
  f.Run(CommandId::Copy);
  f.Run(CommandId::Paste);
  f.prompt.shown.clear();
  f.Run(CommandId::SelectDuplicates);
  EXPECT_EQ(f.adapter.Doc().List().SelectedEntries().size(), 3u);
  for (const int32_t entry : {60, 61, 62}) EXPECT_TRUE(f.adapter.Doc().List().IsEntrySelected(entry)) << entry;
  ASSERT_EQ(f.prompt.shown.size(), 1u);
  EXPECT_EQ(f.prompt.shown[0].text, "3 duplicates selected of 63 entries.");

  EXPECT_EQ(DuplicatesMessage(1, 1), "1 duplicate selected of 1 entry.");
  EXPECT_EQ(DuplicatesMessage(0, 1'000'000), "No duplicates among 1,000,000 entries.");
}

}  // namespace
}  // namespace zun
