#pragma once

#include <cstdint>
#include <vector>

namespace zun {

// Steps `picks` (indexes into `available` items, rising) to the next
// combination in lexicographic order; false after the last.
inline bool NextCombination(std::vector<int32_t>& picks, int32_t available) noexcept {
  const auto k = static_cast<int32_t>(picks.size());
  int32_t i = k - 1;
  while (i >= 0 && picks[static_cast<size_t>(i)] == available - k + i) --i;
  if (i < 0) return false;
  ++picks[static_cast<size_t>(i)];
  for (int32_t j = i + 1; j < k; ++j) picks[static_cast<size_t>(j)] = picks[static_cast<size_t>(j - 1)] + 1;
  return true;
}

}  // namespace zun
