// lzwEncode: the encoder of the stored content (authoring tool, fixtures, tests).
//
// Greedy LZW over a trie of the dictionary, mirroring the decoder step by step: before each code
// (after the first) the decoder will define entry (next code) = previous string + the first byte of
// this code's string, so the encoder adds that entry to its trie first and then looks for the
// longest match, which may be the entry just added (the KwKwK case). It writes 257 whenever a code
// does not fit the current width, 258 when the dictionary is full (the previous string survives a
// reset in the decoder, so the first entry after a reset cannot be reached from the trie and is
// simply never used), and 256 at the end. Matches are cut at kLzwMaxString bytes.
#include <algorithm>

#include "content/lzw.h"

namespace fenok {
namespace {

class BitWriter {
 public:
  void put(std::uint32_t code, int width) {
    for (int i = width - 1; i >= 0; --i) {
      current_ = static_cast<std::uint8_t>((current_ << 1) | ((code >> i) & 1u));
      if (++used_ == 8) {
        bytes_.push_back(current_);
        current_ = 0;
        used_ = 0;
      }
    }
  }
  std::vector<std::uint8_t> finish() {
    if (used_ > 0) bytes_.push_back(static_cast<std::uint8_t>(current_ << (8 - used_)));
    used_ = 0;
    current_ = 0;
    return std::move(bytes_);
  }

 private:
  std::vector<std::uint8_t> bytes_;
  std::uint8_t current_ = 0;
  int used_ = 0;
};

}  // namespace

std::vector<std::uint8_t> lzwEncode(const std::uint8_t* input, std::size_t size) {
  if (size == 0 || input == nullptr) return {};
  // The dictionary as a trie: each entry's children in a list (first child, next sibling), the byte
  // that leads to it, 0 for "none" (codes below 259 are never children).
  std::vector<std::uint16_t> firstChild(kLzwDictionarySize, 0);
  std::vector<std::uint16_t> nextSibling(kLzwDictionarySize, 0);
  std::vector<std::uint8_t> lastByte(kLzwDictionarySize, 0);
  const auto childOf = [&](std::uint32_t code, std::uint8_t byte) -> std::uint32_t {
    for (std::uint32_t child = firstChild[code]; child != 0; child = nextSibling[child]) {
      if (lastByte[child] == byte) return child;
    }
    return 0;
  };
  const auto addChild = [&](std::uint32_t code, std::uint8_t byte, std::uint32_t child) {
    lastByte[child] = byte;
    nextSibling[child] = firstChild[code];
    firstChild[code] = static_cast<std::uint16_t>(child);
  };

  BitWriter bits;
  int width = kLzwFirstWidth;
  std::uint32_t nextCode = kLzwFirstFreeCode;

  const auto longestMatch = [&](std::size_t position, std::uint32_t& code) {
    code = input[position];
    std::size_t length = 1;
    while (position + length < size && length < kLzwMaxString) {
      const std::uint32_t child = childOf(code, input[position + length]);
      if (child == 0) break;
      code = child;
      ++length;
    }
    return length;
  };
  const auto putCode = [&](std::uint32_t code) {
    while (code >= (1u << width)) {
      bits.put(kLzwWidenCode, width);
      ++width;
    }
    bits.put(code, width);
  };

  std::uint32_t previous = 0;
  std::size_t position = longestMatch(0, previous);
  bits.put(previous, kLzwFirstWidth);
  bool previousInTrie = true;
  while (position < size) {
    if (nextCode >= static_cast<std::uint32_t>(kLzwDictionarySize)) {
      bits.put(kLzwResetCode, width);
      width = kLzwFirstWidth;
      nextCode = kLzwFirstFreeCode;
      std::fill(firstChild.begin(), firstChild.end(), 0);
      previousInTrie = previous < 256;
    }
    // The decoder defines (next code) = previous string + this byte when the next code arrives. When
    // the previous match was cut at kLzwMaxString, that entry may already exist under another code:
    // the new one is then not reachable, which is harmless.
    if (previousInTrie && childOf(previous, input[position]) == 0) addChild(previous, input[position], nextCode);
    ++nextCode;
    std::uint32_t code = 0;
    position += longestMatch(position, code);
    putCode(code);
    previous = code;
    previousInTrie = true;
  }
  bits.put(kLzwEndCode, width);
  return bits.finish();
}

}  // namespace fenok
