#pragma once

// The host's memory convention. The host reads our user database in place and
// we read its game object in place, so these types are binary interfaces:
//
//   text:  [ref count:int32][length:int32][chars...][0]   reference -> first char
//   array: [ref count:int32][length:int32][elements...]   reference -> first element
//   null reference = empty text or array; string[n] = length byte + n chars.
//
// HostText and HostArray are one pointer wide, own their memory and deep-copy
// on copy. HostArray keeps its spare capacity in a header of its own placed
// before the host-visible one, so appends are amortised O(1) while the host
// still sees the exact count. Const access works on blocks the host allocated
// too (it reads only the host-visible header); anything that writes or frees
// is for our own blocks only.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <span>
#include <stdexcept>
#include <string_view>
#include <type_traits>
#include <utility>

#include "base/allocation_limit.h"

namespace zun {

// The class reference at offset 0 of every object the host reads: a pointer
// to a static descriptor of ours. The host never follows it.
struct ClassInfo {
  const char* Name;
  int32_t InstanceSize;
  const ClassInfo* Parent;
};

// What the host finds right before a text's first character or an array's
// first element.
struct HostBlockHeader {
  int32_t RefCount;
  int32_t Length;
};
static_assert(sizeof(HostBlockHeader) == 8);

// We hold the only reference. Host code that takes and drops a reference
// never brings the count to zero, so it never frees our memory.
inline constexpr int32_t kOwnedRefCount = 1;

// string[n]: a length byte and n characters, n + 1 bytes in all.
template <int N>
struct ShortString {
  static_assert(N > 0 && N < 256);
  uint8_t Length;
  char Chars[N];

  // The text, never longer than N whatever the length byte says: a length
  // byte read from a file or from the host is not trusted.
  std::string_view view() const noexcept {
    return {Chars, static_cast<size_t>(std::min<int>(Length, N))};
  }

  // Stores s cut to N characters; unused characters are zeroed so that
  // records written byte for byte are deterministic.
  void assign(std::string_view s) noexcept {
    const size_t n = std::min<size_t>(s.size(), N);
    Length = static_cast<uint8_t>(n);
    if (n != 0) std::memcpy(Chars, s.data(), n);
    std::memset(Chars + n, 0, N - n);
  }

  friend bool operator==(const ShortString& a, const ShortString& b) noexcept {
    return a.view() == b.view();
  }
};

namespace detail {

inline const HostBlockHeader* HeaderBefore(const void* ref) noexcept {
  return static_cast<const HostBlockHeader*>(ref) - 1;
}

inline int32_t HostLength(const void* ref) noexcept {
  if (ref == nullptr) return 0;
  const int32_t n = HeaderBefore(ref)->Length;
  return n < 0 ? 0 : n;
}

}  // namespace detail

// A reference-counted 8-bit text in the host's convention.
class HostText {
 public:
  HostText() noexcept = default;
  HostText(std::string_view s) { Assign(s); }  // NOLINT: texts convert freely
  HostText(const HostText& other) { Assign(other.view()); }
  HostText(HostText&& other) noexcept : chars_(std::exchange(other.chars_, nullptr)) {}
  HostText& operator=(const HostText& other) {
    if (this != &other) Assign(other.view());
    return *this;
  }
  HostText& operator=(HostText&& other) noexcept {
    if (this != &other) {
      Release();
      chars_ = std::exchange(other.chars_, nullptr);
    }
    return *this;
  }
  HostText& operator=(std::string_view s) {
    Assign(s);
    return *this;
  }
  ~HostText() { Release(); }

  int32_t size() const noexcept { return detail::HostLength(chars_); }
  bool empty() const noexcept { return size() == 0; }
  std::string_view view() const noexcept { return {chars_ ? chars_ : "", static_cast<size_t>(size())}; }
  const char* c_str() const noexcept { return chars_ ? chars_ : ""; }
  // The reference the host sees (null when empty).
  const char* data() const noexcept { return chars_; }

  friend bool operator==(const HostText& a, const HostText& b) noexcept { return a.view() == b.view(); }

 private:
  void Assign(std::string_view s) {
    if (s.empty()) {
      Release();
      return;
    }
    if (s.size() > static_cast<size_t>(std::numeric_limits<int32_t>::max()) - sizeof(HostBlockHeader) - 1)
      throw std::bad_alloc();
    auto* block = static_cast<HostBlockHeader*>(std::malloc(sizeof(HostBlockHeader) + s.size() + 1));
    if (block == nullptr) throw std::bad_alloc();
    block->RefCount = kOwnedRefCount;
    block->Length = static_cast<int32_t>(s.size());
    char* chars = reinterpret_cast<char*>(block + 1);
    std::memcpy(chars, s.data(), s.size());
    chars[s.size()] = '\0';
    Release();
    chars_ = chars;
  }
  void Release() noexcept {
    if (chars_ != nullptr) std::free(reinterpret_cast<HostBlockHeader*>(chars_) - 1);
    chars_ = nullptr;
  }

  char* chars_ = nullptr;
};
static_assert(sizeof(HostText) == sizeof(void*));

// A dynamic array in the host's convention. T must be nothrow-movable; new
// elements are value-initialised (records come out zeroed, like the host's).
template <class T>
class HostArray {
  static_assert(std::is_nothrow_move_constructible_v<T>);
  static_assert(std::is_nothrow_default_constructible_v<T>);

 public:
  HostArray() noexcept = default;
  HostArray(const HostArray& other) { CopyFrom(other); }
  HostArray(HostArray&& other) noexcept : data_(std::exchange(other.data_, nullptr)) {}
  HostArray& operator=(const HostArray& other) {
    if (this != &other) {
      HostArray copy(other);
      swap(copy);
    }
    return *this;
  }
  HostArray& operator=(HostArray&& other) noexcept {
    if (this != &other) {
      Release();
      data_ = std::exchange(other.data_, nullptr);
    }
    return *this;
  }
  ~HostArray() { Release(); }

  int32_t size() const noexcept { return detail::HostLength(data_); }
  bool empty() const noexcept { return size() == 0; }
  int32_t capacity() const noexcept { return data_ ? OwnHeader(data_)->Capacity : 0; }

  T* data() noexcept { return data_; }
  const T* data() const noexcept { return data_; }
  T* begin() noexcept { return data_; }
  T* end() noexcept { return data_ + size(); }
  const T* begin() const noexcept { return data_; }
  const T* end() const noexcept { return data_ + size(); }
  std::span<T> span() noexcept { return {data_, static_cast<size_t>(size())}; }
  std::span<const T> span() const noexcept { return {data_, static_cast<size_t>(size())}; }

  T& operator[](int32_t i) noexcept { return data_[i]; }
  const T& operator[](int32_t i) const noexcept { return data_[i]; }
  T& back() noexcept { return data_[size() - 1]; }

  // Checked access for indexes that come from files, the host or the user.
  bool contains(int32_t i) const noexcept { return i >= 0 && i < size(); }
  T& at(int32_t i) {
    if (!contains(i)) throw std::out_of_range("index outside a dynamic array");
    return data_[i];
  }
  const T& at(int32_t i) const {
    if (!contains(i)) throw std::out_of_range("index outside a dynamic array");
    return data_[i];
  }

  // Sets the length. Existing elements up to n keep their values, new ones
  // are value-initialised; a length of 0 frees the block (a null reference).
  void resize(int32_t n) {
    if (n < 0) throw std::length_error("negative dynamic array length");
    const int32_t old = size();
    if (n == old) return;
    if (n == 0) {
      Release();
      return;
    }
    if (n < old) {
      std::destroy(data_ + n, data_ + old);
      SetLength(n);
      return;
    }
    if (n > capacity()) Reallocate(n);
    for (int32_t i = old; i < n; ++i) new (data_ + i) T();
    SetLength(n);
  }

  void reserve(int32_t n) {
    if (n > capacity()) Reallocate(n);
  }

  // Appends with amortised O(1) cost: capacity grows by half each time.
  template <class... Args>
  T& emplace_back(Args&&... args) {
    const int32_t n = size();
    if (n == capacity()) {
      // The arguments may refer to an element of this array: build the new
      // element before the old block goes.
      T element(std::forward<Args>(args)...);
      Reallocate(GrownCapacity(n + 1));
      T* slot = new (data_ + n) T(std::move(element));
      SetLength(n + 1);
      return *slot;
    }
    T* slot = new (data_ + n) T(std::forward<Args>(args)...);
    SetLength(n + 1);
    return *slot;
  }
  T& push_back(const T& v) { return emplace_back(v); }
  T& push_back(T&& v) { return emplace_back(std::move(v)); }

  // Keeps the elements for which keep(element) is true, in order, in one
  // compacting pass.
  template <class Keep>
  void compact(Keep keep) {
    const int32_t n = size();
    int32_t out = 0;
    for (int32_t i = 0; i < n; ++i) {
      if (!keep(data_[i])) continue;
      if (out != i) data_[out] = std::move(data_[i]);
      ++out;
    }
    resize(out);
  }

  void clear() noexcept { Release(); }
  void swap(HostArray& other) noexcept { std::swap(data_, other.data_); }

 private:
  // Our header, in front of the host-visible one.
  struct Block {
    int32_t Capacity;
    int32_t Reserved;  // keeps elements 8-byte aligned
    HostBlockHeader Host;
  };
  static_assert(sizeof(Block) == 16);

  static Block* OwnHeader(T* data) noexcept { return reinterpret_cast<Block*>(data) - 1; }
  static const Block* OwnHeader(const T* data) noexcept { return reinterpret_cast<const Block*>(data) - 1; }

  // No block may exceed the largest object the platform can hold.
  static constexpr int32_t kMaxCapacity = static_cast<int32_t>(
      std::min<size_t>(std::numeric_limits<int32_t>::max(),
                       (size_t(std::numeric_limits<ptrdiff_t>::max()) - sizeof(Block)) / sizeof(T)));

  static int32_t GrownCapacity(int32_t needed) {
    const int64_t grown = std::max<int64_t>(needed, int64_t{needed} + needed / 2 + 4);
    return static_cast<int32_t>(std::min<int64_t>(grown, kMaxCapacity));
  }

  void SetLength(int32_t n) noexcept { OwnHeader(data_)->Host.Length = n; }

  void Reallocate(int32_t capacity) {
    if (capacity > kMaxCapacity) throw std::bad_alloc();
    const size_t bytes = sizeof(Block) + size_t(capacity) * sizeof(T);
    if (!allocation_limit::Take(bytes)) throw std::bad_alloc();
    auto* block = static_cast<Block*>(std::malloc(bytes));
    if (block == nullptr) throw std::bad_alloc();
    const int32_t n = size();
    block->Capacity = capacity;
    block->Reserved = 0;
    block->Host.RefCount = kOwnedRefCount;
    block->Host.Length = n;
    T* fresh = reinterpret_cast<T*>(block + 1);
    if (data_ != nullptr) {
      if constexpr (std::is_trivially_copyable_v<T>) {
        std::memcpy(static_cast<void*>(fresh), data_, size_t(n) * sizeof(T));
      } else {
        for (int32_t i = 0; i < n; ++i) {
          new (fresh + i) T(std::move(data_[i]));
          data_[i].~T();
        }
      }
      std::free(OwnHeader(data_));
    }
    data_ = fresh;
  }

  void CopyFrom(const HostArray& other) {
    const int32_t n = other.size();
    if (n == 0) return;
    Reallocate(n);
    int32_t built = 0;
    try {
      for (; built < n; ++built) new (data_ + built) T(other.data_[built]);
    } catch (...) {
      std::destroy(data_, data_ + built);
      std::free(OwnHeader(data_));
      data_ = nullptr;
      throw;
    }
    SetLength(n);
  }

  void Release() noexcept {
    if (data_ == nullptr) return;
    std::destroy(data_, data_ + size());
    std::free(OwnHeader(data_));
    data_ = nullptr;
  }

  T* data_ = nullptr;
};

// A dynamic array someone else owns (the host, another add-on), seen in
// place: its elements can be read and written, but it is never resized or
// freed from here, and no header of ours is assumed in front of it.
template <class T>
class HostArrayRef {
 public:
  HostArrayRef() noexcept = default;
  explicit HostArrayRef(T* first) noexcept : data_(first) {}

  int32_t size() const noexcept { return detail::HostLength(data_); }
  bool empty() const noexcept { return size() == 0; }
  bool contains(int32_t i) const noexcept { return i >= 0 && i < size(); }
  T* data() const noexcept { return data_; }
  std::span<T> span() const noexcept { return {data_, static_cast<size_t>(size())}; }
  T& operator[](int32_t i) const noexcept { return data_[i]; }

 private:
  T* data_ = nullptr;
};
static_assert(sizeof(HostArrayRef<int32_t>) == sizeof(void*));

}  // namespace zun
