// Pictures fitted at build time: the size the player would give them, JPEG for photos and PNG for
// drawings and transparency (PNGs the player's own reader decodes to the same pixels), small pictures
// kept as given when that is smaller, and cut-off or oversized pictures refused with their line.
#include <gtest/gtest.h>

#include <algorithm>

#include "../pack/pack_support.h"
#include "authoring/pictures/palette_png.h"
#include "authoring/pictures/picture_fitting.h"
#include "authoring/quiz_build.h"
#include "new_formats_support.h"
#include "pictures/picture_fit.h"
#include "pictures/png_reader.h"

namespace fenok {
namespace {

using testing::Bytes;
using testing::makePixels;
using testing::pictureFixture;

constexpr std::size_t kInfoHeaderBytes = 40;

// A PNG decoded by the player's own reader, as RGB(A) pixels.
bool decodeAsThePlayer(const Bytes& png, pack::Pixels& pixels) {
  PngReader reader{};
  initPngReader(reader);
  DibDescription description;
  std::vector<std::uint8_t> rows;
  const bool decoded = loadPngFromMemory(reader, png.data(), png.size()) && decodePng(reader) &&
                       buildPngBitmap(reader, kNaturalFormat, description, rows);
  pixels = {static_cast<int>(reader.width), static_cast<int>(reader.height), description.bitCount == 32 ? 4 : 3, {}};
  releasePngReader(reader);
  if (!decoded) return false;
  for (int y = 0; y < pixels.height; ++y)
    for (int x = 0; x < pixels.width; ++x) {
      const std::uint8_t* row = &rows[y * description.stride];
      const std::uint8_t* bgr = description.bitCount == 8 ? &description.info[kInfoHeaderBytes + 4 * row[x]]
                                                          : &row[x * description.bitCount / 8];
      pixels.data.insert(pixels.data.end(), {bgr[2], bgr[1], bgr[0]});
      if (pixels.channels == 4) pixels.data.push_back(bgr[3]);
    }
  return true;
}

struct Fitting {
  const char* name;
  int width, height;
  bool noisy;
  int channels;
  pack::PictureFormat stored;
  int fittedWidth, fittedHeight;
};

const Fitting kFittings[] = {
    {"CameraPhoto", 1600, 1200, true, pack::kRgb, pack::PictureFormat::jpeg, 260, 195},
    {"PortraitPhoto", 1200, 1600, true, pack::kRgb, pack::PictureFormat::jpeg, 195, 260},
    {"SlightlyLargerPhoto", 276, 239, true, pack::kRgb, pack::PictureFormat::jpeg, 260, 225},
    {"FlatDrawing", 800, 400, false, pack::kRgb, pack::PictureFormat::png, 260, 130},
    {"TransparentDrawing", 520, 260, false, pack::kRgba, pack::PictureFormat::png, 260, 130},
    {"Ribbon", 3000, 5, false, pack::kRgb, pack::PictureFormat::png, 260, 1},
};

class Fitted : public ::testing::TestWithParam<Fitting> {};

TEST_P(Fitted, TakesThePlayersSizeInTheSmallerFormat) {
  const Fitting& c = GetParam();
  const pack::Pixels source = makePixels(c.width, c.height, c.noisy, c.channels);
  Bytes bytes = c.channels == pack::kRgba ? pack::encodePng(source) : pack::encodeJpeg(source, 95);
  pack::PictureFormat format = c.channels == pack::kRgba ? pack::PictureFormat::png : pack::PictureFormat::jpeg;
  pack::Message problem;
  ASSERT_TRUE(pack::preparePicture(bytes, format, pack::PictureStorage::fitted, problem)) << testing::english(problem);
  EXPECT_EQ(format, c.stored);
  EXPECT_EQ(pack::pictureFormat(bytes), c.stored);

  pack::Pixels fitted;
  std::string reason;
  ASSERT_TRUE(format == pack::PictureFormat::png ? decodeAsThePlayer(bytes, fitted)
                                                 : pack::decodePixels(bytes, fitted, reason));
  EXPECT_EQ(fitted.width, c.fittedWidth);
  EXPECT_EQ(fitted.height, c.fittedHeight);
  // The player shows the colours of transparent pixels too: they stay as they were.
  if (!c.noisy) {
    EXPECT_TRUE(testing::near(testing::colourAt(fitted, 0, 0), testing::Rgb{200, 60, 40}));
  }
}

INSTANTIATE_TEST_SUITE_P(Pictures, Fitted, ::testing::ValuesIn(kFittings),
                         [](const auto& param) { return std::string(param.param.name); });

// Colour for colour, and alpha too where the decoded pixels have it (the player's reader leaves out a
// palette's transparency, which the player never shows).
void expectSamePixels(const pack::Pixels& decoded, const pack::Pixels& written) {
  ASSERT_EQ(decoded.width, written.width);
  ASSERT_EQ(decoded.height, written.height);
  const int compared = std::min(decoded.channels, written.channels);
  for (std::size_t pixel = 0; pixel < static_cast<std::size_t>(written.width) * written.height; ++pixel)
    for (int channel = 0; channel < compared; ++channel)
      ASSERT_EQ(decoded.data[pixel * decoded.channels + channel], written.data[pixel * written.channels + channel])
          << "pixel " << pixel << " channel " << channel;
}

TEST(FittedPng, ThePlayersReaderSeesEveryPixelAsWritten) {
  // Few colours go into a palette, many (and transparency) into RGB(A): both must decode exactly.
  const pack::Pixels flat = makePixels(37, 11, false), photo = makePixels(37, 11, true),
                     transparent = makePixels(37, 11, true, pack::kRgba),
                     transparentFlat = makePixels(37, 11, false, pack::kRgba);
  const Bytes palette = pack::encodePalettePng(flat), transparentPalette = pack::encodePalettePng(transparentFlat);
  ASSERT_FALSE(palette.empty());
  ASSERT_FALSE(transparentPalette.empty());
  EXPECT_TRUE(pack::encodePalettePng(makePixels(100, 100, true)).empty());  // more than 256 colours
  const std::pair<const pack::Pixels*, Bytes> cases[] = {
      {&flat, palette},
      {&transparentFlat, transparentPalette},
      {&photo, pack::encodePng(photo)},
      {&transparent, pack::encodePng(transparent)},
  };
  for (const auto& [pixels, png] : cases) {
    pack::Pixels decoded;
    ASSERT_TRUE(decodeAsThePlayer(png, decoded));
    expectSamePixels(decoded, *pixels);
  }
}

TEST(KeptAsGiven, ASmallPictureWhoseFileIsSmallerThanItsEnlargement) {
  const std::string file = testing::sourceFile("samples/demo/pictures/pologne.png");  // 100 x 50, 169 bytes
  const Bytes small(file.begin(), file.end());
  Bytes bytes = small;
  pack::PictureFormat format = pack::PictureFormat::png;
  pack::Message problem;
  ASSERT_TRUE(pack::preparePicture(bytes, format, pack::PictureStorage::fitted, problem)) << testing::english(problem);
  EXPECT_EQ(bytes, small);
}

// A picture fitted before (a quiz taken apart to be edited again) is not encoded again, even where a
// fresh encoding would be smaller: every encoding loses a little more.
TEST(KeptAsGiven, APictureAtTheBoxsOwnSizeEvenWhenEncodingWouldShrinkIt) {
  for (const auto& [width, height] : {std::pair{260, 195}, std::pair{195, 260}}) {
    const Bytes given = pack::encodeJpeg(makePixels(width, height, true), 100);
    Bytes bytes = given;
    pack::PictureFormat format = pack::PictureFormat::jpeg;
    pack::Message problem;
    ASSERT_TRUE(pack::preparePicture(bytes, format, pack::PictureStorage::fitted, problem)) << testing::english(problem);
    EXPECT_EQ(bytes, given) << width << " x " << height;
  }
}

TEST(KeptAsGiven, NeverAGifNorATurnedPhoto) {
  for (const Bytes& given : {pictureFixture("quarters.gif"),
                             testing::withOrientation(pictureFixture("quarters.jpg"), 3, true)}) {
    Bytes bytes = given;
    pack::PictureFormat format = pack::pictureFormat(given);
    pack::Message problem;
    ASSERT_TRUE(pack::preparePicture(bytes, format, pack::PictureStorage::fitted, problem)) << testing::english(problem);
    EXPECT_NE(bytes, given);
    EXPECT_NE(format, pack::PictureFormat::gif);
  }
}

// The smallest JPEG that declares a size: start, a baseline frame header, end.
Bytes jpegDeclaring(int width, int height) {
  Bytes bytes = {0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x11, 0x08, std::uint8_t(height >> 8), std::uint8_t(height),
                 std::uint8_t(width >> 8), std::uint8_t(width), 0x03};
  for (std::uint8_t component = 1; component <= 3; ++component) bytes.insert(bytes.end(), {component, 0x11, 0x00});
  bytes.insert(bytes.end(), {0xFF, 0xD9});
  return bytes;
}

struct Refusal {
  const char* name;
  Bytes file;
  std::string error;  // after "quiz.toml:5: \"p.jpg\" "
  bool alsoAsGiven;   // false: only a decode finds it, and a picture stored as given is not decoded
};

// A 12-bit JPEG with a scan: whole, but beyond the decoders of the packer and the player.
Bytes twelveBitJpeg() {
  Bytes bytes = jpegDeclaring(16, 16);
  bytes[6] = 12;
  bytes.insert(bytes.end() - 2, {0xFF, 0xDA, 0x00, 0x08, 0x01, 0x01, 0x00, 0x00, 0x3F, 0x00, 0x12, 0x34});
  return bytes;
}

const char* const kCutShort = "is cut short: its picture data is missing or ends early";

Bytes cut(const Bytes& whole) { return Bytes(whole.begin(), whole.begin() + static_cast<long>(whole.size() / 2)); }

// The quarters picture, decoded, for the encoders of the new formats.
pack::Pixels quarterPixels() {
  pack::Pixels pixels;
  std::string reason;
  pack::decodePixels(pictureFixture("quarters.jpg"), pixels, reason);
  return pixels;
}

// A Huffman table of more than 256 codes, before the picture's own: the image library would write
// past its tables.
Bytes oversizedHuffmanTable() {
  const Bytes jpeg = pictureFixture("quarters.jpg");
  Bytes table = {0xFF, 0xC4, 0x02, 0x11, 0x00};  // length 2 + 1 + 16 + 510 = 529
  for (int i = 0; i < 16; ++i) table.push_back(i < 14 ? 0 : 0xFF);  // 255 + 255 codes
  table.insert(table.end(), 510, 0x01);
  Bytes bytes(jpeg.begin(), jpeg.begin() + 2);
  bytes.insert(bytes.end(), table.begin(), table.end());
  bytes.insert(bytes.end(), jpeg.begin() + 2, jpeg.end());
  return bytes;
}

// Every format is told by its bytes, whatever the file's name says ("p.jpg" below).
const Refusal kRefusals[] = {
    {"TextAsPicture", Bytes{'h', 'e', 'l', 'l', 'o'}, "is not a JPEG, GIF, PNG, WebP, HEIC or AVIF picture", true},
#if defined(FENOK_HAVE_LIBWEBP)
    {"AnimatedWebp", testing::webpOf(quarterPixels(), testing::WebpKind::animated), "is an animated WebP", true},
    {"CutWebp", cut(testing::webpOf(quarterPixels())), "is a damaged WebP picture (", true},
#endif
#if defined(FENOK_HAVE_LIBHEIF)
    {"CutHeic", cut(testing::heifOf(quarterPixels(), heif_compression_HEVC)), "is a damaged HEIC picture (", true},
#endif
    {"CutJpeg", cut(pictureFixture("quarters.jpg")), kCutShort, true},
    {"CutGif", cut(pictureFixture("quarters.gif")), kCutShort, true},
    {"Huge", jpegDeclaring(20000, 20000), "is too large (20000 x 20000 pixels; at most 100 million)", true},
    {"NoScan", jpegDeclaring(16, 16), kCutShort, true},  // the library would make a blank picture of it
    {"TwelveBit", twelveBitJpeg(), "cannot be decoded (", false},
    {"OversizedHuffmanTable", oversizedHuffmanTable(), "cannot be decoded (bad Huffman table)", false},
};

class Refused : public ::testing::TestWithParam<std::tuple<Refusal, pack::PictureStorage>> {};

TEST_P(Refused, WithItsFileAndLine) {
  const auto& [refusal, storage] = GetParam();
  testing::QuizFolder folder;
  folder.write("p.jpg", std::string(refusal.file.begin(), refusal.file.end()));
  const std::string path = folder.write(
      "quiz.toml", "title = \"T\"\nmedia = \"pictures\"\n[[question]]\nanswer = \"A\"\npicture = \"p.jpg\"\n");
  pack::Diagnostics diagnostics("quiz.toml");
  std::vector<PeResourceEntry> resources;
  const bool refused = storage == pack::PictureStorage::fitted || refusal.alsoAsGiven;
  EXPECT_EQ(pack::quizResources(path, false, resources, diagnostics, nullptr, nullptr, storage), !refused);
  if (!refused) return;
  const std::vector<std::string> errors = diagnostics.errors(pack::Language::english);
  ASSERT_EQ(errors.size(), 1u);
  const std::string expected = "quiz.toml:5: \"p.jpg\" " + refusal.error;
  EXPECT_EQ(errors[0].substr(0, expected.size()), expected);
}

INSTANTIATE_TEST_SUITE_P(Pictures, Refused,
                         ::testing::Combine(::testing::ValuesIn(kRefusals),
                                            ::testing::Values(pack::PictureStorage::fitted,
                                                              pack::PictureStorage::asGiven)),
                         [](const auto& param) {
                           return std::string(std::get<0>(param.param).name) +
                                  (std::get<1>(param.param) == pack::PictureStorage::fitted ? "Fitted" : "AsGiven");
                         });

TEST(DamagedPicture, IsFittedOrRefusedWithAReasonNeverCrashes) {
  // Every byte of each fixture changed in turn (run under the sanitizers, this finds over-reads).
  for (const char* name : {"quarters.jpg", "quarters-progressive.jpg", "quarters.gif"}) {
    const Bytes whole = pictureFixture(name);
    for (std::size_t at = 0; at < whole.size(); ++at) {
      Bytes bytes = whole;
      bytes[at] = static_cast<std::uint8_t>(bytes[at] ^ 0xA5);
      pack::PictureFormat format = pack::pictureFormat(bytes);
      if (format == pack::PictureFormat::none) continue;  // the collector refuses these before
      pack::Message problem;
      if (pack::preparePicture(bytes, format, pack::PictureStorage::fitted, problem)) {
        EXPECT_EQ(pack::pictureFormat(bytes), format) << name << " at " << at;
      } else {
        EXPECT_NE(problem.id, pack::Msg::value) << name << " at " << at;
      }
    }
  }
}

TEST(FittedSolution, IsStoredScrambledWhenJpegAndPlainWhenPng) {
  testing::QuizFolder folder;
  const Bytes photo = pack::encodeJpeg(makePixels(1600, 1200, true), 90);
  folder.write("photo.jpg", std::string(photo.begin(), photo.end()));
  folder.write("flag.gif", testing::sourceFile("tests/unit/pack/fixtures/quarters.gif"));
  const std::string path = folder.write("quiz.toml",
                                        "title = \"T\"\nmedia = \"pictures\"\ncomments = \"solution-picture\"\n"
                                        "[[question]]\nanswer = \"A\"\npicture = \"flag.gif\"\nsolution = \"photo.jpg\"\n");
  pack::Diagnostics diagnostics("quiz.toml");
  std::vector<PeResourceEntry> resources;
  ASSERT_TRUE(pack::quizResources(path, false, resources, diagnostics));
  ASSERT_EQ(resources.size(), 4u);  // two content texts, the picture, the solution
  const PeResourceEntry& picture = resources[2];
  const PeResourceEntry& solution = resources[3];
  EXPECT_EQ(picture.typeNumber, kRtRcdata);  // the GIF became a PNG
  EXPECT_EQ(pack::pictureFormat(picture.bytes), pack::PictureFormat::png);
  EXPECT_EQ(solution.typeName, "IMG");
  Bytes restored = solution.bytes;
  exchangeNibbles(restored.data(), restored.size());
  pack::Pixels fitted;
  std::string problem;
  ASSERT_TRUE(pack::decodePixels(restored, fitted, problem)) << problem;
  EXPECT_EQ(fitted.width, 260);
  EXPECT_EQ(fitted.height, 195);
}

}  // namespace
}  // namespace fenok
