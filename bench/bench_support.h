#pragma once

// What every benchmark shares: the best time of a few runs, and one figure
// per line as "name value unit", and the heap in use.

#if !defined(_WIN32)
#include <malloc.h>
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

namespace zun::bench {

// The shortest of `repeats` runs of work, in milliseconds.
inline double BestMs(int repeats, const std::function<void()>& work) {
  double best = 1e300;
  for (int i = 0; i < repeats; ++i) {
    const auto start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    best = std::min(best, took.count());
  }
  return best;
}

// Which build measured: figures from an emulated or unoptimised build say
// nothing about the product, so every run names its own first.
inline void PrintBuild() {
#if defined(_WIN32)
  const char* system = "Windows";
#else
  const char* system = "Linux";
#endif
#if defined(NDEBUG) && defined(__OPTIMIZE__)
  const char* kind = "optimised";
#else
  const char* kind = "NOT optimised";
#endif
  std::printf("# build: %s, %d-bit, %s, compiler %s\n", system, static_cast<int>(sizeof(void*) * 8), kind,
              __VERSION__);
}

inline void Figure(const std::string& name, double value, const char* unit) {
  std::printf("%s %.3f %s\n", name.c_str(), value, unit);
}

#if !defined(_WIN32)
// Bytes the heap holds now (glibc: the benchmarks run in the native tree).
inline size_t HeapInUse() {
  const struct mallinfo2 info = mallinfo2();
  return info.uordblks + info.hblkhd;
}
#endif

}  // namespace zun::bench
