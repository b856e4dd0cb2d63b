// lzwDecode: the worked example first, then a table of golden pairs and the edge cases of the format.
#include "content/lzw.h"

#include <gtest/gtest.h>

#include <random>

#include "lzw_streams.h"
#include "platform/portable/message_recorder.h"

namespace fenok {
namespace {

using testing::Bytes;
using testing::CodeStream;
using testing::bytesOf;
using testing::textOf;

TEST(LzwDecode, WorkedExampleGivesABABABA) {
  const Bytes input = {0x20, 0x90, 0xA0, 0x70, 0x58, 0x00};  // codes 65, 66, 259, 261, 256
  Bytes output;
  EXPECT_EQ(lzwDecode(input.data(), input.size(), output), LzwStatus::ok);
  EXPECT_EQ(textOf(output), "ABABABA");
}

struct Golden {
  const char* name;
  Bytes input;
  LzwStatus status;
  std::string output;
};

class LzwGolden : public ::testing::TestWithParam<Golden> {};

TEST_P(LzwGolden, DecodesToItsResult) {
  const Golden& golden = GetParam();
  Bytes output;
  EXPECT_EQ(lzwDecode(golden.input.data(), golden.input.size(), output), golden.status)
      << lzwStatusName(golden.status);
  EXPECT_EQ(textOf(output), golden.output);
  const auto reference = testing::referenceDecode(golden.input);
  EXPECT_EQ(reference.status, golden.status);
  EXPECT_EQ(reference.output, golden.output);
}

std::vector<Golden> goldenPairs() {
  return {
      {"WorkedExample", {0x20, 0x90, 0xA0, 0x70, 0x58, 0x00}, LzwStatus::ok, "ABABABA"},
      {"OneByte", {0x20, 0xC0, 0x00}, LzwStatus::ok, "A"},
      {"Empty", {}, LzwStatus::noFirstCode, ""},
      {"FirstCodeIncomplete", {0x20}, LzwStatus::noFirstCode, ""},
      {"NoEndCode", CodeStream().codes({65, 66, 67}).bytes(), LzwStatus::corrupt, "AB"},
      {"EndsInsideACode", {0x20, 0x90}, LzwStatus::corrupt, ""},
      {"CodeAboveNextCode", CodeStream().codes({65, 300, 256}).bytes(), LzwStatus::corrupt, ""},
      {"CodeJustAboveNextCode", CodeStream().codes({65, 66, 261, 256}).bytes(), LzwStatus::corrupt, "A"},
      {"FirstCode256IsByteZero", CodeStream().codes({256, 256}).bytes(), LzwStatus::ok, std::string(1, '\0')},
      {"FirstCode511IsByteFF", CodeStream().codes({511, 256}).bytes(), LzwStatus::ok, "\xFF"},
      {"FirstCode258IsByte2", CodeStream().codes({258, 256}).bytes(), LzwStatus::ok, "\x02"},
      {"KwKwKFirst", CodeStream().codes({65, 259, 256}).bytes(), LzwStatus::ok, "AAA"},
      {"WidenThenTenBits", CodeStream().code(65).widen().codes({66, 259, 256}).bytes(), LzwStatus::ok, "ABAB"},
      {"ResetKeepsW", CodeStream().codes({65, 66}).reset().codes({65, 259, 256}).bytes(), LzwStatus::ok, "ABABA"},
      {"ResetBackToNineBits", CodeStream().code(65).widen().code(66).reset().codes({67, 256}).bytes(), LzwStatus::ok,
       "ABC"},
      {"ResetTwice", CodeStream().code(65).reset().reset().codes({259, 256}).bytes(), LzwStatus::ok, "AAA"},
      {"EndRightAfterReset", CodeStream().codes({65, 66}).reset().end().bytes(), LzwStatus::ok, "AB"},
      {"BitsAfterEndIgnored", {0x20, 0xC0, 0x00, 0xFF, 0x12}, LzwStatus::ok, "A"},
  };
}

INSTANTIATE_TEST_SUITE_P(Pairs, LzwGolden, ::testing::ValuesIn(goldenPairs()),
                         [](const ::testing::TestParamInfo<Golden>& param) { return param.param.name; });

TEST(LzwDecode, NineBitCodesReadAsTheFormatSays) {
  // First code byte0 * 2 + (byte1 >> 7), second ((byte1 & 0x7F) << 2) + (byte2 >> 6).
  const Bytes input = {0x20, 0x90, 0xA0, 0x70, 0x58, 0x00};
  const auto reference = testing::referenceDecode(input);
  ASSERT_EQ(reference.codes.size(), 5u);
  EXPECT_EQ(reference.codes[0].code, 0x20u * 2 + (0x90u >> 7));
  EXPECT_EQ(reference.codes[1].code, ((0x90u & 0x7F) << 2) + (0xA0u >> 6));
  const std::uint64_t expected[] = {65, 66, 259, 261, 256};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(reference.codes[i].code, expected[i]);
}

TEST(LzwDecode, TheWidthNeverGrowsByItself) {
  // 300 codes of 'B' define entries 259 to 558: still 9 bits, although the next code is above 511.
  CodeStream stream;
  stream.code(65);
  for (int i = 0; i < 300; ++i) stream.code(66);
  stream.end();
  Bytes output;
  ASSERT_EQ(lzwDecode(stream.bytes().data(), stream.bytes().size(), output), LzwStatus::ok);
  EXPECT_EQ(textOf(output), "A" + std::string(300, 'B'));
}

TEST(LzwDecode, AfterWidenTheNextCodeIsTenBits) {
  // The same bits read as 9-bit codes would not end the stream.
  const Bytes input = CodeStream().code(65).widen().codes({66, 256}).bytes();
  Bytes output;
  EXPECT_EQ(lzwDecode(input.data(), input.size(), output), LzwStatus::ok);
  EXPECT_EQ(textOf(output), "AB");
}

TEST(LzwDecode, AfterResetTheNextCodeDefinesEntry259FromW) {
  // 65 66 -> 259 'AB', W 'B'; reset; 65 -> 259 'BA' (from W), out 'B', W 'A'; 259 -> 'BA'.
  const Bytes input = CodeStream().codes({65, 66}).reset().codes({65, 259, 256}).bytes();
  Bytes output;
  EXPECT_EQ(lzwDecode(input.data(), input.size(), output), LzwStatus::ok);
  EXPECT_EQ(textOf(output), "AB" "A" "BA");
}

TEST(LzwDecode, ResetRedefinesEntriesWithoutStaleStrings) {
  // Before the reset 259 is 'ABC...' long; after it 259 is short again.
  CodeStream stream;
  stream.codes({65, 66, 67, 259, 261}).reset().codes({68, 259, 256});
  const Bytes input = stream.bytes();
  Bytes output;
  ASSERT_EQ(lzwDecode(input.data(), input.size(), output), LzwStatus::ok);
  const auto reference = testing::referenceDecode(input);
  EXPECT_EQ(textOf(output), reference.output);
  // W after 261 is 'ABC'... : 259 'AB', 260 'BC', 261 'CA', 262 'ABC'; reset; 68 -> 259 'CAD', W 'D';
  // 259 -> 260 'DC', out 'D', W 'CAD'; end.
  EXPECT_EQ(textOf(output), "ABC" "AB" "CA" "D" "CAD");
}

TEST(LzwDecode, ThirtyTwoBitCodesAreRead) {
  CodeStream stream;
  stream.code(65);
  while (stream.width() < 32) stream.widen();
  stream.code(66).end();
  Bytes output;
  EXPECT_EQ(lzwDecode(stream.bytes().data(), stream.bytes().size(), output), LzwStatus::ok);
  EXPECT_EQ(textOf(output), "AB");
}

TEST(LzwDecode, WideningBeyondThirtyTwoBitsIsCorrupt) {
  CodeStream stream;
  stream.codes({65, 66});
  while (stream.width() <= 32) stream.widen();
  stream.put(256, 40);
  Bytes output;
  EXPECT_EQ(lzwDecode(stream.bytes().data(), stream.bytes().size(), output), LzwStatus::corrupt);
  EXPECT_EQ(textOf(output), "A");
}

TEST(LzwDecode, AHugeCodeIsAboveTheNextCode) {
  CodeStream stream;
  stream.code(65);
  while (stream.width() < 32) stream.widen();
  stream.code(0xFFFFFFFFu).end();
  Bytes output;
  EXPECT_EQ(lzwDecode(stream.bytes().data(), stream.bytes().size(), output), LzwStatus::corrupt);
}

TEST(LzwDecode, TheDictionaryHolds4096EntriesWithoutReset) {
  // Entries 259 to 4095 (3837 of them) can be defined; the next definition is rejected.
  CodeStream full;
  full.code(65);
  for (int i = 0; i < 3837; ++i) full.code(66);
  full.end();
  Bytes output;
  EXPECT_EQ(lzwDecode(full.bytes().data(), full.bytes().size(), output), LzwStatus::ok);
  EXPECT_EQ(output.size(), 3838u);

  CodeStream over;
  over.code(65);
  for (int i = 0; i < 3838; ++i) over.code(66);
  over.end();
  EXPECT_EQ(lzwDecode(over.bytes().data(), over.bytes().size(), output), LzwStatus::corrupt);
  EXPECT_EQ(output.size(), 3837u);  // 'A' and the 'B's written before the rejected code

  CodeStream withReset;
  withReset.code(65);
  for (int i = 0; i < 3837; ++i) withReset.code(66);
  withReset.reset();
  for (int i = 0; i < 100; ++i) withReset.code(66);
  withReset.end();
  EXPECT_EQ(lzwDecode(withReset.bytes().data(), withReset.bytes().size(), output), LzwStatus::ok);
  EXPECT_EQ(output.size(), 3938u);
}

TEST(LzwDecode, TheLastEntryCanBeUsed) {
  // Define up to entry 4095 with KwKwK codes ('A' runs), then use 4095 itself.
  CodeStream stream;
  stream.code(65);
  for (int i = 0; i < 3836; ++i) stream.code(65);  // defines 259 to 4094, all "AA"
  stream.widen().widen().widen();
  stream.code(4095);  // equals the next code: defines 4095 = "AA"
  stream.code(4095).end();  // any further code would define a 4097th entry: rejected
  Bytes output;
  EXPECT_EQ(lzwDecode(stream.bytes().data(), stream.bytes().size(), output), LzwStatus::corrupt);

  CodeStream fits;
  fits.code(65);
  for (int i = 0; i < 3836; ++i) fits.code(65);
  fits.widen().widen().widen().code(4095).end();
  ASSERT_EQ(lzwDecode(fits.bytes().data(), fits.bytes().size(), output), LzwStatus::ok);
  EXPECT_EQ(output.size(), 3837u + 2u);
}

TEST(LzwDecode, OutputUpTo120000BytesAndNoMore) {
  Bytes exact(kLzwMaxOutput, 'x');
  Bytes stream = lzwEncode(exact);
  Bytes output;
  ASSERT_EQ(lzwDecode(stream.data(), stream.size(), output), LzwStatus::ok);
  EXPECT_EQ(output, exact);

  Bytes over(kLzwMaxOutput + 1, 'x');
  stream = lzwEncode(over);
  ASSERT_LE(stream.size(), kLzwMaxInput);
  EXPECT_EQ(lzwDecode(stream.data(), stream.size(), output), LzwStatus::corrupt);
  EXPECT_LE(output.size(), kLzwMaxOutput);
  EXPECT_EQ(output, Bytes(output.size(), 'x'));
}

TEST(LzwDecode, InputUpTo32768BytesAndNoMore) {
  // Bits after the end code are ignored, so padding makes a stream of any length.
  Bytes input = {0x20, 0xC0, 0x00};
  input.resize(kLzwMaxInput, 0xAA);
  Bytes output;
  EXPECT_EQ(lzwDecode(input.data(), input.size(), output), LzwStatus::ok);
  EXPECT_EQ(textOf(output), "A");
  input.push_back(0xAA);
  EXPECT_EQ(lzwDecode(input.data(), input.size(), output), LzwStatus::corrupt);
  EXPECT_TRUE(output.empty());
}

TEST(LzwDecode, EveryTruncatedPrefixFailsCleanly) {
  std::mt19937 random(7);
  Bytes text;
  const int textLength = testing::randomRounds(3000);
  for (int i = 0; i < textLength; ++i) text.push_back(static_cast<std::uint8_t>("abc |\r\n"[random() % 7]));
  const Bytes stream = lzwEncode(text);
  Bytes output;
  ASSERT_EQ(lzwDecode(stream.data(), stream.size(), output), LzwStatus::ok);
  ASSERT_EQ(output, text);
  for (std::size_t length = 0; length < stream.size(); ++length) {
    const LzwStatus status = lzwDecode(stream.data(), length, output);
    EXPECT_EQ(status, length < 2 ? LzwStatus::noFirstCode : LzwStatus::corrupt) << "prefix of " << length;
    ASSERT_LE(output.size(), text.size());
    EXPECT_TRUE(std::equal(output.begin(), output.end(), text.begin())) << "prefix of " << length;
  }
}

TEST(LzwDecode, OutputIsReplacedNotAppended) {
  Bytes output = bytesOf("old");
  const Bytes input = {0x20, 0xC0, 0x00};
  ASSERT_EQ(lzwDecode(input.data(), input.size(), output), LzwStatus::ok);
  EXPECT_EQ(textOf(output), "A");
  ASSERT_EQ(lzwDecode(nullptr, 0, output), LzwStatus::noFirstCode);
  EXPECT_TRUE(output.empty());
}

TEST(LzwDecode, AgreesWithTheReferenceOnRandomStreams) {
  std::mt19937 random(11);
  Bytes output;
  for (int round = 0; round < testing::randomRounds(3000); ++round) {
    // Mostly small codes so that streams run for a while before going wrong.
    CodeStream stream;
    const int count = 1 + static_cast<int>(random() % 60);
    for (int i = 0; i < count; ++i) {
      const unsigned pick = random() % 100;
      if (pick < 3) stream.widen();
      else if (pick < 6) stream.reset();
      else if (pick < 60) stream.code(random() % 256);
      else stream.code(259 + random() % 40);
    }
    if (random() % 4 != 0) stream.end();
    const Bytes input = stream.bytes();
    const auto reference = testing::referenceDecode(input);
    ASSERT_EQ(lzwDecode(input.data(), input.size(), output), reference.status) << "round " << round;
    ASSERT_EQ(textOf(output), reference.output) << "round " << round;
  }
}

TEST(LzwDecode, RandomBytesNeverCrash) {
  std::mt19937 random(5);
  Bytes output;
  for (int round = 0; round < testing::randomRounds(2000); ++round) {
    Bytes input(random() % 200);
    for (auto& byte : input) byte = static_cast<std::uint8_t>(random());
    const LzwStatus status = lzwDecode(input.data(), input.size(), output);
    EXPECT_TRUE(status == LzwStatus::ok || status == LzwStatus::noFirstCode || status == LzwStatus::corrupt);
    EXPECT_EQ(status, testing::referenceDecode(input).status);
  }
}

// Memory that runs short where a test says, and counts what is still lent out.
class ShortMemory : public LzwMemory {
 public:
  bool refuseState = false;
  bool refuseOutput = false;
  int blocksOut = 0;

  void* allocate(std::size_t bytes) override {
    if (refuseState) return nullptr;
    ++blocksOut;
    return heapMemory().allocate(bytes);
  }
  void release(void* block) override {
    --blocksOut;
    heapMemory().release(block);
  }
  bool reserve(Bytes& output, std::size_t bytes) override {
    return !refuseOutput && heapMemory().reserve(output, bytes);
  }
};

TEST(LzwDecode, NoMemoryForTheOutputShowsTheMessage) {
  MessageRecorder messages;
  ShortMemory memory;
  memory.refuseOutput = true;
  const Bytes input = {0x20, 0xC0, 0x00};
  Bytes output = bytesOf("old");
  EXPECT_EQ(lzwDecode(input.data(), input.size(), output, messages, memory), LzwStatus::noMemory);
  ASSERT_EQ(messages.messages().size(), 1u);
  EXPECT_EQ(messages.messages()[0], (RecordedMessage{"Impossible d'allouer la memoire", "information", kMbOk}));
  EXPECT_TRUE(output.empty());
  EXPECT_EQ(memory.blocksOut, 0);
  // The silent decode gives the status alone.
  EXPECT_EQ(lzwDecode(input.data(), input.size(), output, memory), LzwStatus::noMemory);
  EXPECT_EQ(messages.messages().size(), 1u);
}

TEST(LzwDecode, NoMemoryForTheWorkingStateIsSilent) {
  MessageRecorder messages;
  ShortMemory memory;
  memory.refuseState = true;
  const Bytes input = {0x20, 0xC0, 0x00};
  Bytes output;
  EXPECT_EQ(lzwDecode(input.data(), input.size(), output, messages, memory), LzwStatus::noMemory);
  EXPECT_TRUE(messages.empty());
  EXPECT_TRUE(output.empty());
}

TEST(LzwDecode, GivesTheWorkingStateBackOnEveryWayOut) {
  ShortMemory memory;
  const Bytes good = {0x20, 0xC0, 0x00};
  const Bytes truncated = {0x20};
  Bytes output;
  EXPECT_EQ(lzwDecode(good.data(), good.size(), output, memory), LzwStatus::ok);
  EXPECT_EQ(lzwDecode(truncated.data(), truncated.size(), output, memory), LzwStatus::noFirstCode);
  EXPECT_EQ(memory.blocksOut, 0);
}

TEST(LzwDecode, StatusNames) {
  EXPECT_STREQ(lzwStatusName(LzwStatus::ok), "ok");
  EXPECT_EQ(lzwStatusNumber(LzwStatus::ok), 0);
  EXPECT_EQ(lzwStatusNumber(LzwStatus::noMemory), -4);
  EXPECT_EQ(lzwStatusNumber(LzwStatus::noFirstCode), -5);
  EXPECT_EQ(lzwStatusNumber(LzwStatus::corrupt), -7);
  EXPECT_STREQ(lzwStatusName(LzwStatus::noMemory), "no memory");
  EXPECT_STREQ(lzwStatusName(LzwStatus::noFirstCode), "no first code");
  EXPECT_STREQ(lzwStatusName(LzwStatus::corrupt), "corrupt");
  EXPECT_STREQ(lzwStatusName(static_cast<LzwStatus>(3)), "unknown status");
}

}  // namespace
}  // namespace fenok
