#include "list/entry_list.h"

#include <algorithm>
#include <bit>
#include <functional>
#include <numeric>

#include "base/error_location.h"
#include "base/reference_codes.h"
#include "list/list_sort.h"

namespace zun {

int32_t EntryList::RowOf(int32_t entry) const noexcept {
  const auto found = std::find(order_.begin(), order_.end(), entry);
  return found == order_.end() ? -1 : static_cast<int32_t>(found - order_.begin());
}

// ---- Rows -------------------------------------------------------------------

void EntryList::Refill(const TZUN_User_Lotto_DBase& database) {
  const auto count = static_cast<size_t>(database.Entries.size());
  // Fresh vectors, so a shrunken database does not keep the old capacity.
  std::vector<int32_t> order(count);
  std::iota(order.begin(), order.end(), 0);
  order_.swap(order);
  std::vector<uint8_t>(count, 0).swap(selected_);
  selectedCount_ = 0;
  Resort(database);
}

void EntryList::Clear() noexcept {
  std::vector<int32_t>().swap(order_);
  std::vector<uint8_t>().swap(selected_);
  selectedCount_ = 0;
}

void EntryList::AddRow(const TZUN_User_Lotto_DBase& database, int32_t entry) {
  const OperationScope operation(codes::kAddEntryRow);
  if (static_cast<size_t>(entry) >= selected_.size()) selected_.resize(static_cast<size_t>(entry) + 1, 0);
  order_.push_back(entry);
  PlaceRow(database, order_.size() - 1);
}

void EntryList::AddRows(const TZUN_User_Lotto_DBase& database, int32_t first) {
  const int32_t count = database.Entries.size();
  if (first >= count) return;
  if (selected_.size() < static_cast<size_t>(count)) selected_.resize(static_cast<size_t>(count), 0);
  const size_t before = order_.size();
  for (int32_t entry = first; entry < count; ++entry) order_.push_back(entry);
  if (InNaturalOrder()) return;  // new entries stand last in database order
  if (sortColumn_ == kSeqColumn) {
    // Descending by "Seq.": the new entries go on top, highest first.
    std::rotate(order_.begin(), order_.begin() + static_cast<std::ptrdiff_t>(before), order_.end());
    std::reverse(order_.begin(), order_.begin() + (count - first));
    return;
  }
  // A few rows are placed one by one among the sorted others; many are
  // sorted in with them.
  constexpr int32_t kPlacedOneByOne = 64;
  if (count - first <= kPlacedOneByOne) {
    order_.resize(before);
    for (int32_t entry = first; entry < count; ++entry) {
      order_.push_back(entry);
      PlaceRow(database, order_.size() - 1);
    }
    return;
  }
  Sort(database);
}

void EntryList::EntryChanged(const TZUN_User_Lotto_DBase& database, int32_t entry) {
  const int32_t row = RowOf(entry);
  if (row >= 0) PlaceRow(database, static_cast<size_t>(row));
}

// Binary search among the other rows (which stay sorted), then one move of
// the row: O(log n) comparisons, no re-sort.
void EntryList::PlaceRow(const TZUN_User_Lotto_DBase& database, size_t from) {
  const int32_t entry = order_[from];
  RowPlacement placement(database, sortColumn_, ascending_, entry);
  size_t low = 0, high = order_.size() - 1;  // positions among the other rows
  while (low < high) {
    const size_t middle = low + (high - low) / 2;
    const size_t row = middle < from ? middle : middle + 1;
    if (placement.StandsBefore(order_[row]))
      low = middle + 1;
    else
      high = middle;
  }
  const auto at = order_.begin();
  if (low < from)
    std::rotate(at + low, at + from, at + from + 1);
  else if (low > from)
    std::rotate(at + from, at + from + 1, at + low + 1);
}

// ---- Sorting ----------------------------------------------------------------

void EntryList::ClickColumn(const TZUN_User_Lotto_DBase& database, int32_t column) {
  if (column == sortColumn_)
    ascending_ = !ascending_;
  else
    sortColumn_ = column;
  Sort(database);
}

void EntryList::SetSort(const TZUN_User_Lotto_DBase& database, bool ascending, int32_t column) {
  const OperationScope operation(codes::kSetSort);
  sortColumn_ = column;
  ascending_ = ascending;
  Sort(database);
}

void EntryList::Resort(const TZUN_User_Lotto_DBase& database) {
  if (!InNaturalOrder()) Sort(database);
}

void EntryList::Sort(const TZUN_User_Lotto_DBase& database) {
  const OperationScope operation(codes::kResortList);
  if (sortColumn_ != kSeqColumn) {
    SortByColumnText(database, sortColumn_, ascending_, order_);
  } else if (order_.size() == static_cast<size_t>(database.Entries.size())) {
    // A row per entry: the order by "Seq." is the entries' own, forward or back.
    std::iota(order_.begin(), order_.end(), 0);
    if (!ascending_) std::reverse(order_.begin(), order_.end());
  } else if (ascending_) {
    std::sort(order_.begin(), order_.end());
  } else {
    std::sort(order_.begin(), order_.end(), std::greater<>());
  }
}

bool EntryList::ApplySort(TZUN_User_Lotto_DBase& database) {
  const OperationScope operation(codes::kApplySort);
  const int32_t count = database.Entries.size();
  if (order_.size() != static_cast<size_t>(count)) {
    // Entries without a row (or rows without an entry) would break the
    // permutation: the rows stand first, then the rest in database order.
    std::vector<uint8_t> shown(static_cast<size_t>(count), 0);
    const auto staleOrRepeated = [&](int32_t entry) {
      return entry < 0 || entry >= count || shown[static_cast<size_t>(entry)]++ != 0;
    };
    std::erase_if(order_, staleOrRepeated);
    for (int32_t entry = 0; entry < count; ++entry)
      if (!shown[static_cast<size_t>(entry)]) order_.push_back(entry);
    selected_.resize(static_cast<size_t>(count), 0);
    selectedCount_ = static_cast<int32_t>(std::count(selected_.begin(), selected_.end(), uint8_t{1}));
  }
  // Entry k takes the record row k shows. Each cycle of the permutation is
  // walked once with moves; a walked position gets order_[k] = k, so order_
  // ends as the natural order.
  auto& entries = database.Entries;
  bool moved = false;
  for (int32_t start = 0; start < count; ++start) {
    if (order_[static_cast<size_t>(start)] == start) continue;
    moved = true;
    TZUN_Database_Structure held = std::move(entries[start]);
    const uint8_t heldSelected = selected_[static_cast<size_t>(start)];
    int32_t k = start;
    for (;;) {
      const int32_t source = order_[static_cast<size_t>(k)];
      order_[static_cast<size_t>(k)] = k;
      if (source == start) {
        entries[k] = std::move(held);
        selected_[static_cast<size_t>(k)] = heldSelected;
        break;
      }
      entries[k] = std::move(entries[source]);
      selected_[static_cast<size_t>(k)] = selected_[static_cast<size_t>(source)];
      k = source;
    }
  }
  sortColumn_ = kSeqColumn;
  ascending_ = true;
  return moved;
}

// ---- Selection --------------------------------------------------------------

void EntryList::SelectRow(int32_t row, bool selected) noexcept {
  uint8_t& flag = selected_[static_cast<size_t>(EntryAt(row))];
  if (flag == uint8_t{selected}) return;
  flag = selected;
  selectedCount_ += selected ? 1 : -1;
}

void EntryList::SelectOnly(std::span<const int32_t> entries) noexcept {
  std::fill(selected_.begin(), selected_.end(), uint8_t{0});
  int32_t count = 0;
  for (const int32_t entry : entries) {
    if (entry < 0 || static_cast<size_t>(entry) >= selected_.size() || selected_[static_cast<size_t>(entry)]) continue;
    selected_[static_cast<size_t>(entry)] = 1;
    ++count;
  }
  selectedCount_ = count;
}

void EntryList::ClearSelection() noexcept {
  const OperationScope operation(codes::kClearRowSelection);
  std::fill(selected_.begin(), selected_.end(), uint8_t{0});
  selectedCount_ = 0;
}

int32_t EntryList::FirstSelectedRow() const noexcept {
  if (selectedCount_ == 0) return -1;
  for (size_t row = 0; row < order_.size(); ++row)
    if (selected_[static_cast<size_t>(order_[row])]) return static_cast<int32_t>(row);
  return -1;
}

std::vector<int32_t> EntryList::SelectedEntries() const {
  std::vector<int32_t> entries;
  entries.reserve(static_cast<size_t>(selectedCount_));
  for (const int32_t entry : order_)
    if (selected_[static_cast<size_t>(entry)]) entries.push_back(entry);
  return entries;
}

size_t EntryList::SelectedNumberBytes(const TZUN_User_Lotto_DBase& database) const noexcept {
  size_t bytes = 0;
  const int32_t count = std::min(database.Entries.size(), static_cast<int32_t>(selected_.size()));
  for (int32_t entry = 0; entry < count; ++entry)
    if (selected_[static_cast<size_t>(entry)]) bytes += database.Entries[entry].Numbers.MemoryBytes();
  return bytes;
}

void EntryList::ApplySelectionCommand(SelectionCommand command) noexcept {
  const OperationScope operation(codes::kSelectionCommand);
  // The selection is a property of the entries the rows show. When every
  // entry has its row (the rows are a permutation of them), the entries are
  // walked in their own order: one sequential pass the compiler vectorises.
  const bool rowPerEntry = order_.size() == selected_.size();
  const size_t count = selected_.size();
  uint8_t* flags = selected_.data();
  if (rowPerEntry && command == SelectionCommand::All) {
    std::fill(selected_.begin(), selected_.end(), uint8_t{1});
    selectedCount_ = static_cast<int32_t>(count);
    return;
  }
  // "Seq." is entry + 1: an even "Seq." shows an odd entry.
  const auto setEach = [&](auto flagOf) {
    int32_t selected = 0;
    for (size_t entry = 0; entry < count; ++entry) selected += flags[entry] = flagOf(entry, flags[entry]);
    return selected;
  };
  if (rowPerEntry) {
    switch (command) {
      case SelectionCommand::Even: selectedCount_ = setEach([](size_t e, uint8_t) -> uint8_t { return e & 1; }); break;
      case SelectionCommand::Odd: selectedCount_ = setEach([](size_t e, uint8_t) -> uint8_t { return ~e & 1; }); break;
      default: selectedCount_ = setEach([](size_t, uint8_t flag) -> uint8_t { return flag ^ 1; }); break;
    }
    return;
  }
  // Rows and entries disagree (a state a fault may leave): only the entries
  // the rows show are touched.
  int32_t selected = 0;
  for (const int32_t entry : order_) {
    uint8_t& flag = flags[static_cast<size_t>(entry)];
    const uint8_t evenSeq = entry & 1;
    switch (command) {
      case SelectionCommand::All: flag = 1; break;
      case SelectionCommand::Even: flag = evenSeq; break;
      case SelectionCommand::Odd: flag = evenSeq ^ 1; break;
      case SelectionCommand::Invert: flag ^= 1; break;
    }
    selected += flag;
  }
  selectedCount_ = selected;
}

// ---- Deletion ---------------------------------------------------------------

namespace {

// Which entries a delete keeps, and the new index of each: a bit per entry
// and a running count per 64 of them (1/6 of a byte per entry, where a table
// of new indexes takes 4 bytes).
class Survivors {
 public:
  Survivors(const std::vector<uint8_t>& selected, int32_t count)
      : gone_(static_cast<size_t>(count) / 64 + 1, 0), keptBefore_(gone_.size() + 1, 0) {
    for (int32_t entry = 0; entry < count; ++entry)
      gone_[static_cast<size_t>(entry) / 64] |= uint64_t{selected[static_cast<size_t>(entry)]} << (entry % 64);
    for (size_t word = 0; word < gone_.size(); ++word) {
      const int32_t inWord = std::min(64, count - static_cast<int32_t>(word * 64));
      keptBefore_[word + 1] = keptBefore_[word] + std::max(inWord, 0) - std::popcount(gone_[word]);
    }
  }
  int32_t Count() const noexcept { return keptBefore_.back(); }
  bool Kept(int32_t entry) const noexcept { return (gone_[static_cast<size_t>(entry) / 64] >> (entry % 64) & 1) == 0; }
  // The index a kept entry has after the delete.
  int32_t NewIndex(int32_t entry) const noexcept {
    const size_t word = static_cast<size_t>(entry) / 64;
    const uint64_t goneBelow = gone_[word] & ((uint64_t{1} << (entry % 64)) - 1);
    return keptBefore_[word] + entry % 64 - std::popcount(goneBelow);
  }

 private:
  std::vector<uint64_t> gone_;
  std::vector<int32_t> keptBefore_;
};

}  // namespace

int32_t EntryList::DeleteSelected(TZUN_User_Lotto_DBase& database, std::vector<TZUN_Database_Structure>* removed,
                                  std::vector<int32_t>* positions) {
  const int32_t count = database.Entries.size();
  if (selected_.size() < static_cast<size_t>(count)) selected_.resize(static_cast<size_t>(count), 0);
  const Survivors survivors(selected_, count);
  const int32_t deleted = count - survivors.Count();
  if (deleted == 0) return 0;

  if (removed != nullptr) {
    removed->reserve(removed->size() + static_cast<size_t>(deleted));
    if (positions != nullptr) positions->reserve(positions->size() + static_cast<size_t>(deleted));
  }
  const TZUN_Database_Structure* first = database.Entries.data();
  database.Entries.compact([&](TZUN_Database_Structure& record) {
    const int32_t entry = static_cast<int32_t>(&record - first);
    if (survivors.Kept(entry)) return true;
    if (removed != nullptr) {
      removed->push_back(std::move(record));
      if (positions != nullptr) positions->push_back(entry);
    }
    return false;
  });
  size_t kept = 0;
  for (const int32_t entry : order_)
    if (entry >= 0 && entry < count && survivors.Kept(entry)) order_[kept++] = survivors.NewIndex(entry);
  order_.resize(kept);
  order_.shrink_to_fit();
  std::vector<uint8_t>(static_cast<size_t>(survivors.Count()), 0).swap(selected_);
  selectedCount_ = 0;
  return deleted;
}

void EntryList::Truncate(int32_t count) {
  std::erase_if(order_, [count](int32_t entry) { return entry >= count; });
  if (selected_.size() > static_cast<size_t>(count)) selected_.resize(static_cast<size_t>(std::max(count, 0)));
  selectedCount_ = static_cast<int32_t>(std::count(selected_.begin(), selected_.end(), uint8_t{1}));
}

// ---- Texts ------------------------------------------------------------------

std::string EntryList::CellText(const TZUN_User_Lotto_DBase& database, int32_t row, int32_t column) const {
  if (row < 0 || row >= RowCount()) return {};
  return EntryColumnText(database, EntryAt(row), column);
}

std::string EntryColumnText(const TZUN_User_Lotto_DBase& database, int32_t entry, int32_t column) {
  std::string text;
  AppendColumnText(text, database, entry, column);
  return text;
}

}  // namespace zun
