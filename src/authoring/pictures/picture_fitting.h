#pragma once
// Pictures fitted at build time. The player shows every picture in a 260 x 260 box, scaled by its own
// rule (the smaller of the two ratios, sides truncated); a picture stored at that size already is
// shown as it is, so the program carries no more pixels than it shows and starts without shrinking
// them. Camera photos are turned upright, and each picture is stored as JPEG or PNG, whichever is
// smaller.
#include <cstdint>
#include <string>
#include <vector>

#include "authoring/messages.h"
#include "authoring/quiz_media.h"
#include "picture_source.h"

namespace fenok::pack {

// The box of question and solution pictures in the player.
constexpr int kPlayerPictureBox = 260;
// JPEG quality of fitted pictures: at this size, below it edges of drawings and text start to ring.
constexpr int kJpegQuality = 90;
// Checks that a picture (JPEG, GIF, or a PNG the player decodes) is whole and not too large; when
// fitting, decodes it and replaces its bytes and format by the fitted picture's. A picture the player
// cannot show (WebP, HEIC, AVIF) is fitted whatever the storage asked for. On failure, problem
// says what is wrong with the picture, all but its first argument: the file's name, which only the
// caller knows as the author wrote it.
bool preparePicture(std::vector<std::uint8_t>& bytes, PictureFormat& format, PictureStorage storage,
                    Message& problem);

}  // namespace fenok::pack
