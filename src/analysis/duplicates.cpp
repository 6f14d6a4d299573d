#include "analysis/duplicates.h"

#include <algorithm>
#include <cstring>
#include <span>

namespace zun {
namespace {

// An entry's numbers in a form equal entries share: per set its count (4
// bytes) and its numbers ascending.
class CanonicalKey {
 public:
  std::span<const int8_t> Of(const EntryNumbers& numbers) {
    const int32_t sets = numbers.size();
    size_t length = 0;
    for (int32_t s = 0; s < sets; ++s) length += 4 + numbers[s].size();
    key_.resize(length);
    int8_t* at = key_.data();
    for (int32_t s = 0; s < sets; ++s) {
      const std::span<const int8_t> set = numbers[s];
      const uint32_t count = static_cast<uint32_t>(set.size());
      std::memcpy(at, &count, 4);
      at += 4;
      if (!set.empty()) std::memcpy(at, set.data(), set.size());
      Sort(at, set.size());
      at += set.size();
    }
    return key_;
  }

 private:
  // Sets hold a few numbers: an insertion sort beats std::sort on them.
  static void Sort(int8_t* numbers, size_t count) {
    if (count > 16) {
      std::sort(numbers, numbers + count);
      return;
    }
    for (size_t i = 1; i < count; ++i) {
      const int8_t n = numbers[i];
      size_t j = i;
      for (; j > 0 && numbers[j - 1] > n; --j) numbers[j] = numbers[j - 1];
      numbers[j] = n;
    }
  }

  std::vector<int8_t> key_;
};

uint64_t Mix(uint64_t h) {
  h ^= h >> 33;
  h *= 0xff51afd7ed558ccdULL;
  h ^= h >> 33;
  h *= 0xc4ceb9fe1a85ec53ULL;
  return h ^ (h >> 33);
}

uint64_t HashOf(std::span<const int8_t> key) {
  uint64_t h = key.size();
  size_t i = 0;
  for (; i + 8 <= key.size(); i += 8) {
    uint64_t word;
    std::memcpy(&word, key.data() + i, 8);
    h = (h ^ word) * 0x9E3779B97F4A7C15ULL;
  }
  uint64_t rest = 0;
  if (i < key.size()) std::memcpy(&rest, key.data() + i, key.size() - i);
  return Mix(h ^ rest);
}

struct Slot {
  uint32_t tag;   // the hash's high half
  int32_t entry;  // -1: empty
};

}  // namespace

std::vector<Duplicate> FindDuplicates(const TZUN_User_Lotto_DBase& database) {
  const int32_t count = database.Entries.size();
  std::vector<Duplicate> duplicates;
  if (count < 2) return duplicates;

  // First every hash, in one pass over the entries; then the table, whose
  // slots are looked up a few entries ahead so that their cache misses
  // overlap.
  CanonicalKey key, other;
  std::vector<uint64_t> hashes(static_cast<size_t>(count));
  for (int32_t e = 0; e < count; ++e) hashes[size_t(e)] = HashOf(key.Of(database.Entries[e].Numbers));

  size_t capacity = 16;
  while (capacity < size_t(count) * 2) capacity *= 2;
  const size_t mask = capacity - 1;
  std::vector<Slot> table(capacity, Slot{0, -1});
  constexpr int32_t kAhead = 8;
  for (int32_t e = 0; e < count; ++e) {
    if (e + kAhead < count) __builtin_prefetch(&table[hashes[size_t(e + kAhead)] & mask]);
    const uint64_t hash = hashes[size_t(e)];
    const uint32_t tag = static_cast<uint32_t>(hash >> 32);
    std::span<const int8_t> mine;  // made at the first equal tag
    for (size_t at = hash & mask;; at = (at + 1) & mask) {
      Slot& slot = table[at];
      if (slot.entry < 0) {
        slot = {tag, e};
        break;
      }
      if (slot.tag != tag) continue;
      if (mine.data() == nullptr) mine = key.Of(database.Entries[e].Numbers);
      const std::span<const int8_t> theirs = other.Of(database.Entries[slot.entry].Numbers);
      if (mine.size() == theirs.size() && std::equal(mine.begin(), mine.end(), theirs.begin())) {
        duplicates.push_back({e, slot.entry});
        break;
      }
    }
  }
  return duplicates;
}

}  // namespace zun
