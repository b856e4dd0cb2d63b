#pragma once
// A picture as pixels, and the image library behind them: decoding JPEG, GIF and PNG, resampling,
// encoding JPEG and PNG. No other file of the packer sees the library.
#include <cstdint>
#include <string>
#include <vector>

namespace fenok::pack {

constexpr int kRgb = 3;
constexpr int kRgba = 4;

// Rows top-down, without padding, kRgb or kRgba bytes a pixel.
struct Pixels {
  int width = 0;
  int height = 0;
  int channels = 0;
  std::vector<std::uint8_t> data;
};

// The width and height an encoded picture declares, read without decoding it.
bool pictureDimensions(const std::vector<std::uint8_t>& bytes, int& width, int& height);
// Why the library's last call on this thread failed, in its words.
std::string libraryFailure();

// RGB, or RGBA when some pixel is not fully opaque; the first frame of an animated GIF.
// On failure, reason says why in the library's words.
bool decodePixels(const std::vector<std::uint8_t>& bytes, Pixels& pixels, std::string& reason);

// RGBA pixels all fully opaque become RGB: alpha that says nothing would only cost the PNG bytes.
void dropOpaqueAlpha(Pixels& pixels);

// A new size through a cubic filter in linear light; alpha, where there is one, is resampled on its
// own, as the player's stretch ignores it too.
Pixels resample(const Pixels& pixels, int width, int height);

// Empty when the library fails.
std::vector<std::uint8_t> encodeJpeg(const Pixels& pixels, int quality);
std::vector<std::uint8_t> encodePng(const Pixels& pixels);
// A zlib stream of the bytes, as PNG image data holds it.
std::vector<std::uint8_t> zlibCompress(const std::vector<std::uint8_t>& bytes);

}  // namespace fenok::pack
