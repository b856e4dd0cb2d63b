// A quiz written as a web page reads back as the program does: inspect of the page equals inspect of the
// program built from the same description, with every resource carried byte for byte; a page cut short
// says so and keeps what came before the cut; the quiz's title reaches the page as text.
#include <gtest/gtest.h>

#include "../pack/pack_support.h"
#include "authoring/quiz_build.h"
#include "authoring/quiz_inspection.h"
#include "authoring/quiz_page.h"
#include "authoring/quiz_page_reader.h"

namespace fenok {
namespace {

using testing::QuizFolder;
using testing::readFixture;

constexpr char kPlayerPage[] =
    "<title>@FENOK_TITLE@</title><script type=\"application/octet-stream\" id=\"fenok-quiz\">@FENOK_QUIZ@</script>";

pack::PreparedQuiz prepareSample(const std::string& sample) {
  pack::PreparedQuiz prepared = pack::prepareQuiz(std::string(FENOK_SOURCE_DIR) + "/samples/" + sample + "/quiz.toml", false);
  EXPECT_TRUE(prepared.ok());
  return prepared;
}

std::string pageOf(const pack::PreparedQuiz& prepared) {
  std::string page, error;
  EXPECT_TRUE(pack::makeQuizPage(kPlayerPage, prepared.resources, page, error)) << error;
  return page;
}

class SamplePage : public ::testing::TestWithParam<const char*> {};

TEST_P(SamplePage, ReadsBackAsTheProgram) {
  const pack::PreparedQuiz prepared = prepareSample(GetParam());
  std::vector<std::uint8_t> program;
  std::string packing;
  ASSERT_TRUE(pack::packIntoPlayer(readFixture("stub64.exe"), prepared.resources, program, packing)) << packing;
  QuizFolder folder;
  pack::QuizFile fromProgram, fromPage;
  pack::Message error;
  ASSERT_TRUE(pack::loadQuizFile(folder.write("quiz.exe", testing::text(program.data(), program.size())), fromProgram,
                                 error));
  ASSERT_TRUE(pack::loadQuizFile(folder.write("quiz.html", pageOf(prepared)), fromPage, error))
      << pack::say(error, pack::Language::english);

  EXPECT_FALSE(fromPage.damage.has_value());
  EXPECT_EQ(pack::inspectResources(*fromPage.resources).toml, pack::inspectResources(*fromProgram.resources).toml);
  for (const PeResourceEntry& entry : prepared.resources) {
    const ResourceType type =
        entry.typeName.empty() ? ResourceType::numbered(entry.typeNumber) : ResourceType::named(entry.typeName.c_str());
    const ByteView carried = fromPage.page.find(type, entry.id);
    EXPECT_EQ(std::vector<std::uint8_t>(carried.data, carried.data + carried.size), entry.bytes) << entry.id;
  }
}

INSTANTIATE_TEST_SUITE_P(Samples, SamplePage, ::testing::Values("demo", "deux", "texte"));

TEST(QuizPage, CutShortKeepsTheQuizBeforeTheCut) {
  const std::string page = pageOf(prepareSample("demo"));
  std::string whole;
  ASSERT_TRUE(pack::pageQuizText(page, whole));
  MemoryResources all;
  ASSERT_EQ(decodePageBundle(whole.data(), whole.size(), all).damage, BundleDamage::none);
  const std::string expected = pack::inspectResources(all).toml;

  struct Cut {
    double keep;     // the share of the quiz element left
    bool quizStays;  // the content comes first: only pictures are lost
  };
  for (const Cut cut : {Cut{0.0, false}, Cut{0.0001, false}, Cut{0.3, true}, Cut{0.9, true}, Cut{0.9999, true}}) {
    const std::size_t kept = static_cast<std::size_t>(static_cast<double>(whole.size()) * cut.keep);
    std::string cutText;
    ASSERT_TRUE(pack::pageQuizText(page.substr(0, page.find(whole) + kept), cutText));
    MemoryResources resources;
    const BundleReading reading = decodePageBundle(cutText.data(), cutText.size(), resources);
    EXPECT_TRUE(pack::bundleDamage(reading).has_value()) << cut.keep;
    EXPECT_EQ(pack::inspectResources(resources).toml == expected, cut.quizStays) << cut.keep;
  }
}

TEST(QuizPage, TitleIsTextAndMarkersAreNeeded) {
  QuizFolder folder;
  const std::string quiz = folder.write("quiz.toml",
                                        "title = \"<img src=x onerror=alert(1)> & co\"\nmedia = \"text\"\n\n"
                                        "[[question]]\nanswer = \"OUI\"\ntext = \"Vrai ?\"\n");
  const pack::PreparedQuiz prepared = pack::prepareQuiz(quiz, false);
  ASSERT_TRUE(prepared.ok());
  const std::string page = pageOf(prepared);
  EXPECT_NE(page.find("<title>&lt;img src=x onerror=alert(1)&gt; &amp; co</title>"), std::string::npos);

  std::string written, error;
  EXPECT_FALSE(pack::makeQuizPage("<title>@FENOK_TITLE@</title>", prepared.resources, written, error));
  EXPECT_NE(error.find("@FENOK_QUIZ@"), std::string::npos);
  EXPECT_FALSE(pack::makeQuizPage(std::string(kPlayerPage) + kPlayerPage, prepared.resources, written, error));
}

}  // namespace
}  // namespace fenok
