#pragma once

#include <cstdint>

namespace zun {

// part / whole * 100, rounded to the nearest integer with ties to even; a zero
// part or a zero whole counts as 1. Progress bars use it, so Percent(0, 0) is
// 100. Computed exactly in integers: no floating-point tie is ever misjudged.
int32_t Percent(int32_t part, int32_t whole) noexcept;

}  // namespace zun
