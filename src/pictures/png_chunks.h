#pragma once
// Walking the chunks of a PNG held in memory, and the run of IDAT data that feeds the inflater.
// Every read of the PNG bytes is checked against its size; nothing is copied.
#include <cstddef>
#include <cstdint>

#include "pictures/inflate.h"
#include "pictures/png_reader.h"

namespace fenok {

// Checks the signature and IHDR and walks every chunk that fits in the data, filling the header
// fields, the palette and the first IDAT of the record; PngError::none or why the PNG is refused.
PngError walkPngChunks(PngReader& reader);

// The data of the first IDAT chunk, then of each IDAT that follows it directly (empty ones skipped);
// the first chunk of another type ends the input.
class IdatInput : public InflateInput {
 public:
  IdatInput(const std::uint8_t* png, std::uint32_t pngSize, const std::uint8_t* firstDataChunk);
  bool next(const std::uint8_t*& bytes, std::size_t& size) override;

 private:
  const std::uint8_t* end_;
  const std::uint8_t* chunk_;  // the next chunk to deliver, null once the input has ended
  bool first_ = true;
};

// Bytes of compressed data the inflater would be given.
std::uint64_t idatDataSize(const PngReader& reader);

}  // namespace fenok
