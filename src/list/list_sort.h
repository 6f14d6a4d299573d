#pragma once

// Sorting the entry list by a column's texts. Sorts by "Seq." compare entry
// indexes and need none of this.

#include <cstdint>
#include <span>
#include <string>

#include "model/user_database.h"

namespace zun {

// Column 0 of the list: "Seq.", the entry's position plus one.
inline constexpr int32_t kSeqColumn = 0;

// Appends what `column` shows for `entry`: the caption, the set's entry text
// or the source; nothing for a column or an entry the database does not have
// (or a set the entry lacks), so painting a stale row never fails.
void AppendColumnText(std::string& out, const TZUN_User_Lotto_DBase& database, int32_t entry, int32_t column);

// Sorts entry indexes by the texts of `column` (CompareListText, in the given
// direction); equal texts stand in entry order. Keys are built once per entry
// and freed on return.
void SortByColumnText(const TZUN_User_Lotto_DBase& database, int32_t column, bool ascending,
                      std::span<int32_t> entries);

// Where one entry's row belongs among rows already sorted: its text is made
// once, each probed row's text into a reused buffer.
class RowPlacement {
 public:
  RowPlacement(const TZUN_User_Lotto_DBase& database, int32_t column, bool ascending, int32_t entry);
  // Whether the row showing `other` stands before the placed entry's row.
  bool StandsBefore(int32_t other);

 private:
  const TZUN_User_Lotto_DBase& database_;
  int32_t column_;
  bool ascending_;
  int32_t entry_;
  std::string text_;
  std::string otherText_;
};

}  // namespace zun
