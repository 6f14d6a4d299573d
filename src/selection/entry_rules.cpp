#include "selection/entry_rules.h"

#include <algorithm>

#include "selection/grid_geometry.h"

namespace zun {
namespace {

// The dash of a range as the add-on's 8-bit texts write it (an en dash).
constexpr char kRangeDash = '\x96';

}  // namespace

EntryRules::EntryRules(std::span<const Lotto_Numbers_Framework> sets) {
  sets_.reserve(sets.size());
  for (const Lotto_Numbers_Framework& set : sets)
    sets_.push_back(Set{&set, std::string(set.SetName.view()), LowestBall(set), HighestBall(set)});
}

std::string EntryRules::RangeOf(size_t set) const {
  const Set& s = sets_[set];
  return s.name + " (" + std::to_string(s.lowest) + kRangeDash + std::to_string(s.highest) + ")";
}

std::string EntryRules::Check(std::span<const std::vector<int32_t>> numbers) const {
  const size_t count = std::min(numbers.size(), sets_.size());
  for (size_t s = 0; s < count; ++s) {
    const Set& set = sets_[s];
    const Lotto_Numbers_Framework& record = *set.record;
    const std::vector<int32_t>& chosen = numbers[s];
    std::vector<GridCell> cells;
    cells.reserve(chosen.size());
    for (size_t i = 0; i < chosen.size(); ++i) {
      const int32_t n = chosen[i];
      const auto cell = CellOfBall(record, n);
      if (!cell) return std::to_string(n) + " is not a number of " + RangeOf(s);
      for (size_t j = 0; j < i; ++j) {
        if (chosen[j] == n) return std::to_string(n) + " stands twice in " + set.name;
        if (record.Grid.Columns.LineLimit == 1 && cells[j].row == cell->row)
          return set.name + " takes one number per row: " + std::to_string(chosen[j]) + " and " + std::to_string(n) +
                 " share one";
        if (record.Grid.Rows.LineLimit == 1 && cells[j].column == cell->column)
          return set.name + " takes one number per column: " + std::to_string(chosen[j]) + " and " +
                 std::to_string(n) + " share one";
      }
      cells.push_back(*cell);
    }
    // The same-shape rule, against the sets before this one.
    for (size_t other = 0; other < s; ++other) {
      if (!KeptApart(record, *sets_[other].record)) continue;
      for (const int32_t n : chosen)
        if (std::find(numbers[other].begin(), numbers[other].end(), n) != numbers[other].end())
          return std::to_string(n) + " stands in " + sets_[other].name + " and in " + set.name;
    }
  }
  return {};
}

}  // namespace zun
