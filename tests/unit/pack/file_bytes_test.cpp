// Reading a file whole: every size around the read's chunk comes back byte for byte, and what cannot be
// read is told with its reason.
#include <gtest/gtest.h>

#include "authoring/file_bytes.h"
#include "pack_support.h"

namespace fenok::testing {
namespace {

std::string patterned(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131 + i / 251) & 0xFF);
  return bytes;
}

TEST(FileBytes, EverySizeComesBackWhole) {
  QuizFolder folder;
  for (std::size_t size : {0u, 1u, 65535u, 65536u, 65537u, 1'200'001u}) {
    const std::string written = patterned(size);
    const std::string path = folder.write("file" + std::to_string(size), written);
    std::vector<std::uint8_t> read{1, 2, 3};  // whatever it held is replaced
    pack::Message reason;
    ASSERT_TRUE(pack::readFileBytes(path, read, reason)) << size;
    EXPECT_EQ(std::string(read.begin(), read.end()), written) << size;
  }
}

TEST(FileBytes, WhatCannotBeReadIsToldWithItsReason) {
  QuizFolder folder;
  folder.write("inside/file.jpg", "x");
  const struct {
    std::string path;
    pack::Msg reason;
  } cases[] = {
      {folder.path("missing.jpg"), pack::Msg::noSuchFile},
      {folder.path("inside"), pack::Msg::aDirectory},
  };
  for (const auto& c : cases) {
    std::vector<std::uint8_t> bytes{1};
    pack::Message reason;
    EXPECT_FALSE(pack::readFileBytes(c.path, bytes, reason)) << c.path;
    EXPECT_EQ(reason.id, c.reason) << c.path;
    EXPECT_TRUE(bytes.empty()) << c.path;
  }
}

}  // namespace
}  // namespace fenok::testing
