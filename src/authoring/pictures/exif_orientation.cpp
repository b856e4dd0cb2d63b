// Format notes. The Exif block is the payload of an APP1 segment (marker E1) beginning "Exif\0\0",
// followed by a TIFF structure whose offsets count from its own start: the byte order ("II" little,
// "MM" big endian), the number 42, the offset of the first directory (IFD0). A directory is a 2-byte
// entry count and 12-byte entries: tag (2), type (2), count (4), value or offset (4). Orientation is
// tag 0x0112, one SHORT (type 3) held in the first two bytes of the value field.
#include "exif_orientation.h"

#include <cstring>

#include "picture_structure.h"
#include "webp_chunks.h"
#include "platform/portable/stored_bytes.h"

namespace fenok::pack {
namespace {

constexpr std::uint8_t kApp1 = 0xE1;
constexpr char kExifHeader[] = "Exif\0";  // with the string's own NUL: six bytes
constexpr std::size_t kExifHeaderBytes = sizeof kExifHeader;
constexpr std::uint16_t kTiffMagic = 42;
constexpr std::size_t kEntryBytes = 12;
constexpr std::uint16_t kOrientationTag = 0x0112;
constexpr std::uint16_t kShortType = 3;

// Reads of a TIFF structure in its own byte order, bounded by it.
class TiffReader {
 public:
  TiffReader(const std::uint8_t* data, std::size_t size) : bytes_(data, size) {}

  bool readOrder() {
    std::uint8_t first = 0, second = 0;
    if (!bytes_.u8(0, first) || !bytes_.u8(1, second) || first != second) return false;
    bigEndian_ = first == 'M';
    std::uint16_t magic = 0;
    return (first == 'I' || first == 'M') && u16(2, magic) && magic == kTiffMagic;
  }
  bool u16(std::uint64_t at, std::uint16_t& out) const {
    std::uint8_t a = 0, b = 0;
    if (!bytes_.u8(at, a) || !bytes_.u8(at + 1, b)) return false;
    out = static_cast<std::uint16_t>(bigEndian_ ? (a << 8 | b) : (b << 8 | a));
    return true;
  }
  bool u32(std::uint64_t at, std::uint32_t& out) const {
    std::uint16_t a = 0, b = 0;
    if (!u16(at, a) || !u16(at + 2, b)) return false;
    out = bigEndian_ ? (std::uint32_t{a} << 16 | b) : (std::uint32_t{b} << 16 | a);
    return true;
  }

 private:
  StoredBytes bytes_;
  bool bigEndian_ = false;
};

int orientationInTiff(const std::uint8_t* data, std::size_t size) {
  TiffReader tiff(data, size);
  std::uint32_t directory = 0;
  std::uint16_t entries = 0;
  if (!tiff.readOrder() || !tiff.u32(4, directory) || !tiff.u16(directory, entries)) return kUpright;
  for (std::uint32_t i = 0; i < entries; ++i) {
    const std::uint64_t entry = std::uint64_t{directory} + 2 + i * kEntryBytes;
    std::uint16_t tag = 0, type = 0, value = 0;
    if (!tiff.u16(entry, tag) || !tiff.u16(entry + 2, type)) return kUpright;
    if (tag != kOrientationTag) continue;
    if (type != kShortType || !tiff.u16(entry + 8, value) || value < kUpright || value > kLastOrientation)
      return kUpright;
    return value;
  }
  return kUpright;
}

// How an orientation maps a seen pixel (x, y) to a stored one: swap x and y first (orientations 5 to
// 8 turn the picture a quarter), then count x from the right and y from the bottom of the stored one.
struct Mapping {
  bool swap, fromRight, fromBottom;
};
constexpr Mapping kMappings[kLastOrientation + 1] = {
    {false, false, false},                                                                   // (unused)
    {false, false, false}, {false, true, false}, {false, true, true}, {false, false, true},  // 1 to 4
    {true, false, false},  {true, false, true},  {true, true, true},  {true, true, false},   // 5 to 8
};

}  // namespace

int exifOrientation(const std::vector<std::uint8_t>& jpeg) {
  int orientation = 0;  // 0 until the first Exif block is read
  walkJpeg(jpeg, [&](const JpegSegment& segment) {
    if (orientation != 0 || segment.marker != kApp1 || segment.length < kExifHeaderBytes ||
        std::memcmp(jpeg.data() + segment.payload, kExifHeader, kExifHeaderBytes) != 0)
      return;
    orientation = orientationInTiff(jpeg.data() + segment.payload + kExifHeaderBytes,
                                    segment.length - kExifHeaderBytes);
  });
  return orientation == 0 ? kUpright : orientation;
}

int webpExifOrientation(const std::vector<std::uint8_t>& webp) {
  std::size_t payload = 0, length = 0;
  if (!webpChunk(webp, "EXIF", payload, length)) return kUpright;
  if (length >= kExifHeaderBytes && std::memcmp(webp.data() + payload, kExifHeader, kExifHeaderBytes) == 0) {
    payload += kExifHeaderBytes;
    length -= kExifHeaderBytes;
  }
  return orientationInTiff(webp.data() + payload, length);
}

Pixels orientUpright(const Pixels& pixels, int orientation) {
  if (orientation <= kUpright || orientation > kLastOrientation) return pixels;
  const Mapping mapping = kMappings[orientation];
  Pixels result;
  result.width = mapping.swap ? pixels.height : pixels.width;
  result.height = mapping.swap ? pixels.width : pixels.height;
  result.channels = pixels.channels;
  result.data.resize(pixels.data.size());
  const std::size_t channels = static_cast<std::size_t>(pixels.channels);
  std::uint8_t* out = result.data.data();
  for (int y = 0; y < result.height; ++y) {
    for (int x = 0; x < result.width; ++x, out += channels) {
      const int u = mapping.swap ? y : x;
      const int v = mapping.swap ? x : y;
      const int sx = mapping.fromRight ? pixels.width - 1 - u : u;
      const int sy = mapping.fromBottom ? pixels.height - 1 - v : v;
      std::memcpy(out, &pixels.data[(static_cast<std::size_t>(sy) * pixels.width + sx) * channels], channels);
    }
  }
  return result;
}

}  // namespace fenok::pack
