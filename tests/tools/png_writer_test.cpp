#include "zunhost/png_writer.h"

#include <gtest/gtest.h>

#include <string_view>

#include "tools/png_reading.h"

namespace zun::devhost {
namespace {

using zun::testing::DecodeStoredPng;
using zun::testing::ReadPngChunks;

std::span<const uint8_t> Bytes(std::string_view text) {
  return {reinterpret_cast<const uint8_t*>(text.data()), text.size()};
}

std::vector<uint8_t> Gradient(int width, int height) {
  std::vector<uint8_t> rgb;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      rgb.insert(rgb.end(), {static_cast<uint8_t>(x), static_cast<uint8_t>(y), static_cast<uint8_t>(x * 7 + y)});
  return rgb;
}

TEST(PngChecksums, MatchTheirPublishedCheckValues) {
  EXPECT_EQ(Crc32(Bytes("123456789")), 0xCBF43926u);
  EXPECT_EQ(Crc32(Bytes("")), 0u);
  // A CRC can be continued over a second part.
  EXPECT_EQ(Crc32(Bytes("56789"), Crc32(Bytes("1234"))), 0xCBF43926u);
  EXPECT_EQ(Adler32(Bytes("Wikipedia")), 0x11E60398u);
  EXPECT_EQ(Adler32({}), 1u);
}

TEST(PngChecksums, Adler32StaysExactOverLongRunsOfHighBytes) {
  // The sums are reduced only every few thousand bytes; all-0xFF input is
  // where a too-long run would overflow.
  const std::vector<uint8_t> bytes(200'000, 0xFF);
  uint32_t a = 1, b = 0;
  for (const uint8_t byte : bytes) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  EXPECT_EQ(Adler32(bytes), (b << 16) | a);
}

TEST(PngWriter, WritesSignatureHeaderDataAndEndWithValidCrcs) {
  const std::vector<uint8_t> png = EncodePng(3, 2, Gradient(3, 2));
  const auto chunks = ReadPngChunks(png);
  ASSERT_EQ(chunks.size(), 3u);
  EXPECT_EQ(chunks[0].type, "IHDR");
  EXPECT_EQ(chunks[1].type, "IDAT");
  EXPECT_EQ(chunks[2].type, "IEND");
  // width 3, height 2, 8 bits, colour type 2 (RGB), deflate, filters 0, no interlace
  EXPECT_EQ(chunks[0].data, (std::vector<uint8_t>{0, 0, 0, 3, 0, 0, 0, 2, 8, 2, 0, 0, 0}));
  EXPECT_TRUE(chunks[2].data.empty());
  EXPECT_EQ(chunks[2].crc, 0xAE426082u);  // every PNG's IEND
  for (const auto& chunk : chunks) {
    std::vector<uint8_t> typed(chunk.type.begin(), chunk.type.end());
    typed.insert(typed.end(), chunk.data.begin(), chunk.data.end());
    EXPECT_EQ(chunk.crc, Crc32(typed)) << chunk.type;
  }
}

TEST(PngWriter, DecodesBackToThePixels) {
  const auto rgb = Gradient(5, 4);
  const auto image = DecodeStoredPng(EncodePng(5, 4, rgb));
  EXPECT_EQ(image.width, 5);
  EXPECT_EQ(image.height, 4);
  EXPECT_EQ(image.rgb, rgb);
  ASSERT_EQ(image.blocks.size(), 1u);
  EXPECT_TRUE(image.blocks[0].final);

  std::vector<uint8_t> raw;  // what the Adler-32 covers: filter byte, then the row
  for (int y = 0; y < 4; ++y) {
    raw.push_back(0);
    raw.insert(raw.end(), rgb.begin() + y * 15, rgb.begin() + (y + 1) * 15);
  }
  EXPECT_EQ(image.adler, Adler32(raw));
}

TEST(PngWriter, SplitsRowsAcrossTheStoredBlockLimit) {
  // 90,001 bytes a row: every row crosses a 65,535-byte block boundary.
  const int width = 30'000, height = 3;
  const auto rgb = Gradient(width, height);
  const auto image = DecodeStoredPng(EncodePng(width, height, rgb));
  EXPECT_EQ(image.rgb, rgb);
  const size_t raw = (size_t(width) * 3 + 1) * height;
  ASSERT_EQ(image.blocks.size(), raw / 65535 + 1);
  for (size_t i = 0; i + 1 < image.blocks.size(); ++i) {
    EXPECT_EQ(image.blocks[i].length, 65535u);
    EXPECT_FALSE(image.blocks[i].final);
  }
  EXPECT_EQ(image.blocks.back().length, raw % 65535);
  EXPECT_TRUE(image.blocks.back().final);
}

TEST(PngWriter, RefusesImagesWithoutPixelsOrWithTheWrongAmount) {
  EXPECT_THROW(EncodePng(0, 1, {}), std::invalid_argument);
  EXPECT_THROW(EncodePng(1, -1, {}), std::invalid_argument);
  const std::vector<uint8_t> short_(2 * 2 * 3 - 1);
  EXPECT_THROW(EncodePng(2, 2, short_), std::invalid_argument);
}

}  // namespace
}  // namespace zun::devhost
