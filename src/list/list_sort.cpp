#include "list/list_sort.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>
#include <memory>
#include <numeric>
#include <string_view>
#include <utility>
#include <vector>

#include "list/list_text.h"
#include "list/packed_sort.h"
#include "model/entry_text.h"

namespace zun {
namespace {

// A text compares in chunks of 32 folded bytes held in four integers (the
// text of up to 7 two-digit numbers fits one), so the sort never touches the
// texts. Rows whose chunks tie are sorted again on their next chunk, read
// from the arena.
constexpr size_t kWords = 4;
constexpr size_t kChunk = 8 * kWords;

// For a descending sort the chunk and its rank are stored inverted, so one
// ascending order of (words, rank, entry) serves both directions and
// equal texts stay in entry ("Seq.") order in either.
struct SortKey {
  uint64_t words[kWords];  // the chunk's bytes, big-endian, zero-padded
  uint32_t rank;           // see ChunkRank
  int32_t entry;
  uint32_t rest;    // where the bytes after this chunk start in the arena
  uint32_t length;  // bytes from this chunk's start to the text's end
};

// Zero padding cannot tell "AB" from "AB\0"; the length can: a text that ends
// within the chunk sorts before a longer one, and kChunk + 1 stands for
// "goes on".
uint32_t ChunkRank(uint32_t length) noexcept { return std::min<uint32_t>(length, kChunk + 1); }

unsigned char Folded(unsigned char c) noexcept { return (c >= 'a' && c <= 'z') ? c - ('a' - 'A') : c; }

uint64_t PackBigEndian(const unsigned char* bytes, size_t count) noexcept {
  unsigned char padded[8] = {};
  if (count < 8) {
    std::memcpy(padded, bytes, count);
    bytes = padded;
  }
  uint64_t packed;
  std::memcpy(&packed, bytes, 8);
  if constexpr (std::endian::native == std::endian::little) packed = __builtin_bswap64(packed);
  return packed;
}

void PackChunk(SortKey& key, const unsigned char* bytes, bool ascending) noexcept {
  const size_t count = std::min<size_t>(key.length, kChunk);
  for (size_t w = 0; w < kWords; ++w) {
    const size_t from = 8 * w;
    key.words[w] = count > from ? PackBigEndian(bytes + from, std::min<size_t>(count - from, 8)) : 0;
    if (!ascending) key.words[w] = ~key.words[w];
  }
  key.rank = ChunkRank(key.length);
  if (!ascending) key.rank = kChunk + 1 - key.rank;
}

bool KeyBefore(const SortKey& a, const SortKey& b) noexcept {
  for (size_t w = 0; w < kWords; ++w)
    if (a.words[w] != b.words[w]) return a.words[w] < b.words[w];
  if (a.rank != b.rank) return a.rank < b.rank;
  return a.entry < b.entry;
}

// Least significant digit first: the rank, then the chunk in 16-bit digits.
constexpr int kPasses = 1 + 4 * kWords;
constexpr size_t kDigits = 1 << 16;

uint32_t Digit(const SortKey& key, int pass) noexcept {
  if (pass == 0) return key.rank;
  const uint64_t word = key.words[kWords - 1 - (pass - 1) / 4];
  return static_cast<uint32_t>(word >> (16 * ((pass - 1) % 4))) & 0xFFFF;
}

// The radix sort's second buffer, made once per sort.
struct SpareKeys {
  std::unique_ptr<SortKey[]> keys;
  size_t size = 0;

  void Reserve(size_t count) {
    if (size >= count) return;
    keys.reset();
    keys.reset(new SortKey[count]);  // left uninitialised: every slot is written before it is read
    size = count;
  }
};

// A stable radix sort on (words, rank): keys that come in entry order
// leave in the order KeyBefore gives, in linear time. Passes whose digit is
// the same for every key are skipped.
void RadixSort(SortKey* first, SortKey* last, SpareKeys& spare) {
  const auto count = static_cast<size_t>(last - first);
  spare.Reserve(count);
  std::vector<uint32_t> histograms(kPasses * kDigits, 0);
  for (const SortKey* key = first; key != last; ++key)
    for (int pass = 0; pass < kPasses; ++pass) ++histograms[pass * kDigits + Digit(*key, pass)];
  SortKey* from = first;
  SortKey* to = spare.keys.get();
  for (int pass = 0; pass < kPasses; ++pass) {
    uint32_t* slots = &histograms[pass * kDigits];
    if (slots[Digit(*first, pass)] == count) continue;
    uint32_t next = 0;
    for (size_t digit = 0; digit < kDigits; ++digit) next += std::exchange(slots[digit], next);
    for (const SortKey* key = from; key != from + count; ++key) to[slots[Digit(*key, pass)]++] = *key;
    std::swap(from, to);
  }
  if (from != first) std::copy(from, from + count, first);
}

bool SameChunk(const SortKey& a, const SortKey& b) noexcept {
  return a.rank == b.rank && std::equal(a.words, a.words + kWords, b.words);
}

// A column of few distinct chunks (sources: a handful of file names) sorts by
// counting: each key gets the id of its chunk from a small hash table, the
// distinct chunks are sorted, and one stable pass places the keys. False,
// with the keys untouched, when there are too many distinct chunks.
bool CountingSort(SortKey* first, SortKey* last, SpareKeys& spare) {
  constexpr size_t kMaxDistinct = 1024;
  constexpr size_t kSlots = 4 * kMaxDistinct;  // a power of two, at most a quarter full
  const auto count = static_cast<size_t>(last - first);
  std::vector<int32_t> table(kSlots, -1);
  std::vector<const SortKey*> distinct;
  std::vector<uint16_t> idOf(count);
  for (size_t i = 0; i < count; ++i) {
    const SortKey& key = first[i];
    uint64_t hash = key.rank;
    for (const uint64_t word : key.words) hash = (hash ^ word) * 0x9E3779B97F4A7C15ull;
    size_t slot = static_cast<size_t>(hash >> 40) & (kSlots - 1);
    while (table[slot] >= 0 && !SameChunk(*distinct[static_cast<size_t>(table[slot])], key))
      slot = (slot + 1) & (kSlots - 1);
    if (table[slot] < 0) {
      if (distinct.size() == kMaxDistinct) return false;
      table[slot] = static_cast<int32_t>(distinct.size());
      distinct.push_back(&key);
    }
    idOf[i] = static_cast<uint16_t>(table[slot]);
  }
  std::vector<uint16_t> byChunk(distinct.size());
  std::iota(byChunk.begin(), byChunk.end(), uint16_t{0});
  std::sort(byChunk.begin(), byChunk.end(), [&](uint16_t a, uint16_t b) {
    return !SameChunk(*distinct[a], *distinct[b]) && KeyBefore(*distinct[a], *distinct[b]);
  });
  std::vector<uint32_t> start(distinct.size() + 1, 0);  // by id: where its keys go
  for (const uint16_t id : idOf) ++start[id];
  uint32_t next = 0;
  for (const uint16_t id : byChunk) next += std::exchange(start[id], next);
  spare.Reserve(count);
  for (size_t i = 0; i < count; ++i) spare.keys[start[idOf[i]]++] = first[i];
  std::copy(spare.keys.get(), spare.keys.get() + count, first);
  return true;
}

// Below this the histograms cost more than comparisons do.
constexpr ptrdiff_t kRadixFrom = 1 << 15;

// Keys must come in entry order when the radix sort is used.
void SortKeys(SortKey* first, SortKey* last, SpareKeys& spare) {
  if (last - first < kRadixFrom)
    std::sort(first, last, KeyBefore);
  else if (!CountingSort(first, last, spare))
    RadixSort(first, last, spare);
}

bool SameChunkGoingOn(const SortKey& a, const SortKey& b) noexcept {
  return SameChunk(a, b) && a.length > kChunk && b.length > kChunk;
}

// After a sort, runs of keys whose chunks are equal and go on stand in entry
// order; they are sorted again on their next chunk.
void RefineTies(SortKey* first, SortKey* last, const unsigned char* arena, bool ascending, SpareKeys& spare) {
  for (SortKey* run = first; run != last;) {
    SortKey* end = run + 1;
    while (end != last && SameChunkGoingOn(*run, *end)) ++end;
    if (end - run > 1) {
      for (SortKey* key = run; key != end; ++key) {
        key->length -= kChunk;
        PackChunk(*key, arena + key->rest, ascending);
        key->rest += static_cast<uint32_t>(std::min<size_t>(key->length, kChunk));
      }
      SortKeys(run, end, spare);
      RefineTies(run, end, arena, ascending, spare);
    }
    run = end;
  }
}

// The entries in ascending order, in linear time when they are the dense
// range a list holds.
std::vector<int32_t> InEntryOrder(std::span<const int32_t> entries) {
  std::vector<int32_t> sorted;
  sorted.reserve(entries.size());
  const auto [low, high] = std::minmax_element(entries.begin(), entries.end());
  if (low != entries.end() && *low >= 0 && static_cast<size_t>(*high) < 2 * entries.size() + 64) {
    std::vector<uint8_t> present(static_cast<size_t>(*high) + 1, 0);
    for (const int32_t entry : entries) present[static_cast<size_t>(entry)] = 1;
    for (size_t entry = 0; entry < present.size(); ++entry)
      if (present[entry]) sorted.push_back(static_cast<int32_t>(entry));
    if (sorted.size() == entries.size()) return sorted;  // else some entry came twice
    sorted.clear();
  }
  sorted.assign(entries.begin(), entries.end());
  std::sort(sorted.begin(), sorted.end());
  return sorted;
}

void AppendCaption(std::string& out, int32_t entry) { out += std::to_string(int64_t{entry} + 1); }

// Writes one column's texts for many entries, folded for comparison. A
// set's text is its numbers' texts joined by " - ", so each of the 256
// possible numbers is formatted and folded once; a set whose row labels are
// listed column by column reorders and drops numbers, and is formatted in
// full.
class FoldedTextWriter {
 public:
  FoldedTextWriter(const TZUN_User_Lotto_DBase& database, int32_t column) : database_(database), column_(column) {
    const int32_t set = column - 1;
    if (set < 0 || set >= database.NumberSets.size()) return;
    const auto& grid = database.NumberSets[set].Grid;
    if (!grid.Columns.LabelsOn() && grid.Rows.LabelsOn() && !grid.Rows.InEntryOrder) return;
    joined_ = true;
    for (int number = -128; number < 128; ++number) {
      const int8_t one[] = {static_cast<int8_t>(number)};
      start_[Slot(one[0])] = static_cast<uint32_t>(numberTexts_.size());
      AppendSetText(numberTexts_, database.NumberSets[set], one);
    }
    start_[256] = static_cast<uint32_t>(numberTexts_.size());
    Fold(numberTexts_.data(), numberTexts_.size());
    // Labels are at most 5 characters and plain numbers 4, so every number
    // with its separator fits a cell of 8 bytes, copied as one word.
    cells_.assign(256 * kCell + kCell, ' ');
    for (size_t slot = 0; slot < 256; ++slot) {
      const size_t length = start_[slot + 1] - start_[slot];
      if (length > kCell - 3) {
        cells_.clear();
        break;
      }
      std::memcpy(&cells_[slot * kCell], " - ", 3);
      std::memcpy(&cells_[slot * kCell + 3], numberTexts_.data() + start_[slot], length);
    }
  }

  // The entry's folded text, valid until the next call.
  std::string_view Write(int32_t entry) {
    const int32_t set = column_ - 1;
    if (!joined_ || !database_.Entries.contains(entry) || set >= database_.Entries[entry].Numbers.size()) {
      std::string& out = text_;
      out.clear();
      AppendColumnText(out, database_, entry, column_);
      Fold(out.data(), out.size());
      return out;
    }
    const auto numbers = database_.Entries[entry].Numbers[set];
    if (!cells_.empty() && !numbers.empty()) {
      // A plain buffer: this runs once per row of a sort.
      if (cellText_.size() < numbers.size() * kCell + kCell) cellText_.resize(numbers.size() * kCell + kCell);
      char* const start = cellText_.data();
      char* at = start;
      const size_t firstSlot = Slot(numbers[0]);
      std::memcpy(at, &cells_[firstSlot * kCell + 3], kCell);  // reads into the next cell; there is one
      at += start_[firstSlot + 1] - start_[firstSlot];
      for (size_t i = 1; i < numbers.size(); ++i) {
        const size_t slot = Slot(numbers[i]);
        std::memcpy(at, &cells_[slot * kCell], kCell);
        at += 3 + start_[slot + 1] - start_[slot];
      }
      return {start, static_cast<size_t>(at - start)};
    }
    std::string& out = text_;
    out.clear();
    size_t longest = 0;
    for (const int8_t number : numbers)
      longest = std::max<size_t>(longest, start_[Slot(number) + 1] - start_[Slot(number)]);
    out.resize(numbers.size() * (longest + 3));
    char* at = out.data();
    for (size_t i = 0; i < numbers.size(); ++i) {
      if (i != 0) {
        std::memcpy(at, " - ", 3);
        at += 3;
      }
      const size_t slot = Slot(numbers[i]);
      const size_t length = start_[slot + 1] - start_[slot];
      std::memcpy(at, numberTexts_.data() + start_[slot], length);
      at += length;
    }
    out.resize(static_cast<size_t>(at - out.data()));
    return out;
  }

 private:
  static constexpr size_t kCell = 8;
  static size_t Slot(int8_t number) noexcept { return static_cast<size_t>(number + 128); }
  static void Fold(char* text, size_t length) noexcept {
    for (size_t i = 0; i < length; ++i) text[i] = static_cast<char>(Folded(static_cast<unsigned char>(text[i])));
  }

  const TZUN_User_Lotto_DBase& database_;
  int32_t column_;
  bool joined_ = false;
  std::string numberTexts_;
  uint32_t start_[257] = {};
  std::vector<char> cells_;  // per number " - " and its text; empty when one is too long
  std::vector<char> cellText_;
  std::string text_;
};

}  // namespace

void AppendColumnText(std::string& out, const TZUN_User_Lotto_DBase& database, int32_t entry, int32_t column) {
  if (!database.Entries.contains(entry)) return;
  const int32_t setCount = database.NumberSets.size();
  if (column == kSeqColumn) {
    AppendCaption(out, entry);
  } else if (column >= 1 && column <= setCount) {
    const auto& numbers = database.Entries[entry].Numbers;
    if (column - 1 < numbers.size()) AppendSetText(out, database.NumberSets[column - 1], numbers[column - 1]);
  } else if (column == setCount + 1) {
    out += database.Entries[entry].Source.view();
  }
}

void SortByColumnText(const TZUN_User_Lotto_DBase& database, int32_t column, bool ascending,
                      std::span<int32_t> entries) {
  if (SortByPackedKeys(database, column, ascending, entries)) return;
  const size_t count = entries.size();
  const std::unique_ptr<SortKey[]> keys(new SortKey[count]);  // every key is written below
  {
    const std::vector<int32_t> sorted = InEntryOrder(entries);
    // The arena holds each text's bytes after its first chunk; in 32-bit
    // memory it cannot outgrow a 32-bit offset.
    std::vector<unsigned char> arena;
    FoldedTextWriter writer(database, column);
    for (size_t i = 0; i < sorted.size(); ++i) {
      const std::string_view text = writer.Write(sorted[i]);
      SortKey& key = keys[i];
      key.entry = sorted[i];
      key.length = static_cast<uint32_t>(text.size());
      PackChunk(key, reinterpret_cast<const unsigned char*>(text.data()), ascending);
      key.rest = static_cast<uint32_t>(arena.size());
      if (text.size() > kChunk) {
        if (arena.empty()) arena.reserve(count * (text.size() - kChunk));
        arena.resize(key.rest + text.size() - kChunk);
        std::memcpy(&arena[key.rest], text.data() + kChunk, text.size() - kChunk);
      }
    }
    SpareKeys spare;
    SortKeys(keys.get(), keys.get() + count, spare);
    RefineTies(keys.get(), keys.get() + count, arena.data(), ascending, spare);
  }
  for (size_t i = 0; i < count; ++i) entries[i] = keys[i].entry;
}

RowPlacement::RowPlacement(const TZUN_User_Lotto_DBase& database, int32_t column, bool ascending, int32_t entry)
    : database_(database), column_(column), ascending_(ascending), entry_(entry) {
  if (column_ != kSeqColumn) AppendColumnText(text_, database_, entry_, column_);
}

bool RowPlacement::StandsBefore(int32_t other) {
  if (column_ != kSeqColumn) {
    otherText_.clear();
    AppendColumnText(otherText_, database_, other, column_);
    const int order = CompareListText(otherText_, text_);
    if (order != 0) return (order < 0) == ascending_;
  } else if (other != entry_) {
    return (other < entry_) == ascending_;
  }
  return other < entry_;
}

}  // namespace zun
