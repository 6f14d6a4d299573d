#include "model/draw_statistics.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/error_location.h"
#include "base/reference_codes.h"

namespace zun {
namespace {

constexpr std::string_view kNoName = "-";

void BuildStatistic(HostArray<Draw_Machines_BallSet_Framework>& result, const std::vector<std::string_view>& keys) {
  result.clear();
  std::unordered_map<std::string_view, int32_t> positions;
  const auto drawCount = static_cast<int32_t>(keys.size());
  for (int32_t i = 0; i < drawCount; ++i) {
    const std::string_view key = keys[i];
    if (key == kNoName) continue;
    const auto [it, isNew] = positions.try_emplace(key, result.size());
    if (isNew) {
      auto& element = result.emplace_back();
      element.StatName = key;
      element.FirstDraw = i;
      element.LastDraw = i;
      element.DrawCount = 1;
    } else {
      auto& element = result[it->second];
      element.LastDraw = i;
      ++element.DrawCount;
    }
  }
}

}  // namespace

std::string MachineBallSetKey(std::string_view machine, std::string_view ballSet) {
  std::string key(machine);
  key += ':';
  if (key.size() > 16) key.resize(16);
  key += ballSet;
  if (key.size() > 31) key.resize(31);
  return key;
}

void ComputeDrawStatistics(TZUN_Lotto_Stats& game) {
  const OperationScope operation(codes::kStatsStart);
  if (!game.HasMachineInfo) return;
  EnterOperation(codes::kStatsBuild);

  const auto& draws = game.Draws;
  std::vector<std::string_view> keys;
  keys.reserve(static_cast<size_t>(draws.size()));

  EnterOperation(codes::kStatsMachines);
  for (const auto& draw : draws) keys.push_back(draw.MachineName.view());
  BuildStatistic(game.MachineStats, keys);

  EnterOperation(codes::kStatsBallSets);
  keys.clear();
  for (const auto& draw : draws) keys.push_back(draw.BallSetName.view());
  BuildStatistic(game.BallSetStats, keys);

  EnterOperation(codes::kStatsMachineBallSets);
  std::vector<std::string> pairKeys;
  pairKeys.reserve(static_cast<size_t>(draws.size()));
  for (const auto& draw : draws) pairKeys.push_back(MachineBallSetKey(draw.MachineName.view(), draw.BallSetName.view()));
  keys.clear();
  for (const auto& key : pairKeys) keys.push_back(key);
  BuildStatistic(game.MachineBallSetStats, keys);
}

}  // namespace zun
