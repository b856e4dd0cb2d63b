#pragma once
// A small copy of a picture file, upright and fitted inside a box, for lists that show what each
// question looks like.
#include <string>
#include <vector>

#include "picture_pixels.h"

namespace fenok::pack {

// False when the file cannot be read or decoded; otherwise RGB or RGBA pixels at most width x height,
// the picture's proportions kept (at least one pixel a side).
bool pictureThumbnail(const std::string& path, int width, int height, Pixels& thumbnail);

// The same for many files at once, on every core; a file that fails gives empty pixels.
std::vector<Pixels> pictureThumbnails(const std::vector<std::string>& paths, int width, int height);

}  // namespace fenok::pack
