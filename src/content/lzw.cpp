// lzwDecode: the decoder of the stored content.
//
// Contract: decodes one whole stream; returns LzwStatus::ok with the decoded bytes, or a negative status with
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

class HeapMemory : public LzwMemory {
 public:
  void* allocate(std::size_t bytes) override { return ::operator new(bytes, std::nothrow); }
  void release(void* block) override { ::operator delete(block); }
  bool reserve(std::vector<std::uint8_t>& output, std::size_t bytes) override {
    try {
      output.reserve(bytes);
    } catch (const std::bad_alloc&) {
      return false;
    }
    return true;
  }
};

// The working state lives in a block of the memory port and goes back to it on every way out.
class StateBlock {
 public:
  explicit StateBlock(LzwMemory& memory) : memory_(memory), block_(memory.allocate(sizeof(WorkingState))) {
    if (block_ != nullptr) state_ = new (block_) WorkingState;
  }
  ~StateBlock() {
    if (block_ == nullptr) return;
    state_->~WorkingState();
    memory_.release(block_);
  }
  StateBlock(const StateBlock&) = delete;
  StateBlock& operator=(const StateBlock&) = delete;

  WorkingState* get() const { return state_; }

 private:
  LzwMemory& memory_;
  void* block_;
  WorkingState* state_ = nullptr;
};

LzwStatus decode(LzwMemory& memory, const std::uint8_t* input, std::size_t size, std::vector<std::uint8_t>& output,
                 bool& outputRefused) {
  outputRefused = false;
  output.clear();
  StateBlock state(memory);
  if (state.get() == nullptr) return LzwStatus::noMemory;
  if (!memory.reserve(output, kLzwMaxOutput)) {
    outputRefused = true;
    return LzwStatus::noMemory;
  }
  if (size == 0 || input == nullptr) return LzwStatus::noFirstCode;
  if (size > kLzwMaxInput) return LzwStatus::corrupt;

  BitReader bits(input, size);
  std::uint64_t code = 0;
  if (!bits.read(kLzwFirstWidth, code)) return LzwStatus::noFirstCode;
  WorkingState& s = *state.get();
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
    if (width > kMaxWidth) return LzwStatus::corrupt;
    if (!bits.read(width, code)) return LzwStatus::corrupt;
    if (code == kLzwEndCode) return writePending() ? LzwStatus::ok : LzwStatus::corrupt;
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
    if (code > nextCode) return LzwStatus::corrupt;
    if (nextCode >= static_cast<std::uint32_t>(kLzwDictionarySize)) return LzwStatus::corrupt;  // full, no reset
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
    if (s.arenaUsed + entryLength > kArenaSize) return LzwStatus::corrupt;
    WorkingState::Entry& entry = s.entries[nextCode];
    entry.offset = static_cast<std::uint32_t>(s.arenaUsed);
    entry.length = static_cast<std::uint32_t>(entryLength);
    std::copy(s.pending, s.pending + s.pendingLength, s.arena + s.arenaUsed);
    s.arena[s.arenaUsed + s.pendingLength] = k;
    s.arenaUsed += entryLength;
    ++nextCode;

    if (!writePending()) return LzwStatus::corrupt;
    // W = C's string.
    if (c < 256) {
      s.pending[0] = static_cast<std::uint8_t>(c);
      s.pendingLength = 1;
    } else {
      const WorkingState::Entry& source = s.entries[c];
      if (source.length > kLzwMaxString) return LzwStatus::corrupt;
      std::copy(s.arena + source.offset, s.arena + source.offset + source.length, s.pending);
      s.pendingLength = source.length;
    }
  }
}

}  // namespace

const char* lzwStatusName(LzwStatus status) {
  switch (status) {
    case LzwStatus::ok: return "ok";
    case LzwStatus::noMemory: return "no memory";
    case LzwStatus::noFirstCode: return "no first code";
    case LzwStatus::corrupt: return "corrupt";
  }
  return "unknown status";
}

LzwMemory& heapMemory() {
  static HeapMemory heap;
  return heap;
}

LzwStatus lzwDecode(const std::uint8_t* input, std::size_t size, std::vector<std::uint8_t>& output,
                    LzwMemory& memory) {
  bool outputRefused = false;
  return decode(memory, input, size, output, outputRefused);
}

LzwStatus lzwDecode(const std::uint8_t* input, std::size_t size, std::vector<std::uint8_t>& output,
                    Messages& messages, LzwMemory& memory) {
  bool outputRefused = false;
  const LzwStatus status = decode(memory, input, size, output, outputRefused);
  if (outputRefused) messages.show("Impossible d'allouer la memoire", "information", kMbOk);
  return status;
}

}  // namespace fenok
