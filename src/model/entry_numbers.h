#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "model/host_memory.h"

namespace zun {

// The ball numbers of one entry: per number set, a dynamic array of signed
// 8-bit values, in the host's memory convention (an array of references to
// byte arrays), read by the host in place.
//
// Unlike a HostArray of HostArrays, the outer array and all inner arrays of
// one entry live in a single block: [pool word][outer header][set references]
// [set 0 header][set 0 numbers]... A copy is one allocation and one copy,
// and a 6-number entry holds 32 bytes here in 32 bits. The pool word is ours,
// the host never sees it: null for a block allocated alone, or the Batch
// pool the block was carved from.
// The inner arrays never grow on their own; changing the shape rebuilds the
// block (Reshape), which is what sizing an entry does anyway.
// Entries are made and released on one thread (the window's): a pool's
// count of live blocks is a plain integer.
class EntryNumbers {
 public:
  // How many numbers each set holds, and where each set's numbers lie in the
  // block. Computed once and shared by all entries of that shape.
  class Shape {
   public:
    Shape() = default;
    // Throws std::invalid_argument for a negative count and std::bad_alloc
    // when the block would not fit in 32-bit memory.
    explicit Shape(std::span<const int32_t> counts);

    int32_t SetCount() const noexcept { return static_cast<int32_t>(counts_.size()); }
    int32_t Count(int32_t set) const noexcept { return counts_[set]; }
    std::span<const int32_t> Counts() const noexcept { return counts_; }
    // Numbers per entry, all sets together.
    int64_t TotalNumbers() const noexcept { return total_; }
    // Bytes of the one allocation an entry of this shape holds.
    size_t BlockSize() const noexcept { return block_size_; }

   private:
    friend class EntryNumbers;
    std::vector<int32_t> counts_;
    std::vector<uint32_t> offsets_;  // from the block start to set s's numbers; 0 when empty
    size_t block_size_ = 0;
    int64_t total_ = 0;
  };

  // Blocks for many entries of one shape, carved from a few large pools:
  // loading a million entries costs some hundred allocations instead of a
  // million. A pool's memory is given back when the last entry carved from it
  // is released, so entries stay independent of the batch and of each other.
  class Batch {
   public:
    // count: how many entries Next will be asked for (more still work, one
    // allocation each).
    Batch(Shape shape, size_t count) noexcept : shape_(std::move(shape)), remaining_(count) {}
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;
    ~Batch();

    // A new entry of the batch's shape, all numbers 0.
    EntryNumbers Next();

   private:
    const Shape shape_;
    size_t remaining_;
    char* pool_ = nullptr;
    char* next_ = nullptr;
    size_t left_in_pool_ = 0;
  };

  EntryNumbers() noexcept = default;
  explicit EntryNumbers(const Shape& shape);  // all numbers 0
  EntryNumbers(const EntryNumbers& other);
  EntryNumbers(EntryNumbers&& other) noexcept : sets_(other.sets_) { other.sets_ = nullptr; }
  EntryNumbers& operator=(const EntryNumbers& other);
  EntryNumbers& operator=(EntryNumbers&& other) noexcept;
  ~EntryNumbers() { Release(); }

  // Number of sets. (Inline, as Set is: sorting and loading call them for
  // each of millions of entries.)
  int32_t size() const noexcept { return detail::HostLength(sets_); }
  std::span<int8_t> operator[](int32_t set) noexcept { return Set(set); }
  std::span<const int8_t> operator[](int32_t set) const noexcept { return Set(set); }
  // Checked access: throws std::out_of_range for a set the entry lacks.
  std::span<const int8_t> at(int32_t set) const;
  std::span<int8_t> at(int32_t set);

  bool HasShape(const Shape& shape) const noexcept;
  // Gives the entry this shape: numbers that exist in both keep their values,
  // new ones are 0.
  void Reshape(const Shape& shape);

  // Bytes this entry's numbers hold (its block); 0 for none.
  size_t MemoryBytes() const noexcept { return sets_ == nullptr ? 0 : BlockSize(); }

  // The reference the host sees: the outer array's first element.
  const void* HostReference() const noexcept { return sets_; }

  friend bool operator==(const EntryNumbers& a, const EntryNumbers& b) noexcept;

 private:
  std::span<int8_t> Set(int32_t set) const noexcept {
    int8_t* numbers = sets_[set];
    return {numbers, static_cast<size_t>(detail::HostLength(numbers))};
  }
  size_t BlockSize() const noexcept;
  char* BlockStart() const noexcept;
  void Release() noexcept;
  // Writes the headers and references of shape into a zeroed block whose
  // pool word is already set, and takes it.
  void Adopt(char* block, const Shape& shape) noexcept;

  int8_t** sets_ = nullptr;
};

}  // namespace zun
