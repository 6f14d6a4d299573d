#pragma once

#include <cstdint>

namespace zun {

// The pseudo-random numbers quick picks draw from; seeded once at start-up.
class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // A uniformly drawn integer in [0, bound); bound must be at least 1.
  virtual uint32_t Below(uint32_t bound) = 0;
  // Seeds the generator from the clock (once, at start-up).
  virtual void SeedFromClock() {}
};

}  // namespace zun
