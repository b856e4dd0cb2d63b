// The bounded reader of decoded content.
#include "content/field_reader.h"

#include <gtest/gtest.h>

#include <string>

namespace fenok {
namespace {

std::vector<std::uint8_t> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

TEST(FieldReader, ReadsBytesTextsAndLines) {
  const auto bytes = bytesOf(std::string("\x07") + "ab||c\r\nd\r\n");
  FieldReader reader(bytes);
  EXPECT_EQ(reader.byte(), 7);
  char field[10];
  reader.text(field, 10);
  EXPECT_STREQ(field, "ab");
  reader.text(field, 10);
  EXPECT_STREQ(field, "");
  reader.line(field, 10);
  EXPECT_STREQ(field, "c");
  reader.line(field, 10);
  EXPECT_STREQ(field, "d");
  EXPECT_TRUE(reader.atEnd());
  EXPECT_FALSE(reader.ranOut());
  EXPECT_EQ(reader.byte(), 0);
  EXPECT_TRUE(reader.ranOut());
}

TEST(FieldReader, CutsLongTextsAndSkipsTheirRest) {
  const auto bytes = bytesOf("abcdefgh|xy|");
  FieldReader reader(bytes);
  char field[4];
  reader.text(field, 4);
  EXPECT_STREQ(field, "abc");
  reader.text(field, 4);
  EXPECT_STREQ(field, "xy");
  EXPECT_FALSE(reader.ranOut());
}

TEST(FieldReader, MissingSeparatorEndsWithTheData) {
  const auto bytes = bytesOf("abc");
  FieldReader reader(bytes);
  char field[10] = "zzzzzzzzz";
  reader.text(field, 10);
  EXPECT_STREQ(field, "abc");
  EXPECT_TRUE(reader.ranOut());
  reader.text(field, 10);
  EXPECT_STREQ(field, "");
  reader.line(field, 10);
  EXPECT_STREQ(field, "");
}

TEST(FieldReader, LineSkipsOneByteAfterCRButNotPastTheEnd) {
  const auto bytes = bytesOf("a\r");
  FieldReader reader(bytes);
  char field[10];
  reader.line(field, 10);
  EXPECT_STREQ(field, "a");
  EXPECT_TRUE(reader.atEnd());
  EXPECT_TRUE(reader.ranOut());
}

TEST(FieldReader, SkipTextAndStartPastTheEnd) {
  const auto bytes = bytesOf("skip|keep|");
  FieldReader reader(bytes);
  reader.skipText();
  char field[10];
  reader.text(field, 10);
  EXPECT_STREQ(field, "keep");

  FieldReader late(bytes, 50);
  EXPECT_TRUE(late.atEnd());
  EXPECT_TRUE(late.ranOut());
  EXPECT_EQ(late.byte(), 0);

  FieldReader empty(nullptr, 0);
  empty.text(field, 10);
  EXPECT_STREQ(field, "");
}

}  // namespace
}  // namespace fenok
