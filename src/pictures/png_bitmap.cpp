#include "pictures/png_reader.h"

#include <cstring>
#include <new>

#include "pictures/png_format.h"
#include "pictures/png_rows.h"
#include "pictures/png_unfilter.h"

namespace fenok {
namespace {

// Format notes:
// - Bitmap rows are top-down (negative biHeight) and start on multiples of 4 bytes; the padding
//   after each row is zeroed so no byte of the bitmap is left undefined.
// - Sixteen-bit samples keep their high byte; alpha, where kept, is copied as it is.
// - An Adam7 image is rebuilt pass by pass: each pass row is unfiltered and converted into a scratch
//   row, whose pixels are then put at the pass's columns. Below 8 bits per pixel several pixels share
//   a byte, so the output is cleared first and pixels are OR-ed in.

constexpr std::uint32_t kInfoHeaderSize = 40;

void putLittleEndian32(std::uint8_t* p, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void putLittleEndian16(std::uint8_t* p, std::uint16_t value) {
  p[0] = static_cast<std::uint8_t>(value);
  p[1] = static_cast<std::uint8_t>(value >> 8);
}

bool fail(PngReader& reader, PngError error) {
  reader.lastError = error;
  return false;
}

// The layout and stride of a bitmap of this image, or the error that forbids it.
PngError chooseLayout(const PngReader& reader, std::int32_t format, const PngLayout*& layout,
                           std::uint32_t& stride) {
  if (reader.state != PngState::inflated) return PngError::wrongState;
  layout = findPngLayout(reader.colourType, reader.bitDepth, format);
  if (layout == nullptr) return PngError::badFormat;
  const std::uint64_t wideStride = dibStride(reader.width, layout->outputBits);
  if (wideStride * reader.height > UINT32_MAX) return PngError::notPng;  // beyond what a bitmap can address
  stride = static_cast<std::uint32_t>(wideStride);
  return PngError::none;
}

unsigned tableEntries(const PngReader& reader, const PngLayout& layout) {
  if (layout.table == ColourTable::none) return 0;
  if (layout.table == ColourTable::palette) return 1u << layout.outputBits;
  return 1u << (reader.bitDepth < 8 ? reader.bitDepth : 8);  // grey ramp follows the PNG's levels
}

void fillColourTable(const PngReader& reader, const PngLayout& layout, std::uint8_t* table, unsigned entries) {
  std::memset(table, 0, entries * 4);  // palette entries the PLTE does not give stay black
  if (layout.table == ColourTable::greyRamp) {
    for (unsigned i = 0; i < entries; ++i) {
      const auto level = static_cast<std::uint8_t>(i * 255 / (entries - 1));
      table[4 * i] = table[4 * i + 1] = table[4 * i + 2] = level;
    }
    return;
  }
  const unsigned given = reader.paletteSize < entries ? reader.paletteSize : entries;
  for (unsigned i = 0; i < given; ++i) {
    table[4 * i] = reader.palette[3 * i + 2];
    table[4 * i + 1] = reader.palette[3 * i + 1];
    table[4 * i + 2] = reader.palette[3 * i];
  }
}

// Unfilters rows of one image or pass, alternating between two row buffers; a None row is used
// where it lies in the scanlines.
class RowUnfilterer {
 public:
  RowUnfilterer(std::uint8_t* first, std::uint8_t* second, std::size_t rowBytes, unsigned pixelBytes)
      : buffers_{first, second}, rowBytes_(rowBytes), pixelBytes_(pixelBytes) {}

  void startPass(std::size_t rowBytes) {
    rowBytes_ = rowBytes;
    std::memset(buffers_[1], 0, rowBytes);
    previous_ = buffers_[1];
  }

  // The unfiltered row whose filter byte is at `filtered`; null for an unknown filter type.
  const std::uint8_t* next(const std::uint8_t* filtered) {
    const std::uint8_t filterType = filtered[0];
    const std::uint8_t* row = filtered + 1;
    if (filterType != 0) {
      std::uint8_t* target = previous_ == buffers_[0] ? buffers_[1] : buffers_[0];
      if (!unfilterRow(filterType, filtered + 1, previous_, target, rowBytes_, pixelBytes_)) return nullptr;
      row = target;
    }
    previous_ = row;
    return row;
  }

 private:
  std::uint8_t* buffers_[2];
  std::size_t rowBytes_;
  unsigned pixelBytes_;
  const std::uint8_t* previous_ = nullptr;
};

struct RowJob {
  const PngReader& reader;
  const PngLayout& layout;
  std::uint32_t stride;
  std::uint8_t* pixels;
  unsigned sourceBits;
  RowConverter convert;
};

void zeroPadding(const RowJob& job) {
  const std::size_t rowBytes = (std::uint64_t{job.reader.width} * job.layout.outputBits + 7) / 8;
  if (rowBytes == job.stride) return;
  for (std::uint32_t y = 0; y < job.reader.height; ++y) {
    std::memset(job.pixels + std::size_t{y} * job.stride + rowBytes, 0, job.stride - rowBytes);
  }
}

bool writePlainRows(const RowJob& job, RowUnfilterer& unfilterer) {
  const std::size_t filteredSize = pngFilteredRowSize(job.reader.width, job.sourceBits);
  unfilterer.startPass(filteredSize - 1);
  const std::uint8_t* filtered = job.reader.scanlines;
  for (std::uint32_t y = 0; y < job.reader.height; ++y, filtered += filteredSize) {
    const std::uint8_t* row = unfilterer.next(filtered);
    if (row == nullptr) return false;
    job.convert(row, job.pixels + std::size_t{y} * job.stride, job.reader.width, job.sourceBits);
  }
  return true;
}

// Puts the converted pixels of one pass row at their columns of output row `out`.
void placePassRow(const RowJob& job, const Adam7Pass& pass, std::uint32_t columns, const std::uint8_t* converted,
                  std::uint8_t* out) {
  const unsigned bits = job.layout.outputBits;
  if (bits >= 8) {
    const unsigned bytes = bits / 8;
    for (std::uint32_t i = 0; i < columns; ++i) {
      std::memcpy(out + (std::size_t{pass.x0} + std::size_t{i} * pass.dx) * bytes, converted + std::size_t{i} * bytes,
                  bytes);
    }
    return;
  }
  const unsigned perByte = 8 / bits;
  const unsigned mask = (1u << bits) - 1;
  for (std::uint32_t i = 0; i < columns; ++i) {
    const unsigned value = (converted[i / perByte] >> (8 - bits * (i % perByte + 1))) & mask;
    const std::size_t x = std::size_t{pass.x0} + std::size_t{i} * pass.dx;
    out[x / perByte] |= static_cast<std::uint8_t>(value << (8 - bits * (x % perByte + 1)));
  }
}

bool writeInterlacedRows(const RowJob& job, RowUnfilterer& unfilterer, std::uint8_t* scratch) {
  if (job.layout.outputBits < 8) std::memset(job.pixels, 0, std::size_t{job.stride} * job.reader.height);
  const std::uint8_t* filtered = job.reader.scanlines;
  for (const Adam7Pass& pass : kAdam7Passes) {
    const std::uint32_t columns = adam7Count(job.reader.width, pass.x0, pass.dx);
    const std::uint32_t rows = adam7Count(job.reader.height, pass.y0, pass.dy);
    if (columns == 0 || rows == 0) continue;
    const std::size_t filteredSize = pngFilteredRowSize(columns, job.sourceBits);
    unfilterer.startPass(filteredSize - 1);
    for (std::uint32_t r = 0; r < rows; ++r, filtered += filteredSize) {
      const std::uint8_t* row = unfilterer.next(filtered);
      if (row == nullptr) return false;
      job.convert(row, scratch, columns, job.sourceBits);
      const std::size_t y = std::size_t{pass.y0} + std::size_t{r} * pass.dy;
      placePassRow(job, pass, columns, scratch, job.pixels + y * job.stride);
    }
  }
  return true;
}

// Two row buffers (and a scratch row for Adam7), then every row; PngError::none or what failed.
PngError writeAllRows(const RowJob& job) {
  const std::uint64_t rowBytes = pngFilteredRowSize(job.reader.width, job.sourceBits) - 1;
  const bool interlaced = job.reader.interlaceMethod != 0;
  const std::uint64_t total = 2 * rowBytes + (interlaced ? job.stride : 0);
  if (total > SIZE_MAX) return PngError::noMemory;
  auto* buffers = new (std::nothrow) std::uint8_t[static_cast<std::size_t>(total)];
  if (buffers == nullptr) return PngError::noMemory;
  const auto rowSize = static_cast<std::size_t>(rowBytes);
  RowUnfilterer unfilterer(buffers, buffers + rowSize, rowSize, job.sourceBits >= 8 ? job.sourceBits / 8 : 1);
  const bool written = interlaced ? writeInterlacedRows(job, unfilterer, buffers + 2 * rowSize)
                                  : writePlainRows(job, unfilterer);
  delete[] buffers;
  return written ? PngError::none : PngError::notPng;  // a filter type above 4
}

}  // namespace

bool describePngBitmap(PngReader& reader, std::int32_t format, DibDescription& description) {
  const PngLayout* layout = nullptr;
  std::uint32_t stride = 0;
  const PngError error = chooseLayout(reader, format, layout, stride);
  if (error != PngError::none) return fail(reader, error);

  const unsigned entries = tableEntries(reader, *layout);
  description.info.assign(kInfoHeaderSize + 4 * entries, 0);
  std::uint8_t* info = description.info.data();
  putLittleEndian32(info, kInfoHeaderSize);
  putLittleEndian32(info + 4, reader.width);
  putLittleEndian32(info + 8, static_cast<std::uint32_t>(-static_cast<std::int64_t>(reader.height)));
  putLittleEndian16(info + 12, 1);                  // planes
  putLittleEndian16(info + 14, layout->outputBits);  // bit count; compression BI_RGB and sizes stay 0
  putLittleEndian32(info + 32, layout->table == ColourTable::greyRamp ? entries : 0);  // colours used
  fillColourTable(reader, *layout, info + kInfoHeaderSize, entries);
  description.bitCount = layout->outputBits;
  description.stride = stride;
  return true;
}

bool writePngRows(PngReader& reader, std::int32_t format, std::uint8_t* pixels) {
  const PngLayout* layout = nullptr;
  std::uint32_t stride = 0;
  const PngError error = chooseLayout(reader, format, layout, stride);
  if (error != PngError::none) return fail(reader, error);
  const RowJob job{reader, *layout, stride, pixels, pngBitsPerPixel(reader.colourType, reader.bitDepth),
                   rowConverter(layout->routine)};
  if (job.convert == nullptr) return fail(reader, PngError::badFormat);
  if (const PngError rowsError = writeAllRows(job); rowsError != PngError::none) {
    std::memset(pixels, 0, std::size_t{stride} * reader.height);  // nothing half-built is left behind
    return fail(reader, rowsError);
  }
  zeroPadding(job);
  return true;
}

bool buildPngBitmap(PngReader& reader, std::int32_t format, DibDescription& description,
                    std::vector<std::uint8_t>& rows) {
  if (!describePngBitmap(reader, format, description)) return false;
  rows.assign(std::size_t{description.stride} * reader.height, 0);
  return writePngRows(reader, format, rows.data());
}

}  // namespace fenok
