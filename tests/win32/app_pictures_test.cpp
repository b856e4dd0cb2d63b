// Pictures loaded from real JPEG, GIF and PNG resources of this executable, decoded by OLE and by our
// PNG decoder, scaled with GDI.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "app_module_resources.h"
#include "platform/portable/message_recorder.h"
#include "pictures/picture_fit.h"
#include "platform/win32/win32_pictures.h"

namespace fenok {
namespace {

struct Size {
  int width;
  int height;
};

Size sizeOf(Handle bitmap) {
  BITMAP info = {};
  if (!bitmap || GetObjectA(static_cast<HBITMAP>(bitmap), sizeof info, &info) == 0) return {-1, -1};
  return {info.bmWidth, info.bmHeight};
}

// The colour at the centre of a bitmap, read through a memory DC.
COLORREF centreColour(Handle bitmap) {
  const Size size = sizeOf(bitmap);
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(memory, static_cast<HBITMAP>(bitmap));
  const COLORREF colour = GetPixel(memory, size.width / 2, size.height / 2);
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return colour;
}

// The shipped build must round as the native tests do: x87's 80-bit intermediates would make 52 of
// 23 x 260 / 115, which single precision makes 51.99.
TEST(ShippedArithmetic, FitsAPictureAsTheNativeBuildDoes) {
  FittedSize fitted;
  ASSERT_TRUE(fitToBox(23, 115, 260, 260, fitted));
  EXPECT_EQ(fitted.width, 51);
  EXPECT_EQ(fitted.height, 260);
}

class PicturesTest : public ::testing::Test {
 protected:
  testing::ModuleResources resources;
  MessageRecorder messages;
  Win32Pictures pictures{resources, messages};

  Picture load(int id) { return pictures.loadPicture(id, "IMG", 260, 260); }
  void TearDown() override {
    for (Handle bitmap : owned) DeleteObject(static_cast<HBITMAP>(bitmap));
  }
  Picture keep(Picture picture) {
    if (picture.bitmap) owned.push_back(picture.bitmap);
    return picture;
  }
  std::vector<Handle> owned;
};

struct SizeCase {
  int id;
  const char* what;
  int width;
  int height;
};

class PictureSizeTest : public PicturesTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(PictureSizeTest, FitsTheBox) {
  const SizeCase& c = GetParam();
  const Picture picture = keep(load(c.id));
  ASSERT_NE(picture.bitmap, nullptr) << c.what;
  EXPECT_EQ(picture.width, c.width) << c.what;
  EXPECT_EQ(picture.height, c.height) << c.what;
  const Size real = sizeOf(picture.bitmap);
  EXPECT_EQ(real.width, c.width) << c.what;
  EXPECT_EQ(real.height, c.height) << c.what;
  EXPECT_TRUE(messages.empty()) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Resources, PictureSizeTest,
                         ::testing::Values(SizeCase{401, "JPEG 276x239", 260, 225},
                                           SizeCase{402, "GIF 100x50", 260, 130},
                                           SizeCase{403, "PNG 260x260 as RCDATA", 260, 260},
                                           SizeCase{404, "PNG 276x239 as RCDATA", 260, 225},
                                           SizeCase{9999, "plain IMG below the scrambled ids", 260, 225},
                                           SizeCase{10000, "plain IMG at the last plain id", 260, 225},
                                           SizeCase{10001, "scrambled IMG at the first scrambled id", 260, 225},
                                           SizeCase{10405, "scrambled solution picture", 260, 225}));

TEST_F(PicturesTest, SolutionPictureLoadsTheSameTwice) {
  const Picture first = keep(load(10405));
  const Picture second = keep(load(10405));
  ASSERT_NE(first.bitmap, nullptr);
  ASSERT_NE(second.bitmap, nullptr);
  EXPECT_NE(first.bitmap, second.bitmap);
  EXPECT_EQ(centreColour(first.bitmap), centreColour(second.bitmap));
  const Picture plain = keep(load(401));
  EXPECT_EQ(centreColour(first.bitmap), centreColour(plain.bitmap));
}

TEST_F(PicturesTest, PlainBytesAboveTheScrambledFloorAreRefusedQuietly) {
  // 10406 holds an unscrambled JPEG: exchanging its halves gives bytes OLE refuses.
  EXPECT_EQ(keep(load(10406)).bitmap, nullptr);
  EXPECT_TRUE(messages.empty());
}

TEST_F(PicturesTest, MissingPictureGivesNoneWithoutMessage) {
  const Picture picture = load(499);
  EXPECT_EQ(picture.bitmap, nullptr);
  EXPECT_EQ(picture.width, 0);
  EXPECT_EQ(picture.height, 0);
  EXPECT_TRUE(messages.empty());
}

TEST_F(PicturesTest, RcdataThatIsNotPngGivesNoneWithoutMessage) {
  EXPECT_EQ(load(10407).bitmap, nullptr);
  EXPECT_TRUE(messages.empty());
}

TEST_F(PicturesTest, PngThatCannotBeInflatedIsReported) {
  EXPECT_EQ(load(406).bitmap, nullptr);
  ASSERT_EQ(messages.messages().size(), 1u);
  EXPECT_EQ(messages.messages()[0],
            (RecordedMessage{"Error: couldn't decode PNG resource", "Information", kMbIconError}));
}

TEST(ScaleToFit, NoInputGivesNone) { EXPECT_EQ(scaleToFit(nullptr, 260, 260), nullptr); }

TEST(ScaleToFit, ReturnsANewBitmapAndDeletesTheInput) {
  HDC screen = GetDC(nullptr);
  HBITMAP input = CreateCompatibleBitmap(screen, 260, 260);
  ReleaseDC(nullptr, screen);
  HBITMAP output = scaleToFit(input, 260, 260);
  ASSERT_NE(output, nullptr);
  EXPECT_NE(output, input);
  BITMAP info = {};
  EXPECT_EQ(GetObjectA(input, sizeof info, &info), 0) << "the input bitmap was not deleted";
  EXPECT_EQ(sizeOf(output).width, 260);
  EXPECT_EQ(sizeOf(output).height, 260);
  DeleteObject(output);
}

TEST(ScaleToFit, KeepsColoursThroughTheHalftoneStretch) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP input = CreateCompatibleBitmap(screen, 100, 50);
  HGDIOBJ old = SelectObject(memory, input);
  RECT all = {0, 0, 100, 50};
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  FillRect(memory, &all, red);
  DeleteObject(red);
  SelectObject(memory, old);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  HBITMAP output = scaleToFit(input, 260, 260);
  ASSERT_NE(output, nullptr);
  EXPECT_EQ(sizeOf(output).width, 260);
  EXPECT_EQ(sizeOf(output).height, 130);
  EXPECT_EQ(centreColour(output), RGB(255, 0, 0));
  DeleteObject(output);
}

}  // namespace
}  // namespace fenok
