#pragma once

// Work split over the machine's cores, for the few steps that walk millions
// of entries while the window waits (a sort). The call returns once every
// slice is done: nothing outlives it, and the slices share no writes.

#include <algorithm>
#include <cstddef>
#include <system_error>
#include <thread>
#include <vector>

namespace zun {

inline constexpr unsigned kMostSlices = 4;

// How many slices `items` are worth: one per `fewestPerSlice` items, at most
// one per core (and kMostSlices), at least one.
inline unsigned SlicesFor(size_t items, size_t fewestPerSlice) noexcept {
  const unsigned cores = std::clamp(std::thread::hardware_concurrency(), 1u, kMostSlices);
  return static_cast<unsigned>(std::clamp<size_t>(items / std::max<size_t>(fewestPerSlice, 1), 1, cores));
}

// Calls work(slice) for slices 0 to count - 1: slice 0 on the calling
// thread, the others on threads of their own. A slice whose thread cannot
// start runs on the calling thread. `work` must not throw.
template <class Work>
void RunSlices(unsigned count, const Work& work) {
  std::vector<std::thread> threads;
  threads.reserve(count);
  for (unsigned slice = 1; slice < count; ++slice) {
    try {
      threads.emplace_back([&work, slice] { work(slice); });
    } catch (const std::system_error&) {
      work(slice);
    }
  }
  work(0u);
  for (std::thread& thread : threads) thread.join();
}

}  // namespace zun
