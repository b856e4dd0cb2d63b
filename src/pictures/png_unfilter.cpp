#include "pictures/png_unfilter.h"

#include <cstring>

namespace fenok {
namespace {

// The byte of the pixel on the left is a compile-time distance for the common pixel sizes, so the
// loops keep it in registers; other sizes go through the same code with a run-time distance.

template <unsigned kBytes>
void unfilterSub(const std::uint8_t* in, std::uint8_t* row, std::size_t size, unsigned bytes) {
  const std::size_t step = kBytes ? kBytes : bytes;
  const std::size_t head = step < size ? step : size;
  std::memcpy(row, in, head);
  for (std::size_t i = head; i < size; ++i) row[i] = static_cast<std::uint8_t>(in[i] + row[i - step]);
}

void unfilterUp(const std::uint8_t* in, const std::uint8_t* previous, std::uint8_t* row, std::size_t size) {
  for (std::size_t i = 0; i < size; ++i) row[i] = static_cast<std::uint8_t>(in[i] + previous[i]);
}

template <unsigned kBytes>
void unfilterAverage(const std::uint8_t* in, const std::uint8_t* previous, std::uint8_t* row, std::size_t size,
                     unsigned bytes) {
  const std::size_t step = kBytes ? kBytes : bytes;
  const std::size_t head = step < size ? step : size;
  for (std::size_t i = 0; i < head; ++i) row[i] = static_cast<std::uint8_t>(in[i] + (previous[i] >> 1));
  for (std::size_t i = head; i < size; ++i) {
    row[i] = static_cast<std::uint8_t>(in[i] + ((row[i - step] + previous[i]) >> 1));
  }
}

inline std::uint8_t paethPredictor(int left, int above, int upperLeft) {
  const int towardsLeft = above - upperLeft;  // p - left, with p = left + above - upperLeft
  const int towardsAbove = left - upperLeft;
  const int distanceLeft = towardsLeft < 0 ? -towardsLeft : towardsLeft;
  const int distanceAbove = towardsAbove < 0 ? -towardsAbove : towardsAbove;
  const int sum = towardsLeft + towardsAbove;
  const int distanceUpperLeft = sum < 0 ? -sum : sum;
  const int nearer = distanceAbove <= distanceUpperLeft ? above : upperLeft;
  const int nearerDistance = distanceAbove <= distanceUpperLeft ? distanceAbove : distanceUpperLeft;
  return static_cast<std::uint8_t>(distanceLeft <= nearerDistance ? left : nearer);
}

template <unsigned kBytes>
void unfilterPaeth(const std::uint8_t* in, const std::uint8_t* previous, std::uint8_t* row, std::size_t size,
                   unsigned bytes) {
  const std::size_t step = kBytes ? kBytes : bytes;
  const std::size_t head = step < size ? step : size;
  for (std::size_t i = 0; i < head; ++i) row[i] = static_cast<std::uint8_t>(in[i] + previous[i]);
  for (std::size_t i = head; i < size; ++i) {
    row[i] = static_cast<std::uint8_t>(in[i] + paethPredictor(row[i - step], previous[i], previous[i - step]));
  }
}

template <unsigned kBytes>
bool unfilterWith(std::uint8_t filterType, const std::uint8_t* in, const std::uint8_t* previous,
                  std::uint8_t* row, std::size_t size, unsigned bytes) {
  switch (filterType) {
    case 0:
      std::memcpy(row, in, size);
      return true;
    case 1:
      unfilterSub<kBytes>(in, row, size, bytes);
      return true;
    case 2:
      unfilterUp(in, previous, row, size);
      return true;
    case 3:
      unfilterAverage<kBytes>(in, previous, row, size, bytes);
      return true;
    case 4:
      unfilterPaeth<kBytes>(in, previous, row, size, bytes);
      return true;
    default:
      return false;
  }
}

}  // namespace

bool unfilterRow(std::uint8_t filterType, const std::uint8_t* filtered, const std::uint8_t* previous,
                 std::uint8_t* row, std::size_t size, unsigned pixelBytes) {
  switch (pixelBytes) {
    case 1:
      return unfilterWith<1>(filterType, filtered, previous, row, size, 1);
    case 2:
      return unfilterWith<2>(filterType, filtered, previous, row, size, 2);
    case 3:
      return unfilterWith<3>(filterType, filtered, previous, row, size, 3);
    case 4:
      return unfilterWith<4>(filterType, filtered, previous, row, size, 4);
    default:
      return unfilterWith<0>(filterType, filtered, previous, row, size, pixelBytes);
  }
}

}  // namespace fenok
