#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "pictures/png_rows.h"

namespace fenok {
namespace {

// Each output byte of a pixel is one byte of the source pixel: which one, by position.
struct RowCase {
  const char* name;
  RowRoutine routine;
  unsigned sourceBytes;  // per pixel
  std::vector<unsigned> picks;  // one per output byte
};

class RowConverterTest : public ::testing::TestWithParam<RowCase> {};

// Every width up to a few vector steps: each pixel right, and nothing written past the row.
TEST_P(RowConverterTest, EveryWidthGivesItsPixelsAndWritesNoFurther) {
  const RowCase& c = GetParam();
  const RowConverter convert = rowConverter(c.routine);
  ASSERT_NE(nullptr, convert);
  std::mt19937 random(5);
  const std::size_t guard = 32;
  const auto outBytes = static_cast<std::size_t>(c.picks.size());
  for (std::size_t width = 1; width <= 40; ++width) {
    std::vector<std::uint8_t> source(width * c.sourceBytes);
    for (std::uint8_t& byte : source) byte = static_cast<std::uint8_t>(random());
    std::vector<std::uint8_t> destination(width * outBytes + guard, 0xEE);
    convert(source.data(), destination.data(), width, c.sourceBytes * 8);
    for (std::size_t x = 0; x < width; ++x) {
      for (std::size_t b = 0; b < outBytes; ++b) {
        ASSERT_EQ(source[x * c.sourceBytes + c.picks[b]], destination[x * outBytes + b])
            << "width " << width << ", pixel " << x << ", byte " << b;
      }
    }
    for (std::size_t i = width * outBytes; i < destination.size(); ++i) {
      ASSERT_EQ(0xEE, destination[i]) << "width " << width << ": byte " << i << " written past the row";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Routines, RowConverterTest,
    ::testing::Values(RowCase{"rgbToBgr", rowRgbToBgr, 3, {2, 1, 0}},
                      RowCase{"rgbaToBgra", rowRgbaToBgra, 4, {2, 1, 0, 3}},
                      RowCase{"rgbaToBgr", rowRgbaToBgr, 4, {2, 1, 0}},
                      RowCase{"rgb16ToBgr", rowRgb16ToBgr, 6, {4, 2, 0}},
                      RowCase{"rgba16ToBgra", rowRgba16ToBgra, 8, {4, 2, 0, 6}},
                      RowCase{"rgba16ToBgr", rowRgba16ToBgr, 8, {4, 2, 0}},
                      RowCase{"everyOtherByte", rowEveryOtherByte, 2, {0}},
                      RowCase{"everyFourthByte", rowEveryFourthByte, 4, {0}}),
    [](const ::testing::TestParamInfo<RowCase>& param) { return param.param.name; });

}  // namespace
}  // namespace fenok
