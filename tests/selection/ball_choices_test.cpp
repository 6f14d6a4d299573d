#include "selection/ball_choices.h"

#include <gtest/gtest.h>

#include <vector>

#include "hostside/sample_games.h"

namespace zun {
namespace {

Lotto_Numbers_Framework Set(int32_t count, int32_t low, int32_t high, int32_t columns, int32_t rows) {
  Lotto_Numbers_Framework set{};
  set.NumberCount = count;
  set.LowestNumber = low;
  set.HighestNumber = high;
  set.Grid.Columns.Count = columns;
  set.Grid.Rows.Count = rows;
  return set;
}

// A database of the sets with one entry holding `numbers`, one list per set.
void Fill(TZUN_User_Lotto_DBase& database, BallChoices::Sets sets, const std::vector<std::vector<int8_t>>& numbers) {
  for (const auto& set : sets) database.NumberSets.push_back(set);
  database.Entries.emplace_back();
  std::vector<int32_t> counts;
  for (const auto& list : numbers) counts.push_back(static_cast<int32_t>(list.size()));
  database.SizeEntry(0, counts);
  for (size_t s = 0; s < numbers.size(); ++s)
    std::copy(numbers[s].begin(), numbers[s].end(), database.Entries[0].Numbers[static_cast<int32_t>(s)].begin());
}

std::vector<int8_t> Stored(const TZUN_User_Lotto_DBase& database, int32_t set) {
  const auto numbers = database.Entries[0].Numbers[set];
  return {numbers.begin(), numbers.end()};
}

TEST(BallChoicesClicks, TheSeventhBallWaitsUntilOneIsTakenBack) {
  const std::vector<Lotto_Numbers_Framework> sets = {Set(6, 1, 49, 10, 5)};
  BallChoices choices;
  choices.Reset(sets);
  auto click = [&](int32_t n) { return choices.Click(sets, 0, {(n - 1) % 10, (n - 1) / 10}); };
  for (int32_t number : {5, 11, 23, 34, 42, 49}) ASSERT_TRUE(click(number)) << number;
  EXPECT_TRUE(choices.AllSetsComplete(sets));
  EXPECT_FALSE(click(7));
  EXPECT_FALSE(choices.IsChosen(0, 7));
  EXPECT_EQ(choices.ChosenCount(0), 6);

  EXPECT_TRUE(click(23));  // taken back
  EXPECT_FALSE(choices.AllSetsComplete(sets));
  EXPECT_TRUE(click(7));
  EXPECT_EQ(choices.Chosen(0), (std::vector<int32_t>{5, 7, 11, 34, 42, 49}));
  EXPECT_TRUE(click(7));
  EXPECT_TRUE(click(7));  // a cell clicked twice is back where it was
  EXPECT_TRUE(choices.IsChosen(0, 7));

  EXPECT_FALSE(choices.Click(sets, 0, {9, 4}));  // past ball 49
  EXPECT_FALSE(choices.Click(sets, 1, {0, 0}));  // no such set
  EXPECT_EQ(choices.ChosenCount(0), 6);
}

TEST(BallChoicesClicks, LineLimitsAllowOneBallPerColumnOrRow) {
  const auto game = hostside::MakePickThree(0);  // one digit per column
  const auto digits = game->PlaySets.span();
  BallChoices choices;
  choices.Reset(digits);
  EXPECT_TRUE(choices.Click(digits, 0, {0, 0}));
  EXPECT_FALSE(choices.Click(digits, 0, {0, 5}));  // same column
  EXPECT_TRUE(choices.Click(digits, 0, {1, 0}));   // same row is fine
  EXPECT_TRUE(choices.Click(digits, 0, {0, 0}));   // taking back frees the column
  EXPECT_TRUE(choices.Click(digits, 0, {0, 5}));
  EXPECT_EQ(choices.Chosen(0), (std::vector<int32_t>{2, 16}));

  auto onePerRow = Set(3, 1, 12, 4, 3);
  onePerRow.Grid.Columns.LineLimit = 1;
  const std::vector<Lotto_Numbers_Framework> rows = {onePerRow};
  choices.Reset(rows);
  EXPECT_TRUE(choices.Click(rows, 0, {1, 0}));
  EXPECT_FALSE(choices.Click(rows, 0, {3, 0}));
  EXPECT_TRUE(choices.Click(rows, 0, {1, 1}));
}

TEST(BallChoicesClicks, SetsOfOneShapeHoldANumberOnlyOnceUnlessOneHasItsOwnPool) {
  std::vector<Lotto_Numbers_Framework> sets = {Set(6, 1, 49, 10, 5), Set(6, 1, 49, 10, 5), Set(6, 1, 49, 7, 7)};
  BallChoices choices;
  choices.Reset(sets);
  ASSERT_TRUE(choices.Toggle(sets, 0, 12));
  EXPECT_FALSE(choices.Click(sets, 1, {1, 1}));  // ball 12
  EXPECT_FALSE(choices.IsChosen(1, 12));
  EXPECT_TRUE(choices.Toggle(sets, 2, 12));  // another shape

  sets[1].OwnPool = 1;
  EXPECT_TRUE(choices.Toggle(sets, 1, 12));
  sets[1].OwnPool = 0;  // ... and either way round
  sets[0].OwnPool = 1;
  ASSERT_TRUE(choices.Toggle(sets, 0, 20));
  EXPECT_TRUE(choices.Toggle(sets, 1, 20));
}

TEST(BallChoicesEntries, ShownEntriesAreStoredBackAscendingWithoutSource) {
  const auto game = hostside::MakePickThree(0);
  const auto sets = game->PlaySets.span();
  TZUN_User_Lotto_DBase database;
  Fill(database, sets, {{22, 3, 17}});
  database.Entries[0].Source.assign("Quick Pick");
  BallChoices choices;
  choices.ShowEntry(sets, database, 0);
  EXPECT_TRUE(choices.AllSetsComplete(sets));
  choices.StoreInEntry(database, 0);
  EXPECT_EQ(Stored(database, 0), (std::vector<int8_t>{3, 17, 22}));
  EXPECT_EQ(database.Entries[0].Source.view(), "");
}

TEST(BallChoicesEntries, DamagedEntriesShowIncompleteAndAreWrittenOnlyWhereTheyHoldRoom) {
  const auto game = hostside::MakeTwinPool(0);  // 5 of 1..50 and 2 of 1..12
  const auto sets = game->PlaySets.span();
  BallChoices choices;
  TZUN_User_Lotto_DBase repeated;
  Fill(repeated, sets, {{5, 5, 9, 12, 30}, {1, 2}});
  choices.ShowEntry(sets, repeated, 0);
  EXPECT_EQ(choices.ChosenCount(0), 4);
  EXPECT_FALSE(choices.AllSetsComplete(sets));

  TZUN_User_Lotto_DBase foreign;  // and the second set missing
  Fill(foreign, sets, {{0, 51, -128, 127, 50}});
  choices.ShowEntry(sets, foreign, 0);
  EXPECT_EQ(choices.Chosen(0), (std::vector<int32_t>{50}));
  EXPECT_EQ(choices.ChosenCount(1), 0);
  choices.ShowEntry(sets, foreign, 1);  // no such entry
  EXPECT_EQ(choices.ChosenCount(0), 0);

  TZUN_User_Lotto_DBase shortEntry;
  Fill(shortEntry, sets, {{4, 8, 15}});
  choices.ShowEntry(sets, shortEntry, 0);
  ASSERT_TRUE(choices.Toggle(sets, 0, 1));
  ASSERT_TRUE(choices.Toggle(sets, 1, 2));
  choices.StoreInEntry(shortEntry, 0);  // four balls, three places, no second set
  EXPECT_EQ(Stored(shortEntry, 0), (std::vector<int8_t>{1, 4, 8}));
  EXPECT_EQ(shortEntry.Entries[0].Numbers.size(), 1);
}

}  // namespace
}  // namespace zun
