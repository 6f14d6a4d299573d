#pragma once

// Sorting distinct 64-bit keys (the entry list's packed sort keys) by their
// digits. A range larger than the scratch memory is split in place, most
// significant digit first; a range the scratch holds is sorted through it,
// least significant digit first, which reads and writes each key once per
// digit instead of swapping it along cycles. Nothing is allocated beyond
// the counts of one pass.

#include <cstddef>
#include <cstdint>
#include <span>

namespace zun {

// Sorts `keys` ascending. Every key's bits from `top` up are equal (top is
// at most 64). `scratch` (any alignment, possibly empty) is overwritten.
void SortKeys(std::span<uint64_t> keys, int top, std::span<std::byte> scratch);

}  // namespace zun
