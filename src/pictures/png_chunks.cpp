#include "pictures/png_chunks.h"

#include "pictures/png_format.h"
#include "pictures/png_reader.h"

namespace fenok {
namespace {

// Format notes:
// - A chunk is length (4, big-endian), type (4), data (length), CRC (4). CRCs are never compared.
// - A chunk is looked at only when it lies wholly within the data; the walk stops quietly at the
//   first one that does not, so a file cut inside a trailing chunk still reads.
// - The kind of the four chunks we know ignores the case of the first letter; any other type is
//   ancillary when its first letter is lower case (bit 5 set) and critical otherwise.

constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
constexpr std::uint32_t kChunkOverhead = 12;
constexpr std::uint32_t kIhdrSize = 13;
constexpr std::uint32_t kMaxDimension = 0x7FFFFFFF;  // bitmaps keep sizes in signed 32 bits
constexpr std::uint32_t kMaxPaletteEntries = 256;

std::uint32_t readBigEndian32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

enum class ChunkKind { header, palette, data, end, ancillary, unknownCritical };

struct ChunkName {
  const char* lowerFirst;  // the type with its first letter in lower case
  ChunkKind kind;
};

constexpr ChunkName kKnownChunks[] = {
    {"iHDR", ChunkKind::header}, {"pLTE", ChunkKind::palette},
    {"iDAT", ChunkKind::data},   {"iEND", ChunkKind::end},
};

ChunkKind kindOf(const std::uint8_t* type) {
  for (const ChunkName& name : kKnownChunks) {
    const auto* expected = reinterpret_cast<const std::uint8_t*>(name.lowerFirst);
    if ((type[0] | 0x20) == expected[0] && type[1] == expected[1] && type[2] == expected[2] &&
        type[3] == expected[3]) {
      return name.kind;
    }
  }
  return (type[0] & 0x20) ? ChunkKind::ancillary : ChunkKind::unknownCritical;
}

// A chunk that lies wholly within [chunk, end); its data length through `length`.
bool chunkFits(const std::uint8_t* chunk, const std::uint8_t* end, std::uint32_t& length) {
  const std::size_t left = static_cast<std::size_t>(end - chunk);
  if (left < kChunkOverhead) return false;
  length = readBigEndian32(chunk);
  return std::uint64_t{length} + kChunkOverhead <= left;
}

bool isDataContinuation(const std::uint8_t* type) {
  return type[0] == 'I' && type[1] == 'D' && type[2] == 'A' && (type[3] | 0x20) == 't';
}

bool hasSignature(const std::uint8_t* data) {
  for (std::size_t i = 0; i < sizeof kSignature; ++i) {
    if (data[i] != kSignature[i]) return false;
  }
  return true;
}

PngError readHeader(PngReader& reader) {
  const std::uint8_t* fields = reader.data + 16;
  reader.header = fields;
  reader.width = readBigEndian32(fields);
  reader.height = readBigEndian32(fields + 4);
  if (reader.width == 0 || reader.height == 0) return PngError::notPng;
  if (reader.width > kMaxDimension || reader.height > kMaxDimension) return PngError::notPng;
  reader.bitDepth = fields[8];
  reader.colourType = fields[9];
  reader.interlaceMethod = fields[12];
  return PngError::none;
}

PngError checkHeaderFields(const PngReader& reader) {
  const std::uint8_t compressionMethod = reader.header[10];
  const std::uint8_t filterMethod = reader.header[11];
  if (pngBitsPerPixel(reader.colourType, reader.bitDepth) == 0) return PngError::unsupported;
  if (compressionMethod != 0 || filterMethod != 0 || reader.interlaceMethod > 1) return PngError::unsupported;
  return PngError::none;
}

// A palette image needs its palette, and a colour table holds at most 256 entries.
PngError checkPalette(const PngReader& reader) {
  if (reader.colourType == 3 && reader.palette == nullptr) return PngError::unsupported;
  if (reader.paletteSize > kMaxPaletteEntries) return PngError::unsupported;
  return PngError::none;
}

PngError walkFollowingChunks(PngReader& reader, const std::uint8_t* end) {
  std::uint32_t length = 0;
  while (chunkFits(reader.chunkCursor, end, length)) {
    const std::uint8_t* chunk = reader.chunkCursor;
    switch (kindOf(chunk + 4)) {
      case ChunkKind::unknownCritical:
        return PngError::unsupported;
      case ChunkKind::palette:
        if (reader.palette == nullptr) {
          reader.palette = chunk + 8;
          reader.paletteSize = length / 3;
        }
        break;
      case ChunkKind::data:
        if (reader.firstDataChunk == nullptr) reader.firstDataChunk = chunk;
        break;
      case ChunkKind::header:
      case ChunkKind::end:
      case ChunkKind::ancillary:
        break;
    }
    reader.chunkCursor = chunk + length + kChunkOverhead;
  }
  return PngError::none;
}

}  // namespace

PngError walkPngChunks(PngReader& reader) {
  if (reader.dataSize < 16 || !hasSignature(reader.data)) return PngError::notPng;
  const std::uint8_t* end = reader.data + reader.dataSize;
  reader.chunkCursor = reader.data + 8;
  std::uint32_t length = 0;
  // The header fields are read at their fixed place, so the chunk must really hold them.
  if (!chunkFits(reader.chunkCursor, end, length) || kindOf(reader.chunkCursor + 4) != ChunkKind::header ||
      length < kIhdrSize) {
    return PngError::notPng;
  }
  if (const PngError error = readHeader(reader); error != PngError::none) return error;
  if (const PngError error = walkFollowingChunks(reader, end); error != PngError::none) return error;
  if (const PngError error = checkHeaderFields(reader); error != PngError::none) return error;
  return checkPalette(reader);
}

IdatInput::IdatInput(const std::uint8_t* png, std::uint32_t pngSize, const std::uint8_t* firstDataChunk)
    : end_(png + pngSize), chunk_(firstDataChunk) {}

bool IdatInput::next(const std::uint8_t*& bytes, std::size_t& size) {
  std::uint32_t length = 0;
  while (chunk_ != nullptr && chunkFits(chunk_, end_, length) && (first_ || isDataContinuation(chunk_ + 4))) {
    first_ = false;
    bytes = chunk_ + 8;
    size = length;
    chunk_ += length + kChunkOverhead;
    if (size != 0) return true;
  }
  chunk_ = nullptr;
  return false;
}

std::uint64_t idatDataSize(const PngReader& reader) {
  if (reader.firstDataChunk == nullptr) return 0;
  IdatInput input(reader.data, reader.dataSize, reader.firstDataChunk);
  std::uint64_t total = 0;
  const std::uint8_t* bytes = nullptr;
  std::size_t size = 0;
  while (input.next(bytes, size)) total += size;
  return total;
}

}  // namespace fenok
