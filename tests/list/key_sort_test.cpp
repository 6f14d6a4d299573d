// The radix sort of the list's packed keys against std::sort, on each path:
// in place only, through scratch memory, and a range too big for the
// scratch split in place first.

#include "list/key_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <random>
#include <vector>

namespace zun {
namespace {

struct Case {
  const char* name;
  size_t count;
  int highBits;         // random bits above the 24 that make each key distinct
  size_t scratchBytes;  // per key
  int sharedTop;        // this many top bits are equal in 9 of 10 keys
};

TEST(KeySort, SortsDistinctKeysAsComparisonsDo) {
  const Case cases[] = {
      {"in place", 100'000, 36, 0, 0},
      {"through scratch", 100'000, 36, 8, 0},
      {"split in place, then through scratch", 100'000, 36, 4, 0},
      {"one range too big for the scratch", 100'000, 36, 4, 12},
      {"few high bits: shared digits cost no pass", 5'000, 3, 8, 0},
      {"millions split on a wide digit", 1'200'000, 36, 4, 0},
      {"small", 200, 36, 8, 0},
  };
  std::mt19937_64 random(7);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<uint64_t> keys(c.count);
    for (size_t i = 0; i < c.count; ++i) {
      uint64_t high = random() >> (64 - c.highBits);
      if (c.sharedTop > 0 && random() % 10 != 0) high &= ~uint64_t{0} >> (64 - c.highBits + c.sharedTop);
      keys[i] = high << 24 | i;
    }
    std::shuffle(keys.begin(), keys.end(), random);
    std::vector<uint64_t> expected = keys;
    std::sort(expected.begin(), expected.end());
    // The scratch the list gives is an int32 array: 4-byte aligned at best.
    std::vector<std::byte> scratch(c.count * c.scratchBytes + 4);
    const int top = 64 - std::countl_zero(expected.back() | 1);
    SortKeys(keys, top, std::span(scratch).subspan(4));
    EXPECT_TRUE(keys == expected);
  }
}

}  // namespace
}  // namespace zun
