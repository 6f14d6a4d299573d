#include <gtest/gtest.h>

#include <cstring>

#include "model/host_memory.h"

namespace zun {
namespace {

// What the host reads before a reference: reference count, then length.
int32_t HostLengthOf(const void* ref) { return static_cast<const int32_t*>(ref)[-1]; }
int32_t HostRefCountOf(const void* ref) { return static_cast<const int32_t*>(ref)[-2]; }

TEST(HostArray, HostSeesExactCountAndAReferenceCountBeforeTheFirstElement) {
  HostArray<int32_t> a;
  EXPECT_EQ(a.data(), nullptr) << "an empty array is a null reference";
  for (int32_t i = 0; i < 10; ++i) a.push_back(i * 7);
  ASSERT_EQ(a.size(), 10);
  EXPECT_GT(a.capacity(), 10) << "spare room is kept for appends";
  EXPECT_EQ(HostLengthOf(a.data()), 10) << "the host sees the count, not the capacity";
  EXPECT_EQ(HostRefCountOf(a.data()), kOwnedRefCount);
  for (int32_t i = 0; i < 10; ++i) EXPECT_EQ(a.data()[i], i * 7);
}

TEST(HostArray, AppendsAreAmortisedConstant) {
  HostArray<int32_t> a;
  int reallocations = 0;
  const int32_t* last = nullptr;
  for (int32_t i = 0; i < 100000; ++i) {
    a.push_back(i);
    if (a.data() != last) ++reallocations;
    last = a.data();
  }
  EXPECT_LT(reallocations, 40) << "capacity must grow geometrically";
  EXPECT_EQ(a[99999], 99999);
}

TEST(HostArray, AppendingACopyOfItsOwnElementSurvivesGrowth) {
  HostArray<HostText> texts;
  texts.push_back(HostText("first"));
  for (int i = 0; i < 100; ++i) texts.push_back(texts[0]);  // grows several times
  EXPECT_EQ(texts.size(), 101);
  EXPECT_EQ(texts[100].view(), "first");
}

TEST(HostArray, ResizeKeepsExistingZeroesNewAndFreesAtZero) {
  HostArray<int32_t> a;
  a.resize(3);
  a[0] = 1, a[1] = 2, a[2] = 3;
  a.resize(5);
  EXPECT_EQ(a[2], 3);
  EXPECT_EQ(a[3], 0);
  EXPECT_EQ(a[4], 0);
  a.resize(2);
  EXPECT_EQ(HostLengthOf(a.data()), 2);
  a.resize(0);
  EXPECT_EQ(a.data(), nullptr);
  EXPECT_THROW(a.resize(-1), std::length_error);
}

TEST(HostArray, CopiesAreDeepAtEveryLevel) {
  HostArray<HostArray<uint8_t>> a;
  a.resize(2);
  a[0].push_back(5);
  a[1].push_back(6);
  HostArray<HostArray<uint8_t>> b = a;
  b[0][0] = 50;
  EXPECT_EQ(a[0][0], 5);
  EXPECT_NE(a[0].data(), b[0].data());
  HostArray<HostArray<uint8_t>> c;
  c = std::move(b);
  EXPECT_EQ(b.data(), nullptr);
  EXPECT_EQ(c[0][0], 50);
}

TEST(HostArray, CompactKeepsOrderInOnePass) {
  HostArray<HostText> texts;
  for (const char* s : {"a", "b", "c", "d", "e"}) texts.push_back(HostText(s));
  texts.compact([](const HostText& t) { return t.view() != "b" && t.view() != "d"; });
  ASSERT_EQ(texts.size(), 3);
  EXPECT_EQ(texts[0].view(), "a");
  EXPECT_EQ(texts[1].view(), "c");
  EXPECT_EQ(texts[2].view(), "e");
}

TEST(HostArray, CheckedAccessRefusesIndexesOutside) {
  HostArray<int32_t> a;
  a.resize(2);
  EXPECT_NO_THROW(a.at(1));
  EXPECT_THROW(a.at(2), std::out_of_range);
  EXPECT_THROW(a.at(-1), std::out_of_range);
}

TEST(HostArray, ReadsAnArrayTheHostAllocatedWithoutOwningIt) {
  // A block laid out by the host: ref count, length, elements.
  int32_t block[2 + 3] = {1, 3, 10, 20, 30};
  const int32_t* ref = block + 2;
  const auto& view = *reinterpret_cast<const HostArray<int32_t>*>(&ref);
  ASSERT_EQ(view.size(), 3);
  EXPECT_EQ(view[2], 30);
  // A negative length from the host reads as empty.
  block[1] = -5;
  EXPECT_EQ(view.size(), 0);
}

TEST(HostText, IsZeroTerminatedWithLengthAndRefCountBefore) {
  HostText t("Lotto649.dat");
  ASSERT_NE(t.data(), nullptr);
  EXPECT_EQ(HostLengthOf(t.data()), 12);
  EXPECT_EQ(HostRefCountOf(t.data()), kOwnedRefCount);
  EXPECT_EQ(t.data()[12], '\0');
  EXPECT_STREQ(t.c_str(), "Lotto649.dat");
  HostText copy = t;
  EXPECT_NE(copy.data(), t.data());
  EXPECT_EQ(copy, t);
  t = "";
  EXPECT_EQ(t.data(), nullptr) << "an empty text is a null reference";
  EXPECT_STREQ(t.c_str(), "");
}

TEST(ShortString, CutsToItsSizeAndNeverTrustsTheLengthByte) {
  ShortString<5> s{};
  s.assign("ABCDEFG");
  EXPECT_EQ(s.Length, 5);
  EXPECT_EQ(s.view(), "ABCDE");
  s.assign("Q");
  EXPECT_EQ(s.view(), "Q");
  EXPECT_EQ(s.Chars[1], 0) << "unused characters are zeroed";
  s.Length = 200;  // as a corrupt file could hold
  EXPECT_EQ(s.view().size(), 5u);
}

TEST(HostArrayRef, WritesIntoTheHostsBlockWithoutOwningIt) {
  // A block as the host lays it out: reference count, length, elements;
  // no header of ours in front, and not from our allocator.
  struct {
    int32_t refCount = 7;
    int32_t length = 3;
    int32_t elements[3] = {0, 0, 0};
  } block;
  {
    HostArrayRef<int32_t> indices(block.elements);
    ASSERT_EQ(indices.size(), 3);
    EXPECT_TRUE(indices.contains(2));
    EXPECT_FALSE(indices.contains(3));
    for (int32_t i = 0; i < indices.size(); ++i) indices[i] = 10 + i;
  }  // going out of scope frees nothing
  EXPECT_EQ(block.elements[2], 12);
  EXPECT_EQ(block.refCount, 7);
  EXPECT_EQ(block.length, 3);
  block.length = -5;
  EXPECT_EQ(HostArrayRef<int32_t>(block.elements).size(), 0) << "a negative count reads as empty";
  EXPECT_EQ(HostArrayRef<int32_t>().size(), 0);
}

}  // namespace
}  // namespace zun
