#pragma once
// Reversing the PNG row filters (None, Sub, Up, Average, Paeth).
#include <cstddef>
#include <cstdint>

namespace fenok {

constexpr std::uint8_t kPngFilterCount = 5;

// Reverses the filter of one row of `size` bytes into `row`. `previous` is the row above, already
// unfiltered (all zero for the first row of an image or pass); `pixelBytes` is the distance to the
// corresponding byte of the pixel on the left (at least 1). False for a filter type above 4.
// The None filter is better served by using the row where it lies; it is handled here all the same.
bool unfilterRow(std::uint8_t filterType, const std::uint8_t* filtered, const std::uint8_t* previous,
                 std::uint8_t* row, std::size_t size, unsigned pixelBytes);

// The same without vector instructions: what builds without SSE2 run (and the tests compare).
bool unfilterRowPlain(std::uint8_t filterType, const std::uint8_t* filtered, const std::uint8_t* previous,
                      std::uint8_t* row, std::size_t size, unsigned pixelBytes);

}  // namespace fenok
