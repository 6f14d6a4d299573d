#pragma once

// The draw statistics by their definition: every draw compared with every
// other, names of later matches overwritten with "-". Quadratic; the
// reference that the hashing implementation must match exactly.

#include <cstdint>
#include <string>
#include <vector>

namespace zun::testing {

struct StatRow {
  std::string name;
  int32_t first;
  int32_t last;
  int32_t count;
  friend bool operator==(const StatRow&, const StatRow&) = default;
};

std::vector<StatRow> PairwiseStatistic(std::vector<std::string> keys);

}  // namespace zun::testing
