#pragma once

// The add-on's largest blocks (entry arrays, pools of entry numbers) ask
// here before they are taken. Nothing is limited in the product; a test
// sets a limit to see what an operation that does not fit in the address
// space left does, without exhausting the machine.

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace zun::allocation_limit {

namespace detail {
inline std::atomic<size_t> left{SIZE_MAX};
}  // namespace detail

// From now on at most `bytes` more in such blocks (freeing gives nothing back).
inline void Set(size_t bytes) noexcept { detail::left.store(bytes); }
inline void Lift() noexcept { detail::left.store(SIZE_MAX); }
// What may still be taken; SIZE_MAX when nothing is limited.
inline size_t Left() noexcept { return detail::left.load(); }

// Whether a block of `bytes` may be taken; what is left shrinks by it.
inline bool Take(size_t bytes) noexcept {
  size_t left = detail::left.load(std::memory_order_relaxed);
  do {
    if (left == SIZE_MAX) return true;
    if (bytes > left) return false;
  } while (!detail::left.compare_exchange_weak(left, left - bytes, std::memory_order_relaxed));
  return true;
}

}  // namespace zun::allocation_limit
