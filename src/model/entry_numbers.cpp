#include "model/entry_numbers.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>

#include "model/host_memory.h"

namespace zun {
namespace {

constexpr size_t kHeader = sizeof(HostBlockHeader);
// One set reference in the outer array: a pointer, whatever the build.
constexpr size_t kReference = sizeof(int8_t*);

constexpr size_t RoundUp4(size_t n) noexcept { return (n + 3) & ~size_t{3}; }

int32_t LengthOf(const int8_t* numbers) noexcept { return detail::HostLength(numbers); }

}  // namespace

EntryNumbers::Shape::Shape(std::span<const int32_t> counts) : counts_(counts.begin(), counts.end()) {
  if (counts.empty()) return;
  offsets_.resize(counts.size());
  uint64_t size = kHeader + uint64_t{kReference} * counts.size();
  for (size_t s = 0; s < counts.size(); ++s) {
    const int32_t n = counts[s];
    if (n < 0) throw std::invalid_argument("negative number count");
    total_ += n;
    if (n == 0) continue;  // an empty set is a null reference
    offsets_[s] = static_cast<uint32_t>(size + kHeader);
    size += kHeader + RoundUp4(static_cast<size_t>(n));
    if (size > static_cast<uint64_t>(std::numeric_limits<int32_t>::max())) throw std::bad_alloc();
  }
  block_size_ = static_cast<size_t>(size);
}

EntryNumbers::EntryNumbers(const Shape& shape) {
  if (shape.counts_.empty()) return;
  char* block = static_cast<char*>(std::calloc(1, shape.block_size_));
  if (block == nullptr) throw std::bad_alloc();
  auto* outer = reinterpret_cast<HostBlockHeader*>(block);
  outer->RefCount = kOwnedRefCount;
  outer->Length = shape.SetCount();
  sets_ = reinterpret_cast<int8_t**>(block + kHeader);
  for (int32_t s = 0; s < shape.SetCount(); ++s) {
    if (shape.counts_[s] == 0) continue;  // calloc left the reference null
    auto* inner = reinterpret_cast<HostBlockHeader*>(block + shape.offsets_[s] - kHeader);
    inner->RefCount = kOwnedRefCount;
    inner->Length = shape.counts_[s];
    sets_[s] = reinterpret_cast<int8_t*>(block + shape.offsets_[s]);
  }
}

EntryNumbers::EntryNumbers(const EntryNumbers& other) {
  if (other.sets_ == nullptr) return;
  const size_t size = other.BlockSize();
  char* from = other.BlockStart();
  char* block = static_cast<char*>(std::malloc(size));
  if (block == nullptr) throw std::bad_alloc();
  std::memcpy(block, from, size);
  sets_ = reinterpret_cast<int8_t**>(block + kHeader);
  const int32_t n = other.size();
  for (int32_t s = 0; s < n; ++s) {
    if (sets_[s] != nullptr) sets_[s] = reinterpret_cast<int8_t*>(block + (reinterpret_cast<char*>(sets_[s]) - from));
  }
}

EntryNumbers& EntryNumbers::operator=(const EntryNumbers& other) {
  if (this != &other) {
    EntryNumbers copy(other);
    std::swap(sets_, copy.sets_);
  }
  return *this;
}

EntryNumbers& EntryNumbers::operator=(EntryNumbers&& other) noexcept {
  if (this != &other) {
    Release();
    sets_ = other.sets_;
    other.sets_ = nullptr;
  }
  return *this;
}

int32_t EntryNumbers::size() const noexcept { return detail::HostLength(sets_); }

std::span<int8_t> EntryNumbers::Set(int32_t set) const noexcept {
  int8_t* numbers = sets_[set];
  return {numbers, static_cast<size_t>(LengthOf(numbers))};
}

std::span<const int8_t> EntryNumbers::at(int32_t set) const {
  if (set < 0 || set >= size()) throw std::out_of_range("number set outside the entry");
  return Set(set);
}

std::span<int8_t> EntryNumbers::at(int32_t set) {
  if (set < 0 || set >= size()) throw std::out_of_range("number set outside the entry");
  return Set(set);
}

bool EntryNumbers::HasShape(const Shape& shape) const noexcept {
  const int32_t n = size();
  if (n != shape.SetCount()) return false;
  for (int32_t s = 0; s < n; ++s)
    if (LengthOf(sets_[s]) != shape.counts_[s]) return false;
  return true;
}

void EntryNumbers::Reshape(const Shape& shape) {
  if (HasShape(shape)) return;
  EntryNumbers fresh(shape);
  const int32_t common = std::min(size(), shape.SetCount());
  for (int32_t s = 0; s < common; ++s) {
    const std::span<int8_t> from = Set(s);
    const std::span<int8_t> to = fresh.Set(s);
    const size_t n = std::min(from.size(), to.size());
    if (n != 0) std::memcpy(to.data(), from.data(), n);
  }
  std::swap(sets_, fresh.sets_);
}

bool operator==(const EntryNumbers& a, const EntryNumbers& b) noexcept {
  const int32_t n = a.size();
  if (n != b.size()) return false;
  for (int32_t s = 0; s < n; ++s) {
    const auto x = a.Set(s);
    const auto y = b.Set(s);
    if (x.size() != y.size() || (x.size() != 0 && std::memcmp(x.data(), y.data(), x.size()) != 0)) return false;
  }
  return true;
}

size_t EntryNumbers::BlockSize() const noexcept {
  const int32_t n = size();
  size_t total = kHeader + kReference * static_cast<size_t>(n);
  for (int32_t s = 0; s < n; ++s) {
    const int32_t len = LengthOf(sets_[s]);
    if (len != 0) total += kHeader + RoundUp4(static_cast<size_t>(len));
  }
  return total;
}

char* EntryNumbers::BlockStart() const noexcept { return reinterpret_cast<char*>(sets_) - kHeader; }

void EntryNumbers::Release() noexcept {
  if (sets_ != nullptr) std::free(BlockStart());
  sets_ = nullptr;
}

}  // namespace zun
