// lzwEncode: round trips through lzwDecode, and the shape of the streams it writes.
#include <gtest/gtest.h>

#include <random>

#include "content/lzw.h"
#include "lzw_streams.h"

namespace fenok {
namespace {

using testing::Bytes;
using testing::bytesOf;

void expectRoundTrip(const Bytes& input) {
  const Bytes stream = lzwEncode(input);
  ASSERT_LE(stream.size(), kLzwMaxInput);
  Bytes output;
  ASSERT_EQ(lzwDecode(stream.data(), stream.size(), output), LzwStatus::ok);
  ASSERT_EQ(output, input);
}

TEST(LzwEncode, WritesTheWorkedExample) {
  EXPECT_EQ(lzwEncode(bytesOf("ABABABA")), (Bytes{0x20, 0x90, 0xA0, 0x70, 0x58, 0x00}));
  EXPECT_EQ(lzwEncode(bytesOf("A")), (Bytes{0x20, 0xC0, 0x00}));
}

TEST(LzwEncode, EmptyInputGivesEmptyStream) {
  EXPECT_TRUE(lzwEncode(Bytes{}).empty());
  EXPECT_TRUE(lzwEncode(nullptr, 0).empty());
}

TEST(LzwEncode, SmallStructuredInputsRoundTrip) {
  expectRoundTrip(bytesOf("A"));
  expectRoundTrip(Bytes{0});
  expectRoundTrip(Bytes{0xFF});
  expectRoundTrip(bytesOf("AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA"));
  expectRoundTrip(bytesOf("TOBEORNOTTOBEORTOBEORNOT#"));
  const std::string content("\x00\x02\x02\x01" "Animaux|Moi|Trouvez les animaux|||CHAT|Quel animal ?|", 57);
  ASSERT_EQ(content[0], '\0');
  ASSERT_EQ(content.back(), '|');
  expectRoundTrip(bytesOf(content));
  Bytes all;
  for (int i = 0; i < 256; ++i) all.push_back(static_cast<std::uint8_t>(i));
  expectRoundTrip(all);
  for (int i = 255; i >= 0; --i) all.push_back(static_cast<std::uint8_t>(i));
  expectRoundTrip(all);
}

TEST(LzwEncode, RandomInputsRoundTrip) {
  std::mt19937 random(3);
  for (int round = 0; round < 400; ++round) {
    const int alphabet = 1 + static_cast<int>(random() % 256);
    Bytes input(1 + random() % 3000);
    for (auto& byte : input) byte = static_cast<std::uint8_t>(random() % alphabet);
    expectRoundTrip(input);
  }
}

TEST(LzwEncode, LongInputsWidenToTwelveBitsAndReset) {
  // Text-like data of the largest size: the dictionary fills several times.
  std::mt19937 random(9);
  const char* const words[] = {"CHAT", "CHIEN", "Quel animal ?", "|", "\r\n", "BRAVO", "Il miaule", " "};
  Bytes input;
  while (input.size() < kLzwMaxOutput) {
    const std::string word = words[random() % 8];
    input.insert(input.end(), word.begin(), word.end());
  }
  input.resize(kLzwMaxOutput);
  const Bytes stream = lzwEncode(input);
  ASSERT_LE(stream.size(), kLzwMaxInput);
  Bytes output;
  ASSERT_EQ(lzwDecode(stream.data(), stream.size(), output), LzwStatus::ok);
  ASSERT_EQ(output, input);

  const auto trace = testing::referenceDecode(stream);
  ASSERT_EQ(trace.status, LzwStatus::ok);
  int widens = 0;
  int resets = 0;
  int widest = 0;
  for (const auto& code : trace.codes) {
    widens += code.code == kLzwWidenCode;
    resets += code.code == kLzwResetCode;
    widest = std::max(widest, code.width);
  }
  EXPECT_EQ(widest, 12);
  EXPECT_GE(resets, 2);
  // 9->10->11->12 in every full round of the dictionary, and up to that in the last one.
  EXPECT_GE(widens, 3 * resets);
  EXPECT_LE(widens, 3 * (resets + 1));
}

TEST(LzwEncode, EveryCodeFitsItsWidthAndWidensOnlyWhenNeeded) {
  std::mt19937 random(4);
  Bytes input(20000);
  for (auto& byte : input) byte = static_cast<std::uint8_t>(random() % 4);
  const auto trace = testing::referenceDecode(lzwEncode(input));
  ASSERT_EQ(trace.status, LzwStatus::ok);
  ASSERT_EQ(trace.output, testing::textOf(input));
  std::uint64_t next = 259;
  for (std::size_t i = 1; i < trace.codes.size(); ++i) {
    const auto& code = trace.codes[i];
    if (code.code == kLzwWidenCode) {
      // The code after a widen is the first that needs the extra bit.
      ASSERT_LT(i + 1, trace.codes.size());
      EXPECT_GE(trace.codes[i + 1].code, std::uint64_t{1} << code.width);
      continue;
    }
    if (code.code == kLzwResetCode) {
      EXPECT_EQ(next, 4096u);  // only when the dictionary is full
      next = 259;
      continue;
    }
    if (code.code == kLzwEndCode) break;
    EXPECT_LE(code.code, next);
    ++next;
  }
}

TEST(LzwEncode, RunsOfOneByteNeedFewCodes) {
  // A run of n bytes takes about sqrt(2n) codes.
  const Bytes input(kLzwMaxOutput, 'x');
  const Bytes stream = lzwEncode(input);
  EXPECT_LT(stream.size(), 1000u);
  expectRoundTrip(input);
}

TEST(LzwEncode, IncompressibleInputUpToTheInputBoundRoundTrips) {
  std::mt19937 random(8);
  Bytes input(20000);
  for (auto& byte : input) byte = static_cast<std::uint8_t>(random());
  const Bytes stream = lzwEncode(input);
  EXPECT_GT(stream.size(), input.size());  // random bytes grow
  expectRoundTrip(input);
}

}  // namespace
}  // namespace fenok
