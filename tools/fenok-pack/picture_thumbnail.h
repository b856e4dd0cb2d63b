#pragma once
// A small copy of a picture file, upright and fitted inside a box, for lists that show what each
// question looks like.
#include <string>

#include "picture_pixels.h"

namespace fenok::pack {

// False when the file cannot be read or decoded; otherwise RGB or RGBA pixels at most width x height,
// the picture's proportions kept (at least one pixel a side).
bool pictureThumbnail(const std::string& path, int width, int height, Pixels& thumbnail);

}  // namespace fenok::pack
