#pragma once
// The XOR key of scrambled content, and the built-in link text (link address and status line).
#include <cstddef>
#include <cstdint>
#include <vector>

namespace fenok {

constexpr std::size_t kContentKeyLength = 14;
extern const std::uint8_t contentKey[kContentKeyLength];

// Byte i (i >= 1) becomes byte i XOR contentKey[(i - 1) mod 14]; byte 0 stays. Its own inverse.
void descramble(std::uint8_t* bytes, std::size_t size);

// The built-in link text, LZW-compressed (never scrambled).
const std::vector<std::uint8_t>& builtInLinkText();

}  // namespace fenok
