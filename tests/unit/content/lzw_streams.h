#pragma once
// Test helpers for LZW streams: a code packer that follows the width the way the decoder does, and a
// literal reference decoder (strings in a vector, no limits but the stream's) used as an oracle.
#include <cstdint>
#include <string>
#include <vector>

#include "content/lzw.h"

namespace fenok::testing {

using Bytes = std::vector<std::uint8_t>;

inline Bytes bytesOf(const std::string& text) { return Bytes(text.begin(), text.end()); }
inline std::string textOf(const Bytes& bytes) { return std::string(bytes.begin(), bytes.end()); }

// Rounds of the random tests. Under the address sanitizer every decode costs many times more, and
// the LZW fuzz target already throws arbitrary streams at the decoder there: a tenth is enough.
#if defined(__SANITIZE_ADDRESS__)
constexpr int kRandomScale = 10;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr int kRandomScale = 10;
#else
constexpr int kRandomScale = 1;
#endif
#else
constexpr int kRandomScale = 1;
#endif
constexpr int randomRounds(int rounds) { return rounds / kRandomScale; }

// Packs codes most-significant bit first. The width starts at 9, grows after each widen() and goes
// back to 9 after each reset(), as the decoder reads them.
class CodeStream {
 public:
  CodeStream& code(std::uint64_t value) { return put(value, width_); }
  CodeStream& codes(std::initializer_list<std::uint64_t> values) {
    for (const std::uint64_t value : values) code(value);
    return *this;
  }
  CodeStream& widen() {
    code(kLzwWidenCode);
    ++width_;
    return *this;
  }
  CodeStream& reset() {
    code(kLzwResetCode);
    width_ = kLzwFirstWidth;
    return *this;
  }
  CodeStream& end() { return code(kLzwEndCode); }
  CodeStream& put(std::uint64_t value, int width) {
    for (int i = width - 1; i >= 0; --i) {
      current_ = static_cast<std::uint8_t>((current_ << 1) | ((value >> i) & 1u));
      if (++used_ == 8) {
        bytes_.push_back(current_);
        current_ = 0;
        used_ = 0;
      }
    }
    return *this;
  }
  int width() const { return width_; }
  Bytes bytes() const {
    Bytes result = bytes_;
    if (used_ > 0) result.push_back(static_cast<std::uint8_t>(current_ << (8 - used_)));
    return result;
  }

 private:
  Bytes bytes_;
  std::uint8_t current_ = 0;
  int used_ = 0;
  int width_ = kLzwFirstWidth;
};

// One code as the reference decoder read it.
struct TracedCode {
  std::uint64_t code;
  int width;
};

struct ReferenceResult {
  LzwStatus status = LzwStatus::corrupt;
  std::string output;
  std::vector<TracedCode> codes;
};

// Literal rendering of the decoding steps, with strings in a vector; only the input, output and
// width bounds of lzwDecode (its other bounds are implied by those).
inline ReferenceResult referenceDecode(const Bytes& input) {
  ReferenceResult result;
  std::size_t bit = 0;
  const auto read = [&](int width, std::uint64_t& code) {
    if (bit + static_cast<std::size_t>(width) > input.size() * 8) return false;
    code = 0;
    for (int i = 0; i < width; ++i, ++bit) code = (code << 1) | ((input[bit / 8] >> (7 - bit % 8)) & 1u);
    return true;
  };
  if (input.empty()) {
    result.status = LzwStatus::noFirstCode;
    return result;
  }
  if (input.size() > kLzwMaxInput) return result;
  std::uint64_t code = 0;
  if (!read(9, code)) {
    result.status = LzwStatus::noFirstCode;
    return result;
  }
  result.codes.push_back({code, 9});
  std::vector<std::string> dictionary(4096);
  std::string w(1, static_cast<char>(code & 0xFF));
  std::uint64_t next = 259;
  int width = 9;
  for (;;) {
    if (width > 32) return result;
    if (!read(width, code)) return result;
    result.codes.push_back({code, width});
    if (code == 256) {
      if (result.output.size() + w.size() > kLzwMaxOutput) return result;
      result.output += w;
      result.status = LzwStatus::ok;
      return result;
    }
    if (code == 258) {
      next = 259;
      width = 9;
      continue;
    }
    if (code == 257) {
      ++width;
      continue;
    }
    if (code > next || next >= 4096) return result;
    const std::string entry = code < 256 ? std::string(1, static_cast<char>(code)) : dictionary[code];
    const char k = code == next ? w[0] : entry[0];
    dictionary[next] = w + k;
    if (result.output.size() + w.size() > kLzwMaxOutput) return result;
    result.output += w;
    w = code < 256 ? entry : dictionary[code];
    ++next;
  }
}

}  // namespace fenok::testing
