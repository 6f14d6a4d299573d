#pragma once

// A reader for the PNG files the development host writes: chunks, stored
// deflate blocks and unfiltered rows only, each part checked as it is read.
// Anything else is reported as an error rather than decoded.

#include <algorithm>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace zun::testing {

struct PngChunk {
  std::string type;
  std::vector<uint8_t> data;
  uint32_t crc;
};

struct StoredBlock {
  bool final;
  size_t length;
};

struct DecodedPng {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgb;
  std::vector<StoredBlock> blocks;
  uint32_t adler = 0;  // as stored at the end of the zlib stream
};

inline uint32_t BigEndian32(const uint8_t* p) {
  return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}

inline std::vector<PngChunk> ReadPngChunks(std::span<const uint8_t> png) {
  static const uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (png.size() < 8 || !std::equal(kSignature, kSignature + 8, png.begin()))
    throw std::runtime_error("no PNG signature");
  std::vector<PngChunk> chunks;
  size_t at = 8;
  while (at < png.size()) {
    if (png.size() - at < 12) throw std::runtime_error("chunk breaks off");
    const uint32_t length = BigEndian32(&png[at]);
    if (png.size() - at - 12 < length) throw std::runtime_error("chunk data breaks off");
    PngChunk chunk;
    chunk.type.assign(reinterpret_cast<const char*>(&png[at + 4]), 4);
    chunk.data.assign(png.begin() + static_cast<ptrdiff_t>(at + 8),
                      png.begin() + static_cast<ptrdiff_t>(at + 8 + length));
    chunk.crc = BigEndian32(&png[at + 8 + length]);
    chunks.push_back(std::move(chunk));
    at += 12 + length;
  }
  return chunks;
}

// Decodes an image whose IDAT data is a zlib stream of stored blocks.
inline DecodedPng DecodeStoredPng(std::span<const uint8_t> png) {
  const std::vector<PngChunk> chunks = ReadPngChunks(png);
  if (chunks.empty() || chunks.front().type != "IHDR" || chunks.front().data.size() != 13)
    throw std::runtime_error("no IHDR first");
  DecodedPng image;
  image.width = static_cast<int>(BigEndian32(&chunks.front().data[0]));
  image.height = static_cast<int>(BigEndian32(&chunks.front().data[4]));
  std::vector<uint8_t> z;
  for (const PngChunk& chunk : chunks)
    if (chunk.type == "IDAT") z.insert(z.end(), chunk.data.begin(), chunk.data.end());
  if (z.size() < 6 || (z[0] * 256 + z[1]) % 31 != 0 || (z[0] & 0x0F) != 8) throw std::runtime_error("bad zlib header");
  std::vector<uint8_t> raw;
  size_t at = 2;
  for (bool final = false; !final;) {
    if (z.size() - at < 5) throw std::runtime_error("block header breaks off");
    if ((z[at] & 0x06) != 0) throw std::runtime_error("not a stored block");
    final = (z[at] & 1) != 0;
    const size_t length = z[at + 1] | z[at + 2] << 8;
    const size_t inverse = z[at + 3] | z[at + 4] << 8;
    if ((length ^ 0xFFFF) != inverse) throw std::runtime_error("LEN and NLEN disagree");
    at += 5;
    if (z.size() - at < length) throw std::runtime_error("block data breaks off");
    raw.insert(raw.end(), z.begin() + static_cast<ptrdiff_t>(at), z.begin() + static_cast<ptrdiff_t>(at + length));
    image.blocks.push_back({final, length});
    at += length;
  }
  if (z.size() - at != 4) throw std::runtime_error("no Adler-32 right after the last block");
  image.adler = BigEndian32(&z[at]);

  const size_t rowBytes = size_t(image.width) * 3;
  if (raw.size() != (rowBytes + 1) * size_t(image.height)) throw std::runtime_error("wrong amount of image data");
  for (size_t row = 0; row < size_t(image.height); ++row) {
    const uint8_t* line = &raw[row * (rowBytes + 1)];
    if (line[0] != 0) throw std::runtime_error("filtered row");
    image.rgb.insert(image.rgb.end(), line + 1, line + 1 + rowBytes);
  }
  return image;
}

}  // namespace zun::testing
