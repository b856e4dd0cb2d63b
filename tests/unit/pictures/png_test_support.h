#pragma once
// Helpers for the PNG tests: PNG files built chunk by chunk, images encoded and decoded by libpng
// (the reference), and the colour of a pixel read back from a bitmap we built.
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "pictures/png_reader.h"

namespace fenok {
// GoogleTest prints reader errors by name in its failure messages.
inline void PrintTo(PngError error, std::ostream* out) { *out << pngErrorName(error); }
}  // namespace fenok

namespace fenok::pngtest {

using Bytes = std::vector<std::uint8_t>;

Bytes zlibCompress(const Bytes& raw, int level = 6);

// A PNG assembled by hand: signature, then chunks in the order they are added.
class PngBuilder {
 public:
  PngBuilder();
  PngBuilder& chunk(const std::string& type, const Bytes& data, bool goodCrc = true);
  PngBuilder& header(std::uint32_t width, std::uint32_t height, std::uint8_t bitDepth, std::uint8_t colourType,
                     std::uint8_t interlace = 0, std::uint8_t compression = 0, std::uint8_t filter = 0);
  // The compressed stream as IDAT chunks of at most `pieceSize` bytes (0: one chunk).
  PngBuilder& data(const Bytes& compressed, std::size_t pieceSize = 0);
  PngBuilder& end() { return chunk("IEND", {}); }
  const Bytes& bytes() const { return bytes_; }

 private:
  Bytes bytes_;
};

// Raw image in PNG sample layout: rows packed as PNG stores them, without filter bytes.
struct RawImage {
  std::uint32_t width = 0, height = 0;
  std::uint8_t colourType = 0, bitDepth = 0;
  Bytes pixels;   // height rows of rowBytes()
  Bytes palette;  // RGB triples for colour type 3
  unsigned channels() const;
  std::size_t rowBytes() const;
};

RawImage randomImage(std::uint32_t width, std::uint32_t height, std::uint8_t colourType, std::uint8_t bitDepth,
                     unsigned seed);
Bytes encodeWithLibpng(const RawImage& image, bool interlaced, int compressionLevel);
// libpng's decoding of a PNG, rows packed, interlacing undone. False if libpng refuses it.
bool decodeWithLibpng(const Bytes& png, RawImage& image);

struct Colour {
  int red = 0, green = 0, blue = 0, alpha = -1;  // alpha -1 where the layout has none
  bool operator==(const Colour& other) const {
    return red == other.red && green == other.green && blue == other.blue && alpha == other.alpha;
  }
};
// Colour of pixel (x, y) of a PNG image as a bitmap shows it: samples reduced to 8 bits, grey spread
// over the ramp, palette entries looked up.
Colour expectedColour(const RawImage& image, std::uint32_t x, std::uint32_t y, bool keepAlpha);
// Colour of pixel (x, y) of a bitmap: its bytes at the stride, through the colour table if any.
Colour bitmapColour(const DibDescription& description, const Bytes& rows, std::uint32_t x, std::uint32_t y);

// Little-endian fields of the bitmap description.
std::int32_t infoField32(const DibDescription& description, std::size_t offset);
int infoField16(const DibDescription& description, std::size_t offset);

// Decodes with ours in the given layout; lastError of the failing step otherwise.
struct OurDecoding {
  bool ok = false;
  PngError error = PngError::none;
  DibDescription description;
  Bytes rows;
};
OurDecoding decodeWithOurs(const Bytes& png, std::int32_t format = kNaturalFormat);

}  // namespace fenok::pngtest
