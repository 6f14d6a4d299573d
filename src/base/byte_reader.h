#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

namespace zun {

// Reads little-endian values from a buffer, checking every read against the
// bytes that remain. A read past the end throws ByteReader::Failure, which
// the format readers catch at their top level: a short or corrupt file ends
// the reading there, exactly like a file read that hits the end.
class ByteReader {
 public:
  struct Failure {};

  explicit ByteReader(std::span<const uint8_t> bytes) noexcept
      : data_(bytes.data()), size_(bytes.size()) {}

  size_t Remaining() const noexcept { return size_ - pos_; }
  size_t Position() const noexcept { return pos_; }

  uint8_t U8() {
    Need(1);
    return data_[pos_++];
  }

  int32_t I32() {
    Need(4);
    const uint8_t* p = data_ + pos_;
    pos_ += 4;
    return static_cast<int32_t>(uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 |
                                uint32_t{p[3]} << 24);
  }

  uint16_t U16() {
    Need(2);
    const uint8_t* p = data_ + pos_;
    pos_ += 2;
    return static_cast<uint16_t>(p[0] | p[1] << 8);
  }

  void Bytes(void* out, size_t count) {
    Need(count);
    if (count != 0) std::memcpy(out, data_ + pos_, count);
    pos_ += count;
  }

  // Hands out the next count bytes without copying them.
  std::span<const uint8_t> Take(size_t count) {
    Need(count);
    std::span<const uint8_t> out(data_ + pos_, count);
    pos_ += count;
    return out;
  }

  // Reads a count and refuses it before anything is sized: negative, or more
  // items than the remaining bytes could hold at minBytesPerItem each.
  int32_t Count(size_t minBytesPerItem) {
    const int32_t count = I32();
    if (count < 0) throw Failure{};
    if (minBytesPerItem != 0 && static_cast<uint64_t>(count) * minBytesPerItem > Remaining())
      throw Failure{};
    return count;
  }

  [[noreturn]] static void Fail() { throw Failure{}; }

 private:
  void Need(size_t count) const {
    if (count > size_ - pos_) throw Failure{};
  }

  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

}  // namespace zun
