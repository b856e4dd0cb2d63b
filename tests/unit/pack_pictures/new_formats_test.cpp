// Pictures the player cannot show (WebP, HEIC, AVIF): told by their first bytes, read through the
// picture source, turned upright by their own metadata, never twice, and fitted as JPEG or PNG.
#include <gtest/gtest.h>

#include <cstdlib>

#include "authoring/pictures/heif_transforms.h"
#include "authoring/pictures/picture_fitting.h"
#include "new_formats_support.h"

namespace fenok {
namespace {

using pack::PictureFormat;
using testing::Bytes;

Bytes text(const std::string& bytes) { return Bytes(bytes.begin(), bytes.end()); }

// An "ftyp" box of the brands given, the first the major one.
Bytes ftyp(std::initializer_list<const char*> brands, std::size_t boxSize = 0) {
  Bytes box(4, 0);
  box.insert(box.end(), {'f', 't', 'y', 'p'});
  bool major = true;
  for (const char* brand : brands) {
    box.insert(box.end(), brand, brand + 4);
    if (major) box.insert(box.end(), 4, 0);  // the minor version
    major = false;
  }
  const std::size_t size = boxSize ? boxSize : box.size();
  box[3] = static_cast<std::uint8_t>(size);
  box.insert(box.end(), {0, 0, 0, 8, 'm', 'e', 't', 'a'});
  return box;
}

TEST(PictureFormat, IsToldByTheFirstBytes) {
  const std::pair<Bytes, PictureFormat> cases[] = {
      {text("\xFF\xD8\xFF\xE0"), PictureFormat::jpeg},
      {text("GIF89a"), PictureFormat::gif},
      {text("\x89PNG\r\n\x1A\n"), PictureFormat::png},
      {text(std::string("RIFF\0\0\0\0WEBPVP8 ", 16)), PictureFormat::webp},
      {text(std::string("RIFF\0\0\0\0WAVEfmt ", 16)), PictureFormat::none},  // a sound
      {ftyp({"heic", "mif1", "heic"}), PictureFormat::heic},
      {ftyp({"mif1", "mif1", "miaf"}), PictureFormat::heic},  // generic brands alone: HEVC
      {ftyp({"avif", "mif1", "avif", "miaf"}), PictureFormat::avif},
      {ftyp({"mif1", "mif1", "avif"}), PictureFormat::avif},
      {ftyp({"isom", "isom", "mp42"}), PictureFormat::none},  // a video
      {ftyp({"heic", "avif"}, 16), PictureFormat::heic},      // "avif" lies past the box
      {text("RIF"), PictureFormat::none},
      {text("hello, world, this is text"), PictureFormat::none},
      {Bytes{}, PictureFormat::none},
  };
  for (const auto& [bytes, format] : cases)
    EXPECT_EQ(pack::pictureFormat(bytes), format) << std::string(bytes.begin(), bytes.end());
}

pack::Pixels quarters() {
  pack::Pixels pixels;
  std::string reason;
  EXPECT_TRUE(pack::decodePixels(testing::pictureFixture("quarters.jpg"), pixels, reason)) << reason;
  return pixels;
}

// The quarters picture in a format, written to be seen as the orientation says; empty when this
// build has no encoder for it.
Bytes encoded(PictureFormat format, const pack::Pixels& pixels, int orientation) {
#if defined(FENOK_HAVE_LIBWEBP)
  if (format == PictureFormat::webp) return testing::webpOf(pixels, testing::WebpKind::withExif, orientation);
#endif
#if defined(FENOK_HAVE_LIBHEIF)
  if (format == PictureFormat::heic) return testing::heifOf(pixels, heif_compression_HEVC, orientation);
  if (format == PictureFormat::avif) return testing::heifOf(pixels, heif_compression_AV1, orientation);
#endif
  return {};
}

pack::Pixels fittedPixels(Bytes bytes, PictureFormat format, pack::PictureStorage storage) {
  pack::Message problem;
  pack::Pixels pixels;
  std::string reason;
  EXPECT_TRUE(pack::preparePicture(bytes, format, storage, problem)) << pack::say(problem, pack::Language::english);
  EXPECT_TRUE(playerShows(format));
  EXPECT_TRUE(pack::decodePixels(bytes, pixels, reason)) << reason;
  return pixels;
}

class NewFormatOrientation : public ::testing::TestWithParam<std::tuple<testing::Seen, PictureFormat>> {};

// Fitted whatever the storage asked (the player cannot show them), and upright as their own metadata
// says: Exif in a WebP, the rotation and mirror boxes in HEIC and AVIF.
TEST_P(NewFormatOrientation, FittedUpright) {
  const auto [seen, format] = GetParam();
  const Bytes bytes = encoded(format, quarters(), seen.orientation);
  if (bytes.empty()) GTEST_SKIP() << pack::formatName(format) << ": no encoder in this build";
  ASSERT_EQ(pack::pictureFormat(bytes), format);
  const pack::Pixels fitted = fittedPixels(bytes, format, pack::PictureStorage::asGiven);
  const bool turned = seen.orientation >= 5;
  EXPECT_EQ(fitted.width, turned ? 130 : 260);
  EXPECT_EQ(fitted.height, turned ? 260 : 130);
  EXPECT_TRUE(testing::seenAs(fitted, seen)) << "orientation " << seen.orientation;
}

INSTANTIATE_TEST_SUITE_P(Formats, NewFormatOrientation,
                         ::testing::Combine(::testing::ValuesIn(testing::kSeen),
                                            ::testing::Values(PictureFormat::webp, PictureFormat::heic,
                                                              PictureFormat::avif)),
                         [](const auto& param) {
                           return std::string(pack::formatName(std::get<1>(param.param))) +
                                  std::to_string(std::get<0>(param.param).orientation);
                         });

#if defined(FENOK_HAVE_LIBHEIF)
// An iPhone writes an Exif orientation beside the rotation box: the picture is turned once, by the box.
TEST(HeifOrientation, ExifInsideIsNotAppliedAgain) {
  Bytes bytes = testing::heifOf(quarters(), heif_compression_HEVC, 6);
  ASSERT_FALSE(bytes.empty());
  EXPECT_EQ(pack::heifTransforms(bytes), std::vector<int>{6});
  const Bytes exif = testing::withOrientation(testing::pictureFixture("quarters.jpg"), 6, false);
  bytes.insert(bytes.end(), exif.begin(), exif.end());  // an Exif block among the file's data
  EXPECT_TRUE(testing::seenAs(fittedPixels(bytes, PictureFormat::heic, pack::PictureStorage::fitted), testing::kSeen[5]));
}

// Cameras that record more than 8 bits: read at 8, like every other picture.
TEST(HeifDepth, TwelveBitAvifIsRead) {
  const Bytes bytes = testing::heifOf(quarters(), heif_compression_AV1, 1, 12);
  if (bytes.empty()) GTEST_SKIP() << "no 12-bit AV1 encoder here";
  EXPECT_TRUE(testing::seenAs(fittedPixels(bytes, PictureFormat::avif, pack::PictureStorage::fitted), testing::kSeen[0]));
}
#endif

// The fitted picture of a photo given in a new format is the one the same photo gives as PNG, within
// what the format's compression loses.
TEST(NewFormats, FitAsTheSamePictureGivenAsPng) {
  const pack::Pixels photo = testing::makePixels(400, 300, true);
  const pack::Pixels asPng = fittedPixels(pack::encodePng(photo), PictureFormat::png, pack::PictureStorage::fitted);
  std::vector<std::pair<Bytes, double>> inputs;  // the file, the mean difference allowed a channel
#if defined(FENOK_HAVE_LIBWEBP)
  inputs.push_back({testing::webpOf(photo), 0.5});  // lossless
#endif
#if defined(FENOK_HAVE_LIBHEIF)
  inputs.push_back({testing::heifOf(photo, heif_compression_HEVC), 6.0});
  inputs.push_back({testing::heifOf(photo, heif_compression_AV1), 6.0});
#endif
  if (inputs.empty()) GTEST_SKIP() << "no WebP or HEIF library in this build";
  for (const auto& [bytes, allowed] : inputs) {
    if (bytes.empty()) continue;
    const PictureFormat format = pack::pictureFormat(bytes);
    const pack::Pixels fitted = fittedPixels(bytes, format, pack::PictureStorage::fitted);
    ASSERT_EQ(fitted.width, asPng.width) << pack::formatName(format);
    ASSERT_EQ(fitted.height, asPng.height) << pack::formatName(format);
    ASSERT_EQ(fitted.data.size(), asPng.data.size()) << pack::formatName(format);
    double difference = 0;
    for (std::size_t i = 0; i < fitted.data.size(); ++i) difference += std::abs(fitted.data[i] - asPng.data[i]);
    EXPECT_LE(difference / fitted.data.size(), allowed) << pack::formatName(format);
  }
}

}  // namespace
}  // namespace fenok
