#include "pictures/png_rows.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace fenok {
namespace {

void copyRow(const std::uint8_t* source, std::uint8_t* destination, std::size_t width, unsigned sourceBits) {
  std::memcpy(destination, source, (width * sourceBits + 7) / 8);
}

void everyOtherByte(const std::uint8_t* source, std::uint8_t* destination, std::size_t width, unsigned) {
  for (std::size_t i = 0; i < width; ++i) destination[i] = source[2 * i];
}

void everyFourthByte(const std::uint8_t* source, std::uint8_t* destination, std::size_t width, unsigned) {
  for (std::size_t i = 0; i < width; ++i) destination[i] = source[4 * i];
}

// Four 2-bit values (first one highest) become two bytes of two 4-bit values each.
struct WideningTable {
  std::uint8_t high[256];  // the first two values of a source byte as one output byte
  std::uint8_t low[256];   // the last two
  constexpr WideningTable() : high(), low() {
    for (unsigned b = 0; b < 256; ++b) {
      high[b] = static_cast<std::uint8_t>(((b >> 6) & 3) << 4 | ((b >> 4) & 3));
      low[b] = static_cast<std::uint8_t>(((b >> 2) & 3) << 4 | (b & 3));
    }
  }
};
constexpr WideningTable kWidening;

void widen2To4(const std::uint8_t* source, std::uint8_t* destination, std::size_t width, unsigned) {
  const std::size_t outputBytes = (width + 1) / 2;
  std::size_t out = 0;
  for (std::size_t in = 0; out < outputBytes; ++in) {
    destination[out++] = kWidening.high[source[in]];
    if (out < outputBytes) destination[out++] = kWidening.low[source[in]];
  }
}

void rgbToBgrPlain(const std::uint8_t* source, std::uint8_t* destination, std::size_t width) {
  for (std::size_t i = 0; i < width; ++i, source += 3, destination += 3) {
    destination[0] = source[2];
    destination[1] = source[1];
    destination[2] = source[0];
  }
}

#if defined(__SSE2__)
// Four pixels (12 bytes) a step in one 16-byte register: the outer bytes of each pixel trade places
// through two 2-byte shifts of the whole register. A step reads and writes 16 bytes, so it runs only
// while 16 bytes are left; the 4 extra bytes it writes are rewritten by the next step or the tail.
constexpr std::size_t kRgbStepPixels = 4;
constexpr std::size_t kRgbStepBytes = 16;

void rgbToBgr(const std::uint8_t* source, std::uint8_t* destination, std::size_t width, unsigned) {
  const __m128i middle = _mm_setr_epi8(0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, 0, 0, 0);
  const __m128i first = _mm_setr_epi8(-1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, 0, 0, 0, 0);
  const __m128i last = _mm_setr_epi8(0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, -1, 0, 0, 0, 0);
  std::size_t pixel = 0;
  for (; 3 * pixel + kRgbStepBytes <= 3 * width; pixel += kRgbStepPixels) {
    const __m128i rgb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + 3 * pixel));
    const __m128i bgr = _mm_or_si128(_mm_and_si128(rgb, middle),
                                     _mm_or_si128(_mm_and_si128(_mm_srli_si128(rgb, 2), first),
                                                  _mm_and_si128(_mm_slli_si128(rgb, 2), last)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(destination + 3 * pixel), bgr);
  }
  rgbToBgrPlain(source + 3 * pixel, destination + 3 * pixel, width - pixel);
}
#else
void rgbToBgr(const std::uint8_t* source, std::uint8_t* destination, std::size_t width, unsigned) {
  rgbToBgrPlain(source, destination, width);
}
#endif

void rgb16ToBgr(const std::uint8_t* source, std::uint8_t* destination, std::size_t width, unsigned) {
  for (std::size_t i = 0; i < width; ++i, source += 6, destination += 3) {
    destination[0] = source[4];
    destination[1] = source[2];
    destination[2] = source[0];
  }
}

void rgbaToBgraPlain(const std::uint8_t* source, std::uint8_t* destination, std::size_t width) {
  for (std::size_t i = 0; i < width; ++i, source += 4, destination += 4) {
    destination[0] = source[2];
    destination[1] = source[1];
    destination[2] = source[0];
    destination[3] = source[3];
  }
}

#if defined(__SSE2__)
// Four pixels a step: red and blue, the outer bytes of each pixel's low 24 bits, trade places by a
// 16-bit rotation of their 32-bit lane; green and alpha stay where they are.
constexpr std::size_t kRgbaStepPixels = 4;

void rgbaToBgra(const std::uint8_t* source, std::uint8_t* destination, std::size_t width, unsigned) {
  const __m128i greenAlpha = _mm_set1_epi32(static_cast<int>(0xFF00FF00u));
  std::size_t pixel = 0;
  for (; pixel + kRgbaStepPixels <= width; pixel += kRgbaStepPixels) {
    const __m128i rgba = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + 4 * pixel));
    const __m128i redBlue = _mm_andnot_si128(greenAlpha, rgba);
    const __m128i swapped = _mm_or_si128(_mm_slli_epi32(redBlue, 16), _mm_srli_epi32(redBlue, 16));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(destination + 4 * pixel),
                     _mm_or_si128(_mm_and_si128(rgba, greenAlpha), swapped));
  }
  rgbaToBgraPlain(source + 4 * pixel, destination + 4 * pixel, width - pixel);
}
#else
void rgbaToBgra(const std::uint8_t* source, std::uint8_t* destination, std::size_t width, unsigned) {
  rgbaToBgraPlain(source, destination, width);
}
#endif

void rgbaToBgr(const std::uint8_t* source, std::uint8_t* destination, std::size_t width, unsigned) {
  for (std::size_t i = 0; i < width; ++i, source += 4, destination += 3) {
    destination[0] = source[2];
    destination[1] = source[1];
    destination[2] = source[0];
  }
}

void rgba16ToBgra(const std::uint8_t* source, std::uint8_t* destination, std::size_t width, unsigned) {
  for (std::size_t i = 0; i < width; ++i, source += 8, destination += 4) {
    destination[0] = source[4];
    destination[1] = source[2];
    destination[2] = source[0];
    destination[3] = source[6];
  }
}

void rgba16ToBgr(const std::uint8_t* source, std::uint8_t* destination, std::size_t width, unsigned) {
  for (std::size_t i = 0; i < width; ++i, source += 8, destination += 3) {
    destination[0] = source[4];
    destination[1] = source[2];
    destination[2] = source[0];
  }
}

struct RoutineEntry {
  RowRoutine routine;
  RowConverter converter;
};

constexpr RoutineEntry kRoutines[] = {
    {rowCopy, copyRow},           {rowEveryOtherByte, everyOtherByte}, {rowRgb16ToBgr, rgb16ToBgr},
    {rowRgba16ToBgr, rgba16ToBgr}, {rowRgba16ToBgra, rgba16ToBgra},    {rowEveryFourthByte, everyFourthByte},
    {rowWiden2To4, widen2To4},     {rowRgbToBgr, rgbToBgr},             {rowRgbaToBgr, rgbaToBgr},
    {rowRgbaToBgra, rgbaToBgra},
};

}  // namespace

RowConverter rowConverter(RowRoutine routine) {
  for (const RoutineEntry& entry : kRoutines) {
    if (entry.routine == routine) return entry.converter;
  }
  return nullptr;
}

}  // namespace fenok
