#include "selection/ball_choices.h"

#include <algorithm>

#include "base/error_location.h"
#include "base/reference_codes.h"

namespace zun {

void BallChoices::Reset(Sets sets) {
  const OperationScope operation(codes::kResetChoices);
  sets_.assign(sets.size(), SetChoices{});
  for (size_t s = 0; s < sets.size(); ++s) {
    const int32_t lowest = LowestBall(sets[s]);
    const int32_t highest = HighestBall(sets[s]);
    sets_[s].lowest = lowest;
    // At most 256 flags: the balls are cut to the storable numbers.
    if (highest >= lowest) sets_[s].flags.assign(static_cast<size_t>(highest - lowest + 1), 0);
  }
}

bool BallChoices::InRange(int32_t set, int32_t number) const noexcept {
  if (set < 0 || set >= SetCount()) return false;
  const auto& choices = sets_[static_cast<size_t>(set)];
  return number >= choices.lowest && number - choices.lowest < static_cast<int32_t>(choices.flags.size());
}

bool BallChoices::IsChosen(int32_t set, int32_t number) const noexcept {
  if (!InRange(set, number)) return false;
  const auto& choices = sets_[static_cast<size_t>(set)];
  return choices.flags[static_cast<size_t>(number - choices.lowest)] != 0;
}

int32_t BallChoices::ChosenCount(int32_t set) const noexcept {
  return set >= 0 && set < SetCount() ? sets_[static_cast<size_t>(set)].count : 0;
}

std::vector<int32_t> BallChoices::Chosen(int32_t set) const {
  std::vector<int32_t> numbers;
  if (set < 0 || set >= SetCount()) return numbers;
  const auto& choices = sets_[static_cast<size_t>(set)];
  for (size_t i = 0; i < choices.flags.size(); ++i)
    if (choices.flags[i] != 0) numbers.push_back(choices.lowest + static_cast<int32_t>(i));
  return numbers;
}

// Both walk the chosen balls (at most 256) rather than the grid's line,
// which a damaged game can make 1800 cells long.
int32_t BallChoices::ChosenInRow(const Lotto_Numbers_Framework& set, int32_t s, int32_t row) const {
  const OperationScope operation(codes::kCountChosenInLine);
  int32_t found = 0;
  for (int32_t number : Chosen(s)) {
    const auto cell = CellOfBall(set, number);
    if (cell && cell->row == row) ++found;
  }
  return found;
}

int32_t BallChoices::ChosenInColumn(const Lotto_Numbers_Framework& set, int32_t s, int32_t column) const {
  const OperationScope operation(codes::kCountChosenInLine);
  int32_t found = 0;
  for (int32_t number : Chosen(s)) {
    const auto cell = CellOfBall(set, number);
    if (cell && cell->column == column) ++found;
  }
  return found;
}

bool BallChoices::MayChoose(Sets sets, int32_t set, GridCell cell) const {
  const OperationScope operation(codes::kMayChoose);
  if (set < 0 || set >= SetCount() || static_cast<size_t>(set) >= sets.size()) return false;
  const auto& numbers = sets[static_cast<size_t>(set)];
  const auto ball = BallInCell(numbers, cell);
  if (ball && IsChosen(set, *ball)) return true;  // taking a ball back is always allowed
  if (numbers.Grid.Columns.LineLimit == 1 && ChosenInRow(numbers, set, cell.row) > 0) return false;
  if (numbers.Grid.Rows.LineLimit == 1 && ChosenInColumn(numbers, set, cell.column) > 0) return false;
  return true;
}

bool BallChoices::CrossSetFree(Sets sets, int32_t set, int32_t number) const {
  const OperationScope operation(codes::kCrossSetFree);
  if (set < 0 || static_cast<size_t>(set) >= sets.size()) return false;
  const auto& numbers = sets[static_cast<size_t>(set)];
  if (numbers.OwnPool != 0) return true;
  const int32_t held = std::min(SetCount(), static_cast<int32_t>(sets.size()));
  for (int32_t other = 0; other < held; ++other) {
    if (other == set) continue;
    if (KeptApart(numbers, sets[static_cast<size_t>(other)]) && IsChosen(other, number)) return false;
  }
  return true;
}

bool BallChoices::Toggle(Sets sets, int32_t set, int32_t number) {
  const OperationScope operation(codes::kToggleBall);
  if (!InRange(set, number) || static_cast<size_t>(set) >= sets.size()) return false;
  auto& choices = sets_[static_cast<size_t>(set)];
  auto& flag = choices.flags[static_cast<size_t>(number - choices.lowest)];
  if (flag != 0) {
    flag = 0;
    --choices.count;
    return true;
  }
  if (choices.count >= sets[static_cast<size_t>(set)].NumberCount || !CrossSetFree(sets, set, number)) return false;
  flag = 1;
  ++choices.count;
  return true;
}

bool BallChoices::Click(Sets sets, int32_t set, GridCell cell) {
  if (set < 0 || static_cast<size_t>(set) >= sets.size()) return false;
  const auto ball = BallInCell(sets[static_cast<size_t>(set)], cell);
  if (!ball || !MayChoose(sets, set, cell)) return false;
  return Toggle(sets, set, *ball);
}

bool BallChoices::AllSetsComplete(Sets sets) const {
  const OperationScope operation(codes::kAllSetsComplete);
  for (size_t s = 0; s < sets.size(); ++s)
    if (ChosenCount(static_cast<int32_t>(s)) != sets[s].NumberCount) return false;
  return true;
}

void BallChoices::ShowEntry(Sets sets, const TZUN_User_Lotto_DBase& database, int32_t entry) {
  const OperationScope operation(codes::kShowEntryOnGrids);
  Reset(sets);
  if (!database.Entries.contains(entry)) return;
  const auto& numbers = database.Entries[entry].Numbers;
  const int32_t shown = std::min({database.NumberSets.size(), SetCount(), numbers.size()});
  for (int32_t s = 0; s < shown; ++s) {
    auto& choices = sets_[static_cast<size_t>(s)];
    for (int8_t number : numbers[s]) {
      if (!InRange(s, number)) continue;
      auto& flag = choices.flags[static_cast<size_t>(number - choices.lowest)];
      if (flag != 0) continue;  // a repeat counts once
      flag = 1;
      ++choices.count;
    }
  }
}

void BallChoices::StoreInEntry(TZUN_User_Lotto_DBase& database, int32_t entry) const {
  const OperationScope operation(codes::kStoreChoicesInEntry);
  if (!database.Entries.contains(entry)) return;
  auto& stored = database.Entries[entry];
  const int32_t written = std::min(stored.Numbers.size(), SetCount());
  for (int32_t s = 0; s < written; ++s) {
    const auto target = stored.Numbers[s];
    const auto chosen = Chosen(s);
    const size_t n = std::min(target.size(), chosen.size());
    for (size_t i = 0; i < n; ++i) target[i] = static_cast<int8_t>(chosen[i]);  // balls fit a signed byte
  }
  stored.Source.assign("");
}

}  // namespace zun
