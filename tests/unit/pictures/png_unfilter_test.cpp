#include "pictures/png_unfilter.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <vector>

namespace fenok {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The filters reversed byte by byte, straight from their definitions.
std::uint8_t referencePredictor(int filterType, int left, int above, int upperLeft) {
  switch (filterType) {
    case 1:
      return static_cast<std::uint8_t>(left);
    case 2:
      return static_cast<std::uint8_t>(above);
    case 3:
      return static_cast<std::uint8_t>((left + above) / 2);
    case 4: {
      const int p = left + above - upperLeft;
      const int pa = std::abs(p - left), pb = std::abs(p - above), pc = std::abs(p - upperLeft);
      if (pa <= pb && pa <= pc) return static_cast<std::uint8_t>(left);
      return static_cast<std::uint8_t>(pb <= pc ? above : upperLeft);
    }
    default:
      return 0;
  }
}

Bytes referenceUnfilter(int filterType, const Bytes& in, const Bytes& previous, unsigned pixelBytes) {
  Bytes row(in.size());
  for (std::size_t i = 0; i < in.size(); ++i) {
    const int left = i >= pixelBytes ? row[i - pixelBytes] : 0;
    const int upperLeft = i >= pixelBytes ? previous[i - pixelBytes] : 0;
    row[i] = static_cast<std::uint8_t>(in[i] + referencePredictor(filterType, left, previous[i], upperLeft));
  }
  return row;
}

struct UnfilterCase {
  unsigned pixelBytes;
  std::size_t pixels;
};

class UnfilterTest : public ::testing::TestWithParam<UnfilterCase> {};

TEST_P(UnfilterTest, EveryFilterMatchesItsDefinition) {
  std::mt19937 random(GetParam().pixelBytes * 100 + static_cast<unsigned>(GetParam().pixels));
  const std::size_t size = GetParam().pixelBytes * GetParam().pixels;
  for (int round = 0; round < 50; ++round) {
    Bytes in(size), previous(size);
    // Small values make ties between the Paeth distances common.
    const unsigned spread = round % 2 ? 256 : 3;
    for (auto& byte : in) byte = static_cast<std::uint8_t>(random() % spread);
    for (auto& byte : previous) byte = static_cast<std::uint8_t>(random() % spread);
    for (std::uint8_t filterType = 0; filterType < kPngFilterCount; ++filterType) {
      const Bytes expected = filterType == 0 ? in : referenceUnfilter(filterType, in, previous, GetParam().pixelBytes);
      Bytes row(size, 0xEE);
      ASSERT_TRUE(unfilterRow(filterType, in.data(), previous.data(), row.data(), size, GetParam().pixelBytes));
      ASSERT_EQ(expected, row) << "filter " << int{filterType};
      Bytes plainRow(size, 0xEE);
      ASSERT_TRUE(unfilterRowPlain(filterType, in.data(), previous.data(), plainRow.data(), size, GetParam().pixelBytes));
      ASSERT_EQ(expected, plainRow) << "filter " << int{filterType} << " without vector instructions";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(PixelSizes, UnfilterTest,
                         ::testing::Values(UnfilterCase{1, 1}, UnfilterCase{1, 77}, UnfilterCase{2, 31},
                                           UnfilterCase{3, 1}, UnfilterCase{3, 45}, UnfilterCase{4, 1},
                                           UnfilterCase{4, 64}, UnfilterCase{6, 13}, UnfilterCase{8, 9}));

TEST(UnfilterTest, FilterTypesAbove4AreRefused) {
  const Bytes in(8, 1), previous(8, 2);
  Bytes row(8);
  for (int filterType = 5; filterType < 256; ++filterType) {
    EXPECT_FALSE(unfilterRow(static_cast<std::uint8_t>(filterType), in.data(), previous.data(), row.data(), 8, 4));
  }
}

}  // namespace
}  // namespace fenok
