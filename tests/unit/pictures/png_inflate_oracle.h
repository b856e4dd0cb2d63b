#pragma once
// A plain inflater that decodes Huffman codes bit by bit against canonical code counts: slow and
// simple, kept as the reference the table-driven inflater must agree with.
#include <cstdint>
#include <vector>

namespace fenok::pngtest {

// Inflates a whole zlib stream into exactly outputSize bytes under the same rules as the real
// inflater (incomplete codes allowed until an unused code is met, Adler-32 present, not compared).
bool oracleInflate(const std::vector<std::uint8_t>& input, std::size_t outputSize, std::vector<std::uint8_t>& output);

}  // namespace fenok::pngtest
