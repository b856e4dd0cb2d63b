// Format notes. A PNG is its 8-byte signature and chunks: length (4, big-endian), type (4), data, and
// the CRC-32 of type and data. Written here: IHDR (width, height, depth 8, colour type 3 = palette,
// no interlace), PLTE (3 bytes a colour), tRNS (one alpha a colour, only when some colour is not
// opaque), one IDAT (zlib of the rows, each a filter byte 0 and an index a pixel), IEND.
#include "palette_png.h"

#include <array>
#include <unordered_map>

namespace fenok::pack {
namespace {

constexpr std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint8_t kBitDepth = 8;
constexpr std::uint8_t kPaletteColourType = 3;
constexpr std::uint8_t kNoFilter = 0;
constexpr std::uint8_t kOpaque = 0xFF;
constexpr std::uint32_t kCrcPolynomial = 0xEDB88320u;

std::uint32_t crc32(const std::uint8_t* bytes, std::size_t size, std::uint32_t crc) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> entries{};
    for (std::uint32_t n = 0; n < entries.size(); ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? kCrcPolynomial ^ (c >> 1) : c >> 1;
      entries[n] = c;
    }
    return entries;
  }();
  for (std::size_t i = 0; i < size; ++i) crc = table[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
  return crc;
}

void putBig32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void chunk(std::vector<std::uint8_t>& out, const char (&type)[5], const std::vector<std::uint8_t>& data) {
  putBig32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t start = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  putBig32(out, crc32(&out[start], out.size() - start, 0xFFFFFFFFu) ^ 0xFFFFFFFFu);
}

std::uint32_t colourAt(const Pixels& pixels, std::size_t pixel) {
  const std::uint8_t* p = &pixels.data[pixel * pixels.channels];
  const std::uint8_t alpha = pixels.channels == kRgba ? p[3] : kOpaque;
  return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | alpha;
}

// The palette (colours as RGBA words, in order of first use) and the rows of indices with their
// filter bytes; false beyond kMaxPaletteColours colours.
bool indexPixels(const Pixels& pixels, std::vector<std::uint32_t>& palette, std::vector<std::uint8_t>& rows) {
  std::unordered_map<std::uint32_t, std::uint8_t> indexOf;
  rows.reserve(static_cast<std::size_t>(pixels.width + 1) * pixels.height);
  std::size_t pixel = 0;
  for (int y = 0; y < pixels.height; ++y) {
    rows.push_back(kNoFilter);
    for (int x = 0; x < pixels.width; ++x, ++pixel) {
      const std::uint32_t colour = colourAt(pixels, pixel);
      auto found = indexOf.find(colour);
      if (found == indexOf.end()) {
        if (palette.size() == kMaxPaletteColours) return false;
        found = indexOf.emplace(colour, static_cast<std::uint8_t>(palette.size())).first;
        palette.push_back(colour);
      }
      rows.push_back(found->second);
    }
  }
  return true;
}

}  // namespace

std::vector<std::uint8_t> encodePalettePng(const Pixels& pixels) {
  std::vector<std::uint32_t> palette;
  std::vector<std::uint8_t> rows;
  if (!indexPixels(pixels, palette, rows)) return {};
  std::vector<std::uint8_t> compressed = zlibCompress(rows);
  if (compressed.empty()) return {};

  std::vector<std::uint8_t> header;
  putBig32(header, static_cast<std::uint32_t>(pixels.width));
  putBig32(header, static_cast<std::uint32_t>(pixels.height));
  header.insert(header.end(), {kBitDepth, kPaletteColourType, 0, 0, 0});  // compression, filter, interlace
  std::vector<std::uint8_t> colours, alphas;
  bool transparent = false;
  for (std::uint32_t colour : palette) {
    colours.insert(colours.end(), {static_cast<std::uint8_t>(colour >> 24), static_cast<std::uint8_t>(colour >> 16),
                                   static_cast<std::uint8_t>(colour >> 8)});
    alphas.push_back(static_cast<std::uint8_t>(colour));
    transparent = transparent || alphas.back() != kOpaque;
  }

  std::vector<std::uint8_t> out(std::begin(kSignature), std::end(kSignature));
  chunk(out, "IHDR", header);
  chunk(out, "PLTE", colours);
  if (transparent) chunk(out, "tRNS", alphas);
  chunk(out, "IDAT", compressed);
  chunk(out, "IEND", {});
  return out;
}

}  // namespace fenok::pack
