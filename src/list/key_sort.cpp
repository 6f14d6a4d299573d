#include "list/key_sort.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstring>
#include <utility>
#include <vector>

#include "base/parallel_slices.h"

namespace zun {
namespace {

// Below this a range is sorted by comparisons.
constexpr size_t kSmallRange = 256;
// From this size a range the scratch holds is sorted through it.
constexpr size_t kThroughScratchFrom = 2048;
// In-place passes take 8 bits, or 11 over ranges of millions, where fewer
// passes matter more than the larger counts.
constexpr int kFlagBits = 8;
constexpr int kWideFlagBits = 11;
constexpr size_t kWideFrom = size_t{1} << 20;
constexpr int kMaxScratchBits = 13;
constexpr size_t kMostDigits = size_t{1} << kWideFlagBits;
// Counts of the most passes (8-bit digits over 64 bits) of the widest digit.
constexpr size_t kMostCounts = (64 / kFlagBits) << kMaxScratchBits;
// Fewer keys than this per core are sorted on one.
constexpr size_t kFewestPerSlice = size_t{1} << 19;

// The scratch has no alignment: keys go in and out of it by memcpy, which
// the compiler turns into plain moves.
uint64_t Load(const std::byte* at) noexcept {
  uint64_t key;
  std::memcpy(&key, at, sizeof key);
  return key;
}
void Store(std::byte* at, uint64_t key) noexcept { std::memcpy(at, &key, sizeof key); }

// Least significant digit first, between the range and the scratch; a digit
// every key shares costs no pass. Digits grow with the range, so the counts
// of a small range stay small.
void SortThroughScratch(uint64_t* keys, size_t count, int top, std::byte* scratch, std::vector<uint32_t>& counts) {
  const int bits = std::clamp(static_cast<int>(std::bit_width(count)) - 4, kFlagBits, kMaxScratchBits);
  const size_t digits = size_t{1} << bits;
  const uint64_t mask = digits - 1;
  const int passes = (top + bits - 1) / bits;
  counts.assign(static_cast<size_t>(passes) * digits, 0);
  for (size_t i = 0; i < count; ++i)
    for (int p = 0; p < passes; ++p) ++counts[static_cast<size_t>(p) * digits + ((keys[i] >> (p * bits)) & mask)];
  auto* const home = reinterpret_cast<std::byte*>(keys);
  std::byte* from = home;
  std::byte* to = scratch;
  for (int p = 0; p < passes; ++p) {
    uint32_t* const next = counts.data() + static_cast<size_t>(p) * digits;
    const int shift = p * bits;
    if (next[(keys[0] >> shift) & mask] == count) continue;
    uint32_t sum = 0;
    for (size_t d = 0; d < digits; ++d) sum += std::exchange(next[d], sum);
    for (size_t i = 0; i < count; ++i) {
      const uint64_t key = Load(from + i * sizeof key);
      Store(to + size_t{next[(key >> shift) & mask]++} * sizeof key, key);
    }
    std::swap(from, to);
  }
  if (from != home) std::memcpy(home, from, count * sizeof(uint64_t));
}

// Splits the keys in place on their top digit, bits [shift, top) with
// shift = max(top - kBits, 0): the keys are permuted cycle by cycle.
// start[d] is where digit d's range begins (start[1 << kBits] the end).
template <int kBits>
void SplitInPlace(uint64_t* first, uint64_t* last, int top, size_t (&start)[(size_t{1} << kBits) + 1]) {
  constexpr size_t kDigits = size_t{1} << kBits;
  const int shift = std::max(top - kBits, 0);
  const uint64_t mask = (uint64_t{1} << (top - shift)) - 1;
  std::fill(start, start + kDigits + 1, size_t{0});
  for (const uint64_t* key = first; key != last; ++key) ++start[((*key >> shift) & mask) + 1];
  for (size_t d = 0; d < kDigits; ++d) start[d + 1] += start[d];
  size_t next[kDigits];
  std::copy(start, start + kDigits, next);
  for (size_t d = 0; d < kDigits; ++d) {
    while (next[d] < start[d + 1]) {
      uint64_t key = first[next[d]];
      auto digit = static_cast<size_t>((key >> shift) & mask);
      while (digit != d) {
        std::swap(key, first[next[digit]++]);
        digit = static_cast<size_t>((key >> shift) & mask);
      }
      first[next[d]++] = key;
    }
  }
}

void SortRange(uint64_t* first, uint64_t* last, int top, std::span<std::byte> scratch, std::vector<uint32_t>& counts);

template <int kBits>
void SplitThenSortEach(uint64_t* first, uint64_t* last, int top, std::span<std::byte> scratch,
                       std::vector<uint32_t>& counts) {
  size_t start[(size_t{1} << kBits) + 1];
  SplitInPlace<kBits>(first, last, top, start);
  if (top <= kBits) return;
  for (size_t d = 0; d < (size_t{1} << kBits); ++d)
    SortRange(first + start[d], first + start[d + 1], top - kBits, scratch, counts);
}

// A range in place, top digit first, until a range fits the scratch.
void SortRange(uint64_t* first, uint64_t* last, int top, std::span<std::byte> scratch, std::vector<uint32_t>& counts) {
  const auto count = static_cast<size_t>(last - first);
  if (count <= kSmallRange || top <= 0) {
    std::sort(first, last);
  } else if (count >= kThroughScratchFrom && count * sizeof(uint64_t) <= scratch.size()) {
    SortThroughScratch(first, count, top, scratch.data(), counts);
  } else if (count >= kWideFrom) {
    SplitThenSortEach<kWideFlagBits>(first, last, top, scratch, counts);
  } else {
    SplitThenSortEach<kFlagBits>(first, last, top, scratch, counts);
  }
}

}  // namespace

void SortKeys(std::span<uint64_t> keys, int top, std::span<std::byte> scratch) {
  uint64_t* const first = keys.data();
  const bool fitsScratch = keys.size() * sizeof(uint64_t) <= scratch.size();
  const unsigned slices = fitsScratch ? 1 : SlicesFor(keys.size(), kFewestPerSlice);
  // Each slice's counts are made before any slice runs: a slice never allocates.
  std::vector<std::vector<uint32_t>> counts(slices);
  for (auto& slice : counts) slice.reserve(kMostCounts);
  if (slices == 1) {
    SortRange(first, first + keys.size(), top, scratch, counts[0]);
    return;
  }
  // Millions of keys: the top digit splits them here, then the cores share
  // the digits' ranges, each with its own share of the scratch.
  size_t start[kMostDigits + 1];
  SplitInPlace<kWideFlagBits>(first, first + keys.size(), top, start);
  if (top <= kWideFlagBits) return;
  const size_t share = scratch.size() / slices;
  std::atomic<size_t> nextDigit{0};
  RunSlices(slices, [&](unsigned slice) {
    const std::span<std::byte> mine = scratch.subspan(slice * share, share);
    for (size_t d; (d = nextDigit++) < kMostDigits;)
      SortRange(first + start[d], first + start[d + 1], top - kWideFlagBits, mine, counts[slice]);
  });
}

}  // namespace zun
