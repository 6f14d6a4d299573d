#include "list/packed_sort.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "base/parallel_slices.h"
#include "list/key_sort.h"
#include "list/list_text.h"
#include "model/entry_text.h"

namespace zun {
namespace {

// Fewer rows than this per core are keyed on one.
constexpr size_t kFewestPerSlice = size_t{1} << 19;
// More distinct sources than this are sorted as texts.
constexpr size_t kMaxDistinctSources = 1 << 16;

// The entries whose keys are written, the i-th into key i: the rows' own, or
// (`shown` empty) every entry in its order.
struct Rows {
  std::span<const int32_t> shown;
  size_t count = 0;
  size_t size() const noexcept { return count; }
  int32_t operator[](size_t i) const noexcept { return shown.empty() ? static_cast<int32_t>(i) : shown[i]; }
};

// Ranks from 1 for texts in CompareListText order; texts that compare equal
// share a rank. Returns the highest rank.
template <class Text>
uint32_t RankTexts(std::vector<std::pair<Text, uint32_t>>& texts, std::vector<uint32_t>& rankOf) {
  std::sort(texts.begin(), texts.end(), [](const auto& a, const auto& b) { return CompareListText(a.first, b.first) < 0; });
  uint32_t rank = 0;
  for (size_t i = 0; i < texts.size(); ++i) {
    if (i == 0 || CompareListText(texts[i - 1].first, texts[i].first) != 0) ++rank;
    rankOf[texts[i].second] = rank;
  }
  return rank;
}

bool FoldsAboveBlank(std::string_view text) {
  // The parts are joined by " - ": a part ranks as its joined text sorts
  // only when the blank after it sorts before any character of a longer part.
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) > ' '; });
}

// The ranks of a set's numbers by their texts, for keys of `most` parts.
struct NumberRanks {
  uint8_t rank[256] = {};  // 0: a number not ranked
  int bits = 0;
  size_t most = 0;
};

// Ranks the numbers marked in `present`; false when one's text cannot be a part.
bool RankNumbers(const Lotto_Numbers_Framework& numberSet, const bool (&present)[256], NumberRanks& ranks) {
  std::vector<std::pair<std::string, uint32_t>> texts;
  for (uint32_t slot = 0; slot < 256; ++slot) {
    if (!present[slot]) continue;
    std::string text;
    const int8_t one[] = {static_cast<int8_t>(static_cast<int32_t>(slot) - 128)};
    AppendSetText(text, numberSet, one);
    if (!FoldsAboveBlank(text)) return false;
    texts.emplace_back(std::move(text), slot);
  }
  std::vector<uint32_t> rankOf(256, 0);
  ranks.bits = static_cast<int>(std::bit_width(RankTexts(texts, rankOf)));
  for (size_t slot = 0; slot < 256; ++slot) ranks.rank[slot] = static_cast<uint8_t>(rankOf[slot]);
  return true;
}

// Writes keys [begin, end); false, part way, at a number without a rank or
// an entry of more numbers than `most`.
bool WriteNumberKeysIn(const TZUN_User_Lotto_DBase& database, int32_t set, bool ascending, const Rows& entries,
                       int entryBits, const NumberRanks& ranks, uint64_t* keys, size_t begin, size_t end) {
  const int rankBits = static_cast<int>(ranks.most) * ranks.bits;
  const uint64_t rankMask = rankBits == 0 ? 0 : ~uint64_t{0} >> (64 - rankBits);
  for (size_t i = begin; i < end; ++i) {
    const EntryNumbers& numbers = database.Entries[entries[i]].Numbers;
    const std::span<const int8_t> held = set < numbers.size() ? numbers[set] : std::span<const int8_t>{};
    if (held.size() > ranks.most) return false;
    uint64_t key = 0;
    for (size_t p = 0; p < ranks.most; ++p) {  // a shorter text: its missing parts rank 0, before any part
      uint32_t rank = 0;
      if (p < held.size()) {
        rank = ranks.rank[static_cast<uint8_t>(held[p] + 128)];
        if (rank == 0) return false;
      }
      key = (key << ranks.bits) | rank;
    }
    if (!ascending) key = ~key & rankMask;
    keys[i] = (rankBits == 0 ? 0 : key << entryBits) | static_cast<uint64_t>(entries[i]);
  }
  return true;
}

// Writes the keys, millions of them on all cores: reading the entries is
// most of a sort's time.
bool WriteNumberKeys(const TZUN_User_Lotto_DBase& database, int32_t set, bool ascending, const Rows& entries,
                     int entryBits, const NumberRanks& ranks, uint64_t* keys) {
  const size_t count = entries.size();
  const unsigned slices = SlicesFor(count, kFewestPerSlice);
  bool written[kMostSlices] = {};
  RunSlices(slices, [&](unsigned slice) {
    written[slice] = WriteNumberKeysIn(database, set, ascending, entries, entryBits, ranks, keys,
                                       count * slice / slices, count * (slice + 1) / slices);
  });
  return std::all_of(written, written + slices, [](bool done) { return done; });
}

// The ranks of a set's numbers, each number's part of the text: first those
// of the set's range and count, which valid entries keep to (no pass over
// the entries); when an entry does not, those the entries hold.
bool NumberKeys(const TZUN_User_Lotto_DBase& database, int32_t set, bool ascending, const Rows& entries, int entryBits,
                uint64_t* keys) {
  const auto& numberSet = database.NumberSets[set];
  const auto& grid = numberSet.Grid;
  // Row labels listed column by column reorder and drop numbers: not parts.
  if (!grid.Columns.LabelsOn() && grid.Rows.LabelsOn() && !grid.Rows.InEntryOrder) return false;
  const auto fits = [&](const NumberRanks& ranks) {
    return static_cast<int>(ranks.most) * ranks.bits + entryBits <= 64;
  };
  bool present[256] = {};
  NumberRanks ranks;
  for (int32_t n = std::max(numberSet.LowestNumber, -128); n <= std::min(numberSet.HighestNumber, 127); ++n)
    present[static_cast<uint8_t>(n + 128)] = true;
  ranks.most = static_cast<size_t>(std::max(numberSet.NumberCount, 0));
  if (RankNumbers(numberSet, present, ranks) && fits(ranks) &&
      WriteNumberKeys(database, set, ascending, entries, entryBits, ranks, keys))
    return true;

  std::fill(std::begin(present), std::end(present), false);
  ranks = NumberRanks{};
  for (size_t i = 0; i < entries.size(); ++i) {
    const EntryNumbers& numbers = database.Entries[entries[i]].Numbers;
    if (set >= numbers.size()) continue;
    const auto held = numbers[set];
    ranks.most = std::max(ranks.most, held.size());
    for (const int8_t n : held) present[static_cast<uint8_t>(n + 128)] = true;
  }
  return RankNumbers(numberSet, present, ranks) && fits(ranks) &&
         WriteNumberKeys(database, set, ascending, entries, entryBits, ranks, keys);
}

// The rank of each entry's source among the distinct sources.
bool SourceKeys(const TZUN_User_Lotto_DBase& database, bool ascending, const Rows& entries, int entryBits,
                uint64_t* keys) {
  // First each key holds the id of its source in order of appearance.
  std::unordered_map<std::string_view, uint32_t> ids;
  std::vector<std::pair<std::string_view, uint32_t>> texts;
  std::string_view last;
  uint32_t lastId = 0;
  for (size_t i = 0; i < entries.size(); ++i) {
    const std::string_view source = database.Entries[entries[i]].Source.view();
    if (texts.empty() || source != last) {  // neighbours mostly share a source: no lookup then
      const auto [at, added] = ids.try_emplace(source, static_cast<uint32_t>(texts.size()));
      if (added) {
        if (texts.size() == kMaxDistinctSources) return false;
        texts.emplace_back(source, at->second);
      }
      last = source;
      lastId = at->second;
    }
    keys[i] = uint64_t{lastId} << 32 | static_cast<uint32_t>(entries[i]);
  }
  std::vector<uint32_t> rankOf(texts.size(), 0);
  const int bits = static_cast<int>(std::bit_width(RankTexts(texts, rankOf)));
  if (bits + entryBits > 64) return false;
  const uint64_t rankMask = ~uint64_t{0} >> (64 - bits);
  for (size_t i = 0; i < entries.size(); ++i) {
    uint64_t rank = rankOf[static_cast<size_t>(keys[i] >> 32)];
    if (!ascending) rank = ~rank & rankMask;
    keys[i] = rank << entryBits | static_cast<uint32_t>(keys[i]);
  }
  return true;
}

}  // namespace

bool SortByPackedKeys(const TZUN_User_Lotto_DBase& database, int32_t column, bool ascending,
                      std::span<int32_t> entries) {
  const int32_t setCount = database.NumberSets.size();
  if (column < 1 || column > setCount + 1 || entries.empty()) return false;
  // As many rows as entries: the list's rows, every entry once, as the
  // "Seq." sort takes them too. Each key holds its entry, so where a key
  // starts does not matter, and the keys are written in entry order: the
  // records are read front to back, not at random as a sorted list shows
  // them.
  const bool everyEntry = entries.size() == static_cast<size_t>(database.Entries.size());
  int32_t highest = static_cast<int32_t>(entries.size()) - 1;
  if (!everyEntry) {
    highest = 0;
    for (const int32_t entry : entries) {
      if (!database.Entries.contains(entry)) return false;
      highest = std::max(highest, entry);
    }
  }
  const int entryBits = std::max(static_cast<int>(std::bit_width(static_cast<uint32_t>(highest))), 1);
  const Rows rows{.shown = everyEntry ? std::span<const int32_t>() : entries, .count = entries.size()};
  const std::unique_ptr<uint64_t[]> keys(new uint64_t[entries.size()]);  // every key is written below
  const bool packed = column <= setCount ? NumberKeys(database, column - 1, ascending, rows, entryBits, keys.get())
                                         : SourceKeys(database, ascending, rows, entryBits, keys.get());
  if (!packed) return false;
  // Keys already in the order asked for, or in the opposite one, cost one
  // pass instead of a sort. Otherwise the entries' own array, rewritten from
  // the keys at the end, is the sort's scratch.
  const std::span<uint64_t> sorted(keys.get(), entries.size());
  if (std::is_sorted(sorted.begin(), sorted.end(), std::greater<>()))
    std::reverse(sorted.begin(), sorted.end());
  else if (!std::is_sorted(sorted.begin(), sorted.end()))
    SortKeys(sorted, 64 - std::countl_zero(*std::max_element(sorted.begin(), sorted.end()) | 1),
             std::as_writable_bytes(entries));
  const uint64_t entryMask = (uint64_t{1} << entryBits) - 1;
  for (size_t i = 0; i < entries.size(); ++i) entries[i] = static_cast<int32_t>(keys[i] & entryMask);
  return true;
}

}  // namespace zun
