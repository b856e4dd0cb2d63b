#pragma once
// The structure of JPEG and GIF files, walked with bounded reads: whether a file holds all of its
// picture, and where a JPEG's segments lie. The image library pads a cut-off file with blank data
// and says nothing, so a picture cut short is told here, by its missing end.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "picture_format.h"

namespace fenok::pack {

// One marker segment of a JPEG: its marker byte and where its payload (after the length) lies.
struct JpegSegment {
  std::uint8_t marker = 0;
  std::size_t payload = 0;
  std::size_t length = 0;
};

// Walks a JPEG from its start marker through every segment and scan; visit sees every segment with a
// payload. True when the walk reaches the end marker (EOI).
bool walkJpeg(const std::vector<std::uint8_t>& bytes, const std::function<void(const JpegSegment&)>& visit);

// True when the JPEG reaches its end marker after at least one scan, or the GIF its trailer, through
// well-formed blocks.
bool jpegIsComplete(const std::vector<std::uint8_t>& bytes);
bool gifIsComplete(const std::vector<std::uint8_t>& bytes);

// The width and height a JPEG's frame header (SOF) declares, read by the walk, which reaches it even
// in a file cut short later; false when there is none.
bool jpegDimensions(const std::vector<std::uint8_t>& bytes, int& width, int& height);

// True when every Huffman table of the JPEG (DHT segments) holds at most 256 codes and the values it
// counts: the image library writes past its tables otherwise.
bool jpegTablesSound(const std::vector<std::uint8_t>& bytes);

// jpegIsComplete or gifIsComplete by the format; true for the others, whose decoders tell a cut.
bool pictureIsWhole(const std::vector<std::uint8_t>& bytes, PictureFormat format);

}  // namespace fenok::pack
