#include "model/entry_numbers.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>

#include "base/allocation_limit.h"

namespace zun {
namespace {

constexpr size_t kHeader = sizeof(HostBlockHeader);
// One set reference in the outer array: a pointer, whatever the build.
constexpr size_t kReference = sizeof(int8_t*);
// The word before the outer header: the pool a block was carved from.
constexpr size_t kPoolWord = sizeof(void*);
// Blocks follow each other in a pool, so each is rounded to this.
constexpr size_t kBlockAlign = alignof(void*);
// A pool starts with its count of live blocks, one word.
struct PoolHeader {
  size_t live;
};
constexpr size_t kPoolHeader = (sizeof(PoolHeader) + kBlockAlign - 1) & ~(kBlockAlign - 1);
// Pools stay below the size at which heaps map memory for each allocation.
constexpr size_t kPoolBytes = 256 * 1024;

constexpr size_t RoundUp4(size_t n) noexcept { return (n + 3) & ~size_t{3}; }
constexpr size_t RoundUpBlock(size_t n) noexcept { return (n + kBlockAlign - 1) & ~(kBlockAlign - 1); }

void*& PoolWordOf(char* block) noexcept { return *reinterpret_cast<void**>(block); }

int32_t LengthOf(const int8_t* numbers) noexcept { return detail::HostLength(numbers); }

}  // namespace

EntryNumbers::Shape::Shape(std::span<const int32_t> counts) : counts_(counts.begin(), counts.end()) {
  if (counts.empty()) return;
  offsets_.resize(counts.size());
  uint64_t size = kPoolWord + kHeader + uint64_t{kReference} * counts.size();
  for (size_t s = 0; s < counts.size(); ++s) {
    const int32_t n = counts[s];
    if (n < 0) throw std::invalid_argument("negative number count");
    total_ += n;
    if (n == 0) continue;  // an empty set is a null reference
    offsets_[s] = static_cast<uint32_t>(size + kHeader);
    size += kHeader + RoundUp4(static_cast<size_t>(n));
    if (size > static_cast<uint64_t>(std::numeric_limits<int32_t>::max())) throw std::bad_alloc();
  }
  block_size_ = RoundUpBlock(static_cast<size_t>(size));
}

EntryNumbers::EntryNumbers(const Shape& shape) {
  if (shape.counts_.empty()) return;
  if (!allocation_limit::Take(shape.block_size_)) throw std::bad_alloc();
  char* block = static_cast<char*>(std::calloc(1, shape.block_size_));
  if (block == nullptr) throw std::bad_alloc();
  Adopt(block, shape);  // calloc left the pool word null: allocated alone
}

void EntryNumbers::Adopt(char* block, const Shape& shape) noexcept {
  auto* outer = reinterpret_cast<HostBlockHeader*>(block + kPoolWord);
  outer->RefCount = kOwnedRefCount;
  outer->Length = shape.SetCount();
  sets_ = reinterpret_cast<int8_t**>(block + kPoolWord + kHeader);
  for (int32_t s = 0; s < shape.SetCount(); ++s) {
    if (shape.counts_[s] == 0) continue;  // the zeroed reference stays null
    auto* inner = reinterpret_cast<HostBlockHeader*>(block + shape.offsets_[s] - kHeader);
    inner->RefCount = kOwnedRefCount;
    inner->Length = shape.counts_[s];
    sets_[s] = reinterpret_cast<int8_t*>(block + shape.offsets_[s]);
  }
}

EntryNumbers EntryNumbers::Batch::Next() {
  if (shape_.counts_.empty()) return EntryNumbers();
  if (left_in_pool_ == 0) {
    if (remaining_ == 0) return EntryNumbers(shape_);
    const size_t fit = std::max<size_t>(1, (kPoolBytes - kPoolHeader) / shape_.block_size_);
    const size_t blocks = std::min(remaining_, fit);
    const size_t bytes = kPoolHeader + blocks * shape_.block_size_;
    if (!allocation_limit::Take(bytes)) throw std::bad_alloc();
    char* pool = static_cast<char*>(std::calloc(1, bytes));
    if (pool == nullptr) throw std::bad_alloc();
    reinterpret_cast<PoolHeader*>(pool)->live = blocks;
    pool_ = pool;
    next_ = pool + kPoolHeader;
    left_in_pool_ = blocks;
    remaining_ -= blocks;
  }
  char* block = next_;
  next_ += shape_.block_size_;
  --left_in_pool_;
  PoolWordOf(block) = pool_;
  EntryNumbers entry;
  entry.Adopt(block, shape_);
  return entry;
}

EntryNumbers::Batch::~Batch() {
  if (left_in_pool_ == 0) return;
  // Blocks never handed out are not live.
  auto* header = reinterpret_cast<PoolHeader*>(pool_);
  header->live -= left_in_pool_;
  if (header->live == 0) std::free(pool_);
}

EntryNumbers::EntryNumbers(const EntryNumbers& other) {
  if (other.sets_ == nullptr) return;
  const size_t size = other.BlockSize();
  char* from = other.BlockStart();
  char* block = static_cast<char*>(std::malloc(size));
  if (block == nullptr) throw std::bad_alloc();
  std::memcpy(block, from, size);
  PoolWordOf(block) = nullptr;
  sets_ = reinterpret_cast<int8_t**>(block + kPoolWord + kHeader);
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
  size_t total = kPoolWord + kHeader + kReference * static_cast<size_t>(n);
  for (int32_t s = 0; s < n; ++s) {
    const int32_t len = LengthOf(sets_[s]);
    if (len != 0) total += kHeader + RoundUp4(static_cast<size_t>(len));
  }
  return RoundUpBlock(total);
}

char* EntryNumbers::BlockStart() const noexcept { return reinterpret_cast<char*>(sets_) - kHeader - kPoolWord; }

void EntryNumbers::Release() noexcept {
  if (sets_ == nullptr) return;
  char* block = BlockStart();
  sets_ = nullptr;
  void* pool = PoolWordOf(block);
  if (pool == nullptr) {
    std::free(block);
  } else if (--static_cast<PoolHeader*>(pool)->live == 0) {
    std::free(pool);
  }
}

}  // namespace zun
