#pragma once

#include <cstdint>
#include <random>

#include "platform/random_source.h"

namespace zun {

// A Mersenne twister with an unbiased bounded draw, the same in every
// build: a seed gives the same numbers on Linux and on Windows.
class SeededRandom : public RandomSource {
 public:
  explicit SeededRandom(uint32_t seed = 5489u) : engine_(seed) {}
  void Seed(uint32_t seed) { engine_.seed(seed); }

  uint32_t Below(uint32_t bound) override {
    if (bound <= 1) return 0;
    // Rejects the top values that would favour the low results.
    const uint32_t limit = UINT32_MAX - UINT32_MAX % bound;
    uint32_t value;
    do {
      value = static_cast<uint32_t>(engine_());
    } while (value >= limit);
    return value % bound;
  }

 private:
  std::mt19937 engine_;
};

}  // namespace zun
