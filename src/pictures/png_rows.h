#pragma once
// Row conversion routines: one unfiltered PNG row into one bitmap row of the chosen layout.
#include <cstddef>
#include <cstdint>

#include "pictures/png_format.h"

namespace fenok {

// Converts `width` pixels of `source` (PNG samples at `sourceBits` per pixel) into `destination`,
// writing exactly the row's (width x output bits + 7) / 8 bytes.
using RowConverter = void (*)(const std::uint8_t* source, std::uint8_t* destination, std::size_t width,
                              unsigned sourceBits);

RowConverter rowConverter(RowRoutine routine);

}  // namespace fenok
