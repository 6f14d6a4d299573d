#include "selection/quick_pick.h"

#include <algorithm>
#include <bitset>
#include <map>
#include <string>
#include <utility>

#include "selection/grid_geometry.h"

namespace zun {
namespace {

// Draws a whole entry never takes more set draws than this: a game whose
// entries are too rare to find is refused rather than left spinning.
constexpr int64_t kMaxSetDraws = 2'000'000;

// One bit per storable number (bit 0 is -128).
using NumberBits = std::bitset<kHighestStorableBall - kLowestStorableBall + 1>;
size_t BitOf(int32_t number) { return static_cast<size_t>(number - kLowestStorableBall); }

struct Ball {
  int32_t number;
  GridCell cell;
};

// What drawing one set needs, worked out once per quick pick.
struct SetPlan {
  int32_t count = 0;
  std::vector<Ball> balls;  // the balls a user can click, ascending
  bool rowLimit = false;
  bool columnLimit = false;
  // Under a line limit the draw takes one ball from each of `count` lines:
  // rows under the row limit, else columns. Each line lists its balls.
  std::vector<std::vector<int32_t>> lines;
  size_t longestLine = 0;
  int group = -1;  // sets of one group must hold different numbers; -1 for none
};

std::string Named(const Lotto_Numbers_Framework& set) {
  return "the set \"" + std::string(set.SetName.view()) + "\"";
}

[[noreturn]] void Refuse(const std::string& why) { throw NoQuickPickPossible("No quick pick is possible: " + why); }

// The balls of a set grouped by the row (byRow) or column they stand in;
// empty lines left out.
std::vector<std::vector<int32_t>> Lines(const std::vector<Ball>& balls, bool byRow) {
  std::map<int32_t, std::vector<int32_t>> lines;
  for (size_t i = 0; i < balls.size(); ++i)
    lines[byRow ? balls[i].cell.row : balls[i].cell.column].push_back(static_cast<int32_t>(i));
  std::vector<std::vector<int32_t>> result;
  for (auto& [line, members] : lines) result.push_back(std::move(members));
  return result;
}

// The most balls that can be chosen with at most one per row and one per
// column: a maximum matching of rows to columns (augmenting paths; a set
// has at most 256 balls).
int32_t MostBallsOnePerLine(const std::vector<Ball>& balls) {
  const auto rows = Lines(balls, true);
  // Columns are below kMaxGridCells: index by them directly.
  std::vector<int32_t> rowOfColumn(kMaxGridCells, -1);
  std::vector<uint8_t> seen(kMaxGridCells, 0);
  auto augment = [&](auto& self, size_t row) -> bool {
    for (int32_t index : rows[row]) {
      const auto column = static_cast<size_t>(balls[static_cast<size_t>(index)].cell.column);
      if (seen[column] != 0) continue;
      seen[column] = 1;
      if (rowOfColumn[column] < 0 || self(self, static_cast<size_t>(rowOfColumn[column]))) {
        rowOfColumn[column] = static_cast<int32_t>(row);
        return true;
      }
    }
    return false;
  };
  int32_t matched = 0;
  for (size_t row = 0; row < rows.size(); ++row) {
    std::fill(seen.begin(), seen.end(), 0);
    if (augment(augment, row)) ++matched;
  }
  return matched;
}

SetPlan PlanSet(const Lotto_Numbers_Framework& set) {
  SetPlan plan;
  plan.count = set.NumberCount;
  if (plan.count < 0) Refuse(Named(set) + " asks for a negative count of numbers.");
  if (plan.count == 0) return plan;
  for (int32_t number = LowestBall(set); number <= HighestBall(set); ++number)
    if (const auto cell = CellOfBall(set, number)) plan.balls.push_back({number, *cell});
  if (plan.balls.empty()) Refuse(Named(set) + " has no balls on its grid.");
  const int32_t ballCount = static_cast<int32_t>(plan.balls.size());
  if (plan.count > ballCount)
    Refuse(Named(set) + " asks for " + std::to_string(plan.count) + " numbers but has only " +
           std::to_string(ballCount) + " balls.");

  plan.rowLimit = set.Grid.Columns.LineLimit == 1;
  plan.columnLimit = set.Grid.Rows.LineLimit == 1;
  if (plan.rowLimit) {
    const auto rows = static_cast<int32_t>(Lines(plan.balls, true).size());
    if (plan.count > rows)
      Refuse(Named(set) + " asks for " + std::to_string(plan.count) + " numbers, one per row, but has only " +
             std::to_string(rows) + " rows of balls.");
  }
  if (plan.columnLimit) {
    const auto columns = static_cast<int32_t>(Lines(plan.balls, false).size());
    if (plan.count > columns)
      Refuse(Named(set) + " asks for " + std::to_string(plan.count) + " numbers, one per column, but has only " +
             std::to_string(columns) + " columns of balls.");
  }
  if (plan.rowLimit && plan.columnLimit && plan.count > MostBallsOnePerLine(plan.balls))
    Refuse(Named(set) + " cannot hold " + std::to_string(plan.count) + " numbers with one per row and column.");

  if (plan.rowLimit || plan.columnLimit) {
    plan.lines = Lines(plan.balls, plan.rowLimit);
    for (const auto& line : plan.lines) plan.longestLine = std::max(plan.longestLine, line.size());
  }
  return plan;
}

// Gives each set kept apart from others its group and refuses a group whose
// sets ask for more numbers than its balls can hold apart.
void GroupSets(std::span<const Lotto_Numbers_Framework> sets, std::vector<SetPlan>& plans) {
  std::map<std::pair<int32_t, int32_t>, int> groupOfShape;
  std::vector<int64_t> wanted;
  std::vector<NumberBits> balls;
  for (size_t s = 0; s < sets.size(); ++s) {
    if (sets[s].OwnPool != 0) continue;
    const auto shape = std::make_pair(sets[s].Grid.Columns.Count, sets[s].Grid.Rows.Count);
    const auto [place, added] = groupOfShape.emplace(shape, static_cast<int>(wanted.size()));
    if (added) {
      wanted.push_back(0);
      balls.emplace_back();
    }
    const int group = place->second;
    plans[s].group = group;
    wanted[static_cast<size_t>(group)] += plans[s].count;
    for (const auto& ball : plans[s].balls) balls[static_cast<size_t>(group)].set(BitOf(ball.number));
  }
  for (size_t group = 0; group < wanted.size(); ++group) {
    if (wanted[group] > static_cast<int64_t>(balls[group].count()))
      Refuse("sets of the same grid shape ask for " + std::to_string(wanted[group]) +
             " different numbers but have only " + std::to_string(balls[group].count()) + " balls among them.");
  }
}

// `count` different values below `bound`, uniformly (Floyd's algorithm),
// into `picked`. Counts are small, so a scan finds repeats.
void DistinctBelow(int32_t count, int32_t bound, RandomSource& random, std::vector<int32_t>& picked) {
  picked.clear();
  for (int32_t j = bound - count; j < bound; ++j) {
    auto t = static_cast<int32_t>(random.Below(static_cast<uint32_t>(j) + 1));
    if (std::find(picked.begin(), picked.end(), t) != picked.end()) t = j;
    picked.push_back(t);
  }
}

// Scratch space reused by every try: a quick pick may take many.
struct DrawBuffers {
  std::vector<int32_t> picked;
  std::vector<int32_t> columns;
};

// One try at a set's numbers; false when the try is rejected. Every entry
// the set's line limits allow comes out with the same probability: under a
// limit, `count` lines are taken uniformly and in each a place below the
// longest line's length; a place past the line's end rejects the try, so
// long and short lines weigh as their ball counts do.
bool TryDrawSet(const SetPlan& plan, RandomSource& random, DrawBuffers& buffers, std::vector<int8_t>& numbers) {
  numbers.clear();
  if (plan.lines.empty()) {
    DistinctBelow(plan.count, static_cast<int32_t>(plan.balls.size()), random, buffers.picked);
    for (int32_t index : buffers.picked) numbers.push_back(static_cast<int8_t>(plan.balls[static_cast<size_t>(index)].number));
  } else {
    DistinctBelow(plan.count, static_cast<int32_t>(plan.lines.size()), random, buffers.picked);
    buffers.columns.clear();  // taken when drawing by row under both limits
    for (int32_t line : buffers.picked) {
      const auto& members = plan.lines[static_cast<size_t>(line)];
      const uint32_t place = random.Below(static_cast<uint32_t>(plan.longestLine));
      if (place >= members.size()) return false;
      const Ball& ball = plan.balls[static_cast<size_t>(members[place])];
      if (plan.rowLimit && plan.columnLimit) {
        auto& columns = buffers.columns;
        if (std::find(columns.begin(), columns.end(), ball.cell.column) != columns.end()) return false;
        columns.push_back(ball.cell.column);
      }
      numbers.push_back(static_cast<int8_t>(ball.number));
    }
  }
  std::sort(numbers.begin(), numbers.end());
  return true;
}

}  // namespace

std::vector<std::vector<int8_t>> DrawQuickPick(std::span<const Lotto_Numbers_Framework> sets, RandomSource& random) {
  std::vector<SetPlan> plans;
  plans.reserve(sets.size());
  for (const auto& set : sets) plans.push_back(PlanSet(set));
  GroupSets(sets, plans);

  std::vector<std::vector<int8_t>> entry(sets.size());
  DrawBuffers buffers;
  std::vector<NumberBits> groupNumbers;
  int64_t draws = 0;
  // Sets are drawn independently and the whole entry is rejected when two
  // sets of a group share a number: drawing later sets around earlier ones
  // would favour some entries.
  for (;;) {
    groupNumbers.assign(groupNumbers.size(), NumberBits{});
    bool clash = false;
    for (size_t s = 0; s < plans.size() && !clash; ++s) {
      const SetPlan& plan = plans[s];
      if (plan.count == 0) {
        entry[s].clear();
        continue;
      }
      do {
        if (++draws > kMaxSetDraws) Refuse("its grids' rules leave too few entries to find one.");
      } while (!TryDrawSet(plan, random, buffers, entry[s]));
      if (plan.group < 0) continue;
      if (groupNumbers.size() <= static_cast<size_t>(plan.group)) groupNumbers.resize(static_cast<size_t>(plan.group) + 1);
      auto& held = groupNumbers[static_cast<size_t>(plan.group)];
      for (int8_t number : entry[s]) {
        if (held.test(BitOf(number))) clash = true;
        held.set(BitOf(number));
      }
    }
    if (!clash) return entry;
  }
}

}  // namespace zun
