// Every (colour type, bit depth), plain and Adam7, at sizes that leave Adam7 passes out and bytes
// half-filled: encoded by libpng at test time, decoded by libpng as the reference, and compared
// with our bitmap pixel by pixel in every layout the image allows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pictures/png_reader.h"
#include "png_test_support.h"

namespace fenok {
namespace {

using pngtest::Bytes;

struct LayoutCase {
  std::uint8_t colourType;
  std::uint8_t bitDepth;
  std::int32_t format;
  int bitCount;
  bool keepsAlpha;
};

const LayoutCase kLayouts[] = {
    {0, 1, 0x00010100, 1, false},   {0, 2, 0x0002010B, 4, false},  {0, 4, 0x00040100, 4, false},
    {0, 8, 0x00080100, 8, false},   {0, 16, 0x00100106, 8, false}, {2, 8, 0x0208010C, 24, false},
    {2, 16, 0x02100107, 24, false}, {3, 1, 0x03010100, 1, false},  {3, 2, 0x0302010B, 4, false},
    {3, 4, 0x03040100, 4, false},   {3, 8, 0x03080100, 8, false},  {4, 8, 0x04080106, 8, false},
    {4, 16, 0x0410010A, 8, false},  {6, 8, 0x0608010E, 32, true},  {6, 8, 0x0608010D, 24, false},
    {6, 16, 0x06100109, 32, true},  {6, 16, 0x06100108, 24, false},
};

struct Size {
  std::uint32_t width, height;
};

const Size kSizes[] = {{1, 1}, {3, 10}, {10, 3}, {7, 5}, {33, 17}, {64, 9}, {5, 1}, {1, 6}};

class PngReferenceTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(PngReferenceTest, MatchesLibpngPixelForPixel) {
  const LayoutCase& layout = GetParam();
  unsigned seed = 1;
  for (const Size& size : kSizes) {
    for (const bool interlaced : {false, true}) {
      const pngtest::RawImage original =
          pngtest::randomImage(size.width, size.height, layout.colourType, layout.bitDepth, seed++);
      const Bytes png = pngtest::encodeWithLibpng(original, interlaced, static_cast<int>(seed % 10));
      pngtest::RawImage reference;
      ASSERT_TRUE(pngtest::decodeWithLibpng(png, reference));
      const std::string where = std::to_string(size.width) + "x" + std::to_string(size.height) +
                                (interlaced ? " Adam7" : " plain");

      for (const std::int32_t format : {layout.format, kNaturalFormat}) {
        const pngtest::OurDecoding ours = pngtest::decodeWithOurs(png, format);
        const bool natural = format == kNaturalFormat;
        // The first layout of each pair is the natural one; RGBA's 24-bit ones are never natural.
        if (natural && layout.colourType == 6 && !layout.keepsAlpha) continue;
        ASSERT_TRUE(ours.ok) << where << ": " << pngErrorName(ours.error);
        ASSERT_EQ(layout.bitCount, ours.description.bitCount) << where;
        ASSERT_EQ(static_cast<std::size_t>(ours.description.stride) * size.height, ours.rows.size());
        for (std::uint32_t y = 0; y < size.height; ++y) {
          for (std::uint32_t x = 0; x < size.width; ++x) {
            ASSERT_EQ(pngtest::expectedColour(reference, x, y, layout.keepsAlpha),
                      pngtest::bitmapColour(ours.description, ours.rows, x, y))
                << where << " pixel " << x << "," << y;
          }
          const std::size_t used = (std::size_t{size.width} * static_cast<unsigned>(layout.bitCount) + 7) / 8;
          for (std::size_t i = used; i < ours.description.stride; ++i) {
            ASSERT_EQ(0, ours.rows[y * ours.description.stride + i]) << where << " padding of row " << y;
          }
        }
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(AllLayouts, PngReferenceTest, ::testing::ValuesIn(kLayouts),
                         [](const ::testing::TestParamInfo<LayoutCase>& param) {
                           char name[32];
                           std::snprintf(name, sizeof name, "Format%08X", static_cast<unsigned>(param.param.format));
                           return std::string(name);
                         });

// Plain and Adam7 encodings of one picture give the same bitmap, byte for byte.
TEST(PngReferenceTest, InterlacedAndPlainGiveTheSameRows) {
  for (const LayoutCase& layout : kLayouts) {
    const pngtest::RawImage image = pngtest::randomImage(37, 29, layout.colourType, layout.bitDepth, 99);
    const pngtest::OurDecoding plain = pngtest::decodeWithOurs(pngtest::encodeWithLibpng(image, false, 6), layout.format);
    const pngtest::OurDecoding adam7 = pngtest::decodeWithOurs(pngtest::encodeWithLibpng(image, true, 6), layout.format);
    ASSERT_TRUE(plain.ok && adam7.ok);
    if (layout.bitCount >= 8) {
      EXPECT_EQ(plain.rows, adam7.rows) << std::hex << layout.format;
    } else {
      for (std::uint32_t y = 0; y < 29; ++y) {
        for (std::uint32_t x = 0; x < 37; ++x) {
          ASSERT_EQ(pngtest::bitmapColour(plain.description, plain.rows, x, y),
                    pngtest::bitmapColour(adam7.description, adam7.rows, x, y));
        }
      }
    }
  }
}

}  // namespace
}  // namespace fenok
