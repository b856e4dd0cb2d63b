#pragma once
// A HEIF file (HEIC, AVIF) stores its picture as the camera took it and says how to show it with
// properties of its primary item: "irot" (turn anticlockwise by quarters) and "imir" (mirror), applied
// in the order the item lists them. iPhones write them, and often an Exif orientation too, which HEIF
// readers must ignore: applying both would turn the picture twice.
#include <cstdint>
#include <vector>

namespace fenok::pack {

// The transforms of the primary item, each as an Exif orientation (exif_orientation.h) to apply in
// turn; empty when there are none or the boxes cannot be read.
std::vector<int> heifTransforms(const std::vector<std::uint8_t>& file);

}  // namespace fenok::pack
