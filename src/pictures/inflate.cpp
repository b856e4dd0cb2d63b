#include "pictures/inflate.h"

#include <cstring>
#include <new>

#include "pictures/inflate_huffman.h"

namespace fenok {
namespace {

// Format notes (RFC 1950, RFC 1951):
// - Bits are taken least significant first; Huffman codes are stored most significant bit first,
//   hence the bit-reversed table indices.
// - The whole output buffer is the window: a back-reference may reach any byte already written.
// - Past the end of the input the reader delivers zero bits and counts them; a stream whose blocks
//   needed any of them was cut short. The Adler-32 after the last block is not needed. Checking once per symbol in the careful path (and never needing it
//   in the fast path, which only runs with real bytes at hand) keeps the decoding loops simple.

constexpr std::size_t kMaxMatch = 258;
constexpr std::size_t kFastOutputRoom = kMaxMatch + 16;  // a match may overshoot by up to 15 bytes
constexpr std::size_t kFastInputRoom = 8;               // one unaligned 64-bit load

constexpr std::uint8_t kCodeLengthOrder[kCodeLengthSymbols] = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                               11, 4,  12, 3, 13, 2, 14, 1, 15};

// For a back-reference closer than 8 bytes: the smallest multiple of its distance that is at least 8,
// from which 8-byte blocks can be copied without overlap once that many bytes are written.
constexpr std::uint8_t kPatternStride[8] = {0, 8, 8, 9, 8, 10, 12, 14};

std::uint64_t load64LittleEndian(const std::uint8_t* p) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__
  std::uint64_t value;
  std::memcpy(&value, p, sizeof value);
  return value;
#else
  std::uint64_t value = 0;
  for (int i = 7; i >= 0; --i) value = value << 8 | p[i];
  return value;
#endif
}

std::uint32_t lowBits(std::uint64_t bits, unsigned count) {
  return static_cast<std::uint32_t>(bits) & ((1u << count) - 1);
}

// Copies a back-reference of `length` bytes from `distance` bytes back. May write up to 15 bytes past
// the end of the match; the caller guarantees that room.
void copyMatchFast(std::uint8_t* out, std::size_t distance, std::size_t length) {
  std::uint8_t* const end = out + length;
  if (distance >= 16) {  // blocks that never overlap what they read
    const std::uint8_t* from = out - distance;
    do {
      std::memcpy(out, from, 16);
      out += 16;
      from += 16;
    } while (out < end);
    return;
  }
  if (distance == 1) {  // a run of one byte: stores only, nothing to wait for
    const std::uint64_t run = 0x0101010101010101ull * out[-1];
    do {
      std::memcpy(out, &run, 8);
      std::memcpy(out + 8, &run, 8);
      out += 16;
    } while (out < end);
    return;
  }
  if (distance >= 8) {
    const std::uint8_t* from = out - distance;
    do {
      std::memcpy(out, from, 8);
      out += 8;
      from += 8;
    } while (out < end);
    return;
  }
  // Closer than 8 bytes: the first steps advance by the distance, each one 8-byte word read before it
  // is written, until a whole pattern stride is out (short matches, the common case, end there);
  // then whole words, which no longer overlap what they read.
  std::uint8_t* const start = out;
  const std::size_t stride = kPatternStride[distance];
  do {
    std::uint64_t word;
    std::memcpy(&word, out - distance, sizeof word);
    std::memcpy(out, &word, sizeof word);
    out += distance;
  } while (out < end && static_cast<std::size_t>(out - start) < stride);
  for (; out < end; out += 8) std::memcpy(out, out - stride, 8);
}

class Inflater {
 public:
  Inflater(InflateInput& input, std::uint8_t* output, std::size_t outputSize)
      : input_(input), outStart_(output), out_(output), outEnd_(output + outputSize) {}

  InflateStatus run();

 private:
  enum class Step { again, blockEnd, fail };

  // Bit reader.
  void refill();  // at least 56 bits in the buffer, zero bits past the end of the input
  std::uint32_t take(unsigned count);
  void skipToByte();
  bool pastEnd() const { return paddingBytes_ * 8 > count_; }
  bool nextSpan();

  InflateStatus zlibHeader();
  InflateStatus storedBlock();
  InflateStatus fixedBlock();
  InflateStatus dynamicBlock();
  InflateStatus readCodeLengths(std::uint8_t* lengths, unsigned total);
  InflateStatus codes();
  Step fastCodes(InflateStatus& status);
  Step carefulSymbol(InflateStatus& status);
  std::uint32_t decodeSymbol(const std::uint32_t* table, unsigned rootBits);

  InflateInput& input_;
  const std::uint8_t* in_ = nullptr;
  const std::uint8_t* inEnd_ = nullptr;
  bool inputDone_ = false;
  std::uint64_t bits_ = 0;           // pending bits, the next one lowest
  unsigned count_ = 0;               // how many of them are valid
  std::size_t paddingBytes_ = 0;     // zero bytes supplied after the input ended
  std::uint8_t* const outStart_;
  std::uint8_t* out_;
  std::uint8_t* const outEnd_;
  std::uint32_t litLen_[kLitLenTableSize];
  std::uint32_t distance_[kDistanceTableSize];
};

bool Inflater::nextSpan() {
  while (!inputDone_) {
    std::size_t size = 0;
    if (!input_.next(in_, size)) {
      inputDone_ = true;
      in_ = inEnd_ = nullptr;
      return false;
    }
    inEnd_ = in_ + size;
    if (size != 0) return true;
  }
  return false;
}

void Inflater::refill() {
  while (count_ < 56) {
    if (in_ == inEnd_ && !nextSpan()) {
      ++paddingBytes_;
    } else {
      bits_ |= std::uint64_t{*in_++} << count_;
    }
    count_ += 8;
  }
}

std::uint32_t Inflater::take(unsigned count) {
  if (count_ < count) refill();
  const std::uint32_t value = lowBits(bits_, count);
  bits_ >>= count;
  count_ -= count;
  return value;
}

void Inflater::skipToByte() {
  bits_ >>= count_ % 8;
  count_ -= count_ % 8;
}

std::uint32_t Inflater::decodeSymbol(const std::uint32_t* table, unsigned rootBits) {
  if (count_ < kMaxCodeBits) refill();
  std::uint32_t entry = table[lowBits(bits_, rootBits)];
  if (entryKind(entry) == kindSubtable) {
    bits_ >>= rootBits;
    count_ -= rootBits;
    entry = table[entryValue(entry) + lowBits(bits_, entryExtra(entry))];
  }
  bits_ >>= entryBits(entry);
  count_ -= entryBits(entry);
  return entry;
}

InflateStatus Inflater::run() {
  if (const InflateStatus status = zlibHeader(); status != InflateStatus::ok) return status;
  bool lastBlock = false;
  while (!lastBlock) {
    lastBlock = take(1) != 0;
    const std::uint32_t type = take(2);
    if (pastEnd()) return InflateStatus::inputEnded;
    InflateStatus status = InflateStatus::badBlockType;
    if (type == 0) status = storedBlock();
    if (type == 1) status = fixedBlock();
    if (type == 2) status = dynamicBlock();
    if (status != InflateStatus::ok) return status;
  }
  // The Adler-32 that follows is never compared, so it is not read: a stream that ends without it
  // (or inside it) decodes all the same.
  if (out_ != outEnd_) {
    std::memset(out_, 0, static_cast<std::size_t>(outEnd_ - out_));
    return InflateStatus::outputShort;
  }
  return InflateStatus::ok;
}

InflateStatus Inflater::zlibHeader() {
  const std::uint32_t method = take(4);
  const std::uint32_t window = take(4);
  const std::uint32_t flags = take(8);
  if (pastEnd()) return InflateStatus::inputEnded;
  const bool presetDictionary = (flags & 0x20) != 0;
  if (method != 8 || window > 7 || presetDictionary) return InflateStatus::badHeader;
  return InflateStatus::ok;
}

InflateStatus Inflater::storedBlock() {
  skipToByte();
  const std::uint32_t length = take(16);
  const std::uint32_t complement = take(16);
  if (pastEnd()) return InflateStatus::inputEnded;
  if (length != (~complement & 0xFFFF)) return InflateStatus::badStoredLength;
  if (length > static_cast<std::size_t>(outEnd_ - out_)) return InflateStatus::outputOverflow;
  std::size_t left = length;
  while (left != 0 && count_ != 0) {  // whole bytes still in the bit buffer come first
    *out_++ = static_cast<std::uint8_t>(take(8));
    --left;
  }
  if (pastEnd()) return InflateStatus::inputEnded;
  while (left != 0) {  // the bit buffer is empty now: the rest comes straight from the input
    if (in_ == inEnd_ && !nextSpan()) return InflateStatus::inputEnded;
    const std::size_t available = static_cast<std::size_t>(inEnd_ - in_);
    const std::size_t part = available < left ? available : left;
    std::memcpy(out_, in_, part);
    out_ += part;
    in_ += part;
    left -= part;
  }
  return InflateStatus::ok;
}

InflateStatus Inflater::fixedBlock() {
  std::uint8_t lengths[kLitLenSymbols];
  std::memset(lengths, 8, 144);
  std::memset(lengths + 144, 9, 112);
  std::memset(lengths + 256, 7, 24);
  std::memset(lengths + 280, 8, 8);
  buildHuffmanTable(lengths, kLitLenSymbols, litLenLeaves(), kLitLenRootBits, litLen_, kLitLenTableSize);
  std::memset(lengths, 5, kDistanceSymbols);
  buildHuffmanTable(lengths, kDistanceSymbols, distanceLeaves(), kDistanceRootBits, distance_,
                    kDistanceTableSize);
  return codes();
}

InflateStatus Inflater::dynamicBlock() {
  const unsigned litLenCount = take(5) + 257;
  const unsigned distanceCount = take(5) + 1;
  const unsigned codeLengthCount = take(4) + 4;
  if (litLenCount > 286 || distanceCount > 30) return InflateStatus::badCodeLengths;

  std::uint8_t codeLengthLengths[kCodeLengthSymbols] = {};
  for (unsigned i = 0; i < codeLengthCount; ++i) codeLengthLengths[kCodeLengthOrder[i]] = static_cast<std::uint8_t>(take(3));
  if (pastEnd()) return InflateStatus::inputEnded;
  // The code-length code is decoded with the literal/length table's storage, rebuilt right after.
  if (!buildHuffmanTable(codeLengthLengths, kCodeLengthSymbols, codeLengthLeaves(), kCodeLengthRootBits, litLen_,
                         kCodeLengthTableSize)) {
    return InflateStatus::badCodeLengths;
  }

  std::uint8_t lengths[286 + 30];
  if (const InflateStatus status = readCodeLengths(lengths, litLenCount + distanceCount);
      status != InflateStatus::ok) {
    return status;
  }
  if (lengths[256] == 0) return InflateStatus::badCodeLengths;  // a block that could never end
  if (!buildHuffmanTable(lengths, litLenCount, litLenLeaves(), kLitLenRootBits, litLen_, kLitLenTableSize) ||
      !buildHuffmanTable(lengths + litLenCount, distanceCount, distanceLeaves(), kDistanceRootBits, distance_,
                         kDistanceTableSize)) {
    return InflateStatus::badCodeLengths;
  }
  return codes();
}

InflateStatus Inflater::readCodeLengths(std::uint8_t* lengths, unsigned total) {
  struct Repeat {
    unsigned extraBits, base;
    bool copiesPrevious;
  };
  static constexpr Repeat kRepeats[3] = {{2, 3, true}, {3, 3, false}, {7, 11, false}};
  unsigned index = 0;
  while (index < total) {
    const std::uint32_t entry = decodeSymbol(litLen_, kCodeLengthRootBits);
    if (pastEnd()) return InflateStatus::inputEnded;
    if (entryKind(entry) != kindLiteral) return InflateStatus::badCodeLengths;
    const unsigned symbol = entryValue(entry);
    if (symbol < 16) {
      lengths[index++] = static_cast<std::uint8_t>(symbol);
      continue;
    }
    const Repeat& repeat = kRepeats[symbol - 16];
    if (repeat.copiesPrevious && index == 0) return InflateStatus::badCodeLengths;
    const std::uint8_t value = repeat.copiesPrevious ? lengths[index - 1] : 0;
    const unsigned times = repeat.base + take(repeat.extraBits);
    if (times > total - index) return InflateStatus::badCodeLengths;
    std::memset(lengths + index, value, times);
    index += times;
  }
  return pastEnd() ? InflateStatus::inputEnded : InflateStatus::ok;
}

InflateStatus Inflater::codes() {
  InflateStatus status = InflateStatus::ok;
  for (;;) {
    Step step = fastCodes(status);
    if (step == Step::again) step = carefulSymbol(status);
    if (step == Step::blockEnd) return InflateStatus::ok;
    if (step == Step::fail) return status;
  }
}

// Decodes symbols while at least 8 input bytes and a longest match's room of output remain, with one
// 64-bit refill per symbol and no other checks than those the data needs. Returns again when it
// stops for lack of room, with the reader's state as a careful decoder expects it.
Inflater::Step Inflater::fastCodes(InflateStatus& status) {
  std::uint64_t bits = bits_;
  unsigned count = count_;
  const std::uint8_t* in = in_;
  std::uint8_t* out = out_;
  const std::uint32_t* const litLen = litLen_;
  const std::uint32_t* const distances = distance_;
  Step step = Step::again;

  while (in != nullptr && static_cast<std::size_t>(inEnd_ - in) >= kFastInputRoom &&
         static_cast<std::size_t>(outEnd_ - out) >= kFastOutputRoom) {
    // Branch-free refill to 56..63 bits; bits above count are the next input bits, or zero.
    bits |= load64LittleEndian(in) << count;
    in += (63 - count) >> 3;
    count |= 56;

    std::uint32_t entry = litLen[lowBits(bits, kLitLenRootBits)];
    if (entryKind(entry) == kindSubtable) {
      bits >>= kLitLenRootBits;
      count -= kLitLenRootBits;
      entry = litLen[entryValue(entry) + lowBits(bits, entryExtra(entry))];
    }
    bits >>= entryBits(entry);
    count -= entryBits(entry);

    if (entryKind(entry) == kindLiteral) {
      *out++ = static_cast<std::uint8_t>(entryValue(entry));
      // Two more literals from the root table fit in the bits at hand (56 - 15 - 10 - 10 > 0).
      entry = litLen[lowBits(bits, kLitLenRootBits)];
      if (entryKind(entry) != kindLiteral) continue;
      bits >>= entryBits(entry);
      count -= entryBits(entry);
      *out++ = static_cast<std::uint8_t>(entryValue(entry));
      entry = litLen[lowBits(bits, kLitLenRootBits)];
      if (entryKind(entry) != kindLiteral) continue;
      bits >>= entryBits(entry);
      count -= entryBits(entry);
      *out++ = static_cast<std::uint8_t>(entryValue(entry));
      continue;
    }
    if (entryKind(entry) != kindLength) {
      step = entryKind(entry) == kindEnd ? Step::blockEnd : Step::fail;
      status = InflateStatus::badCode;
      break;
    }
    const std::size_t length = entryValue(entry) + lowBits(bits, entryExtra(entry));
    bits >>= entryExtra(entry);
    count -= entryExtra(entry);

    entry = distances[lowBits(bits, kDistanceRootBits)];
    if (entryKind(entry) == kindSubtable) {
      bits >>= kDistanceRootBits;
      count -= kDistanceRootBits;
      entry = distances[entryValue(entry) + lowBits(bits, entryExtra(entry))];
    }
    bits >>= entryBits(entry);
    count -= entryBits(entry);
    if (entryKind(entry) != kindDistance) {
      step = Step::fail;
      status = InflateStatus::badCode;
      break;
    }
    const std::size_t distance = entryValue(entry) + lowBits(bits, entryExtra(entry));
    bits >>= entryExtra(entry);
    count -= entryExtra(entry);
    if (distance > static_cast<std::size_t>(out - outStart_)) {
      step = Step::fail;
      status = InflateStatus::badDistance;
      break;
    }
    copyMatchFast(out, distance, length);
    out += length;
  }

  bits_ = bits & ((std::uint64_t{1} << count) - 1);  // the careful path expects nothing above count
  count_ = count;
  in_ = in;
  out_ = out;
  return step;
}

// One symbol with every check: near the end of an input span or of the output.
Inflater::Step Inflater::carefulSymbol(InflateStatus& status) {
  const std::uint32_t entry = decodeSymbol(litLen_, kLitLenRootBits);
  status = InflateStatus::badCode;
  if (entryKind(entry) == kindLiteral) {
    if (out_ == outEnd_) {
      status = InflateStatus::outputOverflow;
      return Step::fail;
    }
    *out_++ = static_cast<std::uint8_t>(entryValue(entry));
  } else if (entryKind(entry) == kindLength) {
    const std::size_t length = entryValue(entry) + take(entryExtra(entry));
    const std::uint32_t distanceEntry = decodeSymbol(distance_, kDistanceRootBits);
    if (entryKind(distanceEntry) != kindDistance) return Step::fail;
    const std::size_t distance = entryValue(distanceEntry) + take(entryExtra(distanceEntry));
    if (distance > static_cast<std::size_t>(out_ - outStart_)) {
      status = InflateStatus::badDistance;
      return Step::fail;
    }
    if (length > static_cast<std::size_t>(outEnd_ - out_)) {
      status = InflateStatus::outputOverflow;
      return Step::fail;
    }
    for (std::size_t i = 0; i < length; ++i, ++out_) *out_ = *(out_ - distance);
  } else if (entryKind(entry) != kindEnd) {
    return Step::fail;
  }
  if (pastEnd()) {
    status = InflateStatus::inputEnded;
    return Step::fail;
  }
  status = InflateStatus::ok;
  return entryKind(entry) == kindEnd ? Step::blockEnd : Step::again;
}

}  // namespace

const char* inflateStatusName(InflateStatus status) {
  static constexpr const char* kNames[] = {"ok",          "badHeader",     "badBlockType",   "badStoredLength",
                                           "badCodeLengths", "badCode",    "badDistance",    "outputOverflow",
                                           "outputShort", "inputEnded", "noMemory"};
  const auto index = static_cast<std::size_t>(status);
  return index < sizeof kNames / sizeof kNames[0] ? kNames[index] : "unknown";
}

InflateStatus inflateZlib(InflateInput& input, std::uint8_t* output, std::size_t outputSize) {
  // The tables are too large for a comfortable stack frame on the player's thread.
  auto* inflater = new (std::nothrow) Inflater(input, output, outputSize);
  if (inflater == nullptr) return InflateStatus::noMemory;
  const InflateStatus status = inflater->run();
  delete inflater;
  return status;
}

}  // namespace fenok
