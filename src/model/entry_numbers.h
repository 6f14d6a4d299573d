#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace zun {

// The ball numbers of one entry: per number set, a dynamic array of signed
// 8-bit values, in the host's memory convention (an array of references to
// byte arrays), read by the host in place.
//
// Unlike a HostArray of HostArrays, the outer array and all inner arrays of
// one entry live in a single allocation: [outer header][set references]
// [set 0 header][set 0 numbers]... Loading an entry is one allocation, a copy
// is one allocation and one copy, and a 6-number entry holds 26 bytes here
// in 32 bits.
// The inner arrays never grow on their own; changing the shape rebuilds the
// block (Reshape), which is what sizing an entry does anyway.
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

  EntryNumbers() noexcept = default;
  explicit EntryNumbers(const Shape& shape);  // all numbers 0
  EntryNumbers(const EntryNumbers& other);
  EntryNumbers(EntryNumbers&& other) noexcept : sets_(other.sets_) { other.sets_ = nullptr; }
  EntryNumbers& operator=(const EntryNumbers& other);
  EntryNumbers& operator=(EntryNumbers&& other) noexcept;
  ~EntryNumbers() { Release(); }

  // Number of sets.
  int32_t size() const noexcept;
  std::span<int8_t> operator[](int32_t set) noexcept { return Set(set); }
  std::span<const int8_t> operator[](int32_t set) const noexcept { return Set(set); }
  // Checked access: throws std::out_of_range for a set the entry lacks.
  std::span<const int8_t> at(int32_t set) const;
  std::span<int8_t> at(int32_t set);

  bool HasShape(const Shape& shape) const noexcept;
  // Gives the entry this shape: numbers that exist in both keep their values,
  // new ones are 0.
  void Reshape(const Shape& shape);

  // The reference the host sees: the outer array's first element.
  const void* HostReference() const noexcept { return sets_; }

  friend bool operator==(const EntryNumbers& a, const EntryNumbers& b) noexcept;

 private:
  std::span<int8_t> Set(int32_t set) const noexcept;
  size_t BlockSize() const noexcept;
  char* BlockStart() const noexcept;
  void Release() noexcept;

  int8_t** sets_ = nullptr;
};

}  // namespace zun
