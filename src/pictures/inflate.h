#pragma once
// A zlib (RFC 1950) / DEFLATE (RFC 1951) inflater that writes into one caller-given buffer, which is
// also its window. The compressed bytes come in spans (the data of successive PNG chunks) and are read
// where they lie.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace fenok {

// Hands out the compressed input span by span; false once there is no more.
class InflateInput {
 public:
  virtual ~InflateInput() = default;
  virtual bool next(const std::uint8_t*& bytes, std::size_t& size) = 0;
};

// Input made of spans held elsewhere (tests, tools).
class SpanInput : public InflateInput {
 public:
  struct Span {
    const std::uint8_t* bytes;
    std::size_t size;
  };
  explicit SpanInput(std::vector<Span> spans) : spans_(std::move(spans)) {}
  SpanInput(const std::uint8_t* bytes, std::size_t size) : spans_{{bytes, size}} {}
  bool next(const std::uint8_t*& bytes, std::size_t& size) override {
    if (index_ == spans_.size()) return false;
    bytes = spans_[index_].bytes;
    size = spans_[index_].size;
    ++index_;
    return true;
  }

 private:
  std::vector<Span> spans_;
  std::size_t index_ = 0;
};

// Bad data is kept apart from running out of input or of room.
enum class InflateStatus : std::uint8_t {
  ok,
  badHeader,        // method not 8, window over 32K, or a preset dictionary
  badBlockType,     // block type 3
  badStoredLength,  // stored length and its complement disagree
  badCodeLengths,   // a code description that cannot form a code
  badCode,          // a code that stands for no symbol
  badDistance,      // a back-reference before the start of the output
  outputOverflow,   // more data than the buffer holds
  outputShort,      // the stream ended before filling the buffer (the rest is zeroed)
  inputEnded,       // the input ran out inside the blocks
  noMemory,         // the decoding tables could not be allocated
};
const char* inflateStatusName(InflateStatus status);

// Inflates one zlib stream into exactly outputSize bytes. The Adler-32 value is neither compared nor
// required: the input may end anywhere after the last block. Never reads or writes outside the spans
// and the buffer.
InflateStatus inflateZlib(InflateInput& input, std::uint8_t* output, std::size_t outputSize);

}  // namespace fenok
