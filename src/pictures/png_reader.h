#pragma once
// The program's own PNG decoder: chunk walk, inflate, unfilter, Adam7, and rows in the layout of a
// Windows DIB (top-down, 4-byte stride, BGR(A), colour table for grey and palette images).
#include <cstddef>
#include <cstdint>
#include <vector>

namespace fenok {

class Resources;

// The reader's error codes (PngReader::lastError). The numbers are shown to the user in messages:
// they never change. The high digit groups them: 1 usage and memory, 2 image data, 3 resource.
enum class PngError : std::uint32_t {
  none = 0,
  noMemory = 0x1001,
  busy = 0x1002,
  notPng = 0x2000,
  unsupported = 0x2001,
  badFormat = 0x2002,
  wrongState = 0x2003,
  bitmap = 0x2006,
  noResource = 0x3001,
  resourceLoad = 0x3002,
};
// "errNotPng", ...; "" for none, "errUnknown" for a number that is not a code.
const char* pngErrorName(PngError error);
inline std::uint32_t pngErrorNumber(PngError error) { return static_cast<std::uint32_t>(error); }

constexpr std::int32_t kNaturalFormat = -1;

// Where the record stands (PngReader::state).
enum class PngState : std::uint32_t { empty = 0, headerRead = 1, inflated = 2 };

// Whose PNG bytes the record points at (PngReader::sourceKind).
enum class PngSource : std::uint32_t { none = 0, owned = 1, borrowed = 2 };

struct PngReader {
  std::uint32_t width;
  std::uint32_t height;
  PngError lastError;
  std::uint32_t paletteSize;
  std::uint8_t colourType;
  std::uint8_t bitDepth;
  std::uint8_t interlaceMethod;
  const std::uint8_t* data;
  std::uint32_t dataSize;
  const std::uint8_t* chunkCursor;
  std::uint8_t* scanlines;
  std::uint32_t scanlinesSize;
  const std::uint8_t* palette;
  PngSource sourceKind;
  const std::uint8_t* header;
  const std::uint8_t* firstDataChunk;
  PngState state;
};

// BITMAPINFOHEADER + colour table, as bytes laid out exactly as Windows reads them.
struct DibDescription {
  std::vector<std::uint8_t> info;  // 40-byte header followed by the colour table (4 bytes an entry)
  int bitCount = 0;
  std::uint32_t stride = 0;
};

// Every operation but initPngReader and releasePngReader returns false on failure with the reason
// in lastError.
bool initPngReader(PngReader& reader);
// RCDATA id: PngError::noResource when the port has no bytes for it, resourceLoad when they are empty.
bool loadPngFromResource(PngReader& reader, const Resources& resources, int id);
bool loadPngFromMemory(PngReader& reader, const std::uint8_t* data, std::size_t size);  // borrowed bytes
bool decodePng(PngReader& reader);
// Builds the description and the rows (stride x height bytes, padding zeroed) in the requested layout.
// Uses std::vector: for tools and the device-bitmap path; the player's DIB section path is below.
bool buildPngBitmap(PngReader& reader, std::int32_t format, DibDescription& description,
                    std::vector<std::uint8_t>& rows);
// The same, writing the rows into memory the caller provides (a DIB section's pixels): exactly
// description.stride x height bytes, padding zeroed. On image data that cannot be unfiltered the
// whole area is zeroed and PngError::notPng set; the record stays decoded either way.
bool describePngBitmap(PngReader& reader, std::int32_t format, DibDescription& description);
bool writePngRows(PngReader& reader, std::int32_t format, std::uint8_t* pixels);
bool releasePngReader(PngReader& reader);

}  // namespace fenok
