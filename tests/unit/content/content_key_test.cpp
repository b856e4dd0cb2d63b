// The content key, descrambling and the built-in link text.
#include "content/content_key.h"

#include <gtest/gtest.h>

#include <cstring>

#include "content/lzw.h"

namespace fenok {
namespace {

TEST(ContentKey, HasFourteenNonZeroBytes) {
  EXPECT_EQ(kContentKeyLength, 14u);
  for (const std::uint8_t byte : contentKey) EXPECT_NE(byte, 0);
}

TEST(Descramble, LeavesByteZeroAndRestartsTheKeyEvery14Bytes) {
  std::vector<std::uint8_t> bytes(40, 0);
  descramble(bytes.data(), bytes.size());
  EXPECT_EQ(bytes[0], 0);
  for (std::size_t i = 1; i < bytes.size(); ++i) EXPECT_EQ(bytes[i], contentKey[(i - 1) % 14]) << i;
  EXPECT_EQ(bytes[15], contentKey[0]);
  EXPECT_EQ(bytes[14], contentKey[13]);
}

TEST(Descramble, IsItsOwnInverse) {
  std::vector<std::uint8_t> bytes;
  for (int i = 0; i < 100; ++i) bytes.push_back(static_cast<std::uint8_t>(i * 37));
  const auto original = bytes;
  descramble(bytes.data(), bytes.size());
  EXPECT_NE(bytes, original);
  descramble(bytes.data(), bytes.size());
  EXPECT_EQ(bytes, original);
}

TEST(Descramble, ShortInputs) {
  descramble(nullptr, 0);
  std::uint8_t one = 0x42;
  descramble(&one, 1);
  EXPECT_EQ(one, 0x42);
}

TEST(BuiltInLinkText, DecodesToTheLinkAndTheStatusLine) {
  const auto& stored = builtInLinkText();
  std::vector<std::uint8_t> decoded;
  ASSERT_EQ(lzwDecode(stored.data(), stored.size(), decoded), LzwStatus::ok);
  const std::string text(decoded.begin(), decoded.end());
  EXPECT_EQ(text.substr(2), std::string(kBuiltInLinkAddress) + "|" + kBuiltInStatusText + "|");
  EXPECT_LE(std::strlen(kBuiltInLinkAddress), 24u);
  EXPECT_LE(std::strlen(kBuiltInStatusText), 42u);
  EXPECT_EQ(std::strchr(kBuiltInLinkAddress, '|'), nullptr);
  EXPECT_EQ(std::strchr(kBuiltInStatusText, '|'), nullptr);
  EXPECT_EQ(&builtInLinkText(), &stored);  // encoded once
}

}  // namespace
}  // namespace fenok
