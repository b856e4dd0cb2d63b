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

inline Rgb colourAt(const pack::Pixels& pixels, int x, int y) {
  const std::uint8_t* p = &pixels.data[(static_cast<std::size_t>(y) * pixels.width + x) * pixels.channels];
  return {p[0], p[1], p[2]};
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

// An APP1 Exif block holding one Orientation entry, in either byte order, put right after the JPEG's
// start marker.
inline Bytes withOrientation(const Bytes& jpeg, int orientation, bool bigEndian) {
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
  Bytes app1 = {0xFF, 0xE1};
  const std::size_t length = 2 + 6 + tiff.size();
  app1.insert(app1.end(), {std::uint8_t(length >> 8), std::uint8_t(length)});
  app1.insert(app1.end(), {'E', 'x', 'i', 'f', 0, 0});
  app1.insert(app1.end(), tiff.begin(), tiff.end());
  Bytes result(jpeg.begin(), jpeg.begin() + 2);
  result.insert(result.end(), app1.begin(), app1.end());
  result.insert(result.end(), jpeg.begin() + 2, jpeg.end());
  return result;
}

}  // namespace fenok::testing
