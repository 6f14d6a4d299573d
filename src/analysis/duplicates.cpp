#include "analysis/duplicates.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <memory>
#include <span>

namespace zun {
namespace {

// An entry's numbers in a form equal entries share: per set its count (one
// byte, or 0xFF and four bytes from 255 on) and its numbers ascending.
class CanonicalKey {
 public:
  std::span<const int8_t> Of(const EntryNumbers& numbers) {
    const int32_t sets = numbers.size();
    size_t length = 0;
    for (int32_t s = 0; s < sets; ++s) length += (numbers[s].size() < 255 ? 1 : 5) + numbers[s].size();
    key_.resize(length);
    int8_t* at = key_.data();
    for (int32_t s = 0; s < sets; ++s) {
      const std::span<const int8_t> set = numbers[s];
      const uint32_t count = static_cast<uint32_t>(set.size());
      if (count < 255) {
        *at++ = static_cast<int8_t>(count);
      } else {
        *at++ = -1;
        std::memcpy(at, &count, 4);
        at += 4;
      }
      if (count != 0) std::memcpy(at, set.data(), count);
      Sort(at, count);
      at += count;
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

// A key of at most this many bytes is its own hash: its bytes and its
// length make one 64-bit value, mixed by a bijection, so equal hashes are
// equal keys.
constexpr size_t kExactKeyBytes = 7;

uint64_t Mix(uint64_t h) {  // invertible: each step is
  h ^= h >> 33;
  h *= 0xff51afd7ed558ccdULL;
  h ^= h >> 33;
  h *= 0xc4ceb9fe1a85ec53ULL;
  return h ^ (h >> 33);
}

uint64_t HashOf(std::span<const int8_t> key) {
  if (key.size() <= kExactKeyBytes) {
    uint64_t packed = uint64_t{key.size()} << 56;
    if (!key.empty()) std::memcpy(&packed, key.data(), key.size());  // little-endian: the low bytes
    return Mix(packed);
  }
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

// 12 bytes, not 16: the hash in two halves.
struct Keyed {
  uint32_t low, high;  // the hash
  int32_t entry;       // -1: an empty slot
};

Keyed KeyedOf(uint64_t hash, int32_t entry) {
  return {static_cast<uint32_t>(hash), static_cast<uint32_t>(hash >> 32), entry};
}

// Ascending entries, by a radix sort of 11-bit digits, as many as the
// largest entry needs: the duplicates are found part by part, in no order.
void SortByEntry(std::vector<Duplicate>& duplicates) {
  if (duplicates.size() < 4096) {
    std::sort(duplicates.begin(), duplicates.end(),
              [](const Duplicate& a, const Duplicate& b) { return a.entry < b.entry; });
    return;
  }
  uint32_t largest = 0;
  for (const Duplicate& d : duplicates) largest = std::max(largest, uint32_t(d.entry));
  constexpr int kDigitBits = 11;
  constexpr uint32_t kDigits = uint32_t{1} << kDigitBits;
  std::vector<Duplicate> other(duplicates.size());
  for (int shift = 0; shift < 32 && (largest >> shift) != 0; shift += kDigitBits) {
    std::vector<size_t> starts(kDigits + 1, 0);
    for (const Duplicate& d : duplicates) ++starts[(uint32_t(d.entry) >> shift & (kDigits - 1)) + 1];
    for (size_t i = 1; i < starts.size(); ++i) starts[i] += starts[i - 1];
    for (const Duplicate& d : duplicates) other[starts[uint32_t(d.entry) >> shift & (kDigits - 1)]++] = d;
    duplicates.swap(other);
  }
}

}  // namespace

std::vector<Duplicate> FindDuplicates(const TZUN_User_Lotto_DBase& database) {
  const int32_t count = database.Entries.size();
  std::vector<Duplicate> duplicates;
  if (count < 2) return duplicates;

  // Every hash, in one pass over the entries. The hash's high bits then
  // split the entries into parts of a few thousand, each small enough for
  // its table to stay in the cache; within a part the entries keep their
  // order, so the first of equal entries is met first.
  const int32_t partBits = std::clamp(static_cast<int32_t>(std::bit_width(uint32_t(count))) - 12, 0, 10);
  const size_t parts = size_t{1} << partBits;
  const auto partOf = [partBits](uint64_t hash) { return partBits == 0 ? 0 : size_t(hash >> (64 - partBits)); };
  CanonicalKey key, other;
  bool allExact = true;
  std::vector<uint64_t> hashes(static_cast<size_t>(count));
  std::vector<size_t> starts(parts + 1, 0);
  for (int32_t e = 0; e < count; ++e) {
    const std::span<const int8_t> bytes = key.Of(database.Entries[e].Numbers);
    allExact = allExact && bytes.size() <= kExactKeyBytes;
    hashes[size_t(e)] = HashOf(bytes);
    ++starts[partOf(hashes[size_t(e)]) + 1];
  }
  size_t largest = 0;
  for (size_t p = 0; p < parts; ++p) {
    largest = std::max(largest, starts[p + 1]);
    starts[p + 1] += starts[p];
  }
  const std::unique_ptr<Keyed[]> sorted(new Keyed[size_t(count)]);  // each written once, below
  {
    std::vector<size_t> next(starts.begin(), starts.end() - 1);
    for (int32_t e = 0; e < count; ++e) sorted[next[partOf(hashes[size_t(e)])]++] = KeyedOf(hashes[size_t(e)], e);
  }
  std::vector<uint64_t>().swap(hashes);

  size_t capacity = 16;
  while (capacity < largest * 2) capacity *= 2;
  std::vector<Keyed> table(capacity);
  for (size_t p = 0; p < parts; ++p) {
    size_t size = 16;
    while (size < (starts[p + 1] - starts[p]) * 2) size *= 2;
    const size_t mask = size - 1;
    std::fill_n(table.begin(), size, Keyed{0, 0, -1});
    for (size_t i = starts[p]; i < starts[p + 1]; ++i) {
      const Keyed entry = sorted[i];
      std::span<const int8_t> mine;  // made at the first equal hash of a long key
      for (size_t at = entry.low & mask;; at = (at + 1) & mask) {
        Keyed& slot = table[at];
        if (slot.entry < 0) {
          slot = entry;
          break;
        }
        if (slot.low != entry.low || slot.high != entry.high) continue;
        if (!allExact) {
          // The hashes of long keys can collide: their keys decide.
          if (mine.data() == nullptr) mine = key.Of(database.Entries[entry.entry].Numbers);
          const std::span<const int8_t> theirs = other.Of(database.Entries[slot.entry].Numbers);
          if (mine.size() != theirs.size() || !std::equal(mine.begin(), mine.end(), theirs.begin())) continue;
        }
        duplicates.push_back({entry.entry, slot.entry});
        break;
      }
    }
  }
  SortByEntry(duplicates);
  return duplicates;
}

}  // namespace zun
