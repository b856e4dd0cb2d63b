// A quiz that asks for nothing beyond the first content format is stored exactly as before, byte for
// byte: the descriptions in fixtures/plain give the committed answers and codes texts.
#include <gtest/gtest.h>

#include "authoring/content_texts.h"
#include "authoring/quiz_build.h"
#include "pack_support.h"

namespace fenok {
namespace {

using testing::sourceFile;

std::vector<std::uint8_t> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

class PlainQuizBytes : public ::testing::TestWithParam<const char*> {};

TEST_P(PlainQuizBytes, AreTheCommittedOnes) {
  const std::string stem = std::string("tests/unit/pack/fixtures/plain/") + GetParam();
  const std::string path = std::string(FENOK_SOURCE_DIR) + "/" + stem + ".toml";
  pack::Diagnostics diagnostics(path);
  pack::QuizContent content;
  ASSERT_TRUE(pack::readQuizDescription(path, content, diagnostics))
      << (diagnostics.errors(pack::Language::english).empty() ? "" : diagnostics.errors(pack::Language::english).front());
  EXPECT_EQ(pack::answersText(content), bytesOf(sourceFile(stem + ".answers")));
  EXPECT_EQ(pack::codesText(content), bytesOf(sourceFile(stem + ".codes")));
}

INSTANTIATE_TEST_SUITE_P(Samples, PlainQuizBytes, ::testing::Values("demo", "deux", "texte", "audio", "video"));

}  // namespace
}  // namespace fenok
