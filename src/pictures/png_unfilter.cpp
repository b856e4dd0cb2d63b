#include "pictures/png_unfilter.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

#if defined(__SSE2__)
// Average and Paeth carry a dependency from each pixel to the next, so they are decoded one
// pixel at a time with its 3 or 4 samples side by side in 16-bit lanes.

// Pixels move through 32-bit words (8-byte ones for 6- and 8-byte pixels): a pixel is read and
// written together with the first bytes of its neighbour, which the next step rewrites. The last
// pixels of a row, where a word would run past its end, go through a small copy.
template <unsigned kBytes>
constexpr unsigned kWordBytes = kBytes <= 4 ? 4 : 8;

template <unsigned kBytes>
__m128i loadPixel(const std::uint8_t* p) {
  if constexpr (kWordBytes<kBytes> == 4) {
    std::uint32_t word;
    std::memcpy(&word, p, sizeof word);
    return _mm_unpacklo_epi8(_mm_cvtsi32_si128(static_cast<int>(word)), _mm_setzero_si128());
  } else {
    return _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)), _mm_setzero_si128());
  }
}

template <unsigned kBytes>
void storePixel(std::uint8_t* p, __m128i pixel) {
  const __m128i packed = _mm_packus_epi16(pixel, pixel);
  if constexpr (kWordBytes<kBytes> == 4) {
    const auto word = static_cast<std::uint32_t>(_mm_cvtsi128_si32(packed));
    std::memcpy(p, &word, sizeof word);
  } else {
    _mm_storel_epi64(reinterpret_cast<__m128i*>(p), packed);
  }
}

template <unsigned kBytes>
__m128i loadLastPixel(const std::uint8_t* p) {
  std::uint8_t word[8] = {};
  std::memcpy(word, p, kBytes);
  return loadPixel<kBytes>(word);
}

template <unsigned kBytes>
void storeLastPixel(std::uint8_t* p, __m128i pixel) {
  std::uint8_t word[8];
  storePixel<kBytes>(word, pixel);
  std::memcpy(p, word, kBytes);
}

// Two operations, one fewer than the sign-mask way: Paeth needs three of these per pixel, two of
// them on the chain from one pixel to the next.
__m128i absolute16(__m128i x) { return _mm_max_epi16(x, _mm_sub_epi16(_mm_setzero_si128(), x)); }

__m128i select(__m128i condition, __m128i whenTrue, __m128i whenFalse) {
  return _mm_or_si128(_mm_and_si128(condition, whenTrue), _mm_andnot_si128(condition, whenFalse));
}

struct PaethStep {
  __m128i left = _mm_setzero_si128();
  __m128i upperLeft = _mm_setzero_si128();

  // The next pixel from its filtered samples and the pixel above, all in 16-bit lanes. Only what
  // depends on the pixel on the left lies on the chain from one pixel to the next: the three
  // candidate results are summed ahead, and the choice compares distances directly (ties go to
  // left, then above, as the predictor's order of tests says).
  __m128i next(__m128i filtered, __m128i above) {
    const __m128i low = _mm_set1_epi16(0xFF);
    const __m128i towardsLeft = _mm_sub_epi16(above, upperLeft);
    const __m128i distanceLeft = absolute16(towardsLeft);
    const __m128i fromAbove = _mm_and_si128(_mm_add_epi16(above, filtered), low);
    const __m128i fromUpperLeft = _mm_and_si128(_mm_add_epi16(upperLeft, filtered), low);
    const __m128i fromLeft = _mm_and_si128(_mm_add_epi16(left, filtered), low);
    const __m128i towardsAbove = _mm_sub_epi16(left, upperLeft);
    const __m128i distanceAbove = absolute16(towardsAbove);
    const __m128i distanceUpperLeft = absolute16(_mm_add_epi16(towardsLeft, towardsAbove));
    const __m128i notLeft =
        _mm_or_si128(_mm_cmpgt_epi16(distanceLeft, distanceAbove), _mm_cmpgt_epi16(distanceLeft, distanceUpperLeft));
    const __m128i upperLeftWins = _mm_cmpgt_epi16(distanceAbove, distanceUpperLeft);
    left = select(notLeft, select(upperLeftWins, fromUpperLeft, fromAbove), fromLeft);
    upperLeft = above;
    return left;
  }
};

struct AverageStep {
  __m128i left = _mm_setzero_si128();

  __m128i next(__m128i filtered, __m128i above) {
    const __m128i average = _mm_srli_epi16(_mm_add_epi16(left, above), 1);
    left = _mm_and_si128(_mm_add_epi16(average, filtered), _mm_set1_epi16(0xFF));
    return left;
  }
};

template <unsigned kBytes, typename Step>
void unfilterWide(const std::uint8_t* in, const std::uint8_t* previous, std::uint8_t* row, std::size_t size) {
  Step step;
  std::size_t i = 0;
  for (; i + kWordBytes<kBytes> <= size; i += kBytes) {
    storePixel<kBytes>(row + i, step.next(loadPixel<kBytes>(in + i), loadPixel<kBytes>(previous + i)));
  }
  for (; i + kBytes <= size; i += kBytes) {
    storeLastPixel<kBytes>(row + i, step.next(loadLastPixel<kBytes>(in + i), loadLastPixel<kBytes>(previous + i)));
  }
}

template <unsigned kBytes>
constexpr bool kHasWideFilters = kBytes == 2 || kBytes == 3 || kBytes == 4 || kBytes == 6 || kBytes == 8;
#else
template <unsigned kBytes>
[[maybe_unused]] constexpr bool kHasWideFilters = false;  // used only where SSE2 is
#endif

template <unsigned kBytes, bool kMayUseWide>
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
#if defined(__SSE2__)
      if constexpr (kMayUseWide && kHasWideFilters<kBytes>) {
        unfilterWide<kBytes, AverageStep>(in, previous, row, size);
        return true;
      }
#endif
      unfilterAverage<kBytes>(in, previous, row, size, bytes);
      return true;
    case 4:
#if defined(__SSE2__)
      if constexpr (kMayUseWide && kHasWideFilters<kBytes>) {
        unfilterWide<kBytes, PaethStep>(in, previous, row, size);
        return true;
      }
#endif
      unfilterPaeth<kBytes>(in, previous, row, size, bytes);
      return true;
    default:
      return false;
  }
}

template <bool kMayUseWide>
bool unfilterBySize(std::uint8_t filterType, const std::uint8_t* filtered, const std::uint8_t* previous,
                    std::uint8_t* row, std::size_t size, unsigned pixelBytes) {
  switch (pixelBytes) {
    case 1:
      return unfilterWith<1, kMayUseWide>(filterType, filtered, previous, row, size, 1);
    case 2:
      return unfilterWith<2, kMayUseWide>(filterType, filtered, previous, row, size, 2);
    case 3:
      return unfilterWith<3, kMayUseWide>(filterType, filtered, previous, row, size, 3);
    case 4:
      return unfilterWith<4, kMayUseWide>(filterType, filtered, previous, row, size, 4);
    case 6:
      return unfilterWith<6, kMayUseWide>(filterType, filtered, previous, row, size, 6);
    case 8:
      return unfilterWith<8, kMayUseWide>(filterType, filtered, previous, row, size, 8);
    default:
      return unfilterWith<0, kMayUseWide>(filterType, filtered, previous, row, size, pixelBytes);
  }
}

}  // namespace

bool unfilterRow(std::uint8_t filterType, const std::uint8_t* filtered, const std::uint8_t* previous,
                 std::uint8_t* row, std::size_t size, unsigned pixelBytes) {
  return unfilterBySize<true>(filterType, filtered, previous, row, size, pixelBytes);
}

bool unfilterRowPlain(std::uint8_t filterType, const std::uint8_t* filtered, const std::uint8_t* previous,
                      std::uint8_t* row, std::size_t size, unsigned pixelBytes) {
  return unfilterBySize<false>(filterType, filtered, previous, row, size, pixelBytes);
}

}  // namespace fenok
