#pragma once

// Checking entries against the game's draws: which entry-draw pairs reach a
// prize division, with how many matches per draw set.
//
// How matches are counted. Each draw set is compared with one play set: the
// play set at the same position when it has the same number range, else the
// first play set with the same range (a bonus ball drawn from the main
// numbers is compared with the main play set); a draw set with no play set
// of its range counts 0. An entry reaches a division when, for every draw
// set, its matches are at least the division's Matches value for that set;
// of the divisions it reaches, the first in the game's order counts (the
// game plays in order, each play's divisions in order: games list them from
// the highest prize down).
//
// The game file is the host's and may be damaged: a draw with fewer numbers
// (or sets) than the game says, numbers out of range, no divisions, a
// division with fewer Matches than draw sets or one that needs no match at
// all. The check counts what is there and notes what it could not use.
//
// The check works on a snapshot (DrawCheckInput) made on the user-interface
// thread, so it can run on a worker thread while the document changes.

#include <atomic>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/lotto_game.h"
#include "model/user_database.h"

namespace zun {

// How many entry-draw pairs a result lists at most; past it they are still
// counted in the summary.
inline constexpr int64_t kMaxListedHits = 2'000'000;

// The numbers of one set as bits: bit n stands for number n (0 to 127).
struct NumberMask {
  uint64_t low = 0;
  uint64_t high = 0;
  friend bool operator==(const NumberMask&, const NumberMask&) = default;
};

// Numbers below 0 or above 127 have no bit and are left out.
NumberMask MaskOf(std::span<const int8_t> numbers) noexcept;
NumberMask MaskOf(std::span<const uint8_t> numbers) noexcept;
// The numbers of a mask, ascending.
std::vector<int8_t> NumbersOf(const NumberMask& mask);

// For each draw set of the game, the play set it is compared with (-1: none).
std::vector<int32_t> PairDrawSets(const TZUN_Lotto_DBase& game);

struct PrizeDivision {
  std::string name;              // DivisionName
  std::vector<int32_t> matches;  // per draw set; one the game leaves out needs 0
};

// The divisions an entry can reach, in the game's order, and what of the
// game's prize table could not be used (one line each, e.g. "the division
// \"Free Play\" of Lotto needs no match: it is not used").
struct PrizeTable {
  std::vector<PrizeDivision> divisions;
  std::vector<std::string> notes;
};
PrizeTable ReadPrizeTable(const TZUN_Lotto_DBase& game);

// The draws a check uses: positions in the game's Draws, first to last
// (inclusive). An empty range (last < first) checks nothing.
struct DrawRange {
  int32_t first = 0;
  int32_t last = -1;
  static DrawRange LastDraws(const TZUN_Lotto_DBase& game, int32_t count);  // all of them when count is larger
  static DrawRange All(const TZUN_Lotto_DBase& game);
};

// Everything a check reads, copied: it never looks at the game or the
// database again.
struct DrawCheckInput {
  // The play sets (for the entries' texts) and the draw sets (names, counts).
  std::vector<Lotto_Numbers_Framework> playSets;
  std::vector<Lotto_Numbers_Framework> drawSets;
  std::vector<int32_t> pairing;  // PairDrawSets
  PrizeTable prizes;

  // The entries checked: their positions in the database, ascending, and
  // their masks (entries x play sets, entry by entry).
  std::vector<int32_t> entries;
  std::vector<NumberMask> entryMasks;

  // The draws checked, in the game's order: positions in the game's Draws,
  // their DrawText, their masks (draws x draw sets, draw by draw).
  std::vector<int32_t> draws;
  std::vector<std::string> drawTexts;
  std::vector<NumberMask> drawMasks;

  // 0: only pairs that reach a division are listed; K > 0: also every pair
  // whose matches over all draw sets add up to at least K.
  int32_t atLeast = 0;

  // What could not be used: draws with fewer numbers or sets than the game
  // says, numbers out of range, and the prize table's notes. Counted per
  // kind ("3 draws have fewer numbers than their sets"), not per draw.
  std::vector<std::string> notes;

  // The snapshot: `entries` are database positions (ascending; all of them
  // when empty is passed as nullptr), the draws of `range`.
  static DrawCheckInput Make(const TZUN_Lotto_DBase& game, const TZUN_User_Lotto_DBase& database,
                             const std::vector<int32_t>* entries, DrawRange range, int32_t atLeast);
};

struct DrawCheckResult {
  struct Hit {
    int32_t entry;     // position in the database
    int32_t draw;      // position in the game's Draws
    int32_t division;  // index in the input's prizes.divisions; -1 for none
  };
  // Ordered by entry, then by draw; at most kMaxListedHits.
  std::vector<Hit> hits;
  // The matches of each hit, per draw set: hits x draw sets.
  std::vector<uint8_t> matches;
  // Pairs found, also past kMaxListedHits; and per division, how many pairs
  // reached it.
  int64_t found = 0;
  std::vector<int64_t> divisionCounts;
  int64_t entriesChecked = 0;
  int64_t drawsChecked = 0;

  // For the chart: per play set and number (index number - LowestNumber),
  // how many of the checked entries hold it, and how many of the checked
  // draws drew it in a draw set compared with that play set. Numbers above
  // 127 have no cell; a set whose range starts below -128 has none at all.
  std::vector<std::vector<int64_t>> entriesHolding;
  std::vector<std::vector<int64_t>> drawsDrawing;

  bool Truncated() const noexcept { return found > static_cast<int64_t>(hits.size()); }
  // "1,000,000 entries checked against 52 draws: 0 × Jackpot, 2 × Five plus
  // Bonus, 31 × Five, 1,804 × Four, 33,912 × Three" (× is 0xD7 in the
  // add-on's 8-bit texts); "...: the game has no prize divisions" without
  // any. One entry or draw is named in the singular.
  std::string Summary(const DrawCheckInput& input) const;
  // "5 + 1": a hit's matches per draw set, joined by " + ".
  std::string MatchesText(size_t hit, size_t drawSets) const;
};

// Runs the check. `cancel` (may be null) is looked at often: when it turns
// true the check stops and returns false, the result incomplete.
// `progress` (may be null) counts the entries done.
bool RunDrawCheck(const DrawCheckInput& input, DrawCheckResult& result, const std::atomic<bool>* cancel = nullptr,
                  std::atomic<int64_t>* progress = nullptr);

}  // namespace zun
