#pragma once

// Offsets and sizes of the records the host and other add-ons read in place.
// The product is 32-bit, so the 32-bit figure is the host's layout. The
// 64-bit test build keeps the same fields in the same order, each pointer or
// handle 8 bytes at its natural alignment and every other field at its own
// width, so both figures are asserted, each in its own build.

#include <cstddef>

namespace zun {

inline constexpr bool kHostPointers32 = sizeof(void*) == 4;

constexpr size_t HostLayout(size_t in32Bits, size_t in64Bits) noexcept {
  return kHostPointers32 ? in32Bits : in64Bits;
}

}  // namespace zun
