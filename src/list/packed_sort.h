#pragma once

// Sorting the entry list by a column whose texts are made of few distinct
// parts: a set's numbers (each of at most 256 texts, joined by " - ") or
// the source (a handful of file names). Each row becomes one 64-bit key,
// the ranks of its parts' texts followed by its entry index, and the keys
// are sorted in place: 8 bytes per row while it runs, where sorting the
// texts themselves needs 96. That is what lets the whole 6-from-49 space
// (13,983,816 rows) be sorted in 32-bit memory.

#include <cstdint>
#include <span>

#include "model/user_database.h"

namespace zun {

// Sorts entry indexes as SortByColumnText does (the column's texts compared
// by CompareListText in the given direction, equal texts in entry order).
// As many indexes as the database has entries are taken to be every entry
// once, as the list's rows are.
// False, with `entries` untouched, when the column's texts cannot be ranked
// part by part or the ranks do not fit 64 bits: the caller sorts the texts.
bool SortByPackedKeys(const TZUN_User_Lotto_DBase& database, int32_t column, bool ascending,
                      std::span<int32_t> entries);

}  // namespace zun
