// Whether a JPEG or GIF holds all of its picture: the image library would decode a cut-off file
// padded with blank data, so only the walk to its end marker tells.
#include <gtest/gtest.h>

#include "authoring/pictures/picture_structure.h"
#include "picture_support.h"

namespace fenok {
namespace {

using testing::Bytes;
using testing::pictureFixture;

struct Whole {
  const char* fixture;
  bool (*complete)(const Bytes&);
};

const Whole kWholeFiles[] = {
    {"quarters.jpg", pack::jpegIsComplete},
    {"quarters-progressive.jpg", pack::jpegIsComplete},  // several scans, each with its own tables
    {"quarters.gif", pack::gifIsComplete},
};

class PictureEnd : public ::testing::TestWithParam<Whole> {};

TEST_P(PictureEnd, IsFoundInTheWholeFileAndMissedInEveryShorterOne) {
  const Bytes whole = pictureFixture(GetParam().fixture);
  ASSERT_GT(whole.size(), 100u);
  EXPECT_TRUE(GetParam().complete(whole));
  for (std::size_t size = 0; size < whole.size(); ++size)
    EXPECT_FALSE(GetParam().complete(Bytes(whole.begin(), whole.begin() + size))) << "cut at " << size;
}

TEST_P(PictureEnd, AllowsBytesAfterTheEnd) {
  // Some cameras and editors append data past the end of the picture; decoders ignore it.
  Bytes whole = pictureFixture(GetParam().fixture);
  whole.insert(whole.end(), {0x00, 0xFF, 0xD8, 'x'});
  EXPECT_TRUE(GetParam().complete(whole));
}

INSTANTIATE_TEST_SUITE_P(Fixtures, PictureEnd, ::testing::ValuesIn(kWholeFiles));

TEST(JpegWalk, AnEndMarkerInsideASegmentDoesNotEndThePicture) {
  // An Exif thumbnail is a whole JPEG inside APP1, end marker included.
  const Bytes whole = pictureFixture("quarters.jpg");
  const Bytes app1 = {0xFF, 0xE1, 0x00, 0x08, 0xFF, 0xD8, 0xFF, 0xD9, 0xFF, 0xD9};
  Bytes cut(whole.begin(), whole.begin() + 2);
  cut.insert(cut.end(), app1.begin(), app1.end());
  EXPECT_FALSE(pack::jpegIsComplete(cut));
  cut.insert(cut.end(), whole.begin() + 2, whole.end());
  EXPECT_TRUE(pack::jpegIsComplete(cut));
}

TEST(JpegWalk, RefusesWhatIsNoJpegAndSegmentsPastTheEnd) {
  const Bytes cases[] = {
      {},
      {0xFF, 0xD9},                                      // no start marker
      {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x01, 0xFF, 0xD9},  // a length shorter than itself
      {0xFF, 0xD8, 0xFF, 0xE0, 0xFF, 0xFF},              // a length far past the end
  };
  for (const Bytes& bytes : cases) EXPECT_FALSE(pack::jpegIsComplete(bytes)) << bytes.size();
}

TEST(GifWalk, RefusesAnUnknownBlock) {
  Bytes gif = pictureFixture("quarters.gif");
  ASSERT_EQ(gif.back(), 0x3B);
  gif.back() = 0x99;
  gif.push_back(0x3B);
  EXPECT_FALSE(pack::gifIsComplete(gif));
}

}  // namespace
}  // namespace fenok
