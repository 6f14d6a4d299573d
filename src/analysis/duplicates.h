#pragma once

// Entries played twice: an entry whose numbers equal those of an earlier
// entry in database order, set by set, the order of the numbers within a
// set and the source ignored. Linear in the entries (hashing).

#include <cstdint>
#include <vector>

#include "model/user_database.h"

namespace zun {

struct Duplicate {
  int32_t entry;  // the later entry (database position)
  int32_t first;  // the first entry with the same numbers
  friend bool operator==(const Duplicate&, const Duplicate&) = default;
};

// Every duplicate, in entry order.
std::vector<Duplicate> FindDuplicates(const TZUN_User_Lotto_DBase& database);

}  // namespace zun
