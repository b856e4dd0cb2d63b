#include "media/clip_files.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace fenok {
namespace {

struct ExtensionCase {
  const char* name;
  std::vector<std::uint8_t> bytes;
  const char* expected;
};

std::vector<std::uint8_t> riff(std::uint8_t ninth) {
  return {'R', 'I', 'F', 'F', 0x24, 0x10, 0x00, 0x00, ninth, 'A', 'V', 'E'};
}

std::vector<std::uint8_t> startingWithZero(std::uint8_t ninth) {
  return {0x00, 0x00, 0x01, 0xBA, 0x44, 0x00, 0x04, 0x00, ninth, 0x01};
}

class ClipExtensionTest : public testing::TestWithParam<ExtensionCase> {};

TEST_P(ClipExtensionTest, ChosenFromTheFirstBytes) {
  const ExtensionCase& c = GetParam();
  EXPECT_STREQ(clipExtension(c.bytes.data(), c.bytes.size()), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    EveryRow, ClipExtensionTest,
    testing::Values(
        ExtensionCase{"Id3Tag", {'I', 'D', '3', 0x03, 0x00}, "MP3"},
        ExtensionCase{"IAlone", {'I'}, "MP3"},
        ExtensionCase{"MpegAudioFrame", {0xFF, 0xF3, 0x44, 0xC4}, "MP3"},
        ExtensionCase{"FfThenZero", {0xFF, 0x00, 0x12}, "MPG"},
        ExtensionCase{"FfThenFb", {0xFF, 0xFB, 0x90, 0x64}, "XXX"},
        ExtensionCase{"FfAlone", {0xFF}, "XXX"},
        ExtensionCase{"Asf", {0x30, 0x26, 0xB2, 0x75, 0x8E, 0x66, 0xCF, 0x11}, "WMV"},
        ExtensionCase{"RiffAvi", riff('A'), "AVI"},
        ExtensionCase{"RiffWave", riff('W'), "WAV"},
        ExtensionCase{"RiffOther", riff('R'), "XXX"},
        ExtensionCase{"RiffTooShortForNinth", {'R', 'I', 'F', 'F', 0, 0, 0, 0}, "XXX"},
        ExtensionCase{"ZeroNinthA", startingWithZero(0x41), "AVI"},
        ExtensionCase{"ZeroNinthW", startingWithZero(0x57), "AVI"},
        ExtensionCase{"ZeroMpegPack", startingWithZero(0x21), "MPG"},
        ExtensionCase{"ZeroTooShortForNinth", {0x00, 0x00, 0x01, 0xB3}, "MPG"},
        ExtensionCase{"OggNotInTable", {'O', 'g', 'g', 'S'}, "XXX"},
        ExtensionCase{"LowerCaseI", {'i', 'd', '3'}, "XXX"},
        ExtensionCase{"Empty", {}, "XXX"}),
    [](const testing::TestParamInfo<ExtensionCase>& param) { return std::string(param.param.name); });

TEST(ClipExtension, NoBytesAtAllIsUnknown) { EXPECT_STREQ(clipExtension(nullptr, 12), "XXX"); }

struct FileNameCase {
  std::string folder;
  int resourceId;
  const char* extension;
  std::string expected;
};

class ClipFileNameTest : public testing::TestWithParam<FileNameCase> {};

TEST_P(ClipFileNameTest, FolderStandsInFrontOfTheName) {
  const FileNameCase& c = GetParam();
  EXPECT_EQ(clipFileName(c.folder, c.resourceId, c.extension), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Names, ClipFileNameTest,
    testing::Values(FileNameCase{"", 403, "MP3", "fenok403.MP3"},
                    FileNameCase{"", 407, "MPG", "fenok407.MPG"},
                    FileNameCase{"C:\\clips\\", 401, "WAV", "C:\\clips\\fenok401.WAV"},
                    FileNameCase{"clips", 496, "XXX", "clipsfenok496.XXX"}));

TEST(ClipFileName, LongestPathThatFitsIsKept) {
  const std::string suffix = "fenok401.WAV";
  const std::string folder(kMaxClipPath - suffix.size(), 'd');
  EXPECT_EQ(clipFileName(folder, 401, "WAV"), folder + suffix);
}

TEST(ClipFileName, PathLongerThanThePlatformTakesIsRefused) {
  const std::string suffix = "fenok401.WAV";
  const std::string folder(kMaxClipPath - suffix.size() + 1, 'd');
  EXPECT_EQ(clipFileName(folder, 401, "WAV"), "");
}

}  // namespace
}  // namespace fenok
