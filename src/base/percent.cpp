#include "base/percent.h"

#include <cstdlib>
#include <limits>

namespace zun {

int32_t Percent(int32_t part, int32_t whole) noexcept {
  int64_t num = (part == 0 ? 1 : part) * int64_t{100};
  int64_t den = whole == 0 ? 1 : whole;
  if (den < 0) {
    num = -num;
    den = -den;
  }
  const bool negative = num < 0;
  const int64_t n = negative ? -num : num;
  int64_t q = n / den;
  const int64_t twice_rem = (n % den) * 2;
  if (twice_rem > den || (twice_rem == den && (q & 1) != 0)) ++q;
  if (negative) q = -q;
  if (q > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (q < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(q);
}

}  // namespace zun
