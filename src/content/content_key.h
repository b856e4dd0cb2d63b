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

// What the built-in link text holds: the header's link (at most 24 bytes) and the status line (at most 42).
extern const char* const kBuiltInLinkAddress;
extern const char* const kBuiltInStatusText;

// The built-in link text, LZW-compressed (never scrambled): two ignored bytes, then the link address
// and the status line, each ended by '|'. Encoded at first use.
const std::vector<std::uint8_t>& builtInLinkText();

}  // namespace fenok
