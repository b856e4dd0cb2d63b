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
  // children[code * 256 + byte]: the code of (code's string + byte), 0 when not in the dictionary.
  std::vector<std::uint16_t> children(static_cast<std::size_t>(kLzwDictionarySize) * 256, 0);
  BitWriter bits;
  int width = kLzwFirstWidth;
  std::uint32_t nextCode = kLzwFirstFreeCode;

  const auto longestMatch = [&](std::size_t position, std::uint32_t& code) {
    code = input[position];
    std::size_t length = 1;
    while (position + length < size && length < kLzwMaxString) {
      const std::uint16_t child = children[code * 256 + input[position + length]];
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
      std::fill(children.begin(), children.end(), 0);
      previousInTrie = previous < 256;
    }
    if (previousInTrie) children[previous * 256 + input[position]] = static_cast<std::uint16_t>(nextCode);
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
