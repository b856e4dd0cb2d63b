// lzwDecode: the decoder of the stored content.
//
// Contract: decodes one whole stream; returns kLzwOk with the decoded bytes, or a negative status with
// whatever had been decoded before the failure. Never reads past the input, never writes past its
// buffers, and keeps nothing between calls.
//
// Format notes (see README.md beside this file for a worked example):
// - Codes are packed most-significant bit first: bit 7 of byte 0 is the first bit of the stream.
// - The first code is 9 bits wide and only its low 8 bits count: they are the first byte of the
//   output, which is written one code late, like every string after it.
// - 256 ends the data (and flushes the pending string), 257 makes every following code one bit
//   wider, 258 starts the dictionary again at 259 with 9-bit codes but keeps the pending string, so
//   the code after a reset still defines entry 259 from it. The width never grows by itself.
// - Each other code C defines entry (next code) = pending string + first byte of C's string; C may
//   be the code being defined (the classic KwKwK case), never above it.
#include "content/lzw.h"

#include <algorithm>
#include <memory>
#include <new>

#include "platform/ports/messages.h"

namespace fenok {
namespace {

constexpr int kMaxWidth = 32;
// Every entry defined is the pending string plus one byte, and the pending string is written to the
// output in the same step, so all entries together never hold more than the output plus one byte
// per code.
constexpr std::size_t kArenaSize = kLzwMaxOutput + kLzwMaxInput;

// Reads codes of any width up to 32 bits, most-significant bit first. The only reader of the input.
class BitReader {
 public:
  BitReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  // False, with nothing consumed, when fewer than width bits are left.
  bool read(int width, std::uint64_t& code) {
    const std::size_t available = (size_ - byte_) * 8 - static_cast<std::size_t>(bit_);
    if (static_cast<std::size_t>(width) > available) return false;
    std::uint64_t value = 0;
    for (int i = 0; i < width; ++i) {
      const unsigned bitValue = (data_[byte_] >> (7 - bit_)) & 1u;
      value = (value << 1) | bitValue;
      if (++bit_ == 8) {
        bit_ = 0;
        ++byte_;
      }
    }
    code = value;
    return true;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t byte_ = 0;  // byte holding the next unread bit
  int bit_ = 0;           // bits of that byte already read (0 to 7), from the top
};

// The dictionary and the pending string. Entries 0 to 255 are implicit (their own byte); entries from
// 259 live in one arena, emptied again on a reset (entries at or above the next code are never read).
struct WorkingState {
  struct Entry {
    std::uint32_t offset;
    std::uint32_t length;
  };
  Entry entries[kLzwDictionarySize];
  std::uint8_t arena[kArenaSize];
  std::size_t arenaUsed = 0;
  std::uint8_t pending[kLzwMaxString];  // W: the string of the last code, not yet written
  std::size_t pendingLength = 0;
};

bool obtainOutput(std::vector<std::uint8_t>& output) {
  try {
    output.reserve(kLzwMaxOutput);
  } catch (const std::bad_alloc&) {
    return false;
  }
  return true;
}

int decode(const LzwAllocation* refused, const std::uint8_t* input, std::size_t size,
           std::vector<std::uint8_t>& output, Messages* messages) {
  output.clear();
  std::unique_ptr<WorkingState> state;
  if (refused == nullptr || *refused != LzwAllocation::workingState) state.reset(new (std::nothrow) WorkingState);
  if (!state) return kLzwNoMemory;
  const bool haveOutput = (refused == nullptr || *refused != LzwAllocation::output) && obtainOutput(output);
  if (!haveOutput) {
    if (messages != nullptr) messages->show("Impossible d'allouer la memoire", "information", kMbOk);
    return kLzwNoMemory;
  }
  if (size == 0 || input == nullptr) return kLzwNoFirstCode;
  if (size > kLzwMaxInput) return kLzwCorrupt;

  BitReader bits(input, size);
  std::uint64_t code = 0;
  if (!bits.read(kLzwFirstWidth, code)) return kLzwNoFirstCode;
  WorkingState& s = *state;
  s.pending[0] = static_cast<std::uint8_t>(code & 0xFF);
  s.pendingLength = 1;
  std::uint32_t nextCode = kLzwFirstFreeCode;
  int width = kLzwFirstWidth;

  const auto writePending = [&]() -> bool {
    if (output.size() + s.pendingLength > kLzwMaxOutput) return false;
    output.insert(output.end(), s.pending, s.pending + s.pendingLength);
    return true;
  };

  for (;;) {
    if (width > kMaxWidth) return kLzwCorrupt;
    if (!bits.read(width, code)) return kLzwCorrupt;
    if (code == kLzwEndCode) return writePending() ? kLzwOk : kLzwCorrupt;
    if (code == kLzwResetCode) {
      nextCode = kLzwFirstFreeCode;
      width = kLzwFirstWidth;
      s.arenaUsed = 0;
      continue;
    }
    if (code == kLzwWidenCode) {
      ++width;
      continue;
    }
    if (code > nextCode) return kLzwCorrupt;
    if (nextCode >= static_cast<std::uint32_t>(kLzwDictionarySize)) return kLzwCorrupt;  // full, no reset
    const std::uint32_t c = static_cast<std::uint32_t>(code);
    std::uint8_t k = 0;  // first byte of C's string
    if (c == nextCode) {
      k = s.pending[0];
    } else if (c < 256) {
      k = static_cast<std::uint8_t>(c);
    } else {
      k = s.arena[s.entries[c].offset];
    }
    // Entry (next code) = W + K.
    const std::size_t entryLength = s.pendingLength + 1;
    if (s.arenaUsed + entryLength > kArenaSize) return kLzwCorrupt;
    WorkingState::Entry& entry = s.entries[nextCode];
    entry.offset = static_cast<std::uint32_t>(s.arenaUsed);
    entry.length = static_cast<std::uint32_t>(entryLength);
    std::copy(s.pending, s.pending + s.pendingLength, s.arena + s.arenaUsed);
    s.arena[s.arenaUsed + s.pendingLength] = k;
    s.arenaUsed += entryLength;
    ++nextCode;

    if (!writePending()) return kLzwCorrupt;
    // W = C's string.
    if (c < 256) {
      s.pending[0] = static_cast<std::uint8_t>(c);
      s.pendingLength = 1;
    } else {
      const WorkingState::Entry& source = s.entries[c];
      if (source.length > kLzwMaxString) return kLzwCorrupt;
      std::copy(s.arena + source.offset, s.arena + source.offset + source.length, s.pending);
      s.pendingLength = source.length;
    }
  }
}

}  // namespace

const char* lzwStatusName(int status) {
  switch (status) {
    case kLzwOk: return "ok";
    case kLzwNoMemory: return "no memory";
    case kLzwNoFirstCode: return "no first code";
    case kLzwCorrupt: return "corrupt";
    default: return "unknown status";
  }
}

int lzwDecode(const std::uint8_t* input, std::size_t size, std::vector<std::uint8_t>& output, Messages* messages) {
  return decode(nullptr, input, size, output, messages);
}

int lzwDecodeRefusing(LzwAllocation refused, const std::uint8_t* input, std::size_t size,
                      std::vector<std::uint8_t>& output, Messages* messages) {
  return decode(&refused, input, size, output, messages);
}

}  // namespace fenok
