#pragma once
// The platform-free rules of picture loading: which resource holds a picture, how stored solution
// pictures are unscrambled, and the size a picture takes when it is fitted into a box.
#include <cstddef>
#include <cstdint>

namespace fenok {

class Resources;

// Pictures with ids above this are stored with the two halves of every byte exchanged.
constexpr int kScrambledPictureIdFloor = 10000;

bool isScrambledPictureId(int id);

// Exchanges the high and low 4-bit halves of every byte (0xAB <-> 0xBA); its own inverse.
void exchangeNibbles(std::uint8_t* bytes, std::size_t size);

// Where a picture comes from: an encoded (JPEG, GIF...) resource of the asked type, else a PNG stored
// as RCDATA of the same id, else nowhere.
enum class PictureSource { encoded, png, none };
PictureSource choosePictureSource(const Resources& resources, const char* type, int id);

// The side of the square box every picture and solution picture is fitted into.
constexpr int kPictureBoxSide = 260;

struct FittedSize {
  int width = 0;
  int height = 0;
};

// The size of a width x height picture scaled by the smaller of the two box ratios (enlarging too),
// each side truncated toward zero. False for a picture without area: there is nothing to scale.
// A side that truncates to zero keeps one pixel, so a very thin picture still makes a bitmap.
bool fitToBox(int width, int height, int targetWidth, int targetHeight, FittedSize& fitted);

}  // namespace fenok
