#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "model/draw_statistics.h"
#include "support/pairwise_statistics.h"

namespace zun {
namespace {

using testing::PairwiseStatistic;
using testing::StatRow;

TZUN_Lotto_Temp GameWithDraws(const std::vector<std::pair<std::string, std::string>>& names) {
  TZUN_Lotto_Temp game;
  game.HasMachineInfo = 1;
  for (const auto& [machine, ballSet] : names) {
    auto& draw = game.Draws.emplace_back();
    draw.MachineName.assign(machine);
    draw.BallSetName.assign(ballSet);
  }
  return game;
}

std::vector<StatRow> Rows(const HostArray<Draw_Machines_BallSet_Framework>& stats) {
  std::vector<StatRow> rows;
  for (const auto& s : stats) rows.push_back({std::string(s.StatName.view()), s.FirstDraw, s.LastDraw, s.DrawCount});
  return rows;
}

TEST(DrawStatistics, ListsEachNameOnceInOrderOfFirstAppearance) {
  auto game = GameWithDraws({{"A", "1"}, {"B", "2"}, {"A", "1"}});
  ComputeDrawStatistics(game);
  EXPECT_EQ(Rows(game.MachineStats), (std::vector<StatRow>{{"A", 0, 2, 2}, {"B", 1, 1, 1}}));
  EXPECT_EQ(Rows(game.BallSetStats), (std::vector<StatRow>{{"1", 0, 2, 2}, {"2", 1, 1, 1}}));
  EXPECT_EQ(Rows(game.MachineBallSetStats), (std::vector<StatRow>{{"A:1", 0, 2, 2}, {"B:2", 1, 1, 1}}));
}

TEST(DrawStatistics, DrawsNamedDashCountNowhereButPairsWithADashDo) {
  auto game = GameWithDraws({{"-", "S"}, {"M", "-"}, {"-", "S"}, {"m", "S"}});
  ComputeDrawStatistics(game);
  EXPECT_EQ(Rows(game.MachineStats), (std::vector<StatRow>{{"M", 1, 1, 1}, {"m", 3, 3, 1}}))
      << "names compare case-sensitively";
  EXPECT_EQ(Rows(game.BallSetStats), (std::vector<StatRow>{{"S", 0, 3, 3}}));
  EXPECT_EQ(Rows(game.MachineBallSetStats),
            (std::vector<StatRow>{{"-:S", 0, 2, 2}, {"M:-", 1, 1, 1}, {"m:S", 3, 3, 1}}));
}

TEST(DrawStatistics, PairKeyIsCutTo16ThenTo31Characters) {
  EXPECT_EQ(MachineBallSetKey("ABCDEFGHIJKLMNOPQRST", "x"), "ABCDEFGHIJKLMNOPx");
  EXPECT_EQ(MachineBallSetKey("Machine", std::string(40, 'b')), "Machine:" + std::string(23, 'b'));
}

TEST(DrawStatistics, GameWithoutMachineInfoKeepsItsArrays) {
  auto game = GameWithDraws({{"A", "1"}});
  game.HasMachineInfo = 0;
  game.MachineStats.emplace_back().StatName = "kept";
  ComputeDrawStatistics(game);
  EXPECT_EQ(game.MachineStats.size(), 1);
  EXPECT_EQ(game.BallSetStats.size(), 0);
}

TEST(DrawStatistics, HashingGivesExactlyThePairwiseResults) {
  std::mt19937 random(20261208);
  const std::vector<std::string> machines = {"-", "Arthur", "arthur", "Lancelot", "", "Merlin", "ABCDEFGHIJKLMNO"};
  for (int round = 0; round < 20; ++round) {
    std::vector<std::pair<std::string, std::string>> names;
    const int draws = static_cast<int>(random() % 300);
    for (int i = 0; i < draws; ++i)
      names.emplace_back(machines[random() % machines.size()], "Set " + std::to_string(random() % 6));
    auto game = GameWithDraws(names);
    ComputeDrawStatistics(game);
    std::vector<std::string> machineKeys, ballSetKeys, pairKeys;
    for (const auto& [m, b] : names) {
      machineKeys.push_back(m);
      ballSetKeys.push_back(b);
      pairKeys.push_back(MachineBallSetKey(m, b));
    }
    EXPECT_EQ(Rows(game.MachineStats), PairwiseStatistic(machineKeys));
    EXPECT_EQ(Rows(game.BallSetStats), PairwiseStatistic(ballSetKeys));
    EXPECT_EQ(Rows(game.MachineBallSetStats), PairwiseStatistic(pairKeys));
  }
}

}  // namespace
}  // namespace zun
