#pragma once
// The program's own PNG decoder: chunk walk, inflate, unfilter, Adam7, and rows in the layout of a
// Windows DIB (top-down, 4-byte stride, BGR(A), colour table for grey and palette images).
#include <cstddef>
#include <cstdint>
#include <vector>

namespace fenok {

class Resources;

enum PngError : std::uint32_t {
  errNone = 0,
  errNoMemory = 0x1001,
  errBusy = 0x1002,
  errNotPng = 0x2000,
  errUnsupported = 0x2001,
  errBadFormat = 0x2002,
  errWrongState = 0x2003,
  errBitmap = 0x2006,
  errNoResource = 0x3001,
  errResourceLoad = 0x3002,
};
const char* pngErrorName(std::uint32_t code);  // "errNotPng", ...; "" for 0

constexpr std::int32_t kNaturalFormat = -1;

// The reader's states (PngReader::state).
enum PngState : std::uint32_t { stateEmpty = 0, stateHeaderRead = 1, stateInflated = 2 };

struct PngReader {
  std::uint32_t width;
  std::uint32_t height;
  std::uint32_t lastError;
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
  std::uint32_t sourceKind;  // 0 none, 1 owned, 2 borrowed resource
  const std::uint8_t* header;
  const std::uint8_t* firstDataChunk;
  std::uint32_t state;       // 0 empty, 1 header read, 2 inflated
};

// BITMAPINFOHEADER + colour table, as bytes laid out exactly as Windows reads them.
struct DibDescription {
  std::vector<std::uint8_t> info;  // 40-byte header followed by the colour table (4 bytes an entry)
  int bitCount = 0;
  std::uint32_t stride = 0;
};

// Every operation but init and release returns false on failure with the reason in lastError.
bool init(PngReader& reader);
// RCDATA id: errNoResource when the port has no bytes for it, errResourceLoad when they are empty.
bool loadFromResource(PngReader& reader, const Resources& resources, int id);
bool loadFromMemory(PngReader& reader, const std::uint8_t* data, std::size_t size);  // borrowed bytes
bool decode(PngReader& reader);
// Builds the description and the rows (stride x height bytes, padding zeroed) in the requested layout.
// Uses std::vector: for tools and the device-bitmap path; the player's DIB section path is below.
bool buildBitmap(PngReader& reader, std::int32_t format, DibDescription& description, std::vector<std::uint8_t>& rows);
// The same, writing the rows into memory the caller provides (a DIB section's pixels): exactly
// description.stride x height bytes, padding zeroed. On image data that cannot be unfiltered the
// whole area is zeroed and errNotPng set; the record stays decoded either way.
bool describeBitmap(PngReader& reader, std::int32_t format, DibDescription& description);
bool writeRows(PngReader& reader, std::int32_t format, std::uint8_t* pixels);
bool release(PngReader& reader);

}  // namespace fenok
