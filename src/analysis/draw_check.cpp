#include "analysis/draw_check.h"

#include <algorithm>
#include <bit>
#include <climits>
#include <stdexcept>

#include "base/texts.h"
#include "base/thousands.h"

namespace zun {
namespace {

// The pair loop counts bits with the processor's POPCNT where it has one
// (nearly all do): the loops below are compiled twice, once for it, and
// chosen at run time. Without it a 64-bit count is a dozen instructions.
#if (defined(__GNUC__) || defined(__clang__)) && (defined(__i386__) || defined(__x86_64__))
#define ZUN_POPCNT_TARGET __attribute__((target("popcnt")))
bool ProcessorCountsBits() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("popcnt");
}
#else
#define ZUN_POPCNT_TARGET
bool ProcessorCountsBits() { return false; }
#endif
#define ZUN_ALWAYS_INLINE __attribute__((always_inline)) inline
// A builtin, not std::popcount: it must expand inside the caller compiled
// for POPCNT.
#define ZUN_COUNT_BITS(word) static_cast<uint32_t>(__builtin_popcountll(word))

// A lookup table of more cells than this is not worth filling: the
// divisions are scanned instead.
constexpr int64_t kMaxLookupCells = int64_t{1} << 16;
// At most this many entries, and about this many pairs, between two looks
// at `cancel`.
constexpr size_t kEntriesPerBlock = 4096;
constexpr size_t kPairsPerBlock = size_t{1} << 22;

void SetBit(NumberMask& mask, int32_t n) noexcept {
  if (n < 64)
    mask.low |= uint64_t{1} << n;
  else
    mask.high |= uint64_t{1} << (n - 64);
}

bool HasBit(const NumberMask& mask, int32_t n) noexcept {
  if (n < 0 || n > 127) return false;
  return n < 64 ? (mask.low >> n) & 1 : (mask.high >> (n - 64)) & 1;
}

NumberMask Both(const NumberMask& a, const NumberMask& b) noexcept { return {a.low & b.low, a.high & b.high}; }

int32_t CountOf(const NumberMask& mask) noexcept {
  return __builtin_popcountll(mask.low) + __builtin_popcountll(mask.high);
}

// The numbers of a set's range that have a bit.
NumberMask RangeMask(const Lotto_Numbers_Framework& set) noexcept {
  NumberMask mask;
  const int32_t high = std::min(set.HighestNumber, 127);
  for (int32_t n = std::max(set.LowestNumber, 0); n <= high; ++n) SetBit(mask, n);
  return mask;
}

// The chart's cells of a set: LowestNumber up to the highest number with a
// bit. A range reaching far below 0 is damage; its chart stays empty.
size_t ChartCells(const Lotto_Numbers_Framework& set) noexcept {
  const int32_t high = std::min(set.HighestNumber, 127);
  if (set.LowestNumber < -128 || high < set.LowestNumber) return 0;
  return static_cast<size_t>(high - set.LowestNumber + 1);
}

void CountNumbers(NumberMask mask, int32_t lowest, std::vector<int64_t>& counts) noexcept {
  if (counts.empty()) return;  // a set without cells (ChartCells), whose lowest number may be far below 0
  for (int32_t base = 0; base < 128; base += 64) {
    uint64_t word = base == 0 ? mask.low : mask.high;
    while (word != 0) {
      const size_t cell = static_cast<size_t>(int64_t{base} + __builtin_ctzll(word) - lowest);
      if (cell < counts.size()) ++counts[cell];
      word &= word - 1;
    }
  }
}

template <typename Number>
NumberMask MaskOfNumbers(std::span<const Number> numbers) noexcept {
  NumberMask mask;
  for (const Number number : numbers)
    if (number >= 0 && number <= 127) SetBit(mask, number);
  return mask;
}

std::string CountedDraws(int64_t count, const char* one, const char* many) {
  return WithThousands(count) + (count == 1 ? one : many);
}

std::string DivisionNote(const Game_Plays_Framework& play, const Devision_Framework& division) {
  return std::string(texts::check::kDivision) + std::string(division.DivisionName.view()) + texts::check::kOfPlay +
         std::string(play.PlayName.view());
}

// From the matches per draw set to the division reached. Matches beyond
// what any division asks of a set, or beyond what the set can match at all,
// are all alike: each is clamped to its cap, and the clamped values index a
// table in mixed radix (cell = sum of min(matches, cap) * stride).
struct DivisionLookup {
  size_t sets = 0;
  std::vector<int32_t> requirements;  // divisions x draw sets
  std::vector<uint32_t> caps;
  std::vector<uint32_t> strides;
  std::vector<int32_t> table;  // empty: too large, scan instead

  // The first division whose requirements the matches meet, or -1.
  int32_t Scan(const uint32_t* matches) const noexcept {
    const size_t divisions = sets == 0 ? 0 : requirements.size() / sets;
    for (size_t division = 0; division < divisions; ++division) {
      const int32_t* needs = &requirements[division * sets];
      size_t d = 0;
      while (d < sets && static_cast<int64_t>(matches[d]) >= needs[d]) ++d;
      if (d == sets) return static_cast<int32_t>(division);
    }
    return -1;
  }
};

// `possible`: per draw set, the most matches it can give in this check.
DivisionLookup MakeLookup(const PrizeTable& prizes, size_t sets, const std::vector<uint32_t>& possible) {
  DivisionLookup lookup;
  lookup.sets = sets;
  std::vector<uint32_t> highest(sets, 0);
  for (const PrizeDivision& division : prizes.divisions)
    for (size_t d = 0; d < sets; ++d) {
      const int32_t needs = d < division.matches.size() ? std::max(division.matches[d], 0) : 0;
      lookup.requirements.push_back(needs);
      highest[d] = std::max(highest[d], static_cast<uint32_t>(needs));
    }
  int64_t cells = 1;
  for (size_t d = 0; d < sets; ++d) {
    lookup.caps.push_back(std::min(highest[d], possible[d]));
    lookup.strides.push_back(static_cast<uint32_t>(std::min(cells, kMaxLookupCells)));
    cells = std::min(cells * (lookup.caps[d] + 1), kMaxLookupCells + 1);
  }
  if (cells > kMaxLookupCells) return lookup;
  lookup.table.resize(static_cast<size_t>(cells));
  std::vector<uint32_t> matches(sets);
  for (size_t cell = 0; cell < lookup.table.size(); ++cell) {
    size_t rest = cell;
    for (size_t d = 0; d < sets; ++d) {
      matches[d] = static_cast<uint32_t>(rest % (lookup.caps[d] + 1));
      rest /= lookup.caps[d] + 1;
    }
    lookup.table[cell] = lookup.Scan(matches.data());
  }
  return lookup;
}

enum class PairLoop { None, Low1, Low2, General };

// One run over the pairs: what the loops read, and where hits go.
struct PairRun {
  PairRun(const DrawCheckInput& in, DrawCheckResult& out) : input(in), result(out) {}

  const DrawCheckInput& input;
  DrawCheckResult& result;
  DivisionLookup lookup;
  size_t playSets = 0;
  size_t drawSets = 0;
  size_t draws = 0;
  std::vector<int32_t> pairing;     // per draw set, a valid play set or -1
  std::vector<uint64_t> drawWords;  // Low1/Low2: draws x draw sets, the low words
  uint32_t threshold = UINT32_MAX;  // atLeast, or never
  std::vector<uint32_t> scratch;    // General: the matches of one pair

  [[gnu::noinline]] void Record(size_t entry, size_t draw, int32_t division, const uint32_t* matches) {
    ++result.found;
    if (division >= 0) ++result.divisionCounts[static_cast<size_t>(division)];
    if (static_cast<int64_t>(result.hits.size()) >= kMaxListedHits) return;
    result.hits.push_back({input.entries[entry], input.draws[draw], division});
    for (size_t d = 0; d < drawSets; ++d) result.matches.push_back(static_cast<uint8_t>(matches[d]));
  }
};

// Every number below 64 and one or two draw sets: a word per set and a
// table lookup per pair.
template <size_t kSets>
ZUN_ALWAYS_INLINE void LowLoop(PairRun& run, size_t first, size_t end) {
  const NumberMask* masks = run.input.entryMasks.data();
  const uint64_t* words = run.drawWords.data();
  const int32_t* table = run.lookup.table.data();
  const size_t draws = run.draws;
  const int32_t pair0 = run.pairing[0];
  const int32_t pair1 = kSets == 2 ? run.pairing[1] : -1;
  const uint32_t cap0 = run.lookup.caps[0];
  const uint32_t cap1 = kSets == 2 ? run.lookup.caps[1] : 0;
  const uint32_t stride1 = kSets == 2 ? run.lookup.strides[1] : 0;
  const uint32_t threshold = run.threshold;
  for (size_t e = first; e < end; ++e) {
    const NumberMask* entry = masks + e * run.playSets;
    const uint64_t a = pair0 >= 0 ? entry[pair0].low : 0;
    const uint64_t b = pair1 >= 0 ? entry[pair1].low : 0;
    for (size_t t = 0; t < draws; ++t) {
      const uint32_t m0 = ZUN_COUNT_BITS(a & words[t * kSets]);
      uint32_t m1 = 0;
      uint32_t cell = std::min(m0, cap0);
      if constexpr (kSets == 2) {
        m1 = ZUN_COUNT_BITS(b & words[t * 2 + 1]);
        cell += stride1 * std::min(m1, cap1);
      }
      const int32_t division = table[cell];
      if (division >= 0 || m0 + m1 >= threshold) [[unlikely]] {
        const uint32_t matches[2] = {m0, m1};
        run.Record(e, t, division, matches);
      }
    }
  }
}

// Any numbers (two words per set), any number of draw sets, the table or a
// scan of the divisions.
ZUN_ALWAYS_INLINE void GeneralLoop(PairRun& run, size_t first, size_t end) {
  const size_t sets = run.drawSets;
  uint32_t* matches = run.scratch.data();
  const bool scan = run.lookup.table.empty();
  for (size_t e = first; e < end; ++e) {
    const NumberMask* entry = run.input.entryMasks.data() + e * run.playSets;
    for (size_t t = 0; t < run.draws; ++t) {
      const NumberMask* draw = run.input.drawMasks.data() + t * sets;
      uint32_t sum = 0;
      size_t cell = 0;
      for (size_t d = 0; d < sets; ++d) {
        const int32_t p = run.pairing[d];
        const uint32_t m =
            p < 0 ? 0 : ZUN_COUNT_BITS(entry[p].low & draw[d].low) + ZUN_COUNT_BITS(entry[p].high & draw[d].high);
        matches[d] = m;
        sum += m;
        cell += run.lookup.strides[d] * std::min(m, run.lookup.caps[d]);
      }
      const int32_t division = scan ? run.lookup.Scan(matches) : run.lookup.table[cell];
      if (division >= 0 || sum >= run.threshold) [[unlikely]]
        run.Record(e, t, division, matches);
    }
  }
}

ZUN_ALWAYS_INLINE void RunLoop(PairRun& run, PairLoop loop, size_t first, size_t end) {
  switch (loop) {
    case PairLoop::None:
      break;
    case PairLoop::Low1:
      LowLoop<1>(run, first, end);
      break;
    case PairLoop::Low2:
      LowLoop<2>(run, first, end);
      break;
    case PairLoop::General:
      GeneralLoop(run, first, end);
      break;
  }
}

ZUN_POPCNT_TARGET void RunLoopCountingInHardware(PairRun& run, PairLoop loop, size_t first, size_t end) {
  RunLoop(run, loop, first, end);
}

void RunLoopCountingInSoftware(PairRun& run, PairLoop loop, size_t first, size_t end) {
  RunLoop(run, loop, first, end);
}

}  // namespace

NumberMask MaskOf(std::span<const int8_t> numbers) noexcept { return MaskOfNumbers(numbers); }
NumberMask MaskOf(std::span<const uint8_t> numbers) noexcept { return MaskOfNumbers(numbers); }

std::vector<int8_t> NumbersOf(const NumberMask& mask) {
  std::vector<int8_t> numbers;
  for (uint64_t bits = mask.low; bits != 0; bits &= bits - 1)
    numbers.push_back(static_cast<int8_t>(std::countr_zero(bits)));
  for (uint64_t bits = mask.high; bits != 0; bits &= bits - 1)
    numbers.push_back(static_cast<int8_t>(64 + std::countr_zero(bits)));
  return numbers;
}

std::vector<int32_t> PairDrawSets(const TZUN_Lotto_DBase& game) {
  const auto sameRange = [](const Lotto_Numbers_Framework& a, const Lotto_Numbers_Framework& b) {
    return a.LowestNumber == b.LowestNumber && a.HighestNumber == b.HighestNumber;
  };
  std::vector<int32_t> pairing;
  for (int32_t d = 0; d < game.DrawSets.size(); ++d) {
    const Lotto_Numbers_Framework& drawSet = game.DrawSets[d];
    int32_t paired = -1;
    if (game.PlaySets.contains(d) && sameRange(game.PlaySets[d], drawSet)) {
      paired = d;
    } else {
      for (int32_t p = 0; p < game.PlaySets.size() && paired < 0; ++p)
        if (sameRange(game.PlaySets[p], drawSet)) paired = p;
    }
    pairing.push_back(paired);
  }
  return pairing;
}

PrizeTable ReadPrizeTable(const TZUN_Lotto_DBase& game) {
  PrizeTable table;
  const int32_t drawSets = game.DrawSets.size();
  bool any = false;
  for (const Game_Plays_Framework& play : game.GamePlays) {
    for (const Devision_Framework& division : play.Divisions) {
      any = true;
      PrizeDivision prize{std::string(division.DivisionName.view()), std::vector<int32_t>(size_t(drawSets), 0)};
      bool needsAny = false;
      for (int32_t d = 0; d < drawSets && d < division.Matches.size(); ++d) {
        prize.matches[size_t(d)] = std::max(division.Matches[d], 0);
        needsAny = needsAny || division.Matches[d] > 0;
      }
      if (!needsAny) {
        table.notes.push_back(DivisionNote(play, division) + texts::check::kNeedsNoMatch);
        continue;
      }
      if (division.Matches.size() < drawSets)
        table.notes.push_back(DivisionNote(play, division) + texts::check::kNamesMatchesFor +
                              std::to_string(division.Matches.size()) + texts::check::kOf + std::to_string(drawSets) +
                              texts::check::kOthersNeedNone);
      table.divisions.push_back(std::move(prize));
    }
  }
  if (!any) table.notes.emplace_back(texts::check::kNoDivisions);
  return table;
}

DrawRange DrawRange::LastDraws(const TZUN_Lotto_DBase& game, int32_t count) {
  const int32_t draws = game.Draws.size();
  if (count <= 0 || draws == 0) return {};
  return {draws - std::min(count, draws), draws - 1};
}

DrawRange DrawRange::All(const TZUN_Lotto_DBase& game) { return {0, game.Draws.size() - 1}; }

DrawCheckInput DrawCheckInput::Make(const TZUN_Lotto_DBase& game, const TZUN_User_Lotto_DBase& database,
                                    const std::vector<int32_t>* entries, DrawRange range, int32_t atLeast) {
  DrawCheckInput input;
  input.playSets.assign(game.PlaySets.begin(), game.PlaySets.end());
  input.drawSets.assign(game.DrawSets.begin(), game.DrawSets.end());
  input.pairing = PairDrawSets(game);
  input.prizes = ReadPrizeTable(game);
  input.atLeast = std::max(atLeast, 0);

  const int32_t entryCount = database.Entries.size();
  if (entries == nullptr) {
    input.entries.resize(size_t(entryCount));
    for (int32_t e = 0; e < entryCount; ++e) input.entries[size_t(e)] = e;
  } else {
    for (const int32_t e : *entries)
      if (e >= 0 && e < entryCount) input.entries.push_back(e);
  }
  const size_t playSets = input.playSets.size();
  std::vector<NumberMask> playRanges;
  for (const auto& set : input.playSets) playRanges.push_back(RangeMask(set));
  input.entryMasks.resize(input.entries.size() * playSets);
  NumberMask* mask = input.entryMasks.data();
  for (const int32_t e : input.entries) {
    const EntryNumbers& numbers = database.Entries[e].Numbers;
    const int32_t sets = numbers.size();
    for (size_t p = 0; p < playSets; ++p, ++mask)
      if (static_cast<int32_t>(p) < sets) *mask = Both(MaskOf(numbers[static_cast<int32_t>(p)]), playRanges[p]);
  }

  const size_t drawSets = input.drawSets.size();
  std::vector<NumberMask> drawRanges;
  for (const auto& set : input.drawSets) drawRanges.push_back(RangeMask(set));
  int64_t fewerSets = 0, fewerNumbers = 0, outside = 0;
  const int32_t last = std::min(range.last, game.Draws.size() - 1);
  for (int32_t t = std::max(range.first, 0); t <= last; ++t) {
    const lotto::TZUN_Database_Structure& draw = game.Draws[t];
    input.draws.push_back(t);
    input.drawTexts.emplace_back(draw.DrawText.view());
    const HostArray<HostArray<uint8_t>>& sets = draw.DrawNumbers;
    if (sets.size() < static_cast<int32_t>(drawSets)) ++fewerSets;
    bool isShort = false, hasOutside = false;
    for (size_t d = 0; d < drawSets; ++d) {
      NumberMask drawn;
      if (sets.contains(static_cast<int32_t>(d))) {
        const HostArray<uint8_t>& numbers = sets[static_cast<int32_t>(d)];
        isShort = isShort || numbers.size() < input.drawSets[d].NumberCount;
        for (const uint8_t n : numbers) {
          if (HasBit(drawRanges[d], n))
            SetBit(drawn, n);
          else
            hasOutside = true;
        }
      }
      input.drawMasks.push_back(drawn);
    }
    fewerNumbers += isShort ? 1 : 0;
    outside += hasOutside ? 1 : 0;
  }
  namespace check = texts::check;
  if (fewerNumbers > 0)
    input.notes.push_back(CountedDraws(fewerNumbers, check::kFewerNumbersOne, check::kFewerNumbersMany));
  if (fewerSets > 0) input.notes.push_back(CountedDraws(fewerSets, check::kFewerSetsOne, check::kFewerSetsMany));
  if (outside > 0) input.notes.push_back(CountedDraws(outside, check::kOutOfRangeOne, check::kOutOfRangeMany));
  input.notes.insert(input.notes.end(), input.prizes.notes.begin(), input.prizes.notes.end());
  return input;
}

std::string DrawCheckResult::Summary(const DrawCheckInput& input) const {
  namespace check = texts::check;
  std::string text = WithThousands(entriesChecked) + (entriesChecked == 1 ? check::kEntry : check::kEntries) +
                     check::kCheckedAgainst + WithThousands(drawsChecked) +
                     (drawsChecked == 1 ? check::kDraw : check::kDraws) + ": ";
  if (input.prizes.divisions.empty()) return text + check::kNoDivisions;
  for (size_t i = 0; i < input.prizes.divisions.size(); ++i) {
    if (i > 0) text += ", ";
    text += WithThousands(i < divisionCounts.size() ? divisionCounts[i] : 0) + check::kTimes +
            input.prizes.divisions[i].name;
  }
  return text;
}

std::string DrawCheckResult::MatchesText(size_t hit, size_t drawSets) const {
  std::string text;
  for (size_t d = 0; d < drawSets && (hit * drawSets + d) < matches.size(); ++d) {
    if (d > 0) text += texts::check::kMatchesJoin;
    text += std::to_string(matches[hit * drawSets + d]);
  }
  return text;
}

bool RunDrawCheck(const DrawCheckInput& input, DrawCheckResult& result, const std::atomic<bool>* cancel,
                  std::atomic<int64_t>* progress) {
  result = DrawCheckResult{};
  PairRun run(input, result);
  run.playSets = input.playSets.size();
  run.drawSets = input.drawSets.size();
  run.draws = input.draws.size();
  const size_t entries = input.entries.size();
  if (input.entryMasks.size() != entries * run.playSets || input.drawMasks.size() != run.draws * run.drawSets ||
      input.drawTexts.size() != run.draws)
    throw std::invalid_argument("the check's snapshot is not whole");

  for (size_t d = 0; d < run.drawSets; ++d) {
    const int32_t p = d < input.pairing.size() ? input.pairing[d] : -1;
    run.pairing.push_back(p >= 0 && static_cast<size_t>(p) < run.playSets ? p : -1);
  }
  run.threshold = input.atLeast > 0 ? static_cast<uint32_t>(input.atLeast) : UINT32_MAX;
  run.scratch.resize(run.drawSets);
  result.divisionCounts.assign(input.prizes.divisions.size(), 0);
  result.drawsChecked = static_cast<int64_t>(run.draws);

  // The chart's draws, and what each draw set and play set can match at
  // most: the lookup's caps.
  for (const auto& set : input.playSets) {
    result.entriesHolding.emplace_back(ChartCells(set), 0);
    result.drawsDrawing.emplace_back(ChartCells(set), 0);
  }
  std::vector<uint32_t> mostDrawn(run.drawSets, 0);
  std::vector<uint32_t> mostHeld(run.playSets, 0);
  bool low = true;
  std::vector<NumberMask> drawn(run.playSets);
  for (size_t t = 0; t < run.draws; ++t) {
    std::fill(drawn.begin(), drawn.end(), NumberMask{});
    for (size_t d = 0; d < run.drawSets; ++d) {
      const NumberMask& mask = input.drawMasks[t * run.drawSets + d];
      mostDrawn[d] = std::max(mostDrawn[d], static_cast<uint32_t>(CountOf(mask)));
      low = low && mask.high == 0;
      if (run.pairing[d] >= 0) {
        NumberMask& held = drawn[size_t(run.pairing[d])];
        held = {held.low | mask.low, held.high | mask.high};
      }
    }
    for (size_t p = 0; p < run.playSets; ++p)
      CountNumbers(drawn[p], input.playSets[p].LowestNumber, result.drawsDrawing[p]);
  }
  for (size_t e = 0; e < entries; ++e)
    for (size_t p = 0; p < run.playSets; ++p) {
      const NumberMask& mask = input.entryMasks[e * run.playSets + p];
      mostHeld[p] = std::max(mostHeld[p], static_cast<uint32_t>(CountOf(mask)));
      low = low && mask.high == 0;
    }
  std::vector<uint32_t> possible(run.drawSets, 0);
  for (size_t d = 0; d < run.drawSets; ++d)
    if (run.pairing[d] >= 0) possible[d] = std::min(mostDrawn[d], mostHeld[size_t(run.pairing[d])]);
  run.lookup = MakeLookup(input.prizes, run.drawSets, possible);

  PairLoop loop = PairLoop::General;
  if ((input.prizes.divisions.empty() && input.atLeast == 0) || run.draws == 0 || run.drawSets == 0) {
    loop = PairLoop::None;  // no pair can be listed
  } else if (low && !run.lookup.table.empty() && run.drawSets <= 2) {
    loop = run.drawSets == 1 ? PairLoop::Low1 : PairLoop::Low2;
    for (size_t i = 0; i < input.drawMasks.size(); ++i) run.drawWords.push_back(input.drawMasks[i].low);
  }
  const auto runLoop = ProcessorCountsBits() ? RunLoopCountingInHardware : RunLoopCountingInSoftware;

  const size_t block = std::clamp<size_t>(kPairsPerBlock / std::max<size_t>(run.draws, 1), 1, kEntriesPerBlock);
  for (size_t first = 0; first < entries;) {
    if (cancel != nullptr && cancel->load(std::memory_order_relaxed)) {
      result.entriesChecked = static_cast<int64_t>(first);
      return false;
    }
    const size_t end = std::min(entries, first + block);
    for (size_t e = first; e < end; ++e)
      for (size_t p = 0; p < run.playSets; ++p)
        CountNumbers(input.entryMasks[e * run.playSets + p], input.playSets[p].LowestNumber, result.entriesHolding[p]);
    runLoop(run, loop, first, end);
    first = end;
    if (progress != nullptr) progress->store(static_cast<int64_t>(first), std::memory_order_relaxed);
  }
  result.entriesChecked = static_cast<int64_t>(entries);
  return true;
}

}  // namespace zun
