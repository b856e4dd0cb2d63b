// Pictures the player cannot show, read through Windows' own codecs (WIC): where this Windows has a
// codec the picture is read upright; where it has none (Wine has none for WebP, HEIC or AVIF), the
// author is told in French what to install. The codec path itself is checked on a JPEG, which every
// Windows, Wine included, decodes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "authoring/pictures/picture_source.h"
#include "authoring/pictures/system_decoders.h"

namespace fenok {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes sourceFile(const std::string& relative) {
  std::ifstream in(std::string(FENOK_SOURCE_DIR) + "/" + relative, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Red, green / blue, white, within a lossy codec's error.
void expectQuarters(const pack::Pixels& pixels) {
  ASSERT_EQ(pixels.width, 64);
  ASSERT_EQ(pixels.height, 32);
  const int expected[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
  const int at[4][2] = {{16, 8}, {48, 8}, {16, 24}, {48, 24}};
  for (int quarter = 0; quarter < 4; ++quarter) {
    const std::size_t pixel = (static_cast<std::size_t>(at[quarter][1]) * pixels.width + at[quarter][0]) * pixels.channels;
    for (int channel = 0; channel < 3; ++channel)
      EXPECT_NEAR(pixels.data[pixel + channel], expected[quarter][channel], 40) << "quarter " << quarter;
  }
}

TEST(WindowsCodecs, DecodeWhatWindowsReadsIntoRgbPixels) {
  pack::Pixels pixels;
  pack::Message problem;
  const Bytes jpeg = sourceFile("tests/unit/pack/fixtures/quarters.jpg");
  ASSERT_EQ(pack::kWicDecoder.decode(jpeg, pack::PictureFormat::jpeg, pixels, problem), pack::PictureCheck::readable)
      << pack::say(problem, pack::Language::french);
  EXPECT_EQ(pixels.channels, pack::kRgb);  // an opaque picture loses the alpha the codec gave it
  expectQuarters(pixels);
  const Bytes text = {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'};
  EXPECT_NE(pack::kWicDecoder.decode(text, pack::PictureFormat::webp, pixels, problem), pack::PictureCheck::readable);
}

struct CodecCase {
  const char* file;
  pack::PictureFormat format;
  const char* toInstall;  // in the French message when Windows has no codec
};

class WindowsCodecFormat : public ::testing::TestWithParam<CodecCase> {};

TEST_P(WindowsCodecFormat, ReadUprightOrToldWhatToInstall) {
  const CodecCase& c = GetParam();
  const Bytes bytes = sourceFile(std::string("tests/win32/data/") + c.file);
  ASSERT_EQ(pack::pictureFormat(bytes), c.format);
  pack::Pixels pixels;
  bool turned = true;
  pack::Message problem;
  const pack::PictureCheck check = pack::readPicture(bytes, c.format, pixels, turned, problem);
  if (check == pack::PictureCheck::readable) {
    EXPECT_FALSE(turned);
    expectQuarters(pixels);
    return;
  }
  ASSERT_EQ(check, pack::PictureCheck::noDecoder) << pack::say(problem, pack::Language::french);
  problem.args.insert(problem.args.begin(), pack::valueMessage(c.file));
  const std::string said = pack::say(problem, pack::Language::french);
  EXPECT_NE(said.find(std::string("l'image ") + pack::formatName(c.format) + " « " + c.file + " » ne peut pas être lue"),
            std::string::npos) << said;
  EXPECT_NE(said.find(c.toInstall), std::string::npos) << said;
  EXPECT_NE(said.find("convertissez-la en JPEG ou PNG"), std::string::npos) << said;
}

INSTANTIATE_TEST_SUITE_P(Formats, WindowsCodecFormat,
                         ::testing::Values(CodecCase{"quarters.webp", pack::PictureFormat::webp, "Extensions d'image Webp"},
                                           CodecCase{"quarters.heic", pack::PictureFormat::heic, "Extensions d'image HEIF"},
                                           CodecCase{"quarters.avif", pack::PictureFormat::avif, "Extension vidéo AV1"}),
                         [](const auto& param) { return std::string(pack::formatName(param.param.format)); });

}  // namespace
}  // namespace fenok
