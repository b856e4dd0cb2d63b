#include "png_test_support.h"

#include <png.h>
#include <zlib.h>

#include <cstring>
#include <random>

namespace fenok::pngtest {
namespace {

void appendBigEndian32(Bytes& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

struct WriteBuffer {
  Bytes bytes;
};

void writeToBuffer(png_structp png, png_bytep data, png_size_t length) {
  auto* buffer = static_cast<WriteBuffer*>(png_get_io_ptr(png));
  buffer->bytes.insert(buffer->bytes.end(), data, data + length);
}

void flushNothing(png_structp) {}

struct ReadBuffer {
  const Bytes* bytes;
  std::size_t offset;
};

void readFromBuffer(png_structp png, png_bytep out, png_size_t length) {
  auto* buffer = static_cast<ReadBuffer*>(png_get_io_ptr(png));
  if (buffer->offset + length > buffer->bytes->size()) png_error(png, "read past end");
  std::memcpy(out, buffer->bytes->data() + buffer->offset, length);
  buffer->offset += length;
}

unsigned sampleAt(const RawImage& image, std::uint32_t x, std::uint32_t y, unsigned channel) {
  const std::uint8_t* row = image.pixels.data() + y * image.rowBytes();
  const unsigned depth = image.bitDepth;
  const std::size_t index = std::size_t{x} * image.channels() + channel;
  if (depth == 16) return row[2 * index];  // the high byte
  if (depth == 8) return row[index];
  const std::size_t bit = index * depth;
  return (row[bit / 8] >> (8 - depth - bit % 8)) & ((1u << depth) - 1);
}

int toEightBits(unsigned sample, unsigned depth) { return depth < 8 ? static_cast<int>(sample * 255 / ((1u << depth) - 1)) : static_cast<int>(sample); }

}  // namespace

Bytes zlibCompress(const Bytes& raw, int level) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  Bytes out(size);
  compress2(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()), level);
  out.resize(size);
  return out;
}

PngBuilder::PngBuilder() : bytes_{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A} {}

PngBuilder& PngBuilder::chunk(const std::string& type, const Bytes& data, bool goodCrc) {
  appendBigEndian32(bytes_, static_cast<std::uint32_t>(data.size()));
  const std::size_t typeStart = bytes_.size();
  bytes_.insert(bytes_.end(), type.begin(), type.end());
  bytes_.insert(bytes_.end(), data.begin(), data.end());
  uLong crc = crc32(0, bytes_.data() + typeStart, static_cast<uInt>(bytes_.size() - typeStart));
  appendBigEndian32(bytes_, goodCrc ? static_cast<std::uint32_t>(crc) : static_cast<std::uint32_t>(crc) ^ 0xDEADBEEF);
  return *this;
}

PngBuilder& PngBuilder::header(std::uint32_t width, std::uint32_t height, std::uint8_t bitDepth,
                               std::uint8_t colourType, std::uint8_t interlace, std::uint8_t compression,
                               std::uint8_t filter) {
  Bytes fields;
  appendBigEndian32(fields, width);
  appendBigEndian32(fields, height);
  fields.insert(fields.end(), {bitDepth, colourType, compression, filter, interlace});
  return chunk("IHDR", fields);
}

PngBuilder& PngBuilder::data(const Bytes& compressed, std::size_t pieceSize) {
  if (pieceSize == 0) return chunk("IDAT", compressed);
  for (std::size_t at = 0; at < compressed.size(); at += pieceSize) {
    const std::size_t size = std::min(pieceSize, compressed.size() - at);
    chunk("IDAT", Bytes(compressed.begin() + static_cast<std::ptrdiff_t>(at),
                        compressed.begin() + static_cast<std::ptrdiff_t>(at + size)));
  }
  return *this;
}

unsigned RawImage::channels() const {
  static const unsigned kChannels[7] = {1, 0, 3, 1, 2, 0, 4};
  return colourType < 7 ? kChannels[colourType] : 0;
}

std::size_t RawImage::rowBytes() const { return (std::size_t{width} * channels() * bitDepth + 7) / 8; }

RawImage randomImage(std::uint32_t width, std::uint32_t height, std::uint8_t colourType, std::uint8_t bitDepth,
                     unsigned seed) {
  std::mt19937 random(seed);
  RawImage image;
  image.width = width;
  image.height = height;
  image.colourType = colourType;
  image.bitDepth = bitDepth;
  image.pixels.resize(image.rowBytes() * height);
  // Smooth runs mixed with noise, so that every filter type has something to win on.
  std::uint8_t value = 0;
  for (auto& byte : image.pixels) {
    value = static_cast<std::uint8_t>(random() % 4 == 0 ? random() : value + random() % 3);
    byte = value;
  }
  if (colourType == 3) {
    image.palette.resize(3u << bitDepth);
    for (auto& byte : image.palette) byte = static_cast<std::uint8_t>(random());
  }
  return image;
}

Bytes encodeWithLibpng(const RawImage& image, bool interlaced, int compressionLevel) {
  WriteBuffer buffer;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return {};
  }
  png_set_write_fn(png, &buffer, writeToBuffer, flushNothing);
  png_set_IHDR(png, info, image.width, image.height, image.bitDepth, image.colourType,
               interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (image.colourType == 3) {
    std::vector<png_color> colours(image.palette.size() / 3);
    for (std::size_t i = 0; i < colours.size(); ++i) {
      colours[i] = {image.palette[3 * i], image.palette[3 * i + 1], image.palette[3 * i + 2]};
    }
    png_set_PLTE(png, info, colours.data(), static_cast<int>(colours.size()));
  }
  png_set_filter(png, 0, PNG_ALL_FILTERS);
  png_set_compression_level(png, compressionLevel);
  png_write_info(png, info);
  std::vector<png_bytep> rows(image.height);
  for (std::uint32_t y = 0; y < image.height; ++y) {
    rows[y] = const_cast<png_bytep>(image.pixels.data() + y * image.rowBytes());
  }
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return buffer.bytes;
}

bool decodeWithLibpng(const Bytes& bytes, RawImage& image) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  ReadBuffer buffer{&bytes, 0};
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  png_set_read_fn(png, &buffer, readFromBuffer);
  png_read_info(png, info);
  image.width = png_get_image_width(png, info);
  image.height = png_get_image_height(png, info);
  image.bitDepth = png_get_bit_depth(png, info);
  image.colourType = png_get_color_type(png, info);
  if (image.colourType == 3) {
    png_colorp colours = nullptr;
    int count = 0;
    png_get_PLTE(png, info, &colours, &count);
    image.palette.clear();
    for (int i = 0; i < count; ++i) image.palette.insert(image.palette.end(), {colours[i].red, colours[i].green, colours[i].blue});
  }
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  image.pixels.assign(image.rowBytes() * image.height, 0);
  std::vector<png_bytep> rows(image.height);
  for (std::uint32_t y = 0; y < image.height; ++y) rows[y] = image.pixels.data() + y * image.rowBytes();
  png_read_image(png, rows.data());
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

Colour expectedColour(const RawImage& image, std::uint32_t x, std::uint32_t y, bool keepAlpha) {
  Colour colour;
  switch (image.colourType) {
    case 0:
    case 4: {
      const int grey = toEightBits(sampleAt(image, x, y, 0), image.bitDepth);
      colour.red = colour.green = colour.blue = grey;
      break;
    }
    case 3: {
      const unsigned index = sampleAt(image, x, y, 0);
      if (3 * index + 2 < image.palette.size()) {
        colour.red = image.palette[3 * index];
        colour.green = image.palette[3 * index + 1];
        colour.blue = image.palette[3 * index + 2];
      }
      break;
    }
    default:
      colour.red = static_cast<int>(sampleAt(image, x, y, 0));
      colour.green = static_cast<int>(sampleAt(image, x, y, 1));
      colour.blue = static_cast<int>(sampleAt(image, x, y, 2));
  }
  if (keepAlpha) colour.alpha = static_cast<int>(sampleAt(image, x, y, image.channels() - 1));
  return colour;
}

std::int32_t infoField32(const DibDescription& description, std::size_t offset) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | description.info.at(offset + static_cast<std::size_t>(i));
  return static_cast<std::int32_t>(value);
}

int infoField16(const DibDescription& description, std::size_t offset) {
  return description.info.at(offset) | description.info.at(offset + 1) << 8;
}

Colour bitmapColour(const DibDescription& description, const Bytes& rows, std::uint32_t x, std::uint32_t y) {
  const std::uint8_t* row = rows.data() + std::size_t{y} * description.stride;
  const int bits = description.bitCount;
  Colour colour;
  if (bits >= 24) {
    const std::uint8_t* pixel = row + std::size_t{x} * (bits / 8);
    colour.blue = pixel[0];
    colour.green = pixel[1];
    colour.red = pixel[2];
    if (bits == 32) colour.alpha = pixel[3];
    return colour;
  }
  const std::size_t bit = std::size_t{x} * static_cast<unsigned>(bits);
  const unsigned index = (row[bit / 8] >> (8 - bits - bit % 8)) & ((1u << bits) - 1);
  const std::size_t entry = 40 + 4 * std::size_t{index};
  if (entry + 4 > description.info.size()) return Colour{-1, -1, -1, -1};
  colour.blue = description.info[entry];
  colour.green = description.info[entry + 1];
  colour.red = description.info[entry + 2];
  return colour;
}

OurDecoding decodeWithOurs(const Bytes& png, std::int32_t format) {
  OurDecoding result;
  PngReader reader;
  initPngReader(reader);
  result.ok = loadPngFromMemory(reader, png.data(), png.size()) && decodePng(reader) &&
              buildPngBitmap(reader, format, result.description, result.rows);
  result.error = reader.lastError;
  releasePngReader(reader);
  return result;
}

}  // namespace fenok::pngtest
