// Format notes.
// WebP: a RIFF file, "RIFF", a 4-byte size, then "WEBP".
// HEIF (HEIC and AVIF): an ISO box file whose first box is "ftyp": a 4-byte big-endian size, "ftyp",
// the major brand, a 4-byte minor version, then compatible brands to the end of the box. AVIF files
// list "avif" (still) or "avis" (sequence); HEIC files "heic", "heix" or the HEVC sequence brands, and
// often only the generic "mif1"/"msf1" beside them, which then mean HEVC.
#include "picture_format.h"

#include <algorithm>
#include <cstring>

namespace fenok::pack {
namespace {

constexpr std::size_t kBoxTypeAt = 4;
constexpr std::size_t kMajorBrandAt = 8;
constexpr std::size_t kCompatibleBrandsAt = 16;
constexpr std::size_t kBrandBytes = 4;

struct FormatInfo {
  PictureFormat format;
  const char* name;
  bool playerShows;
};

constexpr FormatInfo kFormats[] = {
    {PictureFormat::none, "?", false},     {PictureFormat::jpeg, "JPEG", true}, {PictureFormat::gif, "GIF", true},
    {PictureFormat::png, "PNG", true},     {PictureFormat::webp, "WebP", false}, {PictureFormat::heic, "HEIC", false},
    {PictureFormat::avif, "AVIF", false},
};

const char* const kAvifBrands[] = {"avif", "avis"};
const char* const kHeicBrands[] = {"heic", "heix", "heim", "heis", "hevc", "hevx", "mif1", "msf1"};

bool startsWith(const std::vector<std::uint8_t>& bytes, std::size_t at, const char* text, std::size_t length) {
  return bytes.size() >= at + length && std::memcmp(bytes.data() + at, text, length) == 0;
}

template <std::size_t N>
bool brandIsOneOf(const std::vector<std::uint8_t>& bytes, std::size_t at, const char* const (&brands)[N]) {
  for (const char* brand : brands)
    if (startsWith(bytes, at, brand, kBrandBytes)) return true;
  return false;
}

// The brands of an "ftyp" box (the major one, then the compatible ones) as far as the bytes hold them.
PictureFormat heifFormat(const std::vector<std::uint8_t>& bytes) {
  if (!startsWith(bytes, kBoxTypeAt, "ftyp", kBrandBytes)) return PictureFormat::none;
  const std::size_t boxSize = static_cast<std::size_t>(bytes[0]) << 24 | static_cast<std::size_t>(bytes[1]) << 16 |
                              static_cast<std::size_t>(bytes[2]) << 8 | bytes[3];
  const std::size_t end = std::min(boxSize, bytes.size());
  std::vector<std::size_t> brands{kMajorBrandAt};
  for (std::size_t at = kCompatibleBrandsAt; at + kBrandBytes <= end; at += kBrandBytes) brands.push_back(at);
  bool heic = false;
  for (const std::size_t at : brands) {
    if (brandIsOneOf(bytes, at, kAvifBrands)) return PictureFormat::avif;
    heic |= brandIsOneOf(bytes, at, kHeicBrands);
  }
  return heic ? PictureFormat::heic : PictureFormat::none;
}

}  // namespace

PictureFormat pictureFormat(const std::vector<std::uint8_t>& bytes) {
  if (startsWith(bytes, 0, "\xFF\xD8\xFF", 3)) return PictureFormat::jpeg;
  if (startsWith(bytes, 0, "GIF8", 4)) return PictureFormat::gif;
  if (startsWith(bytes, 0, "\x89PNG\r\n\x1A\n", 8)) return PictureFormat::png;
  if (startsWith(bytes, 0, "RIFF", 4) && startsWith(bytes, 8, "WEBP", 4)) return PictureFormat::webp;
  return heifFormat(bytes);
}

bool playerShows(PictureFormat format) { return kFormats[static_cast<int>(format)].playerShows; }

const char* formatName(PictureFormat format) { return kFormats[static_cast<int>(format)].name; }

}  // namespace fenok::pack
