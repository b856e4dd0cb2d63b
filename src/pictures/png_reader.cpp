#include "pictures/png_reader.h"

#include <new>

#include "pictures/inflate.h"
#include "pictures/png_chunks.h"
#include "pictures/png_format.h"
#include "platform/ports/resources.h"

namespace fenok {
namespace {

enum SourceKind : std::uint32_t { sourceNone = 0, sourceOwned = 1, sourceBorrowed = 2 };

// DEFLATE's best case is a 258-byte match for two bits of input; a stream shorter than this cannot
// fill the image, so there is no point in allocating for it.
constexpr std::uint64_t kMaxInflateRatio = 258 * 4;

struct ErrorName {
  std::uint32_t code;
  const char* name;
};

constexpr ErrorName kErrorNames[] = {
    {errNone, ""},
    {errNoMemory, "errNoMemory"},
    {errBusy, "errBusy"},
    {errNotPng, "errNotPng"},
    {errUnsupported, "errUnsupported"},
    {errBadFormat, "errBadFormat"},
    {errWrongState, "errWrongState"},
    {errBitmap, "errBitmap"},
    {errNoResource, "errNoResource"},
    {errResourceLoad, "errResourceLoad"},
};

bool fail(PngReader& reader, std::uint32_t code) {
  reader.lastError = code;
  return false;
}

bool isEmpty(const PngReader& reader) { return reader.state == stateEmpty && reader.sourceKind == sourceNone; }

// Points the (empty) record at the bytes and walks their chunks.
bool readHeader(PngReader& reader, const std::uint8_t* data, std::uint32_t size) {
  // Start from a clean record: a failed earlier load may have left pointers into other bytes.
  reader = PngReader{};
  reader.data = data;
  reader.dataSize = size;
  reader.sourceKind = sourceBorrowed;
  if (const std::uint32_t error = walkPngChunks(reader)) {
    reader.sourceKind = sourceNone;
    return fail(reader, error);
  }
  reader.state = stateHeaderRead;
  return true;
}

std::uint32_t errorOf(InflateStatus status) {
  return status == InflateStatus::noMemory ? errNoMemory : errNotPng;
}

}  // namespace

const char* pngErrorName(std::uint32_t code) {
  for (const ErrorName& entry : kErrorNames) {
    if (entry.code == code) return entry.name;
  }
  return "errUnknown";
}

bool init(PngReader& reader) {
  reader = PngReader{};
  return true;
}

bool loadFromResource(PngReader& reader, const Resources& resources, int id) {
  if (!isEmpty(reader)) return fail(reader, errBusy);
  reader.lastError = errNone;
  const ByteView bytes = resources.find(ResourceType::numbered(kRtRcdata), id);
  if (bytes.data == nullptr) return fail(reader, errNoResource);
  if (bytes.size == 0 || bytes.size > UINT32_MAX) return fail(reader, errResourceLoad);
  return readHeader(reader, bytes.data, static_cast<std::uint32_t>(bytes.size));
}

bool loadFromMemory(PngReader& reader, const std::uint8_t* data, std::size_t size) {
  if (!isEmpty(reader)) return fail(reader, errBusy);
  reader.lastError = errNone;
  if (data == nullptr || size > UINT32_MAX) return fail(reader, errNotPng);
  return readHeader(reader, data, static_cast<std::uint32_t>(size));
}

bool decode(PngReader& reader) {
  if (reader.state != stateHeaderRead) return fail(reader, errWrongState);
  const std::uint64_t size = pngScanlinesSize(reader);
  if (size > UINT32_MAX) return fail(reader, errNotPng);
  if (size > idatDataSize(reader) * kMaxInflateRatio) return fail(reader, errNotPng);  // also: no IDAT

  reader.lastError = errNotPng;
  auto* scanlines = new (std::nothrow) std::uint8_t[static_cast<std::size_t>(size)];
  if (scanlines == nullptr) return fail(reader, errNoMemory);
  IdatInput input(reader.data, reader.dataSize, reader.firstDataChunk);
  const InflateStatus status = inflateZlib(input, scanlines, static_cast<std::size_t>(size));
  if (status != InflateStatus::ok) {
    delete[] scanlines;
    return fail(reader, errorOf(status));
  }
  reader.scanlines = scanlines;
  reader.scanlinesSize = static_cast<std::uint32_t>(size);
  reader.lastError = errNone;
  reader.state = stateInflated;
  return true;
}

bool release(PngReader& reader) {
  // The PNG bytes are always borrowed here (a resource or the caller's memory): only the inflated
  // data is ours to free.
  if (reader.state == stateInflated) delete[] reader.scanlines;
  reader = PngReader{};
  return true;
}

}  // namespace fenok
