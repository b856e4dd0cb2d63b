#include "pictures/inflate_huffman.h"

#include <algorithm>

namespace fenok {
namespace {

constexpr std::uint16_t kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                           31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::uint8_t kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                           2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::uint16_t kDistanceBase[30] = {1,   2,   3,   4,   5,   7,    9,    13,   17,   25,
                                             33,  49,  65,  97,  129, 193,  257,  385,  513,  769,
                                             1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::uint8_t kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                             6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

struct LitLenLeaves {
  std::uint32_t entries[kLitLenSymbols];
  constexpr LitLenLeaves() : entries() {
    for (unsigned symbol = 0; symbol < 256; ++symbol) entries[symbol] = huffmanEntry(kindLiteral, 0, symbol);
    entries[256] = huffmanEntry(kindEnd, 0, 0);
    for (unsigned i = 0; i < 29; ++i) entries[257 + i] = huffmanEntry(kindLength, kLengthExtra[i], kLengthBase[i]);
    // 286 and 287 take part in the fixed code but stand for nothing.
    entries[286] = entries[287] = huffmanEntry(kindInvalid, 0, 0);
  }
};

struct DistanceLeaves {
  std::uint32_t entries[kDistanceSymbols];
  constexpr DistanceLeaves() : entries() {
    for (unsigned i = 0; i < 30; ++i) entries[i] = huffmanEntry(kindDistance, kDistanceExtra[i], kDistanceBase[i]);
    entries[30] = entries[31] = huffmanEntry(kindInvalid, 0, 0);
  }
};

struct CodeLengthLeaves {
  std::uint32_t entries[kCodeLengthSymbols];
  constexpr CodeLengthLeaves() : entries() {
    for (unsigned symbol = 0; symbol < kCodeLengthSymbols; ++symbol) {
      entries[symbol] = huffmanEntry(kindLiteral, 0, symbol);
    }
  }
};

constexpr LitLenLeaves kLitLen;
constexpr DistanceLeaves kDistance;
constexpr CodeLengthLeaves kCodeLength;

unsigned reverseBits(unsigned code, unsigned length) {
  unsigned reversed = 0;
  for (unsigned i = 0; i < length; ++i) {
    reversed = (reversed << 1) | (code & 1);
    code >>= 1;
  }
  return reversed;
}

// Writes entry at index and every index that shares its low `length` bits, below `size`.
void fillRepeated(std::uint32_t* table, unsigned index, unsigned length, unsigned size, std::uint32_t entry) {
  for (unsigned i = index; i < size; i += 1u << length) table[i] = entry;
}

}  // namespace

const std::uint32_t* litLenLeaves() { return kLitLen.entries; }
const std::uint32_t* distanceLeaves() { return kDistance.entries; }
const std::uint32_t* codeLengthLeaves() { return kCodeLength.entries; }

bool buildHuffmanTable(const std::uint8_t* lengths, unsigned symbolCount, const std::uint32_t* leaves,
                       unsigned rootBits, std::uint32_t* table, unsigned tableSize) {
  unsigned counts[kMaxCodeBits + 1] = {};
  for (unsigned symbol = 0; symbol < symbolCount; ++symbol) ++counts[lengths[symbol]];
  counts[0] = 0;

  int left = 1;  // codes of the current length still free; negative: over-subscribed
  unsigned maxLength = 0;
  for (unsigned length = 1; length <= kMaxCodeBits; ++length) {
    left = left * 2 - static_cast<int>(counts[length]);
    if (left < 0) return false;
    if (counts[length] != 0) maxLength = length;
  }

  // Symbols in canonical order: by code length, then by symbol.
  std::uint16_t sorted[kLitLenSymbols];
  unsigned offsets[kMaxCodeBits + 2] = {};
  for (unsigned length = 1; length <= kMaxCodeBits; ++length) offsets[length + 1] = offsets[length] + counts[length];
  for (unsigned symbol = 0; symbol < symbolCount; ++symbol) {
    if (lengths[symbol] != 0) sorted[offsets[lengths[symbol]]++] = static_cast<std::uint16_t>(symbol);
  }

  const unsigned rootSize = 1u << rootBits;
  std::fill(table, table + rootSize, huffmanEntry(kindInvalid, 0, 0));
  unsigned used = rootSize;
  unsigned remaining[kMaxCodeBits + 1];
  std::copy(counts, counts + kMaxCodeBits + 1, remaining);
  unsigned currentPrefix = rootSize;  // root entry of the subtable being filled; none yet
  unsigned subtableStart = 0;
  unsigned subtableBits = 0;

  unsigned code = 0;  // canonical code, most significant bit first
  unsigned next = 0;
  for (unsigned length = 1; length <= maxLength; ++length, code <<= 1) {
    for (unsigned n = 0; n < counts[length]; ++n, ++code) {
      const unsigned symbol = sorted[next++];
      const unsigned reversed = reverseBits(code, length);
      if (length <= rootBits) {
        fillRepeated(table, reversed, length, rootSize, leaves[symbol] | length);
      } else {
        const unsigned prefix = reversed & (rootSize - 1);
        if (prefix != currentPrefix) {
          // Just big enough for the codes that share this prefix: grow until they fill it.
          unsigned bits = length - rootBits;
          int room = 1 << bits;
          while (bits + rootBits < maxLength) {
            room -= static_cast<int>(remaining[bits + rootBits]);
            if (room <= 0) break;
            ++bits;
            room <<= 1;
          }
          if (used + (1u << bits) > tableSize) return false;
          subtableStart = used;
          subtableBits = bits;
          used += 1u << bits;
          std::fill(table + subtableStart, table + used, huffmanEntry(kindInvalid, 0, 0));
          table[prefix] = huffmanEntry(kindSubtable, subtableBits, subtableStart) | rootBits;
          currentPrefix = prefix;
        }
        fillRepeated(table + subtableStart, reversed >> rootBits, length - rootBits, 1u << subtableBits,
                     leaves[symbol] | (length - rootBits));
      }
      --remaining[length];
    }
  }
  return true;
}

}  // namespace fenok
