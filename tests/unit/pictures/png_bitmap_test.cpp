// The bitmap description and rows for the cases a player meets: colour tables, strides, layouts.
#include <gtest/gtest.h>

#include <vector>

#include "pictures/png_format.h"
#include "pictures/png_reader.h"
#include "png_test_support.h"

namespace fenok {
namespace {

using pngtest::Bytes;
using pngtest::PngBuilder;

Bytes filteredRows(const pngtest::RawImage& image) {
  Bytes raw;
  for (std::uint32_t y = 0; y < image.height; ++y) {
    raw.push_back(0);
    const auto start = image.pixels.begin() + static_cast<std::ptrdiff_t>(y * image.rowBytes());
    raw.insert(raw.end(), start, start + static_cast<std::ptrdiff_t>(image.rowBytes()));
  }
  return raw;
}

pngtest::OurDecoding decodeImage(const pngtest::RawImage& image, std::int32_t format = kNaturalFormat) {
  return pngtest::decodeWithOurs(pngtest::encodeWithLibpng(image, false, 6), format);
}

std::vector<int> tableBlues(const DibDescription& description) {
  std::vector<int> blues;
  for (std::size_t at = 40; at + 4 <= description.info.size(); at += 4) blues.push_back(description.info[at]);
  return blues;
}

TEST(PngBitmapTest, HeaderFields) {
  const pngtest::OurDecoding result = decodeImage(pngtest::randomImage(5, 7, 2, 8, 1));
  ASSERT_TRUE(result.ok);
  EXPECT_EQ(40u, result.description.info.size());
  EXPECT_EQ(40, pngtest::infoField32(result.description, 0));
  EXPECT_EQ(5, pngtest::infoField32(result.description, 4));
  EXPECT_EQ(-7, pngtest::infoField32(result.description, 8));
  EXPECT_EQ(1, pngtest::infoField16(result.description, 12));
  EXPECT_EQ(24, pngtest::infoField16(result.description, 14));
  for (std::size_t offset = 16; offset < 40; offset += 4) EXPECT_EQ(0, pngtest::infoField32(result.description, offset));
}

TEST(PngBitmapTest, OnePixelGreyHasA256RampAndAStrideOf4) {
  pngtest::RawImage image = pngtest::randomImage(1, 1, 0, 8, 1);
  image.pixels = {0x5A};
  const pngtest::OurDecoding result = decodeImage(image);
  ASSERT_TRUE(result.ok);
  EXPECT_EQ(8, result.description.bitCount);
  EXPECT_EQ(4u, result.description.stride);
  EXPECT_EQ((Bytes{0x5A, 0, 0, 0}), result.rows);
  EXPECT_EQ(256, pngtest::infoField32(result.description, 32));
  ASSERT_EQ(40u + 4 * 256, result.description.info.size());
  for (int i = 0; i < 256; ++i) {
    const std::size_t at = 40 + 4 * static_cast<std::size_t>(i);
    EXPECT_EQ((Bytes{static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(i), 0}),
              Bytes(result.description.info.begin() + static_cast<std::ptrdiff_t>(at),
                    result.description.info.begin() + static_cast<std::ptrdiff_t>(at + 4)));
  }
}

struct RampCase {
  std::uint8_t bitDepth;
  int bitCount;
  std::vector<int> levels;
};

class GreyRampTest : public ::testing::TestWithParam<RampCase> {};

TEST_P(GreyRampTest, TableFollowsTheDepth) {
  const pngtest::OurDecoding result = decodeImage(pngtest::randomImage(9, 2, 0, GetParam().bitDepth, 3));
  ASSERT_TRUE(result.ok);
  EXPECT_EQ(GetParam().bitCount, result.description.bitCount);
  EXPECT_EQ(static_cast<int>(GetParam().levels.size()), pngtest::infoField32(result.description, 32));
  EXPECT_EQ(GetParam().levels, tableBlues(result.description));
}

std::vector<int> ramp(int entries) {
  std::vector<int> levels;
  for (int i = 0; i < entries; ++i) levels.push_back(i * 255 / (entries - 1));
  return levels;
}

INSTANTIATE_TEST_SUITE_P(Depths, GreyRampTest,
                         ::testing::Values(RampCase{1, 1, {0, 255}}, RampCase{2, 4, {0, 85, 170, 255}},
                                           RampCase{4, 4, ramp(16)}, RampCase{16, 8, ramp(256)}));

TEST(PngBitmapTest, TwoBitGreyWidensEachValueTo4Bits) {
  pngtest::RawImage image = pngtest::randomImage(5, 1, 0, 2, 1);
  image.pixels = {0b00011011, 0b10000000};  // values 0 1 2 3 2
  const pngtest::OurDecoding result = decodeImage(image);
  ASSERT_TRUE(result.ok);
  EXPECT_EQ((Bytes{0x01, 0x23, 0x20, 0x00}), result.rows);
}

TEST(PngBitmapTest, SixteenBitRgbKeepsTheHighBytes) {
  pngtest::RawImage image = pngtest::randomImage(1, 1, 2, 16, 1);
  image.pixels = {0x12, 0xFF, 0x34, 0xFF, 0x56, 0xFF};
  const pngtest::OurDecoding result = decodeImage(image);
  ASSERT_TRUE(result.ok);
  EXPECT_EQ(24, result.description.bitCount);
  EXPECT_EQ((Bytes{0x56, 0x34, 0x12, 0x00}), result.rows);
}

TEST(PngBitmapTest, RgbaKeepsAlphaInItsNaturalLayoutAndDropsItOnRequest) {
  pngtest::RawImage image = pngtest::randomImage(2, 1, 6, 8, 1);
  image.pixels = {1, 2, 3, 4, 5, 6, 7, 8};
  const pngtest::OurDecoding natural = decodeImage(image);
  ASSERT_TRUE(natural.ok);
  EXPECT_EQ(32, natural.description.bitCount);
  EXPECT_EQ((Bytes{3, 2, 1, 4, 7, 6, 5, 8}), natural.rows);
  const pngtest::OurDecoding opaque = decodeImage(image, 0x0608010D);
  ASSERT_TRUE(opaque.ok);
  EXPECT_EQ(24, opaque.description.bitCount);
  EXPECT_EQ((Bytes{3, 2, 1, 7, 6, 5, 0, 0}), opaque.rows);
}

TEST(PngBitmapTest, GreyAlphaDropsAlpha) {
  pngtest::RawImage image = pngtest::randomImage(3, 1, 4, 8, 1);
  image.pixels = {10, 200, 20, 100, 30, 0};
  const pngtest::OurDecoding result = decodeImage(image);
  ASSERT_TRUE(result.ok);
  EXPECT_EQ(8, result.description.bitCount);
  EXPECT_EQ((Bytes{10, 20, 30, 0}), result.rows);
}

TEST(PngBitmapTest, ThreePixelRgbRowsAre9BytesAtAStrideOf12) {
  const pngtest::OurDecoding result = decodeImage(pngtest::randomImage(3, 4, 2, 8, 8));
  ASSERT_TRUE(result.ok);
  EXPECT_EQ(12u, result.description.stride);
  EXPECT_EQ(48u, result.rows.size());
}

TEST(PngBitmapTest, PaletteTableIsThePlteInBlueGreenRedWithTheRestBlack) {
  const pngtest::RawImage image{2, 1, 3, 4, {0x01, 0x00}, {}};
  const Bytes png = PngBuilder()
                        .header(2, 1, 4, 3)
                        .chunk("PLTE", {10, 20, 30, 40, 50, 60})
                        .chunk("PLTE", {99, 99, 99})  // later ones are ignored
                        .data(pngtest::zlibCompress(filteredRows(image)))
                        .end()
                        .bytes();
  const pngtest::OurDecoding result = pngtest::decodeWithOurs(png);
  ASSERT_TRUE(result.ok) << pngErrorName(result.error);
  EXPECT_EQ(4, result.description.bitCount);
  EXPECT_EQ(0, pngtest::infoField32(result.description, 32));
  ASSERT_EQ(40u + 16 * 4, result.description.info.size());
  const Bytes table(result.description.info.begin() + 40, result.description.info.end());
  Bytes expected(64, 0);
  const Bytes given = {30, 20, 10, 0, 60, 50, 40, 0};
  std::copy(given.begin(), given.end(), expected.begin());
  EXPECT_EQ(expected, table);
  EXPECT_EQ((Bytes{0x01, 0, 0, 0}), result.rows);
}

TEST(PngBitmapTest, LayoutsOfAnotherImageAreRefused) {
  const pngtest::OurDecoding grey = decodeImage(pngtest::randomImage(2, 2, 0, 8, 1), 0x0608010E);
  EXPECT_FALSE(grey.ok);
  EXPECT_EQ(PngError::badFormat, grey.error);
  const pngtest::OurDecoding unknown = decodeImage(pngtest::randomImage(2, 2, 6, 8, 1), 0x06080100);
  EXPECT_FALSE(unknown.ok);
  EXPECT_EQ(PngError::badFormat, unknown.error);
  const pngtest::OurDecoding allOnes = decodeImage(pngtest::randomImage(2, 2, 6, 8, 1), -1);
  EXPECT_TRUE(allOnes.ok);
}

// A 276 x 239 RGBA picture with gAMA, cHRM and tEXt before two IDAT chunks.
TEST(PngBitmapTest, RgbaPictureWithAncillaryChunksAndTwoDataChunks) {
  const pngtest::RawImage image = pngtest::randomImage(276, 239, 6, 8, 17);
  const Bytes compressed = pngtest::zlibCompress(filteredRows(image), 9);
  const std::size_t half = compressed.size() / 2;
  const Bytes png = PngBuilder()
                        .header(276, 239, 8, 6)
                        .chunk("gAMA", {0, 0, 0xB1, 0x8F})
                        .chunk("cHRM", Bytes(32, 1))
                        .chunk("tEXt", {'T', 'i', 't', 'l', 'e', 0, 'q'})
                        .chunk("IDAT", Bytes(compressed.begin(), compressed.begin() + static_cast<std::ptrdiff_t>(half)))
                        .chunk("IDAT", Bytes(compressed.begin() + static_cast<std::ptrdiff_t>(half), compressed.end()))
                        .end()
                        .bytes();
  const pngtest::OurDecoding result = pngtest::decodeWithOurs(png);
  ASSERT_TRUE(result.ok) << pngErrorName(result.error);
  EXPECT_EQ(32, result.description.bitCount);
  EXPECT_EQ(4u * 276, result.description.stride);
  for (std::uint32_t y = 0; y < 239; y += 7) {
    for (std::uint32_t x = 0; x < 276; x += 5) {
      ASSERT_EQ(pngtest::expectedColour(image, x, y, true), pngtest::bitmapColour(result.description, result.rows, x, y));
    }
  }
}

struct PassCase {
  std::uint32_t width, height;
  int absentPass;  // 1-based; 0: all present
};

class Adam7PassTest : public ::testing::TestWithParam<PassCase> {};

TEST_P(Adam7PassTest, AbsentPassesHaveNoRows) {
  PngReader reader{};
  reader.width = GetParam().width;
  reader.height = GetParam().height;
  reader.colourType = 0;
  reader.bitDepth = 8;
  reader.interlaceMethod = 1;
  std::uint64_t expected = 0;
  for (int pass = 0; pass < 7; ++pass) {
    const Adam7Pass& p = kAdam7Passes[pass];
    const std::uint32_t columns = adam7Count(reader.width, p.x0, p.dx);
    const std::uint32_t rows = adam7Count(reader.height, p.y0, p.dy);
    EXPECT_EQ(pass + 1 == GetParam().absentPass, columns == 0 || rows == 0) << "pass " << pass + 1;
    if (columns != 0 && rows != 0) expected += (1 + columns) * std::uint64_t{rows};
  }
  EXPECT_EQ(expected, pngScanlinesSize(reader));
}

INSTANTIATE_TEST_SUITE_P(Sizes, Adam7PassTest,
                         ::testing::Values(PassCase{3, 10, 2}, PassCase{10, 3, 3}, PassCase{8, 8, 0}));

TEST(PngBitmapTest, ScanlineSizes) {
  PngReader reader{};
  reader.width = 3;
  reader.height = 10;
  reader.colourType = 2;
  reader.bitDepth = 8;
  EXPECT_EQ(10u * (1 + 9), pngScanlinesSize(reader));
  reader.colourType = 0;
  reader.bitDepth = 1;
  reader.width = 9;
  EXPECT_EQ(10u * (1 + 2), pngScanlinesSize(reader));
  // Adam7 3 x 10, 8-bit grey: passes 1 (1x2), 3 (1x1), 4 (1x3), 5 (2x2), 6 (1x5), 7 (3x5).
  reader.width = 3;
  reader.bitDepth = 8;
  reader.interlaceMethod = 1;
  EXPECT_EQ(2u * 2 + 1 * 2 + 3 * 2 + 2 * 3 + 5 * 2 + 5 * 4, pngScanlinesSize(reader));
}

}  // namespace
}  // namespace fenok

namespace fenok {
namespace {

// A DIB section's memory is not ours to trust: rows written over old bytes come out the same, with
// every padding byte zero.
TEST(PngBitmapTest, RowsWrittenOverGarbageMatchAndHaveZeroPadding) {
  const std::uint8_t kinds[][2] = {{0, 1}, {0, 2}, {3, 4}, {2, 8}, {6, 16}};
  for (const auto& kind : kinds) {
    for (const bool interlaced : {false, true}) {
      const pngtest::RawImage image = pngtest::randomImage(13, 6, kind[0], kind[1], 4);
      const Bytes png = pngtest::encodeWithLibpng(image, interlaced, 6);
      const pngtest::OurDecoding clean = pngtest::decodeWithOurs(png);
      ASSERT_TRUE(clean.ok);
      PngReader reader;
      initPngReader(reader);
      ASSERT_TRUE(loadPngFromMemory(reader, png.data(), png.size()) && decodePng(reader));
      DibDescription description;
      ASSERT_TRUE(describePngBitmap(reader, kNaturalFormat, description));
      Bytes pixels(clean.rows.size(), 0xAB);
      ASSERT_TRUE(writePngRows(reader, kNaturalFormat, pixels.data()));
      releasePngReader(reader);
      const std::size_t used = (13u * static_cast<unsigned>(description.bitCount) + 7) / 8;
      for (std::size_t y = 0; y < 6; ++y) {
        for (std::size_t i = used; i < description.stride; ++i) ASSERT_EQ(0, pixels[y * description.stride + i]);
        for (std::uint32_t x = 0; x < 13; ++x) {
          ASSERT_EQ(pngtest::bitmapColour(clean.description, clean.rows, x, static_cast<std::uint32_t>(y)),
                    pngtest::bitmapColour(description, pixels, x, static_cast<std::uint32_t>(y)));
        }
      }
    }
  }
}

}  // namespace
}  // namespace fenok
