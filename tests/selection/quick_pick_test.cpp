#include "selection/quick_pick.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <vector>

#include "hostside/sample_games.h"
#include "selection/grid_geometry.h"

namespace zun {
namespace {

// A fixed-seed source, exactly uniform below the bound.
class SeededRandom : public RandomSource {
 public:
  explicit SeededRandom(uint32_t seed) : engine_(seed) {}
  uint32_t Below(uint32_t bound) override {
    ++calls;
    const uint32_t reject = static_cast<uint32_t>(-bound) % bound;  // 2^32 mod bound
    for (;;) {
      const uint32_t value = engine_();
      if (value >= reject) return value % bound;
    }
  }
  int64_t calls = 0;

 private:
  std::mt19937 engine_;
};

Lotto_Numbers_Framework Set(int32_t count, int32_t low, int32_t high, int32_t columns, int32_t rows) {
  Lotto_Numbers_Framework set{};
  set.NumberCount = count;
  set.LowestNumber = low;
  set.HighestNumber = high;
  set.Grid.Columns.Count = columns;
  set.Grid.Rows.Count = rows;
  return set;
}

double ChiSquare(const std::vector<int64_t>& counts, double expected) {
  double sum = 0;
  for (int64_t count : counts) sum += (static_cast<double>(count) - expected) * (static_cast<double>(count) - expected) / expected;
  return sum;
}

bool StrictlyAscending(const std::vector<int8_t>& numbers) {
  return std::adjacent_find(numbers.begin(), numbers.end(), std::greater_equal<>()) == numbers.end();
}

// Draws `picks` entries of a one-set game and counts each distinct entry;
// every pick must be ascending and pass `valid`.
template <class Valid>
std::map<std::vector<int8_t>, int64_t> CountEntries(const std::vector<Lotto_Numbers_Framework>& sets, int picks,
                                                    uint32_t seed, Valid valid) {
  SeededRandom random(seed);
  std::map<std::vector<int8_t>, int64_t> seen;
  int invalid = 0;
  for (int i = 0; i < picks; ++i) {
    const auto entry = DrawQuickPick(sets, random);
    if (entry.size() != 1 || !StrictlyAscending(entry[0]) || !valid(entry[0])) ++invalid;
    if (!entry.empty()) ++seen[entry[0]];
  }
  EXPECT_EQ(invalid, 0);
  return seen;
}

std::vector<int64_t> Counts(const std::map<std::vector<int8_t>, int64_t>& seen) {
  std::vector<int64_t> counts;
  for (const auto& [entry, count] : seen) counts.push_back(count);
  return counts;
}

TEST(QuickPickUniformity, SixFromFortyNineIsFlatOverEveryNumber) {
  const auto game = hostside::MakeLotto649(0);
  const std::vector<Lotto_Numbers_Framework> sets(game->PlaySets.begin(), game->PlaySets.end());
  SeededRandom random(649);
  constexpr int kPicks = 100000;
  std::vector<int64_t> counts(49, 0);
  for (int i = 0; i < kPicks; ++i) {
    const auto entry = DrawQuickPick(sets, random);
    ASSERT_EQ(entry.size(), 1u);
    ASSERT_EQ(entry[0].size(), 6u);
    ASSERT_TRUE(StrictlyAscending(entry[0]));
    ASSERT_GE(entry[0].front(), 1);
    ASSERT_LE(entry[0].back(), 49);
    for (int8_t number : entry[0]) ++counts[static_cast<size_t>(number - 1)];
  }
  // 48 degrees of freedom: a fair draw stays far below 100.
  EXPECT_LT(ChiSquare(counts, kPicks * 6.0 / 49), 100.0);
}

TEST(QuickPickUniformity, PickThreeReachesAllThousandEntriesEvenly) {
  const auto game = hostside::MakePickThree(0);
  const std::vector<Lotto_Numbers_Framework> sets(game->PlaySets.begin(), game->PlaySets.end());
  const auto seen = CountEntries(sets, 50000, 3, [](const std::vector<int8_t>& numbers) {
    if (numbers.size() != 3) return false;
    std::set<int> positions;
    for (int8_t number : numbers) positions.insert((number - 1) % 3);
    return positions.size() == 3 && numbers.front() >= 1 && numbers.back() <= 30;
  });
  ASSERT_EQ(seen.size(), 1000u);
  // 999 degrees of freedom: mean 999, standard deviation about 45.
  EXPECT_LT(ChiSquare(Counts(seen), 50.0), 1300.0);
}

TEST(QuickPickUniformity, ARowLimitWeighsRowsByTheirBalls) {
  // 1..10 in 4 columns: rows of 4, 4 and 2 balls; 16 + 8 + 8 entries of two.
  auto set = Set(2, 1, 10, 4, 3);
  set.Grid.Columns.LineLimit = 1;
  const auto seen = CountEntries({set}, 32000, 10, [](const std::vector<int8_t>& numbers) {
    return numbers.size() == 2 && (numbers[0] - 1) / 4 != (numbers[1] - 1) / 4 && numbers[1] <= 10;
  });
  ASSERT_EQ(seen.size(), 32u);
  EXPECT_LT(ChiSquare(Counts(seen), 1000.0), 70.0);  // 31 degrees of freedom
}

TEST(QuickPickUniformity, BothLimitsGiveEachPermutationEvenly) {
  auto set = Set(3, 1, 9, 3, 3);
  set.Grid.Columns.LineLimit = 1;
  set.Grid.Rows.LineLimit = 1;
  const auto seen = CountEntries({set}, 6000, 9, [](const std::vector<int8_t>& numbers) {
    std::set<int> rows, columns;
    for (int8_t number : numbers) {
      rows.insert((number - 1) / 3);
      columns.insert((number - 1) % 3);
    }
    return numbers.size() == 3 && rows.size() == 3 && columns.size() == 3;
  });
  ASSERT_EQ(seen.size(), 6u);
  EXPECT_LT(ChiSquare(Counts(seen), 1000.0), 25.0);  // 5 degrees of freedom
}

TEST(QuickPickSets, TwinPoolSetsEachReachTheirWholeRange) {
  const auto game = hostside::MakeTwinPool(0);
  std::vector<Lotto_Numbers_Framework> sets(game->PlaySets.begin(), game->PlaySets.end());
  sets.push_back(Set(0, 1, 49, 10, 5));  // a set of no numbers stays empty
  SeededRandom random(52);
  std::set<int> mainSeen, starsSeen;
  for (int i = 0; i < 5000; ++i) {
    const auto entry = DrawQuickPick(sets, random);
    ASSERT_EQ(entry.size(), 3u);
    ASSERT_TRUE(entry[0].size() == 5 && entry[1].size() == 2 && entry[2].empty());
    ASSERT_TRUE(StrictlyAscending(entry[0]) && StrictlyAscending(entry[1]));
    mainSeen.insert(entry[0].begin(), entry[0].end());
    starsSeen.insert(entry[1].begin(), entry[1].end());
  }
  EXPECT_EQ(mainSeen.size(), 50u);
  EXPECT_EQ(*mainSeen.rbegin(), 50);
  EXPECT_EQ(starsSeen.size(), 12u);
  EXPECT_EQ(*starsSeen.rbegin(), 12);
}

TEST(QuickPickSets, SetsOfOneShapeShareNoNumberUnlessOneHasItsOwnPool) {
  std::vector<Lotto_Numbers_Framework> sets = {Set(6, 1, 49, 10, 5), Set(6, 1, 49, 10, 5)};
  auto shared = [&sets](uint32_t seed) {
    SeededRandom random(seed);
    int picksSharing = 0;
    for (int i = 0; i < 2000; ++i) {
      const auto entry = DrawQuickPick(sets, random);
      std::vector<int8_t> common;
      std::set_intersection(entry[0].begin(), entry[0].end(), entry[1].begin(), entry[1].end(),
                            std::back_inserter(common));
      if (!common.empty()) ++picksSharing;
    }
    return picksSharing;
  };
  EXPECT_EQ(shared(1), 0);
  sets[1].OwnPool = 1;
  EXPECT_GT(shared(2), 0);  // more than half of free picks share a number
}

// Games no clicking could fill are refused before any number is drawn.
TEST(QuickPickRefusals, ImpossibleGamesAreRefusedWithoutDrawing) {
  auto rowLimited = Set(4, 1, 12, 4, 3);
  rowLimited.Grid.Columns.LineLimit = 1;
  auto fourDigits = hostside::MakePickThree(0)->PlaySets[0];
  fourDigits.NumberCount = 4;
  const std::vector<std::vector<Lotto_Numbers_Framework>> games = {
      {Set(7, 1, 6, 3, 2)},                         // more numbers than balls
      {rowLimited},                                 // four rows wanted, three there
      {fourDigits},                                 // four positions wanted, three there
      {Set(4, 1, 6, 3, 2), Set(4, 1, 6, 3, 2)},     // eight numbers apart from six balls
      {Set(-1, 1, 49, 10, 5)},                      // a negative count
      {Set(1, 200, 300, 10, 11)},                   // no storable balls at all
      {Set(1, 1, 49, 0, 5)},                        // no grid to click on
  };
  for (size_t i = 0; i < games.size(); ++i) {
    SeededRandom random(1);
    EXPECT_THROW(DrawQuickPick(games[i], random), NoQuickPickPossible) << "game " << i;
    EXPECT_EQ(random.calls, 0) << "game " << i;
  }
}

TEST(QuickPickRefusals, AGameWhoseEntriesCannotBeFoundEndsInARefusal) {
  // Enough balls between them, but the second set must take row 0 whole
  // and the first may take only one ball from each of its two rows.
  auto onePerRow = Set(2, 1, 4, 2, 2);
  onePerRow.Grid.Columns.LineLimit = 1;
  const std::vector<Lotto_Numbers_Framework> sets = {onePerRow, Set(2, 1, 2, 2, 2)};
  SeededRandom random(7);
  EXPECT_THROW(DrawQuickPick(sets, random), NoQuickPickPossible);
}

}  // namespace
}  // namespace zun
