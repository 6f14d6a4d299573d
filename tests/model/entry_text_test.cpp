#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "base/error_location.h"
#include "model/entry_text.h"
#include "model/user_database.h"

namespace zun {
namespace {

void SetLabels(Selection_Grid_Selection_Framework& part, std::vector<std::string> labels) {
  part.HasLabels = 1;
  part.Labels.resize(static_cast<int32_t>(labels.size()));
  for (size_t i = 0; i < labels.size(); ++i) part.Labels[static_cast<int32_t>(i)].assign(labels[i]);
}

// A database of one set and one entry holding `numbers`.
struct OneEntry {
  TZUN_User_Lotto_DBase database;
  explicit OneEntry(std::vector<int8_t> numbers, int32_t columns = 10, int32_t lowest = 1) {
    auto& set = database.NumberSets.emplace_back();
    set.NumberCount = static_cast<int32_t>(numbers.size());
    set.LowestNumber = lowest;
    set.HighestNumber = 49;
    set.Grid.Columns.Count = columns;
    const int32_t counts[] = {set.NumberCount};
    database.Entries.resize(1);
    database.SizeEntry(0, counts);
    for (size_t k = 0; k < numbers.size(); ++k) database.Entries[0].Numbers[0][k] = numbers[k];
  }
  Selection_Grid_Framework& Grid() { return database.NumberSets[0].Grid; }
  std::string Text() { return database.EntryNumbersText(0, 0); }
  std::string Number(int32_t position) { return database.NumberText(0, 0, position); }
};

TEST(EntryText, PlainNumbersHaveTwoDigitsAndKeepTheStoredOrder) {
  OneEntry e({1, 7, 13, 22, 38, 49});
  EnterOperation("the row's painting");
  EXPECT_EQ(e.Text(), "01 - 07 - 13 - 22 - 38 - 49");
  EXPECT_STREQ(ErrorLocation, "the row's painting") << "a text made gives its caller's code back";
  OneEntry unsorted({38, 7, 1});
  EXPECT_EQ(unsorted.Text(), "38 - 07 - 01");
  EXPECT_EQ(unsorted.Number(1), "07");
  EXPECT_THROW(unsorted.Number(3), std::out_of_range);
  EXPECT_STREQ(ErrorLocation, "ZUN SubMain-Misc 001003") << "a text that failed keeps its code for the report";
  std::string out;
  AppendPlainNumber(out, 123);
  AppendPlainNumber(out, -5);
  EXPECT_EQ(out, "123-05");
}

TEST(EntryText, ColumnLabelsWinOverRowAndNumberLabels) {
  OneEntry e({1, 12, 23}, 10);
  SetLabels(e.Grid().Columns, {"c1", "c2", "c3", "c4", "c5", "c6", "c7", "c8", "c9", "c10"});
  SetLabels(e.Grid().Rows, {"r1", "r2", "r3"});
  SetLabels(e.Grid().NumberLabels, std::vector<std::string>(49, "n"));
  EXPECT_EQ(e.Text(), "c1 - c2 - c3");
  EXPECT_EQ(e.Number(2), "c3");
  e.Grid().Columns.HasLabels = 0;
  EXPECT_EQ(e.Text(), "r1 - r2 - r3");
  e.Grid().Rows.HasLabels = 0;
  EXPECT_EQ(e.Text(), "n - n - n");
}

TEST(EntryText, RowLabelsInEntryOrderOrColumnByColumn) {
  // Three columns (digit positions), rows labelled by digit.
  OneEntry e({8, 3, 10}, 3);
  SetLabels(e.Grid().Rows, {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"});
  e.Grid().Rows.InEntryOrder = 1;
  EXPECT_EQ(e.Text(), "2 - 0 - 3");
  e.Grid().Rows.InEntryOrder = 0;
  EXPECT_EQ(e.Text(), "3 - 2 - 0");
  EXPECT_EQ(e.Number(0), "2") << "one number shows its own row label in both orders";
}

TEST(EntryText, ColumnOrderListsSharedColumnsInStoredOrderAndLeavesOutsidersOut) {
  OneEntry e({7, 1, 4, 60}, 3);  // 7, 1 and 4 share column 1
  SetLabels(e.Grid().Rows, {"a", "b", "c"});
  e.Grid().Rows.InEntryOrder = 0;
  // 7 -> row 3, 1 -> row 1, 4 -> row 2, all column 1; 60 -> column 3, row 20: no such label.
  EXPECT_EQ(e.Text(), "c - a - b - 60");
  OneEntry below({-2, 2}, 3, 1);  // -2 falls in column 1 of row 0, which has no label
  SetLabels(below.Grid().Rows, {"a", "b"});
  EXPECT_EQ(below.Text(), "-02 - a");
}

TEST(EntryText, ColumnOrderTakesNoLongerForAWideGrid) {
  // A damaged game file can declare any width; the text must not walk it.
  OneEntry e({3, 1, 2}, 0x7fffffff);
  SetLabels(e.Grid().Rows, {"only"});
  e.Grid().Rows.InEntryOrder = 0;
  EXPECT_EQ(e.Text(), "only - only - only");
}

TEST(EntryText, NumbersWithoutALabelShowAsNumbers) {
  OneEntry e({5, 49, -3});
  SetLabels(e.Grid().NumberLabels, {"one", "two", "three", "four", "five"});
  EXPECT_EQ(e.Text(), "five - 49 - -03");
  OneEntry noWidth({5}, 0);
  SetLabels(noWidth.Grid().Columns, {"x"});
  EXPECT_EQ(noWidth.Text(), "05") << "a grid without columns has no column for any number";
}

TEST(EntryText, GridPositionRoundsRowsUp) {
  EXPECT_EQ(TZUN_User_Lotto_DBase::GridPosition(1, 10, true, 10), 1);
  EXPECT_EQ(TZUN_User_Lotto_DBase::GridPosition(1, 10, false, 10), 10);
  EXPECT_EQ(TZUN_User_Lotto_DBase::GridPosition(1, 10, true, 11), 2);
  EXPECT_EQ(TZUN_User_Lotto_DBase::GridPosition(1, 10, false, 11), 1);
  EXPECT_EQ(TZUN_User_Lotto_DBase::GridPosition(0, 7, true, 0), 1);
  EnterOperation("the export's row");
  EXPECT_EQ(TZUN_User_Lotto_DBase::GridPosition(1, 0, true, 5), 0);
  EXPECT_STREQ(ErrorLocation, "the export's row");
}

TEST(EntryText, IndexesOutsideTheDatabaseAreErrorsNotReads) {
  OneEntry e({1, 2});
  EXPECT_THROW(e.database.EntryNumbersText(1, 0), std::out_of_range);
  EXPECT_THROW(e.database.EntryNumbersText(0, 1), std::out_of_range);
  EXPECT_THROW(e.database.NumberText(0, 0, 2), std::out_of_range);
}

}  // namespace
}  // namespace zun
