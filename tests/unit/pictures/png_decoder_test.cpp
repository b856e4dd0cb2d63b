#include <gtest/gtest.h>

#include <vector>

#include "pictures/png_reader.h"
#include "platform/ports/resources.h"
#include "png_test_support.h"

namespace fenok {
namespace {

using pngtest::Bytes;
using pngtest::PngBuilder;

// The worked example of src/pictures/README.md.
TEST(PngDecoderTest, WorkedExample) {
  const Bytes png = {
      0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44, 0x52,
      0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x01, 0x08, 0x02, 0x00, 0x00, 0x00, 0x94, 0x82, 0x83,
      0xE3, 0x00, 0x00, 0x00, 0x15, 0x49, 0x44, 0x41, 0x54, 0x78, 0x01, 0x01, 0x0A, 0x00, 0xF5, 0xFF,
      0x01, 0x0A, 0x14, 0x1E, 0x05, 0x05, 0x05, 0xF6, 0x00, 0x01, 0x05, 0x0E, 0x01, 0x44, 0xA2, 0x03,
      0xED, 0xC6, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};
  const pngtest::OurDecoding result = pngtest::decodeWithOurs(png);
  ASSERT_TRUE(result.ok) << pngErrorName(result.error);
  EXPECT_EQ(24, result.description.bitCount);
  EXPECT_EQ(12u, result.description.stride);
  EXPECT_EQ(-1, pngtest::infoField32(result.description, 8));
  EXPECT_EQ((Bytes{0x1E, 0x14, 0x0A, 0x23, 0x19, 0x0F, 0x24, 0x19, 0x05, 0x00, 0x00, 0x00}), result.rows);
}

// The numbers reach the user in messages: each code keeps its value and its name.
TEST(PngDecoderTest, ErrorCodesKeepTheirNumbersAndNames) {
  struct Code {
    PngError error;
    std::uint32_t number;
    const char* name;
  };
  const Code codes[] = {
      {PngError::none, 0, ""},
      {PngError::noMemory, 0x1001, "errNoMemory"},
      {PngError::busy, 0x1002, "errBusy"},
      {PngError::notPng, 0x2000, "errNotPng"},
      {PngError::unsupported, 0x2001, "errUnsupported"},
      {PngError::badFormat, 0x2002, "errBadFormat"},
      {PngError::wrongState, 0x2003, "errWrongState"},
      {PngError::bitmap, 0x2006, "errBitmap"},
      {PngError::noResource, 0x3001, "errNoResource"},
      {PngError::resourceLoad, 0x3002, "errResourceLoad"},
  };
  for (const Code& code : codes) {
    EXPECT_EQ(code.number, pngErrorNumber(code.error)) << code.name;
    EXPECT_STREQ(code.name, pngErrorName(code.error));
  }
  EXPECT_STREQ("errUnknown", pngErrorName(static_cast<PngError>(0x2004)));
}

Bytes rawRows(std::size_t rows, std::size_t rowBytes, std::uint8_t filter = 0) {
  Bytes raw;
  for (std::size_t y = 0; y < rows; ++y) {
    raw.push_back(filter);
    for (std::size_t x = 0; x < rowBytes; ++x) raw.push_back(static_cast<std::uint8_t>(y * 7 + x * 3));
  }
  return raw;
}

Bytes simplePng(std::uint32_t width, std::uint32_t height, std::uint8_t depth, std::uint8_t colourType,
                std::size_t rowBytes) {
  PngBuilder builder;
  builder.header(width, height, depth, colourType);
  if (colourType == 3) builder.chunk("PLTE", Bytes(3u << depth, 0x40));
  return builder.data(pngtest::zlibCompress(rawRows(height, rowBytes))).end().bytes();
}

struct LoadCase {
  const char* name;
  Bytes png;
  PngError loadError;  // none: loads
};

Bytes withoutLast(Bytes bytes, std::size_t count) {
  bytes.resize(bytes.size() - count);
  return bytes;
}

Bytes firstBytes(Bytes bytes, std::size_t count) {
  bytes.resize(count);
  return bytes;
}

Bytes withHeaderField(std::size_t offset, std::uint8_t value) {
  Bytes png = simplePng(4, 2, 8, 0, 4);
  png[offset] = value;
  return png;
}

Bytes firstChunkRenamed(const char* type) {
  Bytes png = simplePng(4, 2, 8, 0, 4);
  for (int i = 0; i < 4; ++i) png[12 + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(type[i]);
  return png;
}

Bytes pngWith(const std::vector<std::pair<std::string, Bytes>>& middleChunks, std::uint8_t colourType = 0,
              std::uint8_t depth = 8) {
  PngBuilder builder;
  builder.header(4, 2, depth, colourType);
  for (const auto& chunk : middleChunks) builder.chunk(chunk.first, chunk.second);
  return builder.data(pngtest::zlibCompress(rawRows(2, 4))).end().bytes();
}

class PngLoadTest : public ::testing::TestWithParam<LoadCase> {};

TEST_P(PngLoadTest, LoadsOrGivesItsError) {
  PngReader reader;
  initPngReader(reader);
  const bool loaded = loadPngFromMemory(reader, GetParam().png.data(), GetParam().png.size());
  EXPECT_EQ(GetParam().loadError == PngError::none, loaded);
  EXPECT_EQ(GetParam().loadError, reader.lastError) << pngErrorName(reader.lastError);
  EXPECT_EQ(loaded ? PngState::headerRead : PngState::empty, reader.state);
  EXPECT_EQ(loaded ? PngSource::borrowed : PngSource::none, reader.sourceKind);
  releasePngReader(reader);
}

INSTANTIATE_TEST_SUITE_P(
    Headers, PngLoadTest,
    ::testing::Values(
        LoadCase{"plain", simplePng(4, 2, 8, 0, 4), PngError::none},
        LoadCase{"empty", {}, PngError::notPng},
        LoadCase{"fifteenBytes", firstBytes(simplePng(4, 2, 8, 0, 4), 15), PngError::notPng},
        LoadCase{"signatureOnly", Bytes{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 0, 0, 0, 0, 0},
                 PngError::notPng},
        LoadCase{"wrongSignature", withHeaderField(1, 'p'), PngError::notPng},
        LoadCase{"firstChunkNotHeader", firstChunkRenamed("IDAT"), PngError::notPng},
        LoadCase{"headerNameFirstLetterCaseIgnored", firstChunkRenamed("iHDR"), PngError::none},
        LoadCase{"headerTooShort", PngBuilder().chunk("IHDR", Bytes(12, 1)).end().bytes(), PngError::notPng},
        LoadCase{"zeroWidth", withHeaderField(19, 0), PngError::notPng},
        LoadCase{"zeroHeight", withHeaderField(23, 0), PngError::notPng},
        LoadCase{"widthOver31Bits", withHeaderField(16, 0x80), PngError::notPng},
        LoadCase{"badDepthForColourType", withHeaderField(24, 3), PngError::unsupported},
        LoadCase{"badColourType", withHeaderField(25, 5), PngError::unsupported},
        LoadCase{"rgbDepth4", simplePng(4, 2, 4, 2, 6), PngError::unsupported},
        LoadCase{"compressionMethod1", withHeaderField(26, 1), PngError::unsupported},
        LoadCase{"filterMethod1", withHeaderField(27, 1), PngError::unsupported},
        LoadCase{"interlace2", withHeaderField(28, 2), PngError::unsupported},
        LoadCase{"interlaceAdam7", withHeaderField(28, 1), PngError::none},
        LoadCase{"unknownAncillary", pngWith({{"zzZz", {1, 2, 3}}}), PngError::none},
        LoadCase{"unknownCritical", pngWith({{"ZzZz", {1, 2, 3}}}), PngError::unsupported},
        LoadCase{"paletteWithoutPlte", pngWith({}, 3), PngError::unsupported},
        LoadCase{"plteOver256", pngWith({{"PLTE", Bytes(3 * 257, 9)}}, 3), PngError::unsupported},
        LoadCase{"plte256", pngWith({{"PLTE", Bytes(3 * 256, 9)}}, 3), PngError::none},
        LoadCase{"noDataChunkLoads", PngBuilder().header(4, 2, 8, 0).end().bytes(), PngError::none}),
    [](const ::testing::TestParamInfo<LoadCase>& param) { return param.param.name; });

TEST(PngDecoderTest, UnknownCriticalChunkAfterIendIsStillWalked) {
  const Bytes png = PngBuilder()
                        .header(4, 2, 8, 0)
                        .data(pngtest::zlibCompress(rawRows(2, 4)))
                        .end()
                        .chunk("QQQQ", {1})
                        .bytes();
  PngReader reader;
  initPngReader(reader);
  EXPECT_FALSE(loadPngFromMemory(reader, png.data(), png.size()));
  EXPECT_EQ(PngError::unsupported, reader.lastError);
}

TEST(PngDecoderTest, ChunkRunningPastTheEndEndsTheWalkQuietly) {
  Bytes png = simplePng(4, 2, 8, 0, 4);
  png.resize(png.size() - 4);  // IEND's CRC cut off
  png.insert(png.end(), {0x00, 0x00, 0x10, 0x00, 'Q', 'Q', 'Q', 'Q'});
  EXPECT_TRUE(pngtest::decodeWithOurs(png).ok);
}

TEST(PngDecoderTest, WrongCrcsAndAdlerDecodeNormally) {
  Bytes compressed = pngtest::zlibCompress(rawRows(2, 4));
  compressed[compressed.size() - 1] ^= 0xFF;  // Adler-32
  const Bytes png = PngBuilder()
                        .chunk("IHDR", {0, 0, 0, 4, 0, 0, 0, 2, 8, 0, 0, 0, 0}, false)
                        .chunk("IDAT", compressed, false)
                        .chunk("IEND", {}, false)
                        .bytes();
  const pngtest::OurDecoding result = pngtest::decodeWithOurs(png);
  ASSERT_TRUE(result.ok) << pngErrorName(result.error);
  EXPECT_EQ(Bytes({0, 3, 6, 9, 7, 10, 13, 16}), result.rows);
}

TEST(PngDecoderTest, LoadOnABusyRecordChangesNothing) {
  const Bytes png = simplePng(4, 2, 8, 0, 4);
  const Bytes other = simplePng(8, 8, 8, 0, 8);
  PngReader reader;
  initPngReader(reader);
  ASSERT_TRUE(loadPngFromMemory(reader, png.data(), png.size()));
  EXPECT_FALSE(loadPngFromMemory(reader, other.data(), other.size()));
  EXPECT_EQ(PngError::busy, reader.lastError);
  EXPECT_EQ(4u, reader.width);
  EXPECT_EQ(png.data(), reader.data);
  releasePngReader(reader);
}

TEST(PngDecoderTest, FailedLoadLeavesNothingOfItsBytesForTheNextOne) {
  const Bytes unsupported = pngWith({{"PLTE", Bytes(12, 1)}, {"ZzZz", {}}}, 3, 8);
  const Bytes noPalette = pngWith({}, 3, 8);
  PngReader reader;
  initPngReader(reader);
  EXPECT_FALSE(loadPngFromMemory(reader, unsupported.data(), unsupported.size()));
  EXPECT_FALSE(loadPngFromMemory(reader, noPalette.data(), noPalette.size()));
  EXPECT_EQ(PngError::unsupported, reader.lastError);
  EXPECT_EQ(nullptr, reader.palette);
}

TEST(PngDecoderTest, StatesAreEnforced) {
  const Bytes png = simplePng(4, 2, 8, 0, 4);
  PngReader reader;
  initPngReader(reader);
  DibDescription description;
  Bytes rows;
  EXPECT_FALSE(decodePng(reader));
  EXPECT_EQ(PngError::wrongState, reader.lastError);
  ASSERT_TRUE(loadPngFromMemory(reader, png.data(), png.size()));
  EXPECT_EQ(PngError::none, reader.lastError);
  EXPECT_FALSE(buildPngBitmap(reader, kNaturalFormat, description, rows));
  EXPECT_EQ(PngError::wrongState, reader.lastError);
  ASSERT_TRUE(decodePng(reader));
  EXPECT_EQ(PngError::none, reader.lastError);
  EXPECT_EQ(PngState::inflated, reader.state);
  EXPECT_FALSE(decodePng(reader));
  EXPECT_EQ(PngError::wrongState, reader.lastError);
  EXPECT_TRUE(buildPngBitmap(reader, kNaturalFormat, description, rows));
  EXPECT_TRUE(buildPngBitmap(reader, kNaturalFormat, description, rows));  // repeatable
  EXPECT_FALSE(buildPngBitmap(reader, 0x0208010C, description, rows));
  EXPECT_EQ(PngError::badFormat, reader.lastError);
  releasePngReader(reader);
  EXPECT_EQ(PngState::empty, reader.state);
  EXPECT_EQ(nullptr, reader.scanlines);
  EXPECT_TRUE(loadPngFromMemory(reader, png.data(), png.size()));  // usable again
  releasePngReader(reader);
}

TEST(PngDecoderTest, ResourcesPortGivesTheRcdataPicture) {
  struct OneResource : Resources {
    Bytes bytes;
    ByteView find(ResourceType type, int id) const override {
      if (type.name != nullptr || type.number != kRtRcdata || id != 405) return {};
      return {bytes.data(), bytes.size()};
    }
  } resources;
  resources.bytes = simplePng(4, 2, 8, 0, 4);
  PngReader reader;
  initPngReader(reader);
  EXPECT_FALSE(loadPngFromResource(reader, resources, 406));
  EXPECT_EQ(PngError::noResource, reader.lastError);
  ASSERT_TRUE(loadPngFromResource(reader, resources, 405));
  EXPECT_EQ(resources.bytes.data(), reader.data);
  EXPECT_EQ(PngSource::borrowed, reader.sourceKind);
  EXPECT_TRUE(decodePng(reader));
  releasePngReader(reader);
}

struct DecodeFailureCase {
  const char* name;
  Bytes png;
  PngError decodeError;
};

Bytes withStream(const Bytes& compressed, std::uint32_t width = 4, std::uint32_t height = 2) {
  return PngBuilder().header(width, height, 8, 0).data(compressed).end().bytes();
}

Bytes storedStream(const Bytes& raw, std::uint16_t complement) {
  // Header, the stored block's length and complement, the bytes, and an Adler-32 field left zero. Sized
  // once: GCC 12 at -O3 misreads an insert into a vector grown from an initializer list.
  const Bytes head = {0x78, 0x01, 0x01, static_cast<std::uint8_t>(raw.size()), static_cast<std::uint8_t>(raw.size() >> 8),
                      static_cast<std::uint8_t>(complement), static_cast<std::uint8_t>(complement >> 8)};
  Bytes stream(head.size() + raw.size() + 4, 0);
  std::copy(head.begin(), head.end(), stream.begin());
  std::copy(raw.begin(), raw.end(), stream.begin() + static_cast<std::ptrdiff_t>(head.size()));
  return stream;
}

class PngDecodeFailureTest : public ::testing::TestWithParam<DecodeFailureCase> {};

TEST_P(PngDecodeFailureTest, FailsAndStaysLoaded) {
  PngReader reader;
  initPngReader(reader);
  ASSERT_TRUE(loadPngFromMemory(reader, GetParam().png.data(), GetParam().png.size()));
  EXPECT_FALSE(decodePng(reader));
  EXPECT_EQ(GetParam().decodeError, reader.lastError) << pngErrorName(reader.lastError);
  EXPECT_EQ(PngState::headerRead, reader.state);
  EXPECT_EQ(nullptr, reader.scanlines);
  releasePngReader(reader);
}

INSTANTIATE_TEST_SUITE_P(
    Streams, PngDecodeFailureTest,
    ::testing::Values(
        DecodeFailureCase{"noDataChunk", PngBuilder().header(4, 2, 8, 0).end().bytes(), PngError::notPng},
        DecodeFailureCase{"storedLengthMismatch", withStream(storedStream(rawRows(2, 4), 0xFFF0)), PngError::notPng},
        DecodeFailureCase{"presetDictionary", withStream({0x78, 0x20, 0, 0, 0, 0, 1, 0x01, 0x0A, 0x00, 0xF5, 0xFF}),
                          PngError::notPng},
        DecodeFailureCase{"streamTooLong", withStream(pngtest::zlibCompress(rawRows(3, 4))), PngError::notPng},
        DecodeFailureCase{"streamTooShort", withStream(pngtest::zlibCompress(rawRows(1, 4))), PngError::notPng},
        DecodeFailureCase{"streamCut", withStream(withoutLast(pngtest::zlibCompress(rawRows(2, 4)), 6)),
                          PngError::notPng},
        // A 65535 x 65535 image from a few bytes cannot be real: refused before allocating 4 GB.
        DecodeFailureCase{"imageBeyondWhatTheStreamCanHold",
                          withStream(pngtest::zlibCompress(rawRows(2, 4)), 0xFFFF, 0xFFFF), PngError::notPng},
        DecodeFailureCase{"scanlinesBeyond32Bits",
                          PngBuilder().header(0x7FFFFFFF, 0x7FFFFFFF, 16, 6).data({0x78, 0x01}).end().bytes(),
                          PngError::notPng}),
    [](const ::testing::TestParamInfo<DecodeFailureCase>& param) { return param.param.name; });

// The Adler-32 is never compared, so a stream that stops before it, or inside it, still gives the image.
struct AdlerCutCase {
  const char* name;
  std::size_t bytesCut;  // from the end of the zlib stream
};

class PngAdlerCutTest : public ::testing::TestWithParam<AdlerCutCase> {};

TEST_P(PngAdlerCutTest, DecodesToTheSamePixels) {
  const Bytes compressed = pngtest::zlibCompress(rawRows(30, 40));
  const pngtest::OurDecoding whole = pngtest::decodeWithOurs(withStream(compressed, 40, 30));
  ASSERT_TRUE(whole.ok);
  const pngtest::OurDecoding cut =
      pngtest::decodeWithOurs(withStream(withoutLast(compressed, GetParam().bytesCut), 40, 30));
  ASSERT_TRUE(cut.ok) << pngErrorName(cut.error);
  EXPECT_EQ(whole.rows, cut.rows);
}

INSTANTIATE_TEST_SUITE_P(Streams, PngAdlerCutTest,
                         ::testing::Values(AdlerCutCase{"oneByteOfAdlerMissing", 1},
                                           AdlerCutCase{"insideAdler", 2}, AdlerCutCase{"rightBeforeAdler", 4}),
                         [](const ::testing::TestParamInfo<AdlerCutCase>& param) { return param.param.name; });

TEST(PngDecoderTest, DataSplitOverManyChunksSomeEmptyIsOneStream) {
  const pngtest::RawImage image = pngtest::randomImage(40, 30, 2, 8, 5);
  const Bytes reference = pngtest::encodeWithLibpng(image, false, 9);
  const Bytes compressed = pngtest::zlibCompress([&] {
    Bytes raw;
    for (std::uint32_t y = 0; y < image.height; ++y) {
      raw.push_back(0);
      raw.insert(raw.end(), image.pixels.begin() + static_cast<std::ptrdiff_t>(y * image.rowBytes()),
                 image.pixels.begin() + static_cast<std::ptrdiff_t>((y + 1) * image.rowBytes()));
    }
    return raw;
  }());
  PngBuilder builder;
  builder.header(40, 30, 8, 2).chunk("IDAT", {});
  for (std::size_t at = 0; at < compressed.size(); at += 7) {
    const std::size_t size = std::min<std::size_t>(7, compressed.size() - at);
    builder.chunk("IDAT", Bytes(compressed.begin() + static_cast<std::ptrdiff_t>(at),
                                compressed.begin() + static_cast<std::ptrdiff_t>(at + size)));
    if (at % 21 == 0) builder.chunk("IDAT", {});
  }
  const pngtest::OurDecoding split = pngtest::decodeWithOurs(builder.end().bytes());
  const pngtest::OurDecoding whole = pngtest::decodeWithOurs(reference);
  ASSERT_TRUE(split.ok) << pngErrorName(split.error);
  ASSERT_TRUE(whole.ok);
  EXPECT_EQ(whole.rows, split.rows);
}

TEST(PngDecoderTest, TextBetweenDataChunksEndsTheStream) {
  const Bytes compressed = pngtest::zlibCompress(rawRows(2, 4), 0);
  const std::size_t half = compressed.size() / 2;
  const Bytes first(compressed.begin(), compressed.begin() + static_cast<std::ptrdiff_t>(half));
  const Bytes second(compressed.begin() + static_cast<std::ptrdiff_t>(half), compressed.end());
  const Bytes broken =
      PngBuilder().header(4, 2, 8, 0).chunk("IDAT", first).chunk("tEXt", {'a', 0, 'b'}).chunk("IDAT", second).end().bytes();
  const Bytes together = PngBuilder().header(4, 2, 8, 0).chunk("IDAT", first).chunk("IDAT", second).end().bytes();
  EXPECT_FALSE(pngtest::decodeWithOurs(broken).ok);
  EXPECT_EQ(PngError::notPng, pngtest::decodeWithOurs(broken).error);
  EXPECT_TRUE(pngtest::decodeWithOurs(together).ok);
}

TEST(PngDecoderTest, FilterTypeAbove4FailsTheBitmapAndLeavesItZeroed) {
  const Bytes png = withStream(pngtest::zlibCompress(rawRows(2, 4, 5)));
  PngReader reader;
  initPngReader(reader);
  ASSERT_TRUE(loadPngFromMemory(reader, png.data(), png.size()));
  ASSERT_TRUE(decodePng(reader));
  Bytes pixels(8, 0xAA);
  EXPECT_FALSE(writePngRows(reader, kNaturalFormat, pixels.data()));
  EXPECT_EQ(PngError::notPng, reader.lastError);
  EXPECT_EQ(Bytes(8, 0), pixels);
  releasePngReader(reader);
}

TEST(PngDecoderTest, EveryTruncatedPrefixFailsCleanlyOrDecodesTheSame) {
  const pngtest::RawImage image = pngtest::randomImage(23, 17, 6, 8, 11);
  const Bytes png = pngtest::encodeWithLibpng(image, true, 6);
  const pngtest::OurDecoding full = pngtest::decodeWithOurs(png);
  ASSERT_TRUE(full.ok);
  const std::size_t iendSize = 12;
  for (std::size_t length = 0; length < png.size(); ++length) {
    const Bytes prefix(png.begin(), png.begin() + static_cast<std::ptrdiff_t>(length));
    const pngtest::OurDecoding cut = pngtest::decodeWithOurs(prefix);
    if (length < png.size() - iendSize) {
      EXPECT_FALSE(cut.ok) << "prefix of " << length;
      EXPECT_NE(PngError::none, cut.error);
    } else {
      ASSERT_TRUE(cut.ok) << "a missing IEND is not needed";  // the walk ends quietly
      EXPECT_EQ(full.rows, cut.rows);
    }
  }
}

}  // namespace
}  // namespace fenok
