#pragma once

// The entry list's model: which entry each row shows (the display order),
// how the rows are sorted, and which entries are selected. The list view is
// virtual and asks this model for the texts of the rows it paints; it holds
// no copy of the entries.
//
// A row shows one entry; its caption ("Seq.") is the entry's 1-based
// position in the database. Column 0 is "Seq.", column 1 to N the play sets'
// texts, column N + 1 the source. Sorting by column 0 compares the captions
// as numbers, by any other column the texts with CompareListText. Rows whose
// texts compare equal stand in "Seq." order, in either direction, so a sort
// is the stable sort of the natural order: the list is the same whatever
// sorts came before.
//
// Memory between commands: 4 bytes per row (the order) and 1 byte per
// entry (its selection). A sort builds its keys while it runs.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "list/list_sort.h"
#include "model/user_database.h"

namespace zun {

enum class SelectionCommand { All, Even, Odd, Invert };

class EntryList {
 public:
  static constexpr int32_t kSeqColumn = zun::kSeqColumn;

  int32_t RowCount() const noexcept { return static_cast<int32_t>(order_.size()); }
  // The entry row `row` shows (0-based); the row's caption is this plus 1.
  int32_t EntryAt(int32_t row) const noexcept { return order_[static_cast<size_t>(row)]; }
  // The row that shows `entry`, or -1.
  int32_t RowOf(int32_t entry) const noexcept;

  int32_t SortColumn() const noexcept { return sortColumn_; }
  bool SortAscending() const noexcept { return ascending_; }
  // Column 0 ascending: row order is database order.
  bool InNaturalOrder() const noexcept { return sortColumn_ == kSeqColumn && ascending_; }

  // ---- Rows ---------------------------------------------------------------

  // One row per entry of the database, sorted by the current sort; the
  // selection is cleared. (A load refills the list this way.)
  void Refill(const TZUN_User_Lotto_DBase& database);
  // No rows, no selection; the sort stays.
  void Clear() noexcept;
  // A row for entry `entry` (a new last entry), placed where the current
  // sort puts it.
  void AddRow(const TZUN_User_Lotto_DBase& database, int32_t entry);
  // Rows for the entries from `first` to the last one, then a re-sort.
  void AddRows(const TZUN_User_Lotto_DBase& database, int32_t first);
  // The texts of `entry` changed: its row moves where the current sort puts it.
  void EntryChanged(const TZUN_User_Lotto_DBase& database, int32_t entry);

  // ---- Sorting --------------------------------------------------------------

  // A click on a column header: the same column again inverts the
  // direction; another column keeps it. Then sorts.
  void ClickColumn(const TZUN_User_Lotto_DBase& database, int32_t column);
  // Sets the column and direction and sorts.
  void SetSort(const TZUN_User_Lotto_DBase& database, bool ascending, int32_t column);
  // Sorts again unless in natural order.
  void Resort(const TZUN_User_Lotto_DBase& database);
  // "Apply Sort": the database's entries take the display order (entry k is
  // the one row k showed), the selection follows them, and the sort becomes
  // natural. The rows then show entries 0, 1, 2, ... from the top. Returns
  // whether any entry moved.
  bool ApplySort(TZUN_User_Lotto_DBase& database);

  // ---- Selection ------------------------------------------------------------

  bool IsRowSelected(int32_t row) const noexcept { return selected_[static_cast<size_t>(EntryAt(row))] != 0; }
  bool IsEntrySelected(int32_t entry) const noexcept { return selected_[static_cast<size_t>(entry)] != 0; }
  void SelectRow(int32_t row, bool selected) noexcept;
  // Selects the entries given (and only them); ones the list lacks are skipped.
  void SelectOnly(std::span<const int32_t> entries) noexcept;
  void ClearSelection() noexcept;
  int32_t SelectedCount() const noexcept { return selectedCount_; }
  // The first selected row in display order, or -1.
  int32_t FirstSelectedRow() const noexcept;
  // The selected entries in display order.
  std::vector<int32_t> SelectedEntries() const;
  // The bytes the selected entries' numbers take.
  size_t SelectedNumberBytes(const TZUN_User_Lotto_DBase& database) const noexcept;
  // Select All; Select Even and Select Odd by the parity of "Seq." (not of
  // the row's position), deselecting the others; Invert Selection.
  void ApplySelectionCommand(SelectionCommand command) noexcept;

  // ---- Deletion -------------------------------------------------------------

  // Deletes every selected entry from the database in one compacting pass
  // (the survivors keep their order) and their rows; the other rows keep
  // their order and show the same entries under their new captions. With
  // `removed`, the deleted records move there (in entry order) and their
  // positions go to `positions`. Returns how many were deleted.
  int32_t DeleteSelected(TZUN_User_Lotto_DBase& database, std::vector<TZUN_Database_Structure>* removed = nullptr,
                         std::vector<int32_t>* positions = nullptr);
  // The database kept its first `count` entries: the rows of the others go.
  void Truncate(int32_t count);

  // The entry each row shows, row 0 first.
  const std::vector<int32_t>& DisplayOrder() const noexcept { return order_; }
  // Bytes the list holds for its rows and their selection.
  size_t MemoryBytes() const noexcept { return order_.capacity() * sizeof(int32_t) + selected_.capacity(); }

  // ---- Texts ----------------------------------------------------------------

  // The text of a cell: the caption, a set's entry text, or the source.
  std::string CellText(const TZUN_User_Lotto_DBase& database, int32_t row, int32_t column) const;

 private:
  void Sort(const TZUN_User_Lotto_DBase& database);
  void PlaceRow(const TZUN_User_Lotto_DBase& database, size_t from);

  std::vector<int32_t> order_;      // row -> entry
  std::vector<uint8_t> selected_;   // entry -> 1 when selected
  int32_t selectedCount_ = 0;
  int32_t sortColumn_ = kSeqColumn;
  bool ascending_ = true;
};

// The text a column of a database shows for an entry: the caption (column
// 0), the set's entry text (columns 1 to N) or the source (column N + 1);
// empty for a column the database does not have.
std::string EntryColumnText(const TZUN_User_Lotto_DBase& database, int32_t entry, int32_t column);

}  // namespace zun
