#pragma once
// What the player will show of a picture file, and a small copy of it, for windows that show what
// each question looks like.
#include <string>
#include <vector>

#include "picture_pixels.h"

namespace fenok::pack {

// The picture as the player shows it: turned upright, then scaled into its 260 x 260 box by the
// player's own rule (the smaller of the two ratios, enlarging too, sides truncated). False when the
// file cannot be read or decoded.
bool playerPicture(const std::string& path, Pixels& shown);

// At most width x height, the proportions kept (at least one pixel a side); never enlarged.
Pixels thumbnailOf(const Pixels& pixels, int width, int height);

// For many files at once, on every core: each one's player picture and a thumbnail of it, one
// decoding for both. A file that fails gives empty pixels.
struct PictureViews {
  Pixels shown;
  Pixels thumbnail;
};
std::vector<PictureViews> pictureViews(const std::vector<std::string>& paths, int thumbnailWidth, int thumbnailHeight);

}  // namespace fenok::pack
