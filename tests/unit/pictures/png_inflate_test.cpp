#include "pictures/inflate.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <random>
#include <vector>

#include "png_inflate_oracle.h"
#include "png_test_support.h"

namespace fenok {
namespace {

using pngtest::Bytes;

// Inflates with the real inflater, the input cut into spans of the given sizes (cycled).
InflateStatus inflateInSpans(const Bytes& stream, std::size_t outputSize, Bytes& output,
                             const std::vector<std::size_t>& spanSizes = {}) {
  std::vector<SpanInput::Span> spans;
  std::size_t at = 0;
  for (std::size_t i = 0; at < stream.size(); ++i) {
    const std::size_t size = spanSizes.empty() ? stream.size() : std::min(spanSizes[i % spanSizes.size()], stream.size() - at);
    spans.push_back({stream.data() + at, size});
    at += size;
  }
  SpanInput input(spans);
  output.assign(outputSize, 0xCD);
  return inflateZlib(input, output.data(), output.size());
}

Bytes compressWith(const Bytes& raw, int level, int strategy, int memoryLevel = 8) {
  z_stream stream{};
  deflateInit2(&stream, level, Z_DEFLATED, 15, memoryLevel, strategy);
  Bytes out(deflateBound(&stream, static_cast<uLong>(raw.size())) + 16);
  stream.next_in = const_cast<Bytef*>(raw.data());
  stream.avail_in = static_cast<uInt>(raw.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

// Data with long runs, repeats at every distance up to 20 (each copy path), and noise.
Bytes mixedData(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  Bytes data;
  while (data.size() < size) {
    switch (random() % 4) {
      case 0:
        data.insert(data.end(), random() % 300, static_cast<std::uint8_t>(random()));
        break;
      case 1: {
        const std::size_t period = 1 + random() % 20;
        const std::size_t start = data.size();
        for (std::size_t i = 0; i < period; ++i) data.push_back(static_cast<std::uint8_t>(random()));
        for (std::size_t i = 0; i < 40 + random() % 200; ++i) data.push_back(data[start + i % period]);
        break;
      }
      case 2:
        for (int i = 0; i < 64; ++i) data.push_back(static_cast<std::uint8_t>(random()));
        break;
      default:
        if (data.size() > 40000) {
          const std::size_t from = data.size() - 30000 - random() % 2000;
          for (int i = 0; i < 100; ++i) data.push_back(data[from + static_cast<std::size_t>(i)]);
        }
    }
  }
  data.resize(size);
  return data;
}

// The worked example of the README: "fenok" in one fixed-Huffman block, with its Adler-32.
TEST(InflateTest, WorkedExampleFixedBlock) {
  const Bytes stream = {0x78, 0x9C, 0x4B, 0x4B, 0xCD, 0xCB, 0xCF, 0x06, 0x00, 0x06, 0x44, 0x02, 0x1E};
  Bytes output;
  ASSERT_EQ(InflateStatus::ok, inflateInSpans(stream, 5, output));
  EXPECT_EQ((Bytes{'f', 'e', 'n', 'o', 'k'}), output);
}

struct StreamCase {
  const char* name;
  Bytes stream;
  std::size_t outputSize;
  InflateStatus expected;
};

class InflateStatusTest : public ::testing::TestWithParam<StreamCase> {};

TEST_P(InflateStatusTest, GivesItsStatus) {
  Bytes output;
  EXPECT_EQ(GetParam().expected, inflateInSpans(GetParam().stream, GetParam().outputSize, output))
      << inflateStatusName(inflateInSpans(GetParam().stream, GetParam().outputSize, output));
}

// Stored blocks: 01 = final stored, then LEN, NLEN little-endian, then the bytes.
INSTANTIATE_TEST_SUITE_P(
    Streams, InflateStatusTest,
    ::testing::Values(
        StreamCase{"stored", {0x78, 0x01, 0x01, 0x03, 0x00, 0xFC, 0xFF, 'a', 'b', 'c', 0, 0, 0, 0}, 3,
                   InflateStatus::ok},
        StreamCase{"storedLengthMismatch", {0x78, 0x01, 0x01, 0x03, 0x00, 0xFD, 0xFF, 'a', 'b', 'c', 0, 0, 0, 0}, 3,
                   InflateStatus::badStoredLength},
        StreamCase{"methodNot8", {0x77, 0x01, 0x01, 0x00, 0x00, 0xFF, 0xFF, 0, 0, 0, 0}, 0, InflateStatus::badHeader},
        StreamCase{"windowOver32K", {0x88, 0x01, 0x01, 0x00, 0x00, 0xFF, 0xFF, 0, 0, 0, 0}, 0,
                   InflateStatus::badHeader},
        StreamCase{"presetDictionary", {0x78, 0x20, 0x01, 0x00, 0x00, 0xFF, 0xFF, 0, 0, 0, 0}, 0,
                   InflateStatus::badHeader},
        StreamCase{"blockType3", {0x78, 0x01, 0x07, 0, 0, 0, 0, 0}, 0, InflateStatus::badBlockType},
        StreamCase{"headerCheckNotTested", {0x78, 0x00, 0x01, 0x01, 0x00, 0xFE, 0xFF, 'x', 0, 0, 0, 0}, 1,
                   InflateStatus::ok},
        StreamCase{"outputLonger", {0x78, 0x01, 0x01, 0x03, 0x00, 0xFC, 0xFF, 'a', 'b', 'c', 0, 0, 0, 0}, 2,
                   InflateStatus::outputOverflow},
        StreamCase{"outputShorter", {0x78, 0x01, 0x01, 0x03, 0x00, 0xFC, 0xFF, 'a', 'b', 'c', 0, 0, 0, 0}, 4,
                   InflateStatus::outputShort},
        StreamCase{"storedBytesMissing", {0x78, 0x01, 0x01, 0x03, 0x00, 0xFC, 0xFF, 'a'}, 3, InflateStatus::inputEnded},
        // The Adler-32 is not needed: the stream may end inside it or right before it.
        StreamCase{"adlerCut", {0x78, 0x01, 0x01, 0x03, 0x00, 0xFC, 0xFF, 'a', 'b', 'c', 0}, 3, InflateStatus::ok},
        StreamCase{"adlerAbsent", {0x78, 0x01, 0x01, 0x03, 0x00, 0xFC, 0xFF, 'a', 'b', 'c'}, 3, InflateStatus::ok},
        StreamCase{"empty", {}, 1, InflateStatus::inputEnded},
        // Fixed block: literal 'a' (bits 10010001), then length 3 distance 2 (before the start).
        StreamCase{"distanceBeforeStart", {0x78, 0x01, 0x4B, 0x04, 0x42, 0x00, 0, 0, 0, 0}, 4, InflateStatus::badDistance},
        // Dynamic block whose code-length code is all zeros: no symbol can be read.
        StreamCase{"emptyCodeLengthCode", {0x78, 0x01, 0x05, 0x00, 0x00, 0x00, 0x00, 0, 0, 0, 0}, 1,
                   InflateStatus::badCodeLengths},
        // Dynamic block with 287 literal/length codes declared (HLIT 30).
        StreamCase{"tooManyLengthCodes", {0x78, 0x01, 0xF5, 0x00, 0x00, 0x00, 0, 0, 0, 0}, 1,
                   InflateStatus::badCodeLengths}),
    [](const ::testing::TestParamInfo<StreamCase>& param) { return param.param.name; });

TEST(InflateTest, ShortOutputIsZeroedPastWhatWasProduced) {
  const Bytes stream = {0x78, 0x01, 0x01, 0x03, 0x00, 0xFC, 0xFF, 'a', 'b', 'c', 0, 0, 0, 0};
  Bytes output;
  ASSERT_EQ(InflateStatus::outputShort, inflateInSpans(stream, 8, output));
  EXPECT_EQ((Bytes{'a', 'b', 'c', 0, 0, 0, 0, 0}), output);
}

struct CompressionCase {
  int level;
  int strategy;
  std::size_t size;
  std::vector<std::size_t> spans;
};

class InflateAgainstZlibTest : public ::testing::TestWithParam<CompressionCase> {};

// Every level and strategy of zlib, in spans small and large, gives back the data; the bit-by-bit
// oracle agrees.
TEST_P(InflateAgainstZlibTest, RoundTrips) {
  const CompressionCase& c = GetParam();
  const Bytes data = mixedData(c.size, static_cast<unsigned>(c.level * 31 + c.strategy));
  const Bytes stream = compressWith(data, c.level, c.strategy);
  Bytes output;
  ASSERT_EQ(InflateStatus::ok, inflateInSpans(stream, data.size(), output, c.spans));
  EXPECT_EQ(data, output);
  Bytes oracleOutput;
  ASSERT_TRUE(pngtest::oracleInflate(stream, data.size(), oracleOutput));
  EXPECT_EQ(data, oracleOutput);
}

INSTANTIATE_TEST_SUITE_P(
    Levels, InflateAgainstZlibTest,
    ::testing::Values(CompressionCase{0, Z_DEFAULT_STRATEGY, 100000, {}},
                      CompressionCase{0, Z_DEFAULT_STRATEGY, 100000, {1, 7, 0, 3}},
                      CompressionCase{1, Z_DEFAULT_STRATEGY, 200000, {}},
                      CompressionCase{6, Z_DEFAULT_STRATEGY, 200000, {8192}},
                      CompressionCase{9, Z_DEFAULT_STRATEGY, 200000, {1}},
                      CompressionCase{9, Z_DEFAULT_STRATEGY, 200000, {5, 0, 9, 16, 17}},
                      CompressionCase{6, Z_FILTERED, 150000, {100}},
                      CompressionCase{6, Z_HUFFMAN_ONLY, 150000, {}},
                      CompressionCase{6, Z_RLE, 150000, {3}},
                      CompressionCase{6, Z_FIXED, 150000, {}},
                      CompressionCase{6, Z_FIXED, 150000, {2, 9}},
                      CompressionCase{9, Z_DEFAULT_STRATEGY, 10, {}},
                      CompressionCase{9, Z_DEFAULT_STRATEGY, 1, {}}));

// A prefix cut inside the blocks fails cleanly; one cut inside the Adler-32 gives the data back.
TEST(InflateTest, EveryTruncatedPrefixFailsCleanlyUnlessOnlyTheAdlerIsCut) {
  const Bytes data = mixedData(5000, 3);
  const Bytes stream = compressWith(data, 9, Z_DEFAULT_STRATEGY);
  const std::size_t adlerBytes = 4;
  for (std::size_t length = 0; length < stream.size(); ++length) {
    const Bytes prefix(stream.begin(), stream.begin() + static_cast<std::ptrdiff_t>(length));
    Bytes output;
    const InflateStatus status = inflateInSpans(prefix, data.size(), output);
    if (length < stream.size() - adlerBytes) {
      EXPECT_NE(InflateStatus::ok, status) << "prefix of " << length;
    } else {
      EXPECT_EQ(InflateStatus::ok, status) << "prefix of " << length;
      EXPECT_EQ(data, output);
    }
  }
}

// Random damage: the table-driven inflater and the oracle must agree on success and, when both
// succeed, on every byte.
TEST(InflateTest, AgreesWithTheOracleOnDamagedStreams) {
  std::mt19937 random(42);
  int agreedFailures = 0, agreedSuccesses = 0;
  for (int round = 0; round < 3000; ++round) {
    const Bytes data = mixedData(600 + random() % 3000, static_cast<unsigned>(round));
    const int strategies[] = {Z_DEFAULT_STRATEGY, Z_FIXED, Z_HUFFMAN_ONLY, Z_RLE};
    Bytes stream = compressWith(data, 1 + static_cast<int>(random() % 9), strategies[random() % 4]);
    const int flips = 1 + static_cast<int>(random() % 3);
    for (int i = 0; i < flips; ++i) stream[2 + random() % (stream.size() - 2)] ^= static_cast<std::uint8_t>(1u << (random() % 8));
    const std::size_t outputSize = random() % 8 == 0 ? data.size() + random() % 5 : data.size();
    Bytes output, expected;
    const bool oracleOk = pngtest::oracleInflate(stream, outputSize, expected);
    const InflateStatus status = inflateInSpans(stream, outputSize, output, {1 + random() % 600});
    ASSERT_EQ(oracleOk, status == InflateStatus::ok) << "round " << round << ": " << inflateStatusName(status);
    if (oracleOk) {
      EXPECT_EQ(expected, output) << "round " << round;
      ++agreedSuccesses;
    } else {
      ++agreedFailures;
    }
  }
  EXPECT_GT(agreedFailures, 1000);
  EXPECT_GT(agreedSuccesses, 0);
}

// Hand-made dynamic codes where zlib never goes: incomplete and over-subscribed code lengths.
TEST(InflateTest, OddCodesAgreeWithTheOracle) {
  std::mt19937 random(7);
  for (int round = 0; round < 20000; ++round) {
    Bytes stream = {0x78, 0x01};
    const std::size_t size = 4 + random() % 60;
    for (std::size_t i = 0; i < size; ++i) stream.push_back(static_cast<std::uint8_t>(random()));
    stream[2] = static_cast<std::uint8_t>((stream[2] & ~0x06) | 0x04);  // a dynamic block
    const std::size_t outputSize = random() % 40;
    Bytes output, expected;
    const bool oracleOk = pngtest::oracleInflate(stream, outputSize, expected);
    const InflateStatus status = inflateInSpans(stream, outputSize, output, {1 + random() % 8});
    ASSERT_EQ(oracleOk, status == InflateStatus::ok) << "round " << round << ": " << inflateStatusName(status);
    if (oracleOk) {
      EXPECT_EQ(expected, output);
    }
  }
}

}  // namespace
}  // namespace fenok
