#include "web/media_types.h"

#include <algorithm>

namespace fenok::web {
namespace {

struct Signature {
  std::vector<std::uint8_t> start;
  const char* type;
};

struct Extension {
  const char* ending;  // as clipExtension writes it
  const char* type;
};

constexpr Extension kClipTypes[] = {
    {".MP3", "audio/mpeg"}, {".WAV", "audio/wav"}, {".MPG", "video/mpeg"}, {".AVI", "video/x-msvideo"},
    {".WMV", "video/x-ms-wmv"},
};

}  // namespace

std::string pictureType(const std::vector<std::uint8_t>& bytes) {
  static const Signature kSignatures[] = {
      {{0xFF, 0xD8, 0xFF}, "image/jpeg"},
      {{'G', 'I', 'F', '8'}, "image/gif"},
      {{0x89, 'P', 'N', 'G'}, "image/png"},
      {{'B', 'M'}, "image/bmp"},
  };
  for (const Signature& signature : kSignatures) {
    if (bytes.size() >= signature.start.size() && std::equal(signature.start.begin(), signature.start.end(), bytes.begin()))
      return signature.type;
  }
  return {};
}

std::string clipType(const std::string& clipFile) {
  for (const Extension& extension : kClipTypes) {
    const std::string ending = extension.ending;
    if (clipFile.size() >= ending.size() && clipFile.compare(clipFile.size() - ending.size(), ending.size(), ending) == 0)
      return extension.type;
  }
  return {};
}

}  // namespace fenok::web
