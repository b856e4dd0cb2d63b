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

constexpr std::size_t kLzwMaxInput = 32768;    // longer inputs are rejected (kLzwCorrupt)
constexpr std::size_t kLzwMaxOutput = 120000;  // an output that would grow past this is rejected
constexpr int kLzwDictionarySize = 4096;       // codes 0 to 4095; a 4097th entry without reset is rejected
constexpr std::size_t kLzwMaxString = 4095;    // the longest string a code may stand for

constexpr int kLzwEndCode = 256;
constexpr int kLzwWidenCode = 257;
constexpr int kLzwResetCode = 258;
constexpr int kLzwFirstFreeCode = 259;
constexpr int kLzwFirstWidth = 9;

// The name of a status ("ok", "no memory", "no first code", "corrupt"), for messages and tests.
const char* lzwStatusName(int status);

class Messages;

// Decodes into output (whatever was decoded also on failure). The messages port gets the one
// out-of-memory message; it may be null.
int lzwDecode(const std::uint8_t* input, std::size_t size, std::vector<std::uint8_t>& output,
              Messages* messages = nullptr);

// Which allocation lzwDecodeRefusing pretends cannot be had (tests of the out-of-memory paths).
enum class LzwAllocation { workingState, output };
int lzwDecodeRefusing(LzwAllocation refused, const std::uint8_t* input, std::size_t size,
                      std::vector<std::uint8_t>& output, Messages* messages = nullptr);

// Encodes a stream that lzwDecode reads back to the same bytes: 9-bit codes to start, a 257 before
// any code that needs one more bit, a 258 before the dictionary would overflow, 256 at the end, and
// no string longer than kLzwMaxString. The sizes are not checked: the stream round-trips when it
// holds at most kLzwMaxInput bytes and the input at most kLzwMaxOutput. An empty input, which no
// stream can stand for, gives an empty stream (decoded: kLzwNoFirstCode).
std::vector<std::uint8_t> lzwEncode(const std::uint8_t* input, std::size_t size);
inline std::vector<std::uint8_t> lzwEncode(const std::vector<std::uint8_t>& input) {
  return lzwEncode(input.data(), input.size());
}

}  // namespace fenok
