#pragma once

// Work split over the machine's cores, for the few steps that walk millions
// of entries while the window waits (a sort). The call returns once every
// part is done: nothing outlives it, and the parts share no writes.

#include <algorithm>
#include <cstddef>
#include <system_error>
#include <thread>
#include <vector>

namespace zun {

inline constexpr unsigned kMostParts = 4;

// How many parts `items` are worth: one per `fewestPerPart` items, at most
// one per core (and kMostParts), at least one.
inline unsigned PartsFor(size_t items, size_t fewestPerPart) noexcept {
  const unsigned cores = std::clamp(std::thread::hardware_concurrency(), 1u, kMostParts);
  return static_cast<unsigned>(std::clamp<size_t>(items / std::max<size_t>(fewestPerPart, 1), 1, cores));
}

// Runs work(part) for each part in [0, parts): part 0 on the calling thread,
// the others on threads of their own. A part whose thread cannot start runs
// on the calling thread. `work` must not throw.
template <class Work>
void RunParts(unsigned parts, const Work& work) {
  std::vector<std::thread> threads;
  threads.reserve(parts);
  for (unsigned part = 1; part < parts; ++part) {
    try {
      threads.emplace_back([&work, part] { work(part); });
    } catch (const std::system_error&) {
      work(part);
    }
  }
  work(0u);
  for (std::thread& thread : threads) thread.join();
}

}  // namespace zun
