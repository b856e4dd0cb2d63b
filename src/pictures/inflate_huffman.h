#pragma once
// Lookup tables for DEFLATE's canonical Huffman codes. Codes arrive least significant bit first,
// so a table is indexed by the next rootBits bits of input; codes longer than that go through a
// second-level table named by the root entry.
#include <cstdint>

namespace fenok {

// One table entry packs: bits 0-7 the bits it consumes at its level, bits 8-10 its kind,
// bits 11-15 extra bits to read after it (or a subtable's index bits), bits 16-31 its value
// (literal byte, base length or distance, or a subtable's first entry).
enum HuffmanKind : std::uint32_t {
  kindInvalid = 0,
  kindLiteral = 1,
  kindLength = 2,
  kindEnd = 3,
  kindSubtable = 4,
  kindDistance = 5,
};

constexpr std::uint32_t huffmanEntry(std::uint32_t kind, std::uint32_t extra, std::uint32_t value) {
  return kind << 8 | extra << 11 | value << 16;
}
inline unsigned entryBits(std::uint32_t entry) { return entry & 0xFF; }
inline unsigned entryKind(std::uint32_t entry) { return (entry >> 8) & 7; }
inline unsigned entryExtra(std::uint32_t entry) { return (entry >> 11) & 31; }
inline unsigned entryValue(std::uint32_t entry) { return entry >> 16; }

constexpr unsigned kMaxCodeBits = 15;
constexpr unsigned kLitLenRootBits = 10;
constexpr unsigned kDistanceRootBits = 8;
constexpr unsigned kCodeLengthRootBits = 7;
constexpr unsigned kLitLenSymbols = 288;
constexpr unsigned kDistanceSymbols = 32;
constexpr unsigned kCodeLengthSymbols = 19;
// Room for the root table and, in the worst case, one full subtable per code longer than the root.
constexpr unsigned kLitLenTableSize = (1u << kLitLenRootBits) + 286 * (1u << (kMaxCodeBits - kLitLenRootBits));
constexpr unsigned kDistanceTableSize =
    (1u << kDistanceRootBits) + 30 * (1u << (kMaxCodeBits - kDistanceRootBits));
constexpr unsigned kCodeLengthTableSize = 1u << kCodeLengthRootBits;

// What each symbol of the three alphabets stands for (entries without their bit counts).
const std::uint32_t* litLenLeaves();
const std::uint32_t* distanceLeaves();
const std::uint32_t* codeLengthLeaves();

// Builds the table of the code with these lengths (0 = symbol unused, at most 15). Fails on an
// over-subscribed code; an incomplete code is accepted, its unused entries are kindInvalid.
bool buildHuffmanTable(const std::uint8_t* lengths, unsigned symbolCount, const std::uint32_t* leaves,
                       unsigned rootBits, std::uint32_t* table, unsigned tableSize);

}  // namespace fenok
