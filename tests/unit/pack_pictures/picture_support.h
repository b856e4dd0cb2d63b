#pragma once
// Helpers of the picture tests: the fixtures, pixels made in memory, a pixel's colour, and a JPEG given
// an Exif block as a camera writes it.
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "authoring/pictures/picture_pixels.h"

namespace fenok::testing {

using Bytes = std::vector<std::uint8_t>;

inline Bytes pictureFixture(const std::string& name) {
  std::ifstream in(std::string(FENOK_SOURCE_DIR) + "/tests/unit/pack/fixtures/" + name, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Rgb {
  int red, green, blue;
};

// Within a JPEG's error of each other.
inline bool near(const Rgb& a, const Rgb& b) {
  constexpr int kTolerance = 40;
  return std::abs(a.red - b.red) < kTolerance && std::abs(a.green - b.green) < kTolerance &&
         std::abs(a.blue - b.blue) < kTolerance;
}

constexpr Rgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255}, kWhite{255, 255, 255};

// The fixture is red, green / blue, white; how each orientation is meant to be seen, quarter by
// quarter (top left, top right, bottom left, bottom right), and its size once fitted (upright, the
// picture is small enough to be kept as given: the player enlarges it).
struct Seen {
  int orientation;
  Rgb topLeft, topRight, bottomLeft, bottomRight;
  int width, height;
};

inline const Seen kSeen[] = {
    {1, kRed, kGreen, kBlue, kWhite, 64, 32},     // as stored
    {2, kGreen, kRed, kWhite, kBlue, 260, 130},   // mirrored
    {3, kWhite, kBlue, kGreen, kRed, 260, 130},   // upside down
    {4, kBlue, kWhite, kRed, kGreen, 260, 130},   // mirrored upside down
    {5, kRed, kBlue, kGreen, kWhite, 130, 260},   // mirrored along the diagonal
    {6, kBlue, kRed, kWhite, kGreen, 130, 260},   // a quarter turn clockwise
    {7, kWhite, kGreen, kBlue, kRed, 130, 260},   // mirrored along the other diagonal
    {8, kGreen, kWhite, kRed, kBlue, 130, 260},   // a quarter turn anticlockwise
};

inline Rgb colourAt(const pack::Pixels& pixels, int x, int y) {
  const std::uint8_t* p = &pixels.data[(static_cast<std::size_t>(y) * pixels.width + x) * pixels.channels];
  return {p[0], p[1], p[2]};
}

// Each quarter of the picture in the colour it should be seen in.
inline bool seenAs(const pack::Pixels& pixels, const Seen& seen) {
  const int left = pixels.width / 4, right = pixels.width * 3 / 4, top = pixels.height / 4,
            bottom = pixels.height * 3 / 4;
  return near(colourAt(pixels, left, top), seen.topLeft) && near(colourAt(pixels, right, top), seen.topRight) &&
         near(colourAt(pixels, left, bottom), seen.bottomLeft) && near(colourAt(pixels, right, bottom), seen.bottomRight);
}

// Flat pixels of one colour, or (noisy) a photo-like field of smooth gradients and grain.
inline pack::Pixels makePixels(int width, int height, bool noisy, int channels = pack::kRgb) {
  pack::Pixels pixels{width, height, channels, {}};
  std::uint32_t state = 12345;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      state = state * 1103515245u + 12345u;
      const int grain = noisy ? static_cast<int>(state >> 27) : 0;
      pixels.data.push_back(static_cast<std::uint8_t>(noisy ? (x * 255 / width + grain) & 0xFF : 200));
      pixels.data.push_back(static_cast<std::uint8_t>(noisy ? (y * 255 / height + grain) & 0xFF : 60));
      pixels.data.push_back(static_cast<std::uint8_t>(noisy ? ((x + y) * 3 + grain) & 0xFF : 40));
      if (channels == pack::kRgba) pixels.data.push_back(static_cast<std::uint8_t>(x < width / 2 ? 0 : 255));
    }
  return pixels;
}

// A TIFF structure as Exif holds it, with one Orientation entry, in either byte order.
inline Bytes exifTiff(int orientation, bool bigEndian) {
  const auto u16 = [&](Bytes& out, unsigned value) {
    if (bigEndian) out.insert(out.end(), {std::uint8_t(value >> 8), std::uint8_t(value)});
    else out.insert(out.end(), {std::uint8_t(value), std::uint8_t(value >> 8)});
  };
  const auto u32 = [&](Bytes& out, unsigned value) {
    bigEndian ? (u16(out, value >> 16), u16(out, value & 0xFFFF)) : (u16(out, value & 0xFFFF), u16(out, value >> 16));
  };
  Bytes tiff = {std::uint8_t(bigEndian ? 'M' : 'I'), std::uint8_t(bigEndian ? 'M' : 'I')};
  u16(tiff, 42);
  u32(tiff, 8);        // the first directory, right after this header
  u16(tiff, 2);        // two entries: an unrelated one (ImageWidth), then Orientation
  u16(tiff, 0x0100);
  u16(tiff, 3);
  u32(tiff, 1);
  u32(tiff, 64);
  u16(tiff, 0x0112);
  u16(tiff, 3);
  u32(tiff, 1);
  u16(tiff, static_cast<unsigned>(orientation));
  u16(tiff, 0);
  u32(tiff, 0);        // no next directory
  return tiff;
}

// An APP1 Exif block holding one Orientation entry, in either byte order, put right after the JPEG's
// start marker.
inline Bytes withOrientation(const Bytes& jpeg, int orientation, bool bigEndian) {
  const Bytes tiff = exifTiff(orientation, bigEndian);
  const std::size_t length = 2 + 6 + tiff.size();
  Bytes result;
  result.reserve(jpeg.size() + 2 + length);
  result.insert(result.end(), jpeg.begin(), jpeg.begin() + 2);
  for (const int byte : {0xFF, 0xE1, int(length >> 8), int(length & 0xFF), int('E'), int('x'), int('i'), int('f'), 0, 0})
    result.push_back(static_cast<std::uint8_t>(byte));
  result.insert(result.end(), tiff.begin(), tiff.end());
  result.insert(result.end(), jpeg.begin() + 2, jpeg.end());
  return result;
}

}  // namespace fenok::testing
