#include "zunhost/png_writer.h"

#include <array>
#include <limits>
#include <stdexcept>
#include <string_view>

namespace zun::devhost {
namespace {

constexpr std::array<uint32_t, 256> MakeCrcTable() {
  std::array<uint32_t, 256> table{};
  for (uint32_t n = 0; n < 256; ++n) {
    uint32_t c = n;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[n] = c;
  }
  return table;
}
constexpr std::array<uint32_t, 256> kCrcTable = MakeCrcTable();

// A stored deflate block holds at most this many bytes.
constexpr size_t kStoredBlockLimit = 65535;

void PutBigEndian32(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

void PutChunk(std::vector<uint8_t>& out, std::string_view type, std::span<const uint8_t> data) {
  if (data.size() > std::numeric_limits<int32_t>::max()) throw std::length_error("PNG chunk too large");
  PutBigEndian32(out, static_cast<uint32_t>(data.size()));
  const size_t typeAt = out.size();
  out.insert(out.end(), type.begin(), type.end());
  out.insert(out.end(), data.begin(), data.end());
  // The CRC covers the type and the data, not the length.
  PutBigEndian32(out, Crc32(std::span<const uint8_t>(out).subspan(typeAt)));
}

// The scanlines as the format wants them: a filter byte (0, none) before each row.
std::vector<uint8_t> Scanlines(size_t rowBytes, size_t height, std::span<const uint8_t> rgb) {
  std::vector<uint8_t> raw;
  raw.reserve((rowBytes + 1) * height);
  for (size_t row = 0; row < height; ++row) {
    raw.push_back(0);
    const auto line = rgb.subspan(row * rowBytes, rowBytes);
    raw.insert(raw.end(), line.begin(), line.end());
  }
  return raw;
}

// A zlib stream of stored blocks: no compression, so no window to fill.
std::vector<uint8_t> StoredZlib(std::span<const uint8_t> raw) {
  std::vector<uint8_t> z;
  z.reserve(raw.size() + raw.size() / kStoredBlockLimit * 5 + 16);
  z.push_back(0x78);  // deflate, 32 KiB window
  z.push_back(0x01);  // no dictionary, lowest level; 0x7801 is a multiple of 31
  size_t at = 0;
  do {
    const size_t length = std::min(kStoredBlockLimit, raw.size() - at);
    const bool last = at + length == raw.size();
    z.push_back(last ? 1 : 0);  // BFINAL, BTYPE 00
    z.push_back(static_cast<uint8_t>(length));
    z.push_back(static_cast<uint8_t>(length >> 8));
    z.push_back(static_cast<uint8_t>(~length));
    z.push_back(static_cast<uint8_t>(~length >> 8));
    z.insert(z.end(), raw.begin() + static_cast<ptrdiff_t>(at), raw.begin() + static_cast<ptrdiff_t>(at + length));
    at += length;
  } while (at < raw.size());
  PutBigEndian32(z, Adler32(raw));
  return z;
}

}  // namespace

uint32_t Crc32(std::span<const uint8_t> bytes, uint32_t crc) noexcept {
  crc = ~crc;
  for (const uint8_t b : bytes) crc = kCrcTable[(crc ^ b) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

uint32_t Adler32(std::span<const uint8_t> bytes) noexcept {
  constexpr uint32_t kModulus = 65521;
  // 5552 bytes is the longest run whose sums cannot overflow 32 bits.
  constexpr size_t kRun = 5552;
  uint32_t a = 1, b = 0;
  for (size_t at = 0; at < bytes.size(); at += kRun) {
    const size_t end = std::min(bytes.size(), at + kRun);
    for (size_t i = at; i < end; ++i) {
      a += bytes[i];
      b += a;
    }
    a %= kModulus;
    b %= kModulus;
  }
  return (b << 16) | a;
}

std::vector<uint8_t> EncodePng(int width, int height, std::span<const uint8_t> rgb) {
  if (width <= 0 || height <= 0) throw std::invalid_argument("PNG image without pixels");
  const uint64_t rowBytes = uint64_t{3} * static_cast<uint32_t>(width);
  if (rowBytes * static_cast<uint32_t>(height) != rgb.size())
    throw std::invalid_argument("PNG pixels do not match the image's size");

  std::vector<uint8_t> header;
  PutBigEndian32(header, static_cast<uint32_t>(width));
  PutBigEndian32(header, static_cast<uint32_t>(height));
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, adaptive filters, no interlace

  const std::vector<uint8_t> data =
      StoredZlib(Scanlines(static_cast<size_t>(rowBytes), static_cast<size_t>(height), rgb));

  std::vector<uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  png.reserve(data.size() + 64);
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", data);
  PutChunk(png, "IEND", {});
  return png;
}

}  // namespace zun::devhost
