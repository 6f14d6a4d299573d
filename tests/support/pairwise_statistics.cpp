#include "support/pairwise_statistics.h"

namespace zun::testing {

std::vector<StatRow> PairwiseStatistic(std::vector<std::string> keys) {
  const auto n = static_cast<int32_t>(keys.size());
  std::vector<int32_t> last(keys.size(), -1);
  std::vector<int32_t> count(keys.size(), 0);
  for (int32_t i = 0; i < n; ++i) {
    if (keys[i] == "-") continue;
    for (int32_t j = 0; j < n; ++j) {
      if (keys[j] != keys[i]) continue;
      ++count[i];
      last[i] = j;
      if (j != i) keys[j] = "-";
    }
  }
  std::vector<StatRow> rows;
  for (int32_t i = 0; i < n; ++i)
    if (keys[i] != "-") rows.push_back({keys[i], i, last[i], count[i]});
  return rows;
}

}  // namespace zun::testing
