#include "pictures/png_format.h"

#include <iterator>

#include "pictures/png_reader.h"

namespace fenok {
namespace {

struct AllowedPair {
  std::uint8_t colourType;
  std::uint8_t bitDepth;
  std::uint8_t channels;
};

// The fifteen (colour type, bit depth) pairs PNG allows.
constexpr AllowedPair kAllowedPairs[] = {
    {0, 1, 1}, {0, 2, 1}, {0, 4, 1}, {0, 8, 1}, {0, 16, 1},
    {2, 8, 3}, {2, 16, 3},
    {3, 1, 1}, {3, 2, 1}, {3, 4, 1}, {3, 8, 1},
    {4, 8, 2}, {4, 16, 2},
    {6, 8, 4}, {6, 16, 4},
};

// The first row of each (colour type, bit depth) is its natural layout.
constexpr PngLayout kLayouts[] = {
    {0x00010100, 0, 1, rowCopy, 1, ColourTable::greyRamp},
    {0x0002010B, 0, 2, rowWiden2To4, 4, ColourTable::greyRamp},
    {0x00040100, 0, 4, rowCopy, 4, ColourTable::greyRamp},
    {0x00080100, 0, 8, rowCopy, 8, ColourTable::greyRamp},
    {0x00100106, 0, 16, rowEveryOtherByte, 8, ColourTable::greyRamp},
    {0x0208010C, 2, 8, rowRgbToBgr, 24, ColourTable::none},
    {0x02100107, 2, 16, rowRgb16ToBgr, 24, ColourTable::none},
    {0x03010100, 3, 1, rowCopy, 1, ColourTable::palette},
    {0x0302010B, 3, 2, rowWiden2To4, 4, ColourTable::palette},
    {0x03040100, 3, 4, rowCopy, 4, ColourTable::palette},
    {0x03080100, 3, 8, rowCopy, 8, ColourTable::palette},
    {0x04080106, 4, 8, rowEveryOtherByte, 8, ColourTable::greyRamp},
    {0x0410010A, 4, 16, rowEveryFourthByte, 8, ColourTable::greyRamp},
    {0x0608010E, 6, 8, rowRgbaToBgra, 32, ColourTable::none},
    {0x0608010D, 6, 8, rowRgbaToBgr, 24, ColourTable::none},
    {0x06100109, 6, 16, rowRgba16ToBgra, 32, ColourTable::none},
    {0x06100108, 6, 16, rowRgba16ToBgr, 24, ColourTable::none},
};

}  // namespace

const Adam7Pass kAdam7Passes[7] = {
    {0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4}, {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2},
};

unsigned pngBitsPerPixel(std::uint8_t colourType, std::uint8_t bitDepth) {
  for (const AllowedPair& pair : kAllowedPairs) {
    if (pair.colourType == colourType && pair.bitDepth == bitDepth) return pair.channels * bitDepth;
  }
  return 0;
}

std::uint64_t pngFilteredRowSize(std::uint64_t width, unsigned bitsPerPixel) {
  return 1 + (width * bitsPerPixel + 7) / 8;
}

std::uint32_t adam7Count(std::uint32_t size, std::uint32_t start, std::uint32_t step) {
  return size > start ? (size - start + step - 1) / step : 0;
}

std::uint64_t pngScanlinesSize(const PngReader& reader) {
  const unsigned bits = pngBitsPerPixel(reader.colourType, reader.bitDepth);
  if (reader.interlaceMethod == 0) return pngFilteredRowSize(reader.width, bits) * reader.height;
  std::uint64_t total = 0;
  for (const Adam7Pass& pass : kAdam7Passes) {
    const std::uint32_t columns = adam7Count(reader.width, pass.x0, pass.dx);
    const std::uint32_t rows = adam7Count(reader.height, pass.y0, pass.dy);
    if (columns != 0 && rows != 0) total += pngFilteredRowSize(columns, bits) * rows;
  }
  return total;
}

const PngLayout* findPngLayout(std::uint8_t colourType, std::uint8_t bitDepth, std::int32_t format) {
  for (const PngLayout& layout : kLayouts) {
    if (layout.colourType != colourType || layout.bitDepth != bitDepth) continue;
    if (format == kNaturalFormat || static_cast<std::uint32_t>(format) == layout.code) return &layout;
  }
  return nullptr;
}

std::uint64_t dibStride(std::uint64_t width, unsigned outputBits) {
  const std::uint64_t rowBytes = (width * outputBits + 7) / 8;
  return (rowBytes + 3) & ~std::uint64_t{3};
}

}  // namespace fenok
