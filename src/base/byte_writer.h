#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace zun {

// Appends little-endian values to a growing buffer.
class ByteWriter {
 public:
  void U8(uint8_t v) { bytes_.push_back(v); }
  void U16(uint16_t v) {
    U8(static_cast<uint8_t>(v));
    U8(static_cast<uint8_t>(v >> 8));
  }
  void I32(int32_t v) {
    const auto u = static_cast<uint32_t>(v);
    const uint8_t le[4] = {static_cast<uint8_t>(u), static_cast<uint8_t>(u >> 8),
                           static_cast<uint8_t>(u >> 16), static_cast<uint8_t>(u >> 24)};
    Bytes(le, 4);
  }
  void Bytes(const void* data, size_t count) {
    const auto* p = static_cast<const uint8_t*>(data);
    bytes_.insert(bytes_.end(), p, p + count);
  }

  size_t Size() const noexcept { return bytes_.size(); }
  void Clear() noexcept { bytes_.clear(); }
  std::vector<uint8_t>& Buffer() noexcept { return bytes_; }
  const std::vector<uint8_t>& Buffer() const noexcept { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace zun
