#include "analysis/draw_check.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <random>
#include <thread>

#include "analysis/draw_check_task.h"
#include "hostside/sample_games.h"
#include "support/reference_draw_check.h"

namespace zun {
namespace {

using testing::DifferenceFromReference;
using testing::RunReferenceCheck;

struct SetShape {
  int32_t count, low, high;
  bool labels = false;  // number labels "S01".., and a pool of its own
};

Lotto_Numbers_Framework MakeSet(const SetShape& shape) {
  Lotto_Numbers_Framework set{};
  set.SetName.assign("Set");
  set.NumberCount = shape.count;
  set.LowestNumber = shape.low;
  set.HighestNumber = shape.high;
  set.Grid.Columns.Count = 10;
  set.Grid.Rows.Count = (shape.high - shape.low) / 10 + 1;
  if (shape.labels) {
    set.OwnPool = 1;
    set.Grid.NumberLabels.HasLabels = 1;
    for (int32_t n = shape.low; n <= shape.high; ++n)
      set.Grid.NumberLabels.Labels.emplace_back().assign((n < 10 ? "S0" : "S") + std::to_string(n));
  }
  return set;
}

std::unique_ptr<TZUN_User_Lotto_DBase> EmptyDatabase(const TZUN_Lotto_DBase& game) {
  auto database = std::make_unique<TZUN_User_Lotto_DBase>();
  for (const auto& set : game.PlaySets) database->NumberSets.push_back(CopyNumberSetForUserDatabase(set));
  return database;
}

void AddEntry(const TZUN_Lotto_DBase& game, TZUN_User_Lotto_DBase& database,
              const std::vector<std::vector<int32_t>>& sets) {
  const int32_t e = AppendBlankEntry(game, database);
  std::vector<int32_t> counts;
  for (const auto& set : sets) counts.push_back(int32_t(set.size()));
  database.SizeEntry(e, counts);
  for (size_t s = 0; s < sets.size(); ++s)
    for (size_t k = 0; k < sets[s].size(); ++k) database.Entries[e].Numbers[int32_t(s)][k] = int8_t(sets[s][k]);
}

void SetDraw(lotto::TZUN_Database_Structure& draw, const std::vector<std::vector<int32_t>>& sets) {
  draw.DrawNumbers.resize(int32_t(sets.size()));
  for (size_t s = 0; s < sets.size(); ++s) {
    auto& numbers = draw.DrawNumbers[int32_t(s)];
    numbers.resize(int32_t(sets[s].size()));
    for (size_t k = 0; k < sets[s].size(); ++k) numbers[int32_t(k)] = uint8_t(sets[s][k]);
  }
}

std::vector<int32_t> Distinct(std::mt19937& random, const SetShape& shape) {
  std::vector<int32_t> all;
  for (int32_t n = shape.low; n <= shape.high; ++n) all.push_back(n);
  std::shuffle(all.begin(), all.end(), random);
  all.resize(std::min<size_t>(all.size(), size_t(shape.count)));
  return all;
}

std::vector<int32_t> AllEntries(const TZUN_User_Lotto_DBase& database) {
  std::vector<int32_t> all(size_t(database.Entries.size()));
  for (size_t e = 0; e < all.size(); ++e) all[e] = int32_t(e);
  return all;
}

// Runs the fast check and the reference on the same game and entries; the
// difference, empty when there is none.
std::string CompareWithReference(const TZUN_Lotto_DBase& game, const TZUN_User_Lotto_DBase& database,
                                 const std::vector<int32_t>* entries, DrawRange range, int32_t atLeast,
                                 DrawCheckInput* made = nullptr) {
  DrawCheckInput input = DrawCheckInput::Make(game, database, entries, range, atLeast);
  DrawCheckResult result;
  if (!RunDrawCheck(input, result)) return "the check did not complete";
  const auto reference = RunReferenceCheck(game, database, entries ? *entries : AllEntries(database), range, atLeast);
  std::string difference = DifferenceFromReference(input, result, reference);
  if (made != nullptr) *made = std::move(input);
  return difference;
}

TEST(DrawCheck, MatchesTheReferenceOnRandomGamesEntriesAndDraws) {
  const std::vector<SetShape> six(6, SetShape{6, 1, 20});
  const struct Case {
    const char* what;
    std::vector<SetShape> play, draw;
  } cases[] = {
      {"a bonus ball drawn from the main numbers", {{6, 1, 49}}, {{6, 1, 49}, {1, 1, 49}}},
      {"a second set with a pool of its own and labels",
       {{5, 1, 50}, {2, 1, 12, true}},
       {{5, 1, 50}, {2, 1, 12, true}}},
      {"a range above 64", {{10, 1, 80}}, {{20, 1, 80}}},
      {"a set starting at 0", {{4, 0, 9}}, {{4, 0, 9}}},
      {"numbers up to 127 in a second set", {{5, 1, 35}, {3, 60, 127}}, {{5, 1, 35}, {3, 60, 127}}},
      {"a draw set no play set is compared with", {{5, 1, 70}, {1, 1, 25}}, {{5, 1, 70}, {1, 1, 25}, {1, 1, 99}}},
      {"draw sets compared with play sets elsewhere", {{2, 1, 12}, {5, 1, 50}}, {{5, 1, 50}, {2, 1, 12}}},
      {"six draw sets, too many cells for a table", {{6, 1, 20}}, six},
  };
  for (const Case& c : cases) {
    for (uint32_t seed = 1; seed <= 12; ++seed) {
      std::mt19937 random(seed);
      const auto chance = [&](int percent) { return int(random() % 100) < percent; };
      TZUN_Lotto_Temp game;
      for (const auto& shape : c.play) game.PlaySets.push_back(MakeSet(shape));
      for (const auto& shape : c.draw) game.DrawSets.push_back(MakeSet(shape));
      auto& play = game.GamePlays.emplace_back();
      play.PlayName.assign("Play");
      for (int k = int(random() % 6); k > 0; --k) {
        auto& division = play.Divisions.emplace_back();
        division.DivisionName.assign("D" + std::to_string(k));
        const size_t given = chance(15) ? random() % c.draw.size() : c.draw.size();
        for (size_t d = 0; d < given; ++d) division.Matches.push_back(int32_t(random() % (c.draw[d].count + 2)));
      }
      for (int32_t t = 0; t < 30; ++t) {
        std::vector<std::vector<int32_t>> sets;
        for (const auto& shape : c.draw) sets.push_back(Distinct(random, shape));
        if (chance(8)) sets.back().pop_back();                // short
        if (chance(5)) sets[0][0] = int32_t(random() % 256);  // perhaps out of range
        if (chance(4) && sets.size() > 1) sets.pop_back();    // a set missing
        SetDraw(game.Draws.emplace_back(), sets);
      }
      auto database = EmptyDatabase(game);
      for (int32_t e = 0; e < 50; ++e) {
        std::vector<std::vector<int32_t>> sets;
        for (const auto& shape : c.play) sets.push_back(Distinct(random, shape));
        if (chance(5)) sets[0][0] = int32_t(int8_t(random()));  // perhaps out of range
        AddEntry(game, *database, sets);
      }
      std::vector<int32_t> some;
      for (int32_t e = 0; e < 50; ++e)
        if (chance(50)) some.push_back(e);
      const DrawRange range =
          chance(50) ? DrawRange::All(game) : DrawRange{int32_t(random() % 10), int32_t(random() % 30)};
      const int32_t atLeast = chance(30) ? int32_t(random() % 6) : 0;
      EXPECT_EQ(CompareWithReference(game, *database, chance(50) ? &some : nullptr, range, atLeast), "")
          << c.what << ", seed " << seed;
    }
  }
}

// The sample games' rules: which matches give which division.
TEST(DrawCheck, SampleGamesDivisionsByTheirMatches) {
  auto lotto = hostside::MakeLotto649(1);
  SetDraw(lotto->Draws[0], {{1, 2, 3, 4, 5, 6}, {7}});
  EXPECT_EQ(PairDrawSets(*lotto), (std::vector<int32_t>{0, 0})) << "the bonus ball is compared with the main numbers";
  const struct Row {
    std::vector<int32_t> entry;
    const char* division;  // "" for none
    const char* matches;
  } rows[] = {
      {{1, 2, 3, 4, 5, 6}, "Jackpot", "6 + 0"}, {{6, 5, 4, 3, 2, 7}, "Five plus Bonus", "5 + 1"},
      {{1, 2, 3, 4, 5, 8}, "Five", "5 + 0"},    {{1, 2, 3, 4, 7, 8}, "Four", "4 + 1"},
      {{1, 2, 3, 7, 8, 9}, "Three", "3 + 1"},   {{1, 2, 7, 8, 9, 10}, "", ""},
      {{40, 41, 42, 43, 44, 45}, "", ""},
  };
  auto database = EmptyDatabase(*lotto);
  for (const Row& row : rows) AddEntry(*lotto, *database, {row.entry});
  const DrawCheckInput input = DrawCheckInput::Make(*lotto, *database, nullptr, DrawRange::All(*lotto), 0);
  DrawCheckResult result;
  ASSERT_TRUE(RunDrawCheck(input, result));
  size_t hit = 0;
  for (size_t e = 0; e < std::size(rows); ++e) {
    const bool listed = hit < result.hits.size() && result.hits[hit].entry == int32_t(e);
    EXPECT_EQ(listed ? input.prizes.divisions[size_t(result.hits[hit].division)].name : "", rows[e].division) << e;
    EXPECT_EQ(listed ? result.MatchesText(hit, 2) : "", rows[e].matches) << e;
    hit += listed ? 1 : 0;
  }
  EXPECT_EQ(result.Summary(input),
            "7 entries checked against 1 draw: 1 \xD7 Jackpot, 1 \xD7 Five plus Bonus, 1 \xD7 Five, 1 \xD7 Four, "
            "1 \xD7 Three");
  EXPECT_EQ(input.drawTexts[0], std::string(lotto->Draws[0].DrawText.view()));
  EXPECT_EQ(result.entriesHolding[0][0], 5) << "number 1 is held by five entries";
  EXPECT_EQ(result.drawsDrawing[0][6], 1) << "the bonus ball 7 counts for the main numbers it is compared with";

  for (const auto make : {&hostside::MakeTwinPool, &hostside::MakePickThree}) {
    const auto game = make(5);
    const auto picks = hostside::MakeSampleDatabase(*game, 25, 3);
    const DrawCheckInput none = DrawCheckInput::Make(*game, *picks, nullptr, DrawRange::LastDraws(*game, 1), 0);
    ASSERT_TRUE(RunDrawCheck(none, result));
    EXPECT_EQ(result.Summary(none), "25 entries checked against 1 draw: the game has no prize divisions");
    EXPECT_TRUE(result.hits.empty());
  }
}

TEST(DrawCheck, SummaryCountsWithThousandsAndNamesEveryDivision) {
  const auto lotto = hostside::MakeLotto649(0);
  const auto database = EmptyDatabase(*lotto);
  const DrawCheckInput input = DrawCheckInput::Make(*lotto, *database, nullptr, DrawRange::All(*lotto), 0);
  DrawCheckResult result;
  result.entriesChecked = 1'000'000;
  result.drawsChecked = 52;
  result.divisionCounts = {0, 2, 31, 1804, 33912};
  EXPECT_EQ(result.Summary(input),
            "1,000,000 entries checked against 52 draws: 0 \xD7 Jackpot, 2 \xD7 Five plus Bonus, 31 \xD7 Five, "
            "1,804 \xD7 Four, 33,912 \xD7 Three");
  result.entriesChecked = 1;
  EXPECT_EQ(result.Summary(input).substr(0, 31), "1 entry checked against 52 draw");
}

TEST(DrawCheck, DrawRangesCountFromTheLastDraw) {
  const auto ten = hostside::MakeLotto649(10);
  const auto none = hostside::MakeLotto649(0);
  const struct Row {
    const TZUN_Lotto_DBase* game;
    int32_t count, first, last;
  } rows[] = {
      {ten.get(), 1, 9, 9},  {ten.get(), 3, 7, 9},   {ten.get(), 10, 0, 9},  {ten.get(), 11, 0, 9},
      {ten.get(), 0, 0, -1}, {ten.get(), -2, 0, -1}, {none.get(), 5, 0, -1},
  };
  for (const Row& row : rows) {
    const DrawRange range = DrawRange::LastDraws(*row.game, row.count);
    EXPECT_EQ(range.first, row.first) << row.count;
    EXPECT_EQ(range.last, row.last) << row.count;
  }
  EXPECT_EQ(DrawRange::All(*ten).last, 9);
}

// A damaged game is checked as far as it can be, with a note for what was
// left out, the same as the reference, and never a crash.
TEST(DrawCheck, DamagedGamesGiveNotesAndTheReferencesResult) {
  const struct Case {
    const char* note;  // "" for none
    void (*damage)(TZUN_Lotto_DBase&);
  } cases[] = {
      {"1 draw has fewer numbers than its sets", [](auto& g) { g.Draws[1].DrawNumbers[0].resize(4); }},
      {"2 draws have fewer sets than the game",
       [](auto& g) { g.Draws[0].DrawNumbers.resize(1), g.Draws[2].DrawNumbers.resize(0); }},
      {"1 draw holds numbers outside its sets' ranges: they are left out",
       [](auto& g) { g.Draws[2].DrawNumbers[0][0] = 50, g.Draws[2].DrawNumbers[1][0] = 0; }},
      {"the division \"Five plus Bonus\" of Lotto names matches for 1 of 2 draw sets: the others need none",
       [](auto& g) { g.GamePlays[0].Divisions[1].Matches.resize(1); }},
      {"the division \"Free Play\" of Lotto needs no match: it is not used",
       [](auto& g) {
         auto& free = g.GamePlays[0].Divisions.emplace_back();
         free.DivisionName.assign("Free Play");
         free.Matches.push_back(0);
       }},
      {"the division \"Jackpot\" of Lotto needs no match: it is not used",
       [](auto& g) { g.GamePlays[0].Divisions[0].Matches.resize(0); }},
      {"the game has no prize divisions", [](auto& g) { g.GamePlays.resize(0); }},
      {"",
       [](auto& g) {
         g.GamePlays[0].Divisions[2].Matches[0] = 1'000'000, g.GamePlays[0].Divisions[3].Matches[1] = -5;
       }},
      {"", [](auto& g) { g.DrawSets[1].HighestNumber = 50; }},  // the bonus set compared with nothing
      {"", [](auto& g) { g.PlaySets[0].LowestNumber = INT_MIN, g.DrawSets[0].LowestNumber = INT_MIN; }},
      {"", [](auto& g) { g.PlaySets.resize(0); }},
      {"the division \"Jackpot\" of Lotto needs no match: it is not used", [](auto& g) { g.DrawSets.resize(0); }},
  };
  for (const Case& c : cases) {
    auto game = hostside::MakeLotto649(3);
    const auto database = hostside::MakeSampleDatabase(*game, 200, 5);
    c.damage(*game);
    DrawCheckInput input;
    EXPECT_EQ(CompareWithReference(*game, *database, nullptr, DrawRange::All(*game), 2, &input), "") << c.note;
    const bool noted = std::find(input.notes.begin(), input.notes.end(), c.note) != input.notes.end();
    EXPECT_TRUE(*c.note == '\0' ? input.notes.empty() : noted)
        << c.note << ": " << ::testing::PrintToString(input.notes);
  }
}

TEST(DrawCheck, ListsAtMostTheCapButCountsEveryPair) {
  TZUN_Lotto_Temp game;
  game.PlaySets.push_back(MakeSet({1, 1, 1}));
  game.DrawSets.push_back(MakeSet({1, 1, 1}));
  auto& division = game.GamePlays.emplace_back().Divisions.emplace_back();
  division.DivisionName.assign("One");
  division.Matches.push_back(1);
  for (int32_t t = 0; t < 2000; ++t) SetDraw(game.Draws.emplace_back(), {{1}});
  auto database = EmptyDatabase(game);
  for (int32_t e = 0; e < 1001; ++e) AddEntry(game, *database, {{1}});
  DrawCheckResult result;
  ASSERT_TRUE(RunDrawCheck(DrawCheckInput::Make(game, *database, nullptr, DrawRange::All(game), 0), result));
  EXPECT_TRUE(result.Truncated());
  EXPECT_EQ(result.found, 2'002'000);
  EXPECT_EQ(result.divisionCounts[0], 2'002'000);
  EXPECT_EQ(int64_t(result.hits.size()), kMaxListedHits);
  EXPECT_EQ(result.matches.size(), result.hits.size());
  EXPECT_EQ(result.hits.back().entry, 999) << "entry by entry: entry 1000's pairs lie past the cap";
}

TEST(DrawCheckTask, RunsToItsEndOrStopsWhenCancelledOrBroken) {
  const auto game = hostside::MakeLotto649(2000);
  const auto database = hostside::MakeSampleDatabase(*game, 100'000, 9);
  const auto wait = [](const DrawCheckTask& task) {
    while (!task.Done()) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  };

  DrawCheckTask whole(DrawCheckInput::Make(*game, *database, nullptr, DrawRange::LastDraws(*game, 5), 0));
  wait(whole);
  EXPECT_TRUE(whole.Completed());
  EXPECT_EQ(whole.Percent(), 100);
  EXPECT_EQ(whole.Failure(), "");
  DrawCheckResult direct;
  RunDrawCheck(whole.Input(), direct);
  EXPECT_EQ(whole.Result().found, direct.found);
  EXPECT_EQ(whole.Result().entriesChecked, 100'000);

  DrawCheckTask cancelled(DrawCheckInput::Make(*game, *database, nullptr, DrawRange::All(*game), 0));
  cancelled.Cancel();
  wait(cancelled);
  EXPECT_FALSE(cancelled.Completed());
  EXPECT_LT(cancelled.Result().entriesChecked, 100'000);
  EXPECT_EQ(cancelled.Failure(), "");

  DrawCheckInput broken = DrawCheckInput::Make(*game, *database, nullptr, DrawRange::All(*game), 0);
  broken.entryMasks.pop_back();
  DrawCheckTask failed(std::move(broken));
  wait(failed);
  EXPECT_FALSE(failed.Completed());
  EXPECT_EQ(failed.Failure().rfind("The check stopped: ", 0), 0u) << failed.Failure();

  // Going while it runs cancels it and waits for its thread.
  DrawCheckTask{DrawCheckInput::Make(*game, *database, nullptr, DrawRange::All(*game), 0)};
}

TEST(DrawCheck, MasksLeaveOutNumbersWithoutABit) {
  const std::vector<int8_t> signedNumbers{-1, 0, 63, 64, 127};
  const std::vector<uint8_t> unsignedNumbers{0, 63, 64, 127, 128, 255};
  const NumberMask expected{1 | (uint64_t{1} << 63), 1 | (uint64_t{1} << 63)};
  EXPECT_EQ(MaskOf(signedNumbers), expected);
  EXPECT_EQ(MaskOf(unsignedNumbers), expected);
}

}  // namespace
}  // namespace zun
