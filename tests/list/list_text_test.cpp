#include <gtest/gtest.h>

#include <string_view>
#include <vector>

#include "list/list_columns.h"
#include "list/list_text.h"

namespace zun {
namespace {

using namespace std::string_view_literals;

int Sign(int order) { return (order > 0) - (order < 0); }

// Both orders of the pair, so an asymmetric comparison shows too.
void ExpectBefore(std::string_view a, std::string_view b) {
  EXPECT_LT(CompareListText(a, b), 0) << a << " | " << b;
  EXPECT_GT(CompareListText(b, a), 0) << b << " | " << a;
}

TEST(ListText, FoldsOnlyTheLettersAToZToUpperCase) {
  EXPECT_EQ(CompareListText("quick pick", "QUICK Pick"), 0);
  EXPECT_EQ(CompareListText("az", "AZ"), 0);
  // Folding to upper case puts '[' (0x5B) and '_' (0x5F) after every letter;
  // folding to lower case would put them before.
  ExpectBefore("Z", "[");
  ExpectBefore("a", "[");
  ExpectBefore("z", "_");
  ExpectBefore("a", "`");
  // 0xE4 and 0xC4 are letters in some code pages, not here.
  ExpectBefore("\xC4", "\xE4");
  EXPECT_NE(CompareListText("\xE4x", "\xC4X"), 0);
}

TEST(ListText, BytesAboveAsciiCompareUnsignedAfterIt) {
  ExpectBefore("z", "\x80");
  ExpectBefore("~", "\xFF");
  ExpectBefore("\x7F", "\x80");
  ExpectBefore("\x80", "\xFF");
}

TEST(ListText, APrefixSortsFirstAndZeroBytesCount) {
  ExpectBefore("", "a");
  ExpectBefore("ab", "ABC");
  ExpectBefore("01 - 02", "01 - 02 - 03");
  ExpectBefore("AB", "AB\0"sv);
  ExpectBefore("AB\0"sv, "AB\x01"sv);
  EXPECT_EQ(Sign(CompareListText("abd", "ABCD")), 1);
  EXPECT_EQ(CompareListText("", ""), 0);
}

Lotto_Numbers_Framework Set(const char* name, int32_t count) {
  Lotto_Numbers_Framework set{};
  set.SetName.assign(name);
  set.NumberCount = count;
  return set;
}

TEST(ListColumns, SeqThenOneCentredColumnPerSetThenTheFixedSource) {
  const std::vector<Lotto_Numbers_Framework> sets = {Set("Main Numbers", 6), Set("Bonus", 1), Set("None", 0)};
  const auto columns = ListColumns(sets);
  ASSERT_EQ(columns.size(), 5u);
  EXPECT_EQ(columns[0].caption, "Seq.");
  EXPECT_EQ(columns[0].width, 50);
  EXPECT_EQ(columns[0].minWidth, 50);
  EXPECT_EQ(columns[0].maxWidth, 50);

  EXPECT_EQ(columns[1].caption, "Main Numbers");
  EXPECT_EQ(columns[1].width, 140);  // (8 - 1) * 4 * (6 - 1)
  EXPECT_EQ(columns[2].width, 50);   // one number wants 0: the minimum
  EXPECT_EQ(columns[3].width, 50);   // no numbers wants a negative width
  for (int i = 1; i <= 3; ++i) {
    EXPECT_EQ(columns[i].align, ColumnAlign::Centre);
    EXPECT_EQ(columns[i].minWidth, 50);
    EXPECT_EQ(columns[i].maxWidth, 0);
  }

  EXPECT_EQ(columns[4].caption, std::string(24, ' ') + "ZUN File");
  EXPECT_EQ(columns[4].align, ColumnAlign::Left);
  EXPECT_EQ(columns[4].width, 215);
  EXPECT_EQ(columns[4].minWidth, 215);
  EXPECT_EQ(columns[4].maxWidth, 215);
}

TEST(ListColumns, SetWidthFollowsTheFontAndSurvivesHugeCounts) {
  const std::vector<Lotto_Numbers_Framework> sets = {Set("A", 6), Set("B", 1 << 30)};
  const auto columns = ListColumns(sets, 10);
  EXPECT_EQ(columns[1].width, 180);  // (10 - 1) * 4 * 5
  EXPECT_GT(columns[2].width, 50);   // a count from a damaged file must not wrap negative
  EXPECT_EQ(ListColumns({}).size(), 2u);
}

}  // namespace
}  // namespace zun
