#include "operations/check_result_rows.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <numeric>

#include "base/texts.h"
#include "model/entry_text.h"

namespace zun {
namespace {

// Whether a's numbers, ascending, come before b's: the smallest number in
// one of them only decides.
bool NumbersBefore(const NumberMask& a, const NumberMask& b) noexcept {
  const uint64_t low = a.low ^ b.low;
  if (low != 0) return (a.low & (low & (~low + 1))) != 0;
  const uint64_t high = a.high ^ b.high;
  return high != 0 && (a.high & (high & (~high + 1))) != 0;
}

int32_t SlotOf(const std::vector<int32_t>& positions, int32_t position) {
  const auto at = std::lower_bound(positions.begin(), positions.end(), position);
  return static_cast<int32_t>(at - positions.begin());
}

}  // namespace

CheckResultRows::CheckResultRows(const DrawCheckInput& input, const DrawCheckResult& result)
    : input_(input),
      result_(result),
      setCount_(static_cast<int32_t>(input.playSets.size())),
      drawSetCount_(static_cast<int32_t>(input.drawSets.size())) {
  const size_t hits = result.hits.size();
  order_.resize(hits);
  std::iota(order_.begin(), order_.end(), 0);
  entrySlot_.resize(hits);
  drawSlot_.resize(hits);
  for (size_t h = 0; h < hits; ++h) {
    entrySlot_[h] = SlotOf(input.entries, result.hits[h].entry);
    drawSlot_[h] = SlotOf(input.draws, result.hits[h].draw);
  }
}

CheckResultRows::Kind CheckResultRows::KindOf(int32_t column) const noexcept {
  if (column == 0) return Kind::Entry;
  if (column <= setCount_) return Kind::Set;
  if (column == setCount_ + 1) return Kind::Draw;
  if (column == setCount_ + 2) return Kind::Matches;
  return Kind::Division;
}

std::string CheckResultRows::ColumnName(int32_t column) const {
  switch (KindOf(column)) {
    case Kind::Entry:
      return texts::check::kEntryColumn;
    case Kind::Set:
      return std::string(input_.playSets[static_cast<size_t>(column - 1)].SetName.view());
    case Kind::Draw:
      return texts::check::kDrawColumn;
    case Kind::Matches:
      return texts::check::kMatchesColumn;
    case Kind::Division:
      return texts::check::kDivisionColumn;
  }
  return {};
}

std::string CheckResultRows::CellText(int32_t row, int32_t column) const {
  if (row < 0 || row >= RowCount() || column < 0 || column >= ColumnCount()) return {};
  const auto h = static_cast<size_t>(order_[static_cast<size_t>(row)]);
  const DrawCheckResult::Hit& hit = result_.hits[h];
  switch (KindOf(column)) {
    case Kind::Entry:
      return std::to_string(int64_t{hit.entry} + 1);
    case Kind::Set: {
      const auto set = static_cast<size_t>(column - 1);
      const NumberMask& mask = input_.entryMasks[static_cast<size_t>(entrySlot_[h]) * setCount_ + set];
      const std::vector<int8_t> numbers = NumbersOf(mask);
      std::string text;
      AppendSetText(text, input_.playSets[set], numbers);
      return text;
    }
    case Kind::Draw:
      return input_.drawTexts[static_cast<size_t>(drawSlot_[h])];
    case Kind::Matches:
      return result_.MatchesText(h, static_cast<size_t>(drawSetCount_));
    case Kind::Division:
      return hit.division < 0 ? std::string() : input_.prizes.divisions[static_cast<size_t>(hit.division)].name;
  }
  return {};
}

bool CheckResultRows::Before(int32_t column, int32_t a, int32_t b) const {
  const DrawCheckResult::Hit& x = result_.hits[static_cast<size_t>(a)];
  const DrawCheckResult::Hit& y = result_.hits[static_cast<size_t>(b)];
  switch (KindOf(column)) {
    case Kind::Entry:
      return x.entry < y.entry;
    case Kind::Set: {
      const auto set = static_cast<size_t>(column - 1);
      const auto& masks = input_.entryMasks;
      return NumbersBefore(masks[static_cast<size_t>(entrySlot_[static_cast<size_t>(a)]) * setCount_ + set],
                           masks[static_cast<size_t>(entrySlot_[static_cast<size_t>(b)]) * setCount_ + set]);
    }
    case Kind::Draw:
      return x.draw < y.draw;
    case Kind::Matches: {
      // Most matches in all first when descending; then set by set.
      const size_t sets = static_cast<size_t>(drawSetCount_);
      const uint8_t* mx = result_.matches.data() + static_cast<size_t>(a) * sets;
      const uint8_t* my = result_.matches.data() + static_cast<size_t>(b) * sets;
      const int sumX = std::accumulate(mx, mx + sets, 0);
      const int sumY = std::accumulate(my, my + sets, 0);
      if (sumX != sumY) return sumX < sumY;
      return std::lexicographical_compare(mx, mx + sets, my, my + sets);
    }
    case Kind::Division: {
      // In the game's order (the highest prize first); no division last.
      const int64_t dx = x.division < 0 ? INT64_MAX : x.division;
      const int64_t dy = y.division < 0 ? INT64_MAX : y.division;
      return dx < dy;
    }
  }
  return false;
}

void CheckResultRows::ClickColumn(int32_t column) {
  if (column < 0 || column >= ColumnCount()) return;
  ascending_ = column == sortColumn_ ? !ascending_ : true;
  sortColumn_ = column;
  // From the natural order (entries, then draws), so ties keep it.
  std::iota(order_.begin(), order_.end(), 0);
  if (ascending_)
    std::stable_sort(order_.begin(), order_.end(), [&](int32_t a, int32_t b) { return Before(column, a, b); });
  else
    std::stable_sort(order_.begin(), order_.end(), [&](int32_t a, int32_t b) { return Before(column, b, a); });
}

std::vector<int32_t> CheckResultRows::Entries() const {
  std::vector<int32_t> entries;
  entries.reserve(result_.hits.size());
  for (const DrawCheckResult::Hit& hit : result_.hits)
    if (entries.empty() || entries.back() != hit.entry) entries.push_back(hit.entry);
  // The hits come entry by entry: already ascending and each once.
  return entries;
}

}  // namespace zun
