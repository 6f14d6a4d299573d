#pragma once

// A PNG encoder small enough to need no library: 8-bit RGB, no filtering,
// the image data in stored (uncompressed) deflate blocks. The development
// host writes its screenshots with it.

#include <cstdint>
#include <span>
#include <vector>

namespace zun::devhost {

// The whole file for an image of width x height pixels given row by row,
// top first, three bytes (red, green, blue) per pixel. Throws
// std::invalid_argument when a side is not positive or rgb is not exactly
// width * height * 3 bytes.
std::vector<uint8_t> EncodePng(int width, int height, std::span<const uint8_t> rgb);

// The two checksums the format needs: CRC-32 of every chunk, Adler-32 of the
// zlib stream.
uint32_t Crc32(std::span<const uint8_t> bytes, uint32_t crc = 0) noexcept;
uint32_t Adler32(std::span<const uint8_t> bytes) noexcept;

}  // namespace zun::devhost
