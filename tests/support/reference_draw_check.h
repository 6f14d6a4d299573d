#pragma once

// The check against the draws as its rule reads (analysis/draw_check.h),
// with plain loops over sets of numbers: the tests, the fuzz target and the
// benchmark compare the fast check with it. Header-only, for the fuzz
// targets.

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "analysis/draw_check.h"
#include "model/lotto_game.h"
#include "model/user_database.h"

namespace zun::testing {

struct ReferenceHit {
  int32_t entry;
  int32_t draw;
  int32_t division;  // among the divisions used; -1 for none
  std::vector<int32_t> matches;
  friend bool operator==(const ReferenceHit&, const ReferenceHit&) = default;
};

struct ReferenceCheck {
  std::vector<std::string> divisions;  // the names of the divisions used, in order
  std::vector<ReferenceHit> hits;
  std::vector<int64_t> divisionCounts;
  // (play set, number) -> how many entries hold it, how many draws drew it.
  std::map<std::pair<int32_t, int32_t>, int64_t> entriesHolding, drawsDrawing;
};

// A set's numbers that count: those of its range that have a bit (0-127).
template <typename Numbers>
std::set<int32_t> NumbersThatCount(const Numbers& numbers, const Lotto_Numbers_Framework& set) {
  std::set<int32_t> counted;
  for (const auto n : numbers)
    if (n >= set.LowestNumber && n <= set.HighestNumber && n >= 0 && n <= 127) counted.insert(n);
  return counted;
}

inline ReferenceCheck RunReferenceCheck(const TZUN_Lotto_DBase& game, const TZUN_User_Lotto_DBase& database,
                                        const std::vector<int32_t>& entries, DrawRange range, int32_t atLeast) {
  ReferenceCheck check;
  const int32_t drawSets = game.DrawSets.size();
  const auto sameRange = [](const Lotto_Numbers_Framework& a, const Lotto_Numbers_Framework& b) {
    return a.LowestNumber == b.LowestNumber && a.HighestNumber == b.HighestNumber;
  };
  std::vector<int32_t> compared(size_t(drawSets), -1);
  for (int32_t d = 0; d < drawSets; ++d) {
    if (d < game.PlaySets.size() && sameRange(game.PlaySets[d], game.DrawSets[d])) {
      compared[size_t(d)] = d;
      continue;
    }
    for (int32_t p = game.PlaySets.size() - 1; p >= 0; --p)
      if (sameRange(game.PlaySets[p], game.DrawSets[d])) compared[size_t(d)] = p;
  }

  std::vector<std::vector<int32_t>> needs;
  for (const auto& play : game.GamePlays)
    for (const auto& division : play.Divisions) {
      std::vector<int32_t> need;
      bool any = false;
      for (int32_t d = 0; d < drawSets; ++d) {
        need.push_back(d < division.Matches.size() ? division.Matches[d] : 0);
        any = any || need.back() > 0;
      }
      if (!any) continue;
      needs.push_back(need);
      check.divisions.emplace_back(division.DivisionName.view());
    }
  check.divisionCounts.assign(needs.size(), 0);

  // A set whose range starts below -128 is damage: its chart stays empty.
  const auto chartCounts = [&](int32_t p) { return game.PlaySets[p].LowestNumber >= -128; };
  for (int32_t t = std::max(range.first, 0); t <= range.last && t < game.Draws.size(); ++t) {
    std::map<int32_t, std::set<int32_t>> drawnFor;
    for (int32_t d = 0; d < drawSets && d < game.Draws[t].DrawNumbers.size(); ++d)
      if (compared[size_t(d)] >= 0)
        for (const int32_t n : NumbersThatCount(game.Draws[t].DrawNumbers[d], game.DrawSets[d]))
          drawnFor[compared[size_t(d)]].insert(n);
    for (const auto& [p, numbers] : drawnFor)
      if (chartCounts(p))
        for (const int32_t n : numbers) ++check.drawsDrawing[{p, n}];
  }

  for (const int32_t e : entries) {
    if (e < 0 || e >= database.Entries.size()) continue;
    const EntryNumbers& numbers = database.Entries[e].Numbers;
    for (int32_t p = 0; p < game.PlaySets.size() && p < numbers.size(); ++p)
      if (chartCounts(p))
        for (const int32_t n : NumbersThatCount(numbers[p], game.PlaySets[p])) ++check.entriesHolding[{p, n}];
    for (int32_t t = std::max(range.first, 0); t <= range.last && t < game.Draws.size(); ++t) {
      const auto& draw = game.Draws[t];
      std::vector<int32_t> matches;
      int32_t sum = 0;
      for (int32_t d = 0; d < drawSets; ++d) {
        const int32_t p = compared[size_t(d)];
        int32_t m = 0;
        if (p >= 0 && p < numbers.size() && d < draw.DrawNumbers.size()) {
          const auto held = NumbersThatCount(numbers[p], game.PlaySets[p]);
          for (const int32_t n : NumbersThatCount(draw.DrawNumbers[d], game.DrawSets[d])) m += int32_t(held.count(n));
        }
        matches.push_back(m);
        sum += m;
      }
      int32_t division = -1;
      for (size_t k = 0; k < needs.size() && division < 0; ++k) {
        bool reached = true;
        for (int32_t d = 0; d < drawSets; ++d) reached = reached && matches[size_t(d)] >= needs[k][size_t(d)];
        if (reached) division = int32_t(k);
      }
      if (division < 0 && (atLeast <= 0 || sum < atLeast)) continue;
      if (division >= 0) ++check.divisionCounts[size_t(division)];
      check.hits.push_back({e, t, division, matches});
    }
  }
  return check;
}

// Where the fast check's result differs from the reference's; empty when it
// does not. The result must list every pair.
inline std::string DifferenceFromReference(const DrawCheckInput& input, const DrawCheckResult& result,
                                           const ReferenceCheck& reference) {
  std::vector<std::string> names;
  for (const auto& division : input.prizes.divisions) names.push_back(division.name);
  if (names != reference.divisions) return "the divisions used differ";
  if (result.divisionCounts != reference.divisionCounts) return "the counts per division differ";
  if (result.found != static_cast<int64_t>(reference.hits.size())) return "the pairs found differ in number";
  if (result.hits.size() != reference.hits.size()) return "the pairs listed differ in number";
  const size_t sets = input.drawSets.size();
  for (size_t i = 0; i < result.hits.size(); ++i) {
    const auto& hit = result.hits[i];
    std::vector<int32_t> matches(result.matches.begin() + long(i * sets),
                                 result.matches.begin() + long((i + 1) * sets));
    if (ReferenceHit{hit.entry, hit.draw, hit.division, matches} != reference.hits[i])
      return "pair " + std::to_string(i) + " (entry " + std::to_string(reference.hits[i].entry) + ", draw " +
             std::to_string(reference.hits[i].draw) + ") differs";
  }
  const auto chart = [&](const std::vector<std::vector<int64_t>>& counts) {
    std::map<std::pair<int32_t, int32_t>, int64_t> cells;
    for (size_t p = 0; p < counts.size(); ++p)
      for (size_t i = 0; i < counts[p].size(); ++i)
        if (counts[p][i] != 0) cells[{int32_t(p), input.playSets[p].LowestNumber + int32_t(i)}] = counts[p][i];
    return cells;
  };
  if (chart(result.entriesHolding) != reference.entriesHolding) return "the entries' chart differs";
  if (chart(result.drawsDrawing) != reference.drawsDrawing) return "the draws' chart differs";
  return {};
}

}  // namespace zun::testing
