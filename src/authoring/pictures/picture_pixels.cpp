#include "picture_pixels.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>

#include "picture_format.h"
#include "picture_structure.h"

#include <stb/stb_image.h>
#include <stb/stb_image_resize.h>
#include <stb/stb_image_write.h>

// The writer's deflate, public in its code but not declared in its header.
extern "C" unsigned char* stbi_zlib_compress(unsigned char* data, int length, int* outLength, int quality);

namespace fenok::pack {
namespace {

constexpr int kAlphaIndex = 3;
constexpr int kGreyAlpha = 2;  // channels of a grey picture with alpha
constexpr std::uint8_t kOpaque = 0xFF;
// The library's own PNG level; higher ones search longer for little gain at these sizes.
constexpr int kCompressionLevel = 8;

struct LibraryFree {
  void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

int byteCount(const std::vector<std::uint8_t>& bytes) {
  return static_cast<int>(std::min<std::size_t>(bytes.size(), std::numeric_limits<int>::max()));
}

bool fullyOpaque(const stbi_uc* rgba, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i)
    if (rgba[i * kRgba + kAlphaIndex] != kOpaque) return false;
  return true;
}

// The RGBA pixels as they are, or without their alpha when it says nothing.
void keepPixels(const stbi_uc* rgba, std::size_t count, Pixels& pixels) {
  if (!fullyOpaque(rgba, count)) {
    pixels.channels = kRgba;
    pixels.data.assign(rgba, rgba + count * kRgba);
    return;
  }
  pixels.channels = kRgb;
  pixels.data.resize(count * kRgb);
  for (std::size_t i = 0; i < count; ++i) std::memcpy(&pixels.data[i * kRgb], rgba + i * kRgba, kRgb);
}

void append(void* context, void* data, int size) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(context);
  const auto* bytes = static_cast<const std::uint8_t*>(data);
  out->insert(out->end(), bytes, bytes + size);
}

}  // namespace

bool pictureDimensions(const std::vector<std::uint8_t>& bytes, int& width, int& height) {
  // The library reads a JPEG's tables to find its size, and writes past them when one is oversized.
  if (pictureFormat(bytes) == PictureFormat::jpeg) return jpegDimensions(bytes, width, height);
  int channels = 0;
  return stbi_info_from_memory(bytes.data(), byteCount(bytes), &width, &height, &channels) != 0;
}

std::string libraryFailure() { return stbi_failure_reason() ? stbi_failure_reason() : "unknown reason"; }

bool decodePixels(const std::vector<std::uint8_t>& bytes, Pixels& pixels, std::string& reason) {
  if (pictureFormat(bytes) == PictureFormat::jpeg && !jpegTablesSound(bytes)) {
    reason = "bad Huffman table";  // the library would write past its tables
    return false;
  }
  int width = 0, height = 0, stored = 0;
  // Pictures without alpha (every JPEG) come straight as RGB; the others as RGBA, checked for alpha.
  const bool maybeAlpha = !stbi_info_from_memory(bytes.data(), byteCount(bytes), &width, &height, &stored) ||
                          stored == kGreyAlpha || stored == kRgba;
  const int asked = maybeAlpha ? kRgba : kRgb;
  std::unique_ptr<stbi_uc, LibraryFree> decoded(
      stbi_load_from_memory(bytes.data(), byteCount(bytes), &width, &height, &stored, asked));
  if (!decoded) {
    reason = libraryFailure();
    return false;
  }
  pixels.width = width;
  pixels.height = height;
  const std::size_t count = static_cast<std::size_t>(width) * height;
  if (maybeAlpha) {
    keepPixels(decoded.get(), count, pixels);
  } else {
    pixels.channels = kRgb;
    pixels.data.assign(decoded.get(), decoded.get() + count * kRgb);
  }
  return true;
}

void dropOpaqueAlpha(Pixels& pixels) {
  if (pixels.channels != kRgba) return;
  const std::size_t count = pixels.data.size() / kRgba;
  if (!fullyOpaque(pixels.data.data(), count)) return;
  for (std::size_t i = 0; i < count; ++i) std::memmove(&pixels.data[i * kRgb], &pixels.data[i * kRgba], kRgb);
  pixels.data.resize(count * kRgb);
  pixels.channels = kRgb;
}

Pixels resample(const Pixels& pixels, int width, int height) {
  Pixels result;
  result.width = width;
  result.height = height;
  result.channels = pixels.channels;
  result.data.resize(static_cast<std::size_t>(width) * height * pixels.channels);
  const int alpha = pixels.channels == kRgba ? kAlphaIndex : STBIR_ALPHA_CHANNEL_NONE;
  // "Premultiplied" keeps the library from weighting colours by alpha: the player shows the colours
  // of transparent pixels as they are, so they must not turn black here.
  stbir_resize_uint8_generic(pixels.data.data(), pixels.width, pixels.height, 0, result.data.data(), width, height, 0,
                             pixels.channels, alpha, STBIR_FLAG_ALPHA_PREMULTIPLIED, STBIR_EDGE_CLAMP,
                             STBIR_FILTER_DEFAULT, STBIR_COLORSPACE_SRGB, nullptr);
  return result;
}

std::vector<std::uint8_t> encodeJpeg(const Pixels& pixels, int quality) {
  std::vector<std::uint8_t> out;
  if (!stbi_write_jpg_to_func(append, &out, pixels.width, pixels.height, pixels.channels, pixels.data.data(), quality))
    out.clear();
  return out;
}

std::vector<std::uint8_t> encodePng(const Pixels& pixels) {
  std::vector<std::uint8_t> out;
  if (!stbi_write_png_to_func(append, &out, pixels.width, pixels.height, pixels.channels, pixels.data.data(),
                              pixels.width * pixels.channels))
    out.clear();
  return out;
}

std::vector<std::uint8_t> zlibCompress(const std::vector<std::uint8_t>& bytes) {
  int size = 0;
  std::unique_ptr<unsigned char, decltype(&std::free)> compressed(
      stbi_zlib_compress(const_cast<unsigned char*>(bytes.data()), byteCount(bytes), &size, kCompressionLevel),
      &std::free);
  if (!compressed) return {};
  return std::vector<std::uint8_t>(compressed.get(), compressed.get() + size);
}

}  // namespace fenok::pack
