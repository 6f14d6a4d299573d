#pragma once

// Whether numbers from elsewhere (pasted text, a CSV file) make an entry a
// user could have made on the grids: per set every number a ball on its
// grid, none twice, at most one per row or per column where the set's line
// limits say so, and no number in two sets of one grid shape unless one of
// them has its own pool. How many numbers a set takes is the caller's.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/lotto_game.h"

namespace zun {

class EntryRules {
 public:
  explicit EntryRules(std::span<const Lotto_Numbers_Framework> sets);

  // Empty when the numbers (one list per set, in the sets' order) follow
  // every rule; else why not, naming the number and the set ("50 is not a
  // number of Main (1-49)").
  std::string Check(std::span<const std::vector<int32_t>> numbers) const;

  // The set's name as the reasons write it, and its range ("Main (1-49)").
  std::string RangeOf(size_t set) const;
  const std::string& NameOf(size_t set) const { return sets_[set].name; }

 private:
  struct Set {
    const Lotto_Numbers_Framework* record;
    std::string name;
    int32_t lowest;
    int32_t highest;
  };
  std::vector<Set> sets_;
};

}  // namespace zun
