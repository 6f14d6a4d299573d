#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "model/entry_numbers.h"
#include "model/host_memory.h"

namespace zun {
namespace {

EntryNumbers::Shape ShapeOf(std::vector<int32_t> counts) { return EntryNumbers::Shape(counts); }

TEST(EntryNumbers, IsLaidOutAsTheHostReadsAnArrayOfByteArrays) {
  EntryNumbers numbers(ShapeOf({5, 2}));
  numbers[0][4] = 49;
  numbers[1][0] = -3;
  // The host follows: outer reference -> [count][refs...]; each ref -> [count][bytes].
  const auto* outer = static_cast<const int8_t* const*>(numbers.HostReference());
  const auto* outerHeader = reinterpret_cast<const int32_t*>(outer) - 2;
  EXPECT_EQ(outerHeader[0], kOwnedRefCount);
  EXPECT_EQ(outerHeader[1], 2);
  const auto* set0 = reinterpret_cast<const int32_t*>(outer[0]) - 2;
  const auto* set1 = reinterpret_cast<const int32_t*>(outer[1]) - 2;
  EXPECT_EQ(set0[1], 5);
  EXPECT_EQ(set1[1], 2);
  EXPECT_EQ(outer[0][4], 49);
  EXPECT_EQ(outer[1][0], -3);
}

TEST(EntryNumbers, EmptySetsAndEntriesAreNullReferences) {
  EntryNumbers none;
  EXPECT_EQ(none.HostReference(), nullptr);
  EXPECT_EQ(none.size(), 0);
  EntryNumbers noSets(ShapeOf({}));
  EXPECT_EQ(noSets.HostReference(), nullptr);
  EntryNumbers emptySet(ShapeOf({0, 3}));
  const auto* outer = static_cast<const int8_t* const*>(emptySet.HostReference());
  EXPECT_EQ(outer[0], nullptr);
  EXPECT_EQ(emptySet[0].size(), 0u);
  EXPECT_EQ(emptySet[1].size(), 3u);
}

TEST(EntryNumbers, ReshapeKeepsNumbersPresentInBothShapes) {
  EntryNumbers numbers(ShapeOf({3}));
  numbers[0][0] = 7, numbers[0][1] = 8, numbers[0][2] = 9;
  numbers.Reshape(ShapeOf({2, 4}));
  ASSERT_EQ(numbers.size(), 2);
  ASSERT_EQ(numbers[0].size(), 2u);
  EXPECT_EQ(numbers[0][0], 7);
  EXPECT_EQ(numbers[0][1], 8);
  for (int8_t n : numbers[1]) EXPECT_EQ(n, 0) << "new numbers are zero";
  numbers.Reshape(ShapeOf({}));
  EXPECT_EQ(numbers.HostReference(), nullptr);
}

TEST(EntryNumbers, CopiesShareNothing) {
  EntryNumbers a(ShapeOf({6, 1}));
  for (int k = 0; k < 6; ++k) a[0][k] = static_cast<int8_t>(k + 1);
  a[1][0] = 12;
  EntryNumbers b = a;
  EXPECT_EQ(a, b);
  b[0][0] = 40;
  b[1][0] = 3;
  EXPECT_EQ(a[0][0], 1);
  EXPECT_EQ(a[1][0], 12);
  EXPECT_NE(a, b);
  const auto* outerA = static_cast<const int8_t* const*>(a.HostReference());
  const auto* outerB = static_cast<const int8_t* const*>(b.HostReference());
  EXPECT_NE(outerA[1], outerB[1]) << "inner references must point into the copy's own block";
  EntryNumbers c;
  c = std::move(b);
  EXPECT_EQ(b.HostReference(), nullptr);
  EXPECT_EQ(c[0][0], 40);
}

// A batch carves many entries from shared pools; each must still look to the
// host like an entry allocated alone, and live and die on its own. Released
// in any order, a pool must be freed exactly once (the sanitizer build
// reports a leak or a use after free otherwise).
TEST(EntryNumbers, BatchEntriesAreLaidOutAsAloneAndLiveOnTheirOwn) {
  const EntryNumbers::Shape shape = ShapeOf({6, 2});
  const EntryNumbers alone(shape);
  std::vector<EntryNumbers> entries;
  {
    // More than one pool's worth, and one entry fewer than announced.
    EntryNumbers::Batch batch(shape, 20'001);
    for (int i = 0; i < 20'000; ++i) entries.push_back(batch.Next());
  }
  for (int i = 0; i < 20'000; ++i) {
    ASSERT_TRUE(entries[i].HasShape(shape));
    for (int k = 0; k < 6; ++k) entries[i][0][k] = static_cast<int8_t>((i + k) % 100);
    entries[i][1][0] = static_cast<int8_t>(i % 7);
    entries[i][1][1] = static_cast<int8_t>(-(i % 5));
  }
  for (const int i : {0, 6'000, 19'999}) {
    const auto* outer = static_cast<const int8_t* const*>(entries[i].HostReference());
    const auto* outerHeader = reinterpret_cast<const int32_t*>(outer) - 2;
    EXPECT_EQ(outerHeader[0], kOwnedRefCount);
    EXPECT_EQ(outerHeader[1], 2);
    EXPECT_EQ((reinterpret_cast<const int32_t*>(outer[0]) - 2)[1], 6);
    EXPECT_EQ((reinterpret_cast<const int32_t*>(outer[1]) - 2)[1], 2);
    EXPECT_EQ(reinterpret_cast<uintptr_t>(outer) % alignof(void*), 0u) << "references must be aligned";
    EXPECT_EQ(entries[i] == alone, false);
  }
  // Release half, copy and reshape some of the rest, then check that no
  // survivor was touched by what happened to its neighbours.
  for (int i = 0; i < 20'000; i += 2) entries[i] = EntryNumbers();
  for (int i = 1; i < 20'000; i += 6) entries[i] = EntryNumbers(entries[i]);
  for (int i = 3; i < 20'000; i += 6) entries[i].Reshape(ShapeOf({6, 2, 1}));
  for (int i = 1; i < 20'000; i += 2) {
    ASSERT_EQ(entries[i][0][5], static_cast<int8_t>((i + 5) % 100)) << "entry " << i;
    ASSERT_EQ(entries[i][1][1], static_cast<int8_t>(-(i % 5))) << "entry " << i;
  }
  entries.clear();

  EntryNumbers::Batch none(ShapeOf({}), 3);
  EXPECT_EQ(none.Next().HostReference(), nullptr);
  EntryNumbers::Batch beyond(shape, 1);
  const EntryNumbers first = beyond.Next();
  const EntryNumbers second = beyond.Next();  // past the count: allocated alone
  EXPECT_TRUE(second.HasShape(shape));
  EXPECT_NE(first.HostReference(), second.HostReference());
}

TEST(EntryNumbers, RefusesImpossibleShapes) {
  EXPECT_THROW(ShapeOf({3, -1}), std::invalid_argument);
  EntryNumbers numbers(ShapeOf({2}));
  EXPECT_THROW(numbers.at(1), std::out_of_range);
  EXPECT_THROW(numbers.at(-1), std::out_of_range);
}

}  // namespace
}  // namespace zun
