#pragma once
// The LZW variant of the stored content: 9-bit codes to start, MSB-first packing, the width grows only
// on code 257, 258 resets the dictionary but keeps the current string, 256 ends the data.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace fenok {

constexpr int kLzwOk = 0;
constexpr int kLzwNoMemory = -4;
constexpr int kLzwNoFirstCode = -5;
constexpr int kLzwCorrupt = -7;

constexpr std::size_t kLzwMaxInput = 32768;
constexpr std::size_t kLzwMaxOutput = 120000;

class Messages;

// Decodes into output (whatever was decoded also on failure). The messages port gets the one
// out-of-memory message; it may be null.
int lzwDecode(const std::uint8_t* input, std::size_t size, std::vector<std::uint8_t>& output,
              Messages* messages = nullptr);

// Encodes a stream that lzwDecode reads back to the same bytes.
std::vector<std::uint8_t> lzwEncode(const std::uint8_t* input, std::size_t size);
inline std::vector<std::uint8_t> lzwEncode(const std::vector<std::uint8_t>& input) {
  return lzwEncode(input.data(), input.size());
}

}  // namespace fenok
