#include "pictures/png_reader.h"

#include <new>

#include "pictures/inflate.h"
#include "pictures/png_chunks.h"
#include "pictures/png_format.h"
#include "platform/ports/resources.h"

namespace fenok {
namespace {

// DEFLATE's best case is a 258-byte match for two bits of input; a stream shorter than this cannot
// fill the image, so there is no point in allocating for it.
constexpr std::uint64_t kMaxInflateRatio = 258 * 4;

struct ErrorName {
  PngError error;
  const char* name;
};

constexpr ErrorName kErrorNames[] = {
    {PngError::none, ""},
    {PngError::noMemory, "errNoMemory"},
    {PngError::busy, "errBusy"},
    {PngError::notPng, "errNotPng"},
    {PngError::unsupported, "errUnsupported"},
    {PngError::badFormat, "errBadFormat"},
    {PngError::wrongState, "errWrongState"},
    {PngError::bitmap, "errBitmap"},
    {PngError::noResource, "errNoResource"},
    {PngError::resourceLoad, "errResourceLoad"},
};

bool fail(PngReader& reader, PngError error) {
  reader.lastError = error;
  return false;
}

bool isEmpty(const PngReader& reader) {
  return reader.state == PngState::empty && reader.sourceKind == PngSource::none;
}

// Points the (empty) record at the bytes and walks their chunks.
bool readHeader(PngReader& reader, const std::uint8_t* data, std::uint32_t size) {
  // Start from a clean record: a failed earlier load may have left pointers into other bytes.
  reader = PngReader{};
  reader.data = data;
  reader.dataSize = size;
  reader.sourceKind = PngSource::borrowed;
  if (const PngError error = walkPngChunks(reader); error != PngError::none) {
    reader.sourceKind = PngSource::none;
    return fail(reader, error);
  }
  reader.state = PngState::headerRead;
  return true;
}

PngError errorOf(InflateStatus status) {
  return status == InflateStatus::noMemory ? PngError::noMemory : PngError::notPng;
}

}  // namespace

const char* pngErrorName(PngError error) {
  for (const ErrorName& entry : kErrorNames) {
    if (entry.error == error) return entry.name;
  }
  return "errUnknown";
}

bool initPngReader(PngReader& reader) {
  reader = PngReader{};
  return true;
}

bool loadPngFromResource(PngReader& reader, const Resources& resources, int id) {
  if (!isEmpty(reader)) return fail(reader, PngError::busy);
  reader.lastError = PngError::none;
  const ByteView bytes = resources.find(ResourceType::numbered(kRtRcdata), id);
  if (bytes.data == nullptr) return fail(reader, PngError::noResource);
  if (bytes.size == 0 || bytes.size > UINT32_MAX) return fail(reader, PngError::resourceLoad);
  return readHeader(reader, bytes.data, static_cast<std::uint32_t>(bytes.size));
}

bool loadPngFromMemory(PngReader& reader, const std::uint8_t* data, std::size_t size) {
  if (!isEmpty(reader)) return fail(reader, PngError::busy);
  reader.lastError = PngError::none;
  if (data == nullptr || size > UINT32_MAX) return fail(reader, PngError::notPng);
  return readHeader(reader, data, static_cast<std::uint32_t>(size));
}

bool decodePng(PngReader& reader) {
  if (reader.state != PngState::headerRead) return fail(reader, PngError::wrongState);
  const std::uint64_t size = pngScanlinesSize(reader);
  if (size > UINT32_MAX) return fail(reader, PngError::notPng);
  if (size > idatDataSize(reader) * kMaxInflateRatio) return fail(reader, PngError::notPng);  // also: no IDAT

  reader.lastError = PngError::notPng;
  auto* scanlines = new (std::nothrow) std::uint8_t[static_cast<std::size_t>(size)];
  if (scanlines == nullptr) return fail(reader, PngError::noMemory);
  IdatInput input(reader.data, reader.dataSize, reader.firstDataChunk);
  const InflateStatus status = inflateZlib(input, scanlines, static_cast<std::size_t>(size));
  if (status != InflateStatus::ok) {
    delete[] scanlines;
    return fail(reader, errorOf(status));
  }
  reader.scanlines = scanlines;
  reader.scanlinesSize = static_cast<std::uint32_t>(size);
  reader.lastError = PngError::none;
  reader.state = PngState::inflated;
  return true;
}

bool releasePngReader(PngReader& reader) {
  // The PNG bytes are always borrowed here (a resource or the caller's memory): only the inflated
  // data is ours to free.
  if (reader.state == PngState::inflated) delete[] reader.scanlines;
  reader = PngReader{};
  return true;
}

}  // namespace fenok
