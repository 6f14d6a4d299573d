#pragma once

// The rows of a check against the draws, as its window's list shows them:
// one row per entry-draw pair found, with the columns "Entry", one per play
// set (the entry's numbers as the entry list shows them), "Draw",
// "Matches" and "Division". A click on a column sorts by it (again inverts
// the direction); rows that tie keep the order of the entries, then of the
// draws. The rows read the check's own copies, never the document.

#include <cstdint>
#include <string>
#include <vector>

#include "analysis/draw_check.h"

namespace zun {

class CheckResultRows {
 public:
  CheckResultRows(const DrawCheckInput& input, const DrawCheckResult& result);

  int32_t RowCount() const noexcept { return static_cast<int32_t>(order_.size()); }
  int32_t ColumnCount() const noexcept { return setCount_ + 4; }
  std::string ColumnName(int32_t column) const;
  std::string CellText(int32_t row, int32_t column) const;
  // The hit a row shows (its index in the result).
  int32_t HitAt(int32_t row) const { return order_[static_cast<size_t>(row)]; }
  // The place of a row's entry in the input's entries (and masks).
  int32_t EntrySlotAt(int32_t row) const { return entrySlot_[static_cast<size_t>(HitAt(row))]; }

  void ClickColumn(int32_t column);
  int32_t SortColumn() const noexcept { return sortColumn_; }
  bool Ascending() const noexcept { return ascending_; }

  // The entries the rows name, each once, ascending (database positions).
  std::vector<int32_t> Entries() const;

 private:
  enum class Kind { Entry, Set, Draw, Matches, Division };
  Kind KindOf(int32_t column) const noexcept;
  // Whether hit a sorts before hit b by the column (ascending).
  bool Before(int32_t column, int32_t a, int32_t b) const;

  const DrawCheckInput& input_;
  const DrawCheckResult& result_;
  int32_t setCount_;
  int32_t drawSetCount_;
  std::vector<int32_t> order_;
  std::vector<int32_t> entrySlot_;  // per hit: the entry's place in input_.entries
  std::vector<int32_t> drawSlot_;   // per hit: the draw's place in input_.draws
  int32_t sortColumn_ = 0;
  bool ascending_ = true;
};

}  // namespace zun
