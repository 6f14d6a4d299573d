#pragma once

#include <cstdint>
#include <limits>

namespace zun {

// Saturating arithmetic for size estimates computed from untrusted counts:
// an estimate that overflows becomes "too large" instead of wrapping around.
inline int64_t SaturatingAdd(int64_t a, int64_t b) noexcept {
  int64_t r;
  if (__builtin_add_overflow(a, b, &r)) return std::numeric_limits<int64_t>::max();
  return r;
}

inline int64_t SaturatingMul(int64_t a, int64_t b) noexcept {
  int64_t r;
  if (__builtin_mul_overflow(a, b, &r)) return std::numeric_limits<int64_t>::max();
  return r;
}

}  // namespace zun
