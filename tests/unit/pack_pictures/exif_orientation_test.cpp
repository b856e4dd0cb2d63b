// Camera photos turned upright by their Exif orientation, in either byte order, and Exif blocks that
// cannot be read leave a picture as it is.
#include <gtest/gtest.h>

#include "authoring/pictures/exif_orientation.h"
#include "authoring/pictures/picture_fitting.h"
#include "picture_support.h"

namespace fenok {
namespace {

using testing::Bytes;
using testing::kSeen;
using testing::Seen;

class Orientation : public ::testing::TestWithParam<std::tuple<Seen, bool>> {};

TEST_P(Orientation, FittedPictureIsUpright) {
  const auto [seen, bigEndian] = GetParam();
  Bytes bytes = testing::withOrientation(testing::pictureFixture("quarters.jpg"), seen.orientation, bigEndian);
  EXPECT_EQ(pack::exifOrientation(bytes), seen.orientation);

  pack::PictureFormat format = pack::PictureFormat::jpeg;
  pack::Message problem;
  ASSERT_TRUE(pack::preparePicture(bytes, format, pack::PictureStorage::fitted, problem))
      << pack::say(problem, pack::Language::english);
  std::string reason;
  pack::Pixels fitted;
  ASSERT_TRUE(pack::decodePixels(bytes, fitted, reason)) << reason;
  ASSERT_EQ(fitted.width, seen.width);
  ASSERT_EQ(fitted.height, seen.height);
  EXPECT_TRUE(testing::seenAs(fitted, seen));
}

INSTANTIATE_TEST_SUITE_P(All, Orientation, ::testing::Combine(::testing::ValuesIn(kSeen), ::testing::Bool()),
                         [](const auto& param) {
                           return std::to_string(std::get<0>(param.param).orientation) +
                                  (std::get<1>(param.param) ? "_BigEndian" : "_LittleEndian");
                         });

// Damage done to a good Exif block (orientation 6, little-endian): offsets into the JPEG, new bytes.
struct Damage {
  const char* what;
  std::size_t at;
  std::uint8_t value;
  std::size_t alsoAt = 0;  // 0: one byte changed
  std::uint8_t alsoValue = 0;
};

// Offsets: APP1 starts at 2; its length at 4, "Exif" at 6, the TIFF header at 12 (order 12-13, 42 at
// 14, directory offset at 16), the entry count at 20, the Orientation entry at 34 (type at 36, value
// at 42).
const Damage kDamage[] = {
    {"unknown byte order", 12, 'X'},     {"mixed byte order", 13, 'M'},    {"not 42", 14, 43},
    {"directory far away", 19, 0x7F},    {"directory past the block", 16, 0xF0},
    {"entries past the block", 20, 0xFF, 35, 0x02},  // 255 entries, and none of the two is Orientation
    {"orientation as a LONG", 36, 4},    {"orientation 0", 42, 0},
    {"orientation 9", 42, 9},            {"not Exif", 6, 'e'},
};

TEST(ExifOrientation, AnUnreadableBlockLeavesThePictureUpright) {
  const Bytes good = testing::withOrientation(testing::pictureFixture("quarters.jpg"), 6, false);
  ASSERT_EQ(pack::exifOrientation(good), 6);
  for (const Damage& damage : kDamage) {
    Bytes bytes = good;
    bytes[damage.at] = damage.value;
    if (damage.alsoAt) bytes[damage.alsoAt] = damage.alsoValue;
    EXPECT_EQ(pack::exifOrientation(bytes), pack::kUpright) << damage.what;
  }
  EXPECT_EQ(pack::exifOrientation(testing::pictureFixture("quarters.jpg")), pack::kUpright);
}

}  // namespace
}  // namespace fenok
