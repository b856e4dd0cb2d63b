#include "media/clip_files.h"

#include <cstdio>

namespace fenok {
namespace {

// A byte the test does not look at.
constexpr int kAnyByte = -1;

// One row per recognised start of a media file, tried in order; the first match wins.
struct ExtensionRule {
  int firstByte;
  std::size_t testedOffset;  // offset of the further byte looked at (only when testedValue is set)
  int testedValue;           // kAnyByte: no further test
  const char* extension;
};

constexpr ExtensionRule kExtensionRules[] = {
    {0x49, 0, kAnyByte, "MP3"},  // "ID3" tag
    {0xFF, 1, 0xF3, "MP3"},      // MPEG audio frame sync
    {0xFF, 1, 0x00, "MPG"},
    {0xFF, 0, kAnyByte, kUnknownClipExtension},
    {0x30, 0, kAnyByte, "WMV"},  // ASF header GUID
    {0x52, 8, 0x41, "AVI"},      // "RIFF....AVI "
    {0x52, 8, 0x57, "WAV"},      // "RIFF....WAVE"
    {0x52, 0, kAnyByte, kUnknownClipExtension},
    {0x00, 8, 0x41, "AVI"},
    {0x00, 8, 0x57, "AVI"},
    {0x00, 0, kAnyByte, "MPG"},  // MPEG pack or sequence start code
};

bool matches(const ExtensionRule& rule, const std::uint8_t* bytes, std::size_t size) {
  if (size == 0 || bytes[0] != rule.firstByte) return false;
  if (rule.testedValue == kAnyByte) return true;
  // A clip too short to have the tested byte fails the test and falls to the next row.
  return rule.testedOffset < size && bytes[rule.testedOffset] == rule.testedValue;
}

}  // namespace

const char* clipExtension(const std::uint8_t* bytes, std::size_t size) {
  if (bytes == nullptr) return kUnknownClipExtension;
  for (const ExtensionRule& rule : kExtensionRules) {
    if (matches(rule, bytes, size)) return rule.extension;
  }
  return kUnknownClipExtension;
}

std::string clipFileName(const std::string& mediaFolder, int resourceId, const char* extension) {
  char name[32];
  std::snprintf(name, sizeof name, "fenok%d.%s", resourceId, extension);
  std::string path = mediaFolder + name;
  if (path.size() > kMaxClipPath) return {};
  return path;
}

}  // namespace fenok
