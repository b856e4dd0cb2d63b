// The content fixtures of the Windows suite (tests/win32/data/*.lzw*) are what our encoder writes for
// the worked example. Run with FENOK_WRITE_FIXTURES=1 to write them again.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "content_fixtures.h"

namespace fenok {
namespace {

using testing::Bytes;

std::string fixturePath(const std::string& name) { return std::string(FENOK_SOURCE_DIR) + "/tests/win32/data/" + name; }

void checkFixture(const std::string& name, const Bytes& expected) {
  const std::string path = fixturePath(name);
  const char* write = std::getenv("FENOK_WRITE_FIXTURES");
  if (write != nullptr && std::string(write) == "1") {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(expected.data()), static_cast<std::streamsize>(expected.size()));
  }
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << path << " is missing (FENOK_WRITE_FIXTURES=1 writes it)";
  const Bytes stored((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(stored, expected) << path << " differs from the encoder's output (FENOK_WRITE_FIXTURES=1 rewrites it)";
}

TEST(Win32ContentFixtures, MatchTheEncoder) {
  checkFixture("answers.lzw", testing::encoded(testing::workedExampleAnswers()));
  checkFixture("answers.lzw.scrambled", testing::scrambled(testing::workedExampleAnswers()));
  checkFixture("codes.lzw", testing::encoded(testing::workedExampleCodes()));
}

}  // namespace
}  // namespace fenok
