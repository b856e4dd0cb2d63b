#include "png_inflate_oracle.h"

namespace fenok::pngtest {
namespace {

struct Failure {};

struct Huffman {
  unsigned counts[16] = {};
  std::vector<unsigned> symbols;
};

class Oracle {
 public:
  Oracle(const std::vector<std::uint8_t>& input, std::size_t outputSize) : input_(input), limit_(outputSize) {}

  std::vector<std::uint8_t> run() {
    const unsigned method = bits(4), window = bits(4), flags = bits(8);
    if (method != 8 || window > 7 || (flags & 0x20)) throw Failure{};
    unsigned last = 0;
    do {
      last = bits(1);
      const unsigned type = bits(2);
      if (type == 0) stored();
      else if (type == 1) fixed();
      else if (type == 2) dynamic();
      else throw Failure{};
    } while (!last);
    // The Adler-32 after the last block is not compared and may be missing: nothing more is read.
    if (output_.size() != limit_) throw Failure{};
    return output_;
  }

 private:
  unsigned bits(unsigned need) {
    unsigned value = 0;
    for (unsigned i = 0; i < need; ++i) {
      if (bitCount_ == 0) {
        if (position_ == input_.size()) throw Failure{};
        byte_ = input_[position_++];
        bitCount_ = 8;
      }
      value |= (byte_ & 1u) << i;
      byte_ >>= 1;
      --bitCount_;
    }
    return value;
  }

  void put(std::uint8_t value) {
    if (output_.size() == limit_) throw Failure{};
    output_.push_back(value);
  }

  void stored() {
    bitCount_ = 0;
    const unsigned length = bits(16), complement = bits(16);
    if (length != (~complement & 0xFFFF)) throw Failure{};
    for (unsigned i = 0; i < length; ++i) put(static_cast<std::uint8_t>(bits(8)));
  }

  static Huffman build(const std::vector<unsigned>& lengths) {
    Huffman code;
    for (unsigned length : lengths) ++code.counts[length];
    code.counts[0] = 0;
    int left = 1;
    for (int length = 1; length < 16; ++length) {
      left = 2 * left - static_cast<int>(code.counts[length]);
      if (left < 0) throw Failure{};
    }
    for (unsigned length = 1; length < 16; ++length) {
      for (unsigned symbol = 0; symbol < lengths.size(); ++symbol) {
        if (lengths[symbol] == length) code.symbols.push_back(symbol);
      }
    }
    return code;
  }

  unsigned decode(const Huffman& code) {
    int value = 0, first = 0, index = 0;
    for (int length = 1; length < 16; ++length) {
      value |= static_cast<int>(bits(1));
      const int count = static_cast<int>(code.counts[length]);
      if (value - count < first) return code.symbols[static_cast<std::size_t>(index + (value - first))];
      index += count;
      first = (first + count) << 1;
      value <<= 1;
    }
    throw Failure{};
  }

  void codes(const Huffman& litLen, const Huffman& distances) {
    static const unsigned kLengthBase[29] = {3,  4,  5,  6,  7,  8,  9,  10, 11,  13,  15,  17,  19,  23, 27,
                                             31, 35, 43, 51, 59, 67, 83, 99, 115, 131, 163, 195, 227, 258};
    static const unsigned kLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                              2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
    static const unsigned kDistanceBase[30] = {1,    2,    3,    4,    5,    7,     9,     13,    17,  25,
                                               33,   49,   65,   97,   129,  193,   257,   385,   513, 769,
                                               1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
    static const unsigned kDistanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                                6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};
    for (;;) {
      const unsigned symbol = decode(litLen);
      if (symbol < 256) {
        put(static_cast<std::uint8_t>(symbol));
        continue;
      }
      if (symbol == 256) return;
      if (symbol >= 286) throw Failure{};
      const unsigned length = kLengthBase[symbol - 257] + bits(kLengthExtra[symbol - 257]);
      const unsigned distanceSymbol = decode(distances);
      if (distanceSymbol >= 30) throw Failure{};
      const std::size_t distance = kDistanceBase[distanceSymbol] + bits(kDistanceExtra[distanceSymbol]);
      if (distance > output_.size()) throw Failure{};
      for (unsigned i = 0; i < length; ++i) put(output_[output_.size() - distance]);
    }
  }

  void fixed() {
    std::vector<unsigned> lengths(288);
    for (unsigned i = 0; i < 288; ++i) lengths[i] = i < 144 ? 8 : i < 256 ? 9 : i < 280 ? 7 : 8;
    codes(build(lengths), build(std::vector<unsigned>(32, 5)));
  }

  void dynamic() {
    static const unsigned kOrder[19] = {16, 17, 18, 0, 8, 7, 9, 6, 10, 5, 11, 4, 12, 3, 13, 2, 14, 1, 15};
    const unsigned litLenCount = bits(5) + 257, distanceCount = bits(5) + 1, codeLengthCount = bits(4) + 4;
    if (litLenCount > 286 || distanceCount > 30) throw Failure{};
    std::vector<unsigned> codeLengthLengths(19);
    for (unsigned i = 0; i < codeLengthCount; ++i) codeLengthLengths[kOrder[i]] = bits(3);
    const Huffman codeLengthCode = build(codeLengthLengths);
    std::vector<unsigned> lengths;
    while (lengths.size() < litLenCount + distanceCount) {
      const unsigned symbol = decode(codeLengthCode);
      if (symbol < 16) {
        lengths.push_back(symbol);
        continue;
      }
      unsigned value = 0, times = 0;
      if (symbol == 16) {
        if (lengths.empty()) throw Failure{};
        value = lengths.back();
        times = 3 + bits(2);
      } else {
        times = symbol == 17 ? 3 + bits(3) : 11 + bits(7);
      }
      if (lengths.size() + times > litLenCount + distanceCount) throw Failure{};
      lengths.insert(lengths.end(), times, value);
    }
    if (lengths[256] == 0) throw Failure{};
    const Huffman litLen = build(std::vector<unsigned>(lengths.begin(), lengths.begin() + litLenCount));
    const Huffman distances = build(std::vector<unsigned>(lengths.begin() + litLenCount, lengths.end()));
    codes(litLen, distances);
  }

  const std::vector<std::uint8_t>& input_;
  std::size_t position_ = 0;
  unsigned byte_ = 0, bitCount_ = 0;
  std::size_t limit_;
  std::vector<std::uint8_t> output_;
};

}  // namespace

bool oracleInflate(const std::vector<std::uint8_t>& input, std::size_t outputSize, std::vector<std::uint8_t>& output) {
  try {
    output = Oracle(input, outputSize).run();
    return true;
  } catch (const Failure&) {
    return false;
  }
}

}  // namespace fenok::pngtest
