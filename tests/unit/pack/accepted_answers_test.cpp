// `accents` and `also` in a quiz description: their checks and messages, the stored block (the worked
// example of the content README), and the round trip through a packed program and `inspect`'s form.
#include <gtest/gtest.h>

#include "authoring/content_texts.h"
#include "authoring/quiz_build.h"
#include "authoring/quiz_toml_writer.h"
#include "content/accepted_block.h"
#include "pack_support.h"

namespace fenok {
namespace {

using testing::LoadedQuiz;
using testing::QuizFolder;
using testing::readFixture;

struct Case {
  const char* name;
  std::string toml;
  std::vector<std::string> errors;
  std::vector<std::string> warnings;
};

const std::string kText = "title = \"T\"\nmedia = \"text\"\n";
const std::string kPictures = "title = \"T\"\nmedia = \"pictures\"\n";
const std::string kTolerant = "accents = \"tolerant\"\n";
const std::string kCapitalWarning =
    " has 'É', which the player does not upper-case: typed in small letters it is never judged \"BRAVO\"; "
    "accents = \"tolerant\" makes case and accents not count";

std::string textQuestion(const std::string& answer, const std::string& also) {
  return "[[question]]\nanswer = \"" + answer + "\"\ntext = \"Q\"\nalso = " + also + "\n";
}

class AcceptedAnswerChecks : public ::testing::TestWithParam<Case> {};

TEST_P(AcceptedAnswerChecks, ReportExactly) {
  QuizFolder folder;
  folder.write("a.jpg", testing::sourceFile("tests/unit/pack/fixtures/quarters.jpg"));
  const std::string path = folder.write("quiz.toml", GetParam().toml);
  pack::Diagnostics diagnostics("quiz.toml");
  std::vector<PeResourceEntry> resources;
  EXPECT_EQ(pack::quizResources(path, false, resources, diagnostics), GetParam().errors.empty());
  EXPECT_EQ(diagnostics.errors(pack::Language::english), GetParam().errors);
  EXPECT_EQ(diagnostics.warnings(pack::Language::english), GetParam().warnings);
}

const Case kCases[] = {
    {"Accepted", kText + kTolerant + textQuestion("\xC5\x92UF", "[\"OEUF\", \"UN OEUF\"]"), {}, {}},
    {"UnknownAccents", kText + "accents = \"souple\"\n" + textQuestion("A", "[]"),
     {"quiz.toml:3: 'accents' must be one of \"strict\", \"tolerant\""}, {}},
    {"AlsoNotAList", kText + textQuestion("A", "\"B\""),
     {"quiz.toml:6: 'also' must be a list of texts, like [\"A\", \"B\"]"}, {}},
    {"AlsoWithSeparator", kText + textQuestion("A", "[\"B|C\"]"),
     {"quiz.toml:6: accepted answer 1 of question 1 contains '|', which the stored quiz uses to end its texts"}, {}},
    {"AlsoEmpty", kText + textQuestion("A", "[\"B\", \"\"]"), {"quiz.toml:6: accepted answer 2 of question 1 is empty"},
     {}},
    {"AlsoNotWindows1252", kText + textQuestion("A", "[\"中\"]"),
     {"quiz.toml:6: accepted answer 1 of question 1 contains '中' (U+4E2D), which Windows-1252 cannot hold"}, {}},
    {"NineAlso", kText + textQuestion("A", "[\"1\", \"2\", \"3\", \"4\", \"5\", \"6\", \"7\", \"8\", \"9\"]"),
     {"quiz.toml:6: question 1 has 9 more accepted answers; at most 8 fit"}, {}},
    {"AlsoOverTheBox",
     kPictures + "[[question]]\nanswer = \"A\"\npicture = \"a.jpg\"\nalso = [\"" + std::string(41, 'B') + "\"]\n",
     {"quiz.toml:6: accepted answer 1 of question 1 is 41 characters long; an answer box takes 40, so it could never "
      "be typed"},
     {}},
    {"SecondAlsoWithOneBox", kPictures + "[[question]]\nanswer = \"A\"\npicture = \"a.jpg\"\nsecond_also = [\"B\"]\n",
     {"quiz.toml:6: 'second_also' needs answers_per_question = 2"}, {}},
    {"SecondAlsoChecked",
     kPictures + "answers_per_question = 2\n[[question]]\nanswer = \"A\"\nsecond_answer = \"B\"\npicture = \"a.jpg\"\n"
                 "second_also = [\" C\"]\n",
     {},
     {"quiz.toml:8: warning: accepted answer 1 of the second box of question 1 \" C\" begins or ends with a space; it "
      "can never be judged \"BRAVO\""}},
    {"CapitalInStrict", kText + textQuestion("ÉTÉ", "[]"), {},
     {"quiz.toml:4: warning: the answer of question 1 \"ÉTÉ\"" + kCapitalWarning}},
    {"CapitalInAnAcceptedAnswer", kText + textQuestion("A", "[\"ÉTÉ\"]"), {},
     {"quiz.toml:6: warning: accepted answer 1 of question 1 \"ÉTÉ\"" + kCapitalWarning}},
    {"CapitalInTolerant", kText + kTolerant + textQuestion("ÉTÉ", "[\"ÉTÉS\"]"), {}, {}},
    {"SmallAccentsInStrict", kText + textQuestion("été", "[]"), {}, {}},
};

std::string caseName(const ::testing::TestParamInfo<Case>& param) { return param.param.name; }

INSTANTIATE_TEST_SUITE_P(Cases, AcceptedAnswerChecks, ::testing::ValuesIn(kCases), caseName);

std::vector<std::uint8_t> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

TEST(AcceptedBlockWriter, WritesTheWorkedExample) {
  pack::QuizContent quiz;
  quiz.commentKind = 2;
  quiz.accentMode = kAccentsTolerant;
  quiz.title = "Animaux";
  quiz.author = "Moi";
  quiz.explanation = "Trouvez les animaux";
  quiz.questions = {{"CHAT", "", "Quel animal ?", "Il miaule"}, {"CHIEN", "", "Et celui-ci ?", "Il aboie"}};
  quiz.questions[0].also = {"MATOU", "MINOU"};
  quiz.backRed = 0x33;
  quiz.backGreen = 0x66;
  quiz.backBlue = 0xFF;
  const std::string expected = std::string("\x00\x02\x02\x01", 4) +
                               "Animaux|Moi|Trouvez les animaux|||CHAT|Quel animal ?|CHIEN|Et celui-ci ?|" + "\x02" +
                               "Il miaule|Il aboie|" + "\x33\x66\xFF" +
                               std::string("ACPT\x01\x0F\x00\x00\x00\x01\x02", 11) + "MATOU|MINOU|" +
                               std::string("\x00", 1);
  EXPECT_EQ(pack::answersText(quiz), bytesOf(expected));
}

TEST(AcceptedBlockWriter, TwoBoxesWriteBothListsAndStrictVariantsStillGetABlock) {
  pack::QuizContent quiz;
  quiz.answersPerQuestion = 2;
  quiz.questions = {{"CERCLE", "ROUGE", "", ""}};
  quiz.questions[0].secondAlso = {"ROUX"};
  const std::vector<std::uint8_t> text = pack::answersText(quiz);
  const std::string tail = std::string("ACPT\x01\x08\x00\x00\x00\x00\x00\x01", 12) + "ROUX|";
  ASSERT_GE(text.size(), tail.size());
  EXPECT_EQ(std::string(text.end() - static_cast<std::ptrdiff_t>(tail.size()), text.end()), tail);
}

// Builds the description into the test player and loads it back with the player's own loader.
void buildAndLoad(const std::string& path, LoadedQuiz& loaded) {
  pack::Diagnostics diagnostics(path);
  std::vector<PeResourceEntry> resources;
  ASSERT_TRUE(pack::quizResources(path, false, resources, diagnostics))
      << (diagnostics.errors(pack::Language::english).empty() ? "" : diagnostics.errors(pack::Language::english).front());
  std::vector<std::uint8_t> packed;
  std::string error;
  ASSERT_TRUE(pack::packIntoPlayer(readFixture("stub32.exe"), resources, packed, error)) << error;
  ASSERT_TRUE(loaded.load(packed, error)) << error;
}

TEST(AcceptedAnswersRoundTrip, InspectPrintsThemAndTheyBuildTheSameQuizAgain) {
  QuizFolder folder;
  const std::string path = folder.write(
      "quiz.toml", "title = \"Œufs\"\nmedia = \"pictures\"\nanswers_per_question = 2\n" + kTolerant +
                       "[[question]]\nanswer = \"ŒUF\"\nsecond_answer = \"POULE\"\npicture = \"a.jpg\"\n"
                       "also = [\"OEUF\", \"UN ŒUF\"]\nsecond_also = [\"COQ\"]\n"
                       "[[question]]\nanswer = \"NID\"\nsecond_answer = \"PAILLE\"\npicture = \"a.jpg\"\n");
  folder.write("a.jpg", testing::sourceFile("tests/unit/pack/fixtures/quarters.jpg"));
  LoadedQuiz loaded;
  buildAndLoad(path, loaded);
  ASSERT_EQ(loaded.quiz->accentMode, kAccentsTolerant);
  EXPECT_STREQ(loaded.quiz->firstAnswer->also, "OEUF|UN \x8C" "UF");

  const std::string printed = pack::writeQuizToml(*loaded.quiz, true);
  EXPECT_NE(printed.find("\naccents = \"tolerant\"\n"), std::string::npos) << printed;
  EXPECT_NE(printed.find("\nalso = [\"OEUF\", \"UN ŒUF\"]\n"), std::string::npos) << printed;
  EXPECT_NE(printed.find("\nsecond_also = [\"COQ\"]\n"), std::string::npos) << printed;
  EXPECT_EQ(printed.find("answer = \"NID\"\nalso"), std::string::npos) << printed;

  // The printed form, with its picture files, builds the same stored texts.
  std::string rebuilt = printed;
  for (std::size_t at = 0; (at = rebuilt.find("[[question]]\n", at)) != std::string::npos; at += 13)
    rebuilt.insert(at + 13, "picture = \"a.jpg\"\n");
  pack::Diagnostics first(path);
  pack::Diagnostics second("again.toml");
  pack::QuizContent original;
  pack::QuizContent again;
  ASSERT_TRUE(pack::readQuizDescription(path, original, first));
  ASSERT_TRUE(pack::readQuizDescription(folder.write("again.toml", rebuilt), again, second))
      << (second.errors(pack::Language::english).empty() ? "" : second.errors(pack::Language::english).front());
  EXPECT_EQ(pack::answersText(again), pack::answersText(original));
}

TEST(AcceptedAnswersRoundTrip, AStrictQuizPrintsNoAccentsLine) {
  QuizFolder folder;
  LoadedQuiz loaded;
  buildAndLoad(folder.write("quiz.toml", kText + textQuestion("A", "[]")), loaded);
  EXPECT_EQ(loaded.quiz->accentMode, kAccentsStrict);
  EXPECT_EQ(pack::writeQuizToml(*loaded.quiz, true).find("accents"), std::string::npos);
}

}  // namespace
}  // namespace fenok
