#pragma once
// The LZW variant of the stored content: 9-bit codes to start, MSB-first packing, the width grows only
// on code 257, 258 resets the dictionary but keeps the current string, 256 ends the data.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace fenok {

// What a decode came to. The numbers are shown to the user in messages: they never change.
enum class LzwStatus : int {
  ok = 0,
  noMemory = -4,
  noFirstCode = -5,
  corrupt = -7,
};
// "ok", "no memory", "no first code", "corrupt"; "unknown status" for a number that is not a status.
const char* lzwStatusName(LzwStatus status);
inline int lzwStatusNumber(LzwStatus status) { return static_cast<int>(status); }

constexpr std::size_t kLzwMaxInput = 32768;    // longer inputs are rejected (corrupt)
constexpr std::size_t kLzwMaxOutput = 120000;  // an output that would grow past this is rejected
constexpr int kLzwDictionarySize = 4096;       // codes 0 to 4095; a 4097th entry without reset is rejected
constexpr std::size_t kLzwMaxString = 4095;    // the longest string a code may stand for

constexpr int kLzwEndCode = 256;
constexpr int kLzwWidenCode = 257;
constexpr int kLzwResetCode = 258;
constexpr int kLzwFirstFreeCode = 259;
constexpr int kLzwFirstWidth = 9;

class Messages;

// Where the decoder takes its two buffers from: the heap in the program; anything that can run short.
class LzwMemory {
 public:
  virtual ~LzwMemory() = default;
  // A block for the working state, or null when there is none; handed back through release.
  virtual void* allocate(std::size_t bytes) = 0;
  virtual void release(void* block) = 0;
  // Room for the whole output in advance; false when it cannot be had.
  virtual bool reserve(std::vector<std::uint8_t>& output, std::size_t bytes) = 0;
};
LzwMemory& heapMemory();

// Decodes into output (whatever was decoded also on failure), silently.
LzwStatus lzwDecode(const std::uint8_t* input, std::size_t size, std::vector<std::uint8_t>& output,
                    LzwMemory& memory = heapMemory());
// The same as the player decodes: no room for the output also shows the out-of-memory message
// (no room for the working state fails in silence).
LzwStatus lzwDecode(const std::uint8_t* input, std::size_t size, std::vector<std::uint8_t>& output,
                    Messages& messages, LzwMemory& memory = heapMemory());

// Encodes a stream that lzwDecode reads back to the same bytes: 9-bit codes to start, a 257 before
// any code that needs one more bit, a 258 before the dictionary would overflow, 256 at the end, and
// no string longer than kLzwMaxString. The sizes are not checked: the stream round-trips when it
// holds at most kLzwMaxInput bytes and the input at most kLzwMaxOutput. An empty input, which no
// stream can stand for, gives an empty stream (decoded: no first code).
std::vector<std::uint8_t> lzwEncode(const std::uint8_t* input, std::size_t size);
inline std::vector<std::uint8_t> lzwEncode(const std::vector<std::uint8_t>& input) {
  return lzwEncode(input.data(), input.size());
}

}  // namespace fenok
