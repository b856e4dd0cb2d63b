#pragma once
// The decoders bench_png times, each behind the same run(image, memory) call. Ours makes the bitmap
// the player shows; the references make either their natural output or, in their "equal" form, the
// same work as ours: checksums not checked, BGR order, 16-bit samples cut to 8, grey alpha dropped,
// rows padded to 4 bytes.
#include <sys/mman.h>

#include <csetjmp>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include <png.h>
#include <spng.h>
#include <stb_image.h>

#include "pictures/png_reader.h"

namespace pngbench {

struct Image {
  std::string path;
  std::vector<std::uint8_t> bytes;
  std::uint32_t width = 0, height = 0;
  unsigned colourType = 0, channels = 0, bitDepth = 0;
  bool interlaced = false;
  std::size_t rawSize() const { return std::size_t{width} * height * channels * (bitDepth == 16 ? 2 : 1); }
  // Bytes of one bitmap pixel as ours makes it (8-bit grey, palette indices, BGR or BGRA); 0 below 8 bits.
  unsigned bitmapPixelBytes() const {
    if (bitDepth < 8 && (colourType == 0 || colourType == 3)) return 0;
    return colourType == 2 ? 3 : colourType == 6 ? 4 : 1;
  }
  std::size_t bitmapStride() const { return (std::size_t{width} * bitmapPixelBytes() + 3) & ~std::size_t{3}; }
};

// Where a decoder's output goes. Warm: one buffer kept from decode to decode, as a benchmark loop
// gives it. Fresh: new pages from the system for every decode, never touched before, as the
// player's DIB section is for each picture it shows.
class OutputMemory {
 public:
  explicit OutputMemory(bool fresh) : fresh_(fresh) {}
  OutputMemory(const OutputMemory&) = delete;
  OutputMemory& operator=(const OutputMemory&) = delete;
  ~OutputMemory() { give(); }

  std::uint8_t* take(std::size_t size) {
    if (!fresh_) {
      if (warm_.size() < size) warm_.resize(size);
      return warm_.data();
    }
    give();
    void* pages = mmap(nullptr, size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (pages == MAP_FAILED) return nullptr;
    pages_ = static_cast<std::uint8_t*>(pages);
    pagesSize_ = size;
    return pages_;
  }
  // The end of one decode: fresh pages go back to the system, as the bitmap is deleted.
  void give() {
    if (pages_ != nullptr) munmap(pages_, pagesSize_);
    pages_ = nullptr;
  }

 private:
  bool fresh_;
  std::vector<std::uint8_t> warm_;
  std::uint8_t* pages_ = nullptr;
  std::size_t pagesSize_ = 0;
};

// ---- ours: the player's road (describe, then the rows straight into the bitmap's memory)
inline bool runOurs(const Image& image, OutputMemory& memory) {
  fenok::PngReader reader;
  fenok::initPngReader(reader);
  fenok::DibDescription description;
  bool ok = fenok::loadPngFromMemory(reader, image.bytes.data(), image.bytes.size()) && fenok::decodePng(reader) &&
            fenok::describePngBitmap(reader, fenok::kNaturalFormat, description);
  std::uint8_t* pixels = ok ? memory.take(std::size_t{description.stride} * image.height) : nullptr;
  ok = pixels != nullptr && fenok::writePngRows(reader, fenok::kNaturalFormat, pixels);
  fenok::releasePngReader(reader);
  memory.give();
  return ok;
}

// ---- libpng, classic API from memory
struct MemoryStream {
  const std::uint8_t* data;
  std::size_t size, offset;
};

inline void readFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* stream = static_cast<MemoryStream*>(png_get_io_ptr(png));
  if (stream->offset + length > stream->size) png_error(png, "read past end");
  std::memcpy(out, stream->data + stream->offset, length);
  stream->offset += length;
}

// The transformations that make libpng's rows ours.
inline void askForOurLayout(png_structp png, png_infop info) {
  png_set_crc_action(png, PNG_CRC_QUIET_USE, PNG_CRC_QUIET_USE);
  png_set_option(png, PNG_IGNORE_ADLER32, PNG_OPTION_ON);
  const png_byte colourType = png_get_color_type(png, info);
  if (colourType & PNG_COLOR_MASK_COLOR) png_set_bgr(png);
  if (png_get_bit_depth(png, info) == 16) png_set_strip_16(png);
  if (colourType == PNG_COLOR_TYPE_GRAY_ALPHA) png_set_strip_alpha(png);
}

// natural: libpng's default rows, packed; equal: our layout at our stride.
inline bool runLibpng(const Image& image, OutputMemory& memory, bool equal) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  MemoryStream stream{image.bytes.data(), image.bytes.size(), 0};
  std::vector<png_bytep> rows(image.height);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    memory.give();
    return false;
  }
  png_set_read_fn(png, &stream, readFromMemory);
  png_read_info(png, info);
  if (equal) askForOurLayout(png, info);
  if (png_get_interlace_type(png, info) != PNG_INTERLACE_NONE) png_set_interlace_handling(png);
  png_read_update_info(png, info);
  const std::size_t rowBytes = png_get_rowbytes(png, info);
  const std::size_t stride = equal ? (rowBytes + 3) & ~std::size_t{3} : rowBytes;
  std::uint8_t* pixels = memory.take(stride * image.height);
  if (pixels == nullptr) png_error(png, "no memory");
  for (std::uint32_t y = 0; y < image.height; ++y) rows[y] = pixels + y * stride;
  png_read_image(png, rows.data());
  png_read_end(png, nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  memory.give();
  return true;
}

// ---- libspng
inline bool runSpngNatural(const Image& image, OutputMemory& memory) {
  spng_ctx* context = spng_ctx_new(0);
  bool ok = spng_set_png_buffer(context, image.bytes.data(), image.bytes.size()) == 0;
  std::size_t size = 0;
  ok = ok && spng_decoded_image_size(context, SPNG_FMT_PNG, &size) == 0;
  std::uint8_t* pixels = ok ? memory.take(size) : nullptr;
  ok = pixels != nullptr && spng_decode_image(context, pixels, size, SPNG_FMT_PNG, 0) == 0;
  spng_ctx_free(context);
  memory.give();
  return ok;
}

// One row in the PNG's own layout into one row of ours: spng has no BGR output, so the swap (and the
// cut of 16-bit samples) is done here on the row it just made, still in cache.
inline void toOurRow(const Image& image, const std::uint8_t* in, std::uint8_t* out) {
  const unsigned sampleBytes = image.bitDepth == 16 ? 2 : 1;
  const unsigned inPixel = image.channels * sampleBytes;
  const unsigned outPixel = image.bitmapPixelBytes();
  static const unsigned kOrder[4] = {2, 1, 0, 3};
  for (std::uint32_t x = 0; x < image.width; ++x, in += inPixel, out += outPixel) {
    if (outPixel == 1) {
      out[0] = in[0];
    } else {
      for (unsigned c = 0; c < outPixel; ++c) out[c] = in[kOrder[c] * sampleBytes];
    }
  }
}

// Rows decoded one at a time and converted while in cache; an Adam7 image is decoded whole first
// (spng puts pass rows at their columns of a whole-width row) and then converted.
inline bool runSpngEqual(const Image& image, OutputMemory& memory) {
  spng_ctx* context = spng_ctx_new(SPNG_CTX_IGNORE_ADLER32);
  spng_set_crc_action(context, SPNG_CRC_USE, SPNG_CRC_USE);
  bool ok = spng_set_png_buffer(context, image.bytes.data(), image.bytes.size()) == 0;
  std::size_t size = 0;
  ok = ok && image.bitmapPixelBytes() != 0 && spng_decoded_image_size(context, SPNG_FMT_PNG, &size) == 0;
  const std::size_t stride = image.bitmapStride();
  const std::size_t rowBytes = size / image.height;
  std::uint8_t* pixels = ok ? memory.take(stride * image.height) : nullptr;
  ok = pixels != nullptr;
  if (ok && image.interlaced) {
    std::vector<std::uint8_t> whole(size);
    ok = spng_decode_image(context, whole.data(), size, SPNG_FMT_PNG, 0) == 0;
    for (std::uint32_t y = 0; ok && y < image.height; ++y) toOurRow(image, &whole[y * rowBytes], pixels + y * stride);
  } else if (ok) {
    ok = spng_decode_image(context, nullptr, 0, SPNG_FMT_PNG, SPNG_DECODE_PROGRESSIVE) == 0;
    std::vector<std::uint8_t> row(rowBytes);
    for (std::uint32_t y = 0; ok && y < image.height; ++y) {
      const int status = spng_decode_row(context, row.data(), row.size());
      ok = status == 0 || (status == SPNG_EOI && y + 1 == image.height);
      if (ok) toOurRow(image, row.data(), pixels + y * stride);
    }
  }
  spng_ctx_free(context);
  memory.give();
  return ok;
}

// ---- stb_image: allocates its own output every time (16-bit samples come back as 8 bits)
inline bool runStb(const Image& image) {
  int width = 0, height = 0, channels = 0;
  stbi_uc* pixels =
      stbi_load_from_memory(image.bytes.data(), static_cast<int>(image.bytes.size()), &width, &height, &channels, 0);
  if (pixels == nullptr) return false;
  stbi_image_free(pixels);
  return true;
}

}  // namespace pngbench
