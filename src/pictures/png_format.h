#pragma once
// The geometry of a PNG image (bits per pixel, filtered row sizes, Adam7 passes) and the table of
// output layouts a bitmap can be made in. Pure arithmetic, shared by decoding and row building.
#include <cstdint>

namespace fenok {

struct PngReader;

// Bits per pixel of the filtered data: channels x bit depth; 0 for a pair PNG does not allow.
unsigned pngBitsPerPixel(std::uint8_t colourType, std::uint8_t bitDepth);

// Bytes of one filtered row of `width` pixels, filter-type byte included (64-bit: callers bound it).
std::uint64_t pngFilteredRowSize(std::uint64_t width, unsigned bitsPerPixel);

// One Adam7 pass: where its first pixel sits and how far apart its pixels are.
struct Adam7Pass {
  std::uint32_t x0, y0, dx, dy;
};
extern const Adam7Pass kAdam7Passes[7];

// Columns or rows a pass takes out of `size`; 0 when its first one lies at or beyond it.
std::uint32_t adam7Count(std::uint32_t size, std::uint32_t start, std::uint32_t step);

// Size of the whole inflated image data: every row (or every row of every present pass).
std::uint64_t pngScanlinesSize(const PngReader& reader);

// Row conversion routines, numbered by the low byte of a layout code.
enum RowRoutine : std::uint8_t {
  rowCopy = 0x00,
  rowEveryOtherByte = 0x06,
  rowRgb16ToBgr = 0x07,
  rowRgba16ToBgr = 0x08,
  rowRgba16ToBgra = 0x09,
  rowEveryFourthByte = 0x0A,
  rowWiden2To4 = 0x0B,
  rowRgbToBgr = 0x0C,
  rowRgbaToBgr = 0x0D,
  rowRgbaToBgra = 0x0E,
};

enum class ColourTable : std::uint8_t { none, greyRamp, palette };

struct PngLayout {
  std::uint32_t code;  // colour type, bit depth, bitmap flag, routine: one byte each from the top
  std::uint8_t colourType;
  std::uint8_t bitDepth;
  RowRoutine routine;
  std::uint8_t outputBits;  // bits per output pixel
  ColourTable table;
};

// The layout for a requested code (-1 for the image's natural one); null when it does not belong
// to an image of this colour type and bit depth.
const PngLayout* findPngLayout(std::uint8_t colourType, std::uint8_t bitDepth, std::int32_t format);

// Bytes between the starts of two bitmap rows: the row's bytes taken up to a multiple of 4.
std::uint64_t dibStride(std::uint64_t width, unsigned outputBits);

}  // namespace fenok
