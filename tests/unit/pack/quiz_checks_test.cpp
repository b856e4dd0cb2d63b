// Every problem a quiz description can have, with the exact message it gets: errors stop the build,
// warnings let it go on.
#include <gtest/gtest.h>

#include "authoring/quiz_build.h"
#include "authoring/quiz_checks.h"
#include "pack_support.h"

namespace fenok {
namespace {

using testing::QuizFolder;
using testing::sourceFile;

struct Case {
  const char* name;
  std::string toml;
  std::vector<std::string> errors;    // exactly these, in order
  std::vector<std::string> warnings;  // exactly these, in order
};

const std::string kJpeg = sourceFile("tests/unit/pack/fixtures/quarters.jpg");
const std::string kTextQuestion = "[[question]]\nanswer = \"A\"\ntext = \"Q\"\n";
const std::string kPictureQuestion = "[[question]]\nanswer = \"A\"\npicture = \"a.jpg\"\n";

std::string repeat(const std::string& text, int times) {
  std::string result;
  for (int i = 0; i < times; ++i) result += text;
  return result;
}

void writeFiles(const QuizFolder& folder) {
  folder.write("a.jpg", kJpeg);
  folder.write("b.gif", sourceFile("tests/unit/pack/fixtures/quarters.gif"));
  folder.write("c.png", sourceFile("samples/demo/pictures/pologne.png"));
  folder.write("broken.png", "\x89PNG\r\n\x1A\n not really");
  folder.write("notes.txt", "just text");
  folder.write("song.mp3", "ID3 sound");
  folder.write("odd.clip", "??? unknown clip");
  folder.write("empty.jpg", "");
  folder.write("sub/inside.jpg", kJpeg);
}

class QuizChecks : public ::testing::TestWithParam<Case> {};

TEST_P(QuizChecks, ReportsExactly) {
  QuizFolder folder;
  writeFiles(folder);
  const std::string path = folder.write("quiz.toml", GetParam().toml);
  pack::Diagnostics diagnostics("quiz.toml");
  std::vector<PeResourceEntry> resources;
  const bool built = pack::quizResources(path, false, resources, diagnostics);
  EXPECT_EQ(built, GetParam().errors.empty());
  EXPECT_EQ(diagnostics.errors(pack::Language::english), GetParam().errors);
  EXPECT_EQ(diagnostics.warnings(pack::Language::english), GetParam().warnings);
}

const Case kErrors[] = {
    {"UnknownKey", "titel = \"T\"\nmedia = \"text\"\n" + kTextQuestion,
     {"quiz.toml:1: unknown key 'titel' (did you mean 'title'?)", "quiz.toml: missing key 'title'"}, {}},
    {"UnknownQuestionKey", "title = \"T\"\nmedia = \"text\"\n[[question]]\nanwser = \"A\"\ntext = \"Q\"\n",
     {"quiz.toml:4: unknown key 'anwser' (did you mean 'answer'?)", "quiz.toml:3: missing key 'answer' in question 1"},
     {}},
    {"UnknownKeyFarFromAny", "title = \"T\"\nmedia = \"text\"\ncolour = 3\n" + kTextQuestion,
     {"quiz.toml:3: unknown key 'colour'"}, {}},
    {"MissingMedia", "title = \"T\"\n" + kPictureQuestion, {"quiz.toml: missing key 'media'"}, {}},
    {"MissingText", "title = \"T\"\nmedia = \"text\"\n[[question]]\nanswer = \"A\"\n",
     {"quiz.toml:3: missing key 'text' in question 1"}, {}},
    {"NoQuestion", "title = \"T\"\nmedia = \"text\"\n", {"quiz.toml: the quiz has no [[question]]"}, {}},
    {"MoreThan96Questions", "title = \"T\"\nmedia = \"text\"\n" + repeat(kTextQuestion, 97),
     {"quiz.toml:291: more than 96 questions (97)"}, {}},
    {"ThreeAnswers", "title = \"T\"\nmedia = \"pictures\"\nanswers_per_question = 3\n" + kPictureQuestion,
     {"quiz.toml:3: 'answers_per_question' must be 1 or 2"}, {}},
    {"TwoAnswersInATextQuiz",
     "title = \"T\"\nmedia = \"text\"\nanswers_per_question = 2\n[[question]]\nanswer = \"A\"\nsecond_answer = \"B\"\n"
     "text = \"Q\"\n",
     {"quiz.toml:3: a text quiz has one answer box per question"}, {}},
    {"MissingSecondAnswer", "title = \"T\"\nmedia = \"pictures\"\nanswers_per_question = 2\n" + kPictureQuestion,
     {"quiz.toml:4: missing key 'second_answer' in question 1"}, {}},
    {"SecondAnswerWithOneBox", "title = \"T\"\nmedia = \"pictures\"\n" + kPictureQuestion + "second_answer = \"B\"\n",
     {"quiz.toml:6: 'second_answer' needs answers_per_question = 2"}, {}},
    {"NotWindows1252", "title = \"Quiz 中\"\nmedia = \"text\"\n" + kTextQuestion,
     {"quiz.toml:1: the title contains '中' (U+4E2D), which Windows-1252 cannot hold"}, {}},
    {"TextOverItsField", "title = \"" + std::string(260, 'x') + "\"\nmedia = \"text\"\n" + kTextQuestion,
     {"quiz.toml:1: the title is 260 characters long; at most 259 fit"}, {}},
    {"AnswerOverTheBox",
     "title = \"T\"\nmedia = \"pictures\"\n[[question]]\nanswer = \"" + std::string(41, 'A') + "\"\npicture = \"a.jpg\"\n",
     {"quiz.toml:4: the answer of question 1 is 41 characters long; an answer box takes 40, so it could never be typed"},
     {}},
    {"EmptyAnswer", "title = \"T\"\nmedia = \"text\"\n[[question]]\nanswer = \"\"\ntext = \"Q\"\n",
     {"quiz.toml:4: question 1 has no answer yet"}, {}},
    {"EmptySecondAnswer",
     "title = \"T\"\nmedia = \"pictures\"\nanswers_per_question = 2\n" + kPictureQuestion + "second_answer = \"\"\n",
     {"quiz.toml:7: question 1 has no second answer yet"}, {}},
    {"Separator", "title = \"T\"\nmedia = \"text\"\n[[question]]\nanswer = \"A\"\ntext = \"Q | R\"\n",
     {"quiz.toml:5: the text of question 1 contains '|', which the stored quiz uses to end its texts"}, {}},
    {"SeparatorInReward", "title = \"T\"\nmedia = \"text\"\nrewards = [\"a|b\"]\n" + kTextQuestion,
     {"quiz.toml:3: reward 1 contains '|', which the stored quiz uses to end its texts"}, {}},
    {"LineBreakInReward", "title = \"T\"\nmedia = \"text\"\nrewards = [\"a\\nb\"]\n" + kTextQuestion,
     {"quiz.toml:3: reward 1 contains a line break; the stored rewards are one per line"}, {}},
    {"CarriageReturnInReward", "title = \"T\"\nmedia = \"text\"\nrewards = [\"a\\rb\"]\n" + kTextQuestion,
     {"quiz.toml:3: reward 1 contains a line break; the stored rewards are one per line"}, {}},
    {"LineBreakInAnswer", "title = \"T\"\nmedia = \"text\"\n[[question]]\nanswer = \"A\\nB\"\ntext = \"Q\"\n",
     {"quiz.toml:4: the answer of question 1 contains a line break, which an answer box cannot take"}, {}},
    {"MissingFile", "title = \"T\"\nmedia = \"pictures\"\n[[question]]\nanswer = \"A\"\npicture = \"nope.jpg\"\n",
     {"quiz.toml:5: cannot read \"nope.jpg\": No such file or directory"}, {}},
    {"EmptyFile", "title = \"T\"\nmedia = \"pictures\"\n[[question]]\nanswer = \"A\"\npicture = \"empty.jpg\"\n",
     {"quiz.toml:5: \"empty.jpg\" is empty"}, {}},
    {"NotAPicture", "title = \"T\"\nmedia = \"pictures\"\n[[question]]\nanswer = \"A\"\npicture = \"notes.txt\"\n",
     {"quiz.toml:5: \"notes.txt\" is not a JPEG, GIF, PNG, WebP, HEIC or AVIF picture"}, {}},
    {"PngThePlayerCannotDecode",
     "title = \"T\"\nmedia = \"pictures\"\n[[question]]\nanswer = \"A\"\npicture = \"broken.png\"\n",
     {"quiz.toml:5: \"broken.png\" is a PNG that the player cannot decode"}, {}},
    {"ClipInAPictureQuiz", "title = \"T\"\nmedia = \"pictures\"\n" + kPictureQuestion + "clip = \"song.mp3\"\n",
     {"quiz.toml:6: a clip in a picture quiz"}, {}},
    {"PictureInAClipQuiz",
     "title = \"T\"\nmedia = \"audio\"\n[[question]]\nanswer = \"A\"\nclip = \"song.mp3\"\npicture = \"a.jpg\"\n",
     {"quiz.toml:6: a picture in a clip quiz"}, {}},
    {"PictureFileAsClip", "title = \"T\"\nmedia = \"video\"\n[[question]]\nanswer = \"A\"\nclip = \"b.gif\"\n",
     {"quiz.toml:5: \"b.gif\" is a picture; a clip quiz needs sound or video clips"}, {}},
    {"MissingClip", "title = \"T\"\nmedia = \"audio\"\n[[question]]\nanswer = \"A\"\n",
     {"quiz.toml:3: missing key 'clip' in question 1"}, {}},
    {"PictureInATextQuiz", "title = \"T\"\nmedia = \"text\"\n" + kTextQuestion + "picture = \"a.jpg\"\n",
     {"quiz.toml:6: a picture in a text quiz"}, {}},
    {"MissingSolution", "title = \"T\"\nmedia = \"pictures\"\ncomments = \"solution-picture\"\n" + kPictureQuestion,
     {"quiz.toml:4: missing key 'solution' in question 1: 'comments' = \"solution-picture\" shows a solution picture"},
     {}},
    {"SolutionsOutsideAPictureQuiz",
     "title = \"T\"\nmedia = \"audio\"\ncomments = \"comment-and-picture\"\n[[question]]\nanswer = \"A\"\nclip = \"song.mp3\"\n",
     {"quiz.toml:3: 'comments' = \"comment-and-picture\" shows solution pictures, which only a picture quiz has"}, {}},
    {"MoreRewardsThanQuestions", "title = \"T\"\nmedia = \"text\"\nrewards = [\"a\", \"b\"]\n" + kTextQuestion,
     {"quiz.toml:3: 2 rewards for 1 questions: one per score level at most"}, {}},
    {"UnknownMedia", "title = \"T\"\nmedia = \"radio\"\n" + kTextQuestion,
     {"quiz.toml:2: 'media' must be one of \"text\", \"pictures\", \"audio\", \"video\""}, {}},
    {"UnknownComments", "title = \"T\"\nmedia = \"text\"\ncomments = 7\n" + kTextQuestion,
     {"quiz.toml:3: 'comments' must be one of \"none\", \"solution-picture\", \"comment\", \"comment-and-picture\", "
      "\"all-at-end\""},
     {}},
    {"BadBackground", "title = \"T\"\nmedia = \"text\"\nbackground = \"blue\"\n" + kTextQuestion,
     {"quiz.toml:3: 'background' must be a colour like \"#3366FF\""}, {}},
    {"NotAText", "title = 3\nmedia = \"text\"\n" + kTextQuestion,
     {"quiz.toml:1: 'title' must be a text in quotes", "quiz.toml: missing key 'title'"}, {}},
    {"QuestionNotATableList", "title = \"T\"\nmedia = \"text\"\nquestion = 1\n",
     {"quiz.toml:3: questions must be [[question]] tables", "quiz.toml: the quiz has no [[question]]"}, {}},
    {"QuestionCountDisagrees", "title = \"T\"\nmedia = \"text\"\nquestion_count = 2\n" + kTextQuestion,
     {"quiz.toml:3: 'question_count' is 2 but there are 1 [[question]] tables"}, {}},
    {"NulCharacter", "title = \"a\\u0000b\"\nmedia = \"text\"\n" + kTextQuestion,
     {"quiz.toml:1: the title contains a NUL character"}, {}},
    {"EmptyTitle", "title = \"\"\nmedia = \"text\"\n" + kTextQuestion, {"quiz.toml:1: the title is empty"}, {}},
    {"TabInReward", "title = \"T\"\nmedia = \"text\"\nrewards = [\"a\\tb\"]\n" + kTextQuestion,
     {"quiz.toml:3: reward 1 contains a control character (a tab), which the player cannot show"}, {}},
    {"LineBreakInTitle", "title = \"T\\nU\"\nmedia = \"text\"\n" + kTextQuestion,
     {"quiz.toml:1: the title contains a control character (a line break), which the player cannot show"}, {}},
    {"UnassignedByteInComment",
     "title = \"T\"\nmedia = \"pictures\"\ncomments = \"comment\"\n" + kPictureQuestion + "comment = \"a\\u0081\"\n",
     {"quiz.toml:7: the comment of question 1 contains a control character (U+0081), which the player cannot show"}, {}},
    {"PictureIsAFolder", "title = \"T\"\nmedia = \"pictures\"\n[[question]]\nanswer = \"A\"\npicture = \"sub\"\n",
     {"quiz.toml:5: \"sub\" is a directory"}, {}},
    {"SingleBracketQuestion", "title = \"T\"\nmedia = \"text\"\n[question]\nanswer = \"A\"\ntext = \"Q\"\n",
     {"quiz.toml:3: a question starts with [[question]], in double brackets ([question] is read as one table for "
      "the whole quiz)"},
     {}},
    {"UnclosedQuote", "title = \"T\"\nmedia = \"text\n" + kTextQuestion,
     {"quiz.toml:2: a text in quotes is not closed: its closing quote is missing on this line"}, {}},
    {"Latin1", "title = \"\xE9t\xE9\"\nmedia = \"text\"\n" + kTextQuestion,
     {"quiz.toml:1: the description is not UTF-8 (byte 0xE9, '\xC3\xA9' in Windows-1252 or Latin-1); save it as "
      "UTF-8 (in Notepad: File, Save as, Encoding UTF-8)"},
     {}},
    {"Utf16", std::string("\xFF\xFEt\0i\0", 6),
     {"quiz.toml: the description is saved as UTF-16; save it as UTF-8 (in Notepad: File, Save as, Encoding UTF-8)"},
     {}},
    {"Syntax", "title = \"T\nmedia = \"text\"\n", {}, {}},  // the message is toml++'s own; checked below
};

const Case kWarnings[] = {
    {"ByteOrderMark", "\xEF\xBB\xBFtitle = \"T\"\nmedia = \"text\"\n" + kTextQuestion, {}, {}},
    {"NoRewardsAtAll", "title = \"T\"\nmedia = \"text\"\nrewards = []\n" + kTextQuestion, {}, {}},
    {"RewardWiderThanTheCodeBox", "title = \"T\"\nmedia = \"text\"\nrewards = [\"TRES BIEN\", \"EXCELLENT TRAVAIL\"]\n" +
     repeat(kTextQuestion, 2), {},
     {"quiz.toml:3: warning: reward 2 is wider than the code box, which shows about \"EXCELLENT \" of it"}},
    {"OuterSpace", "title = \"T\"\nmedia = \"text\"\n[[question]]\nanswer = \" CHAT\"\ntext = \"Q\"\n", {},
     {"quiz.toml:4: warning: the answer of question 1 \" CHAT\" begins or ends with a space; it can never be judged "
      "\"BRAVO\""}},
    {"FewerRewards", "title = \"T\"\nmedia = \"text\"\nrewards = [\"a\"]\n" + repeat(kTextQuestion, 2), {},
     {"quiz.toml:3: warning: 1 rewards for 2 questions: the higher levels show none"}},
    {"DarkBackgroundBlackLabels", "title = \"T\"\nmedia = \"text\"\nbackground = \"#500000\"\n" + kTextQuestion, {},
     {"quiz.toml:3: warning: the background makes the question numbers hard to read (black on this colour)"}},
    {"LinkAndStatusIgnored", "title = \"T\"\nmedia = \"text\"\nlink = \"x\"\nstatus = \"y\"\n" + kTextQuestion, {},
     {"quiz.toml:3: warning: 'link' is ignored: the player carries its own link",
      "quiz.toml:4: warning: 'status' is ignored: the player carries its own status line"}},
    {"CommentNeverShown", "title = \"T\"\nmedia = \"pictures\"\n" + kPictureQuestion + "comment = \"c\"\n", {},
     {"quiz.toml:6: warning: the comment of question 1 is never shown with 'comments' = \"none\""}},
    {"CommentsInATextQuiz", "title = \"T\"\nmedia = \"text\"\ncomments = \"comment\"\n" + kTextQuestion, {},
     {"quiz.toml:3: warning: a text quiz shows no comments"}},
    {"LongAnswerInATextQuiz",
     "title = \"T\"\nmedia = \"text\"\n[[question]]\nanswer = \"" + std::string(41, 'A') + "\"\ntext = \"Q\"\n", {},
     {"quiz.toml:4: warning: the answer of question 1 is longer than 40 characters; a saved answer keeps only its "
      "first 40"}},
    {"UnknownClipFormat", "title = \"T\"\nmedia = \"audio\"\n[[question]]\nanswer = \"A\"\nclip = \"odd.clip\"\n", {},
     {"quiz.toml:5: warning: \"odd.clip\" is not recognised as MP3, MPEG, Windows Media, AVI or WAV; the player saves "
      "it as .XXX and Media Player may not play it"}},
    {"SolutionNeverShown", "title = \"T\"\nmedia = \"pictures\"\n" + kPictureQuestion + "solution = \"b.gif\"\n", {},
     {"quiz.toml:6: warning: the solution picture of question 1 is never shown with 'comments' = \"none\""}},
    {"LabelsWithOneAnswer", "title = \"T\"\nmedia = \"pictures\"\nanswer_labels = [\"X\", \"\"]\n" + kPictureQuestion, {},
     {"quiz.toml:3: warning: 'answer_labels' are only shown with two answers per question"}},
};

std::string caseName(const ::testing::TestParamInfo<Case>& param) { return param.param.name; }

INSTANTIATE_TEST_SUITE_P(Errors, QuizChecks, ::testing::ValuesIn(std::begin(kErrors), std::end(kErrors) - 1), caseName);
INSTANTIATE_TEST_SUITE_P(Warnings, QuizChecks, ::testing::ValuesIn(kWarnings), caseName);

struct SyntaxCase {
  std::string toml;
  const char* start;  // what the one error begins with
};

// Malformed TOML gets the parser's message at its line, never an abort (some of these trip the
// parser library's own debug checks).
TEST(QuizChecksSyntax, TomlErrorsNameTheirLine) {
  const SyntaxCase cases[] = {
      {kErrors[std::size(kErrors) - 1].toml, "quiz.toml:1: "},
      {"[[\n", "quiz.toml:1: Error while parsing key"},
      {"title = \"T\"\n[\n", "quiz.toml:2: Error while parsing key"},
      {"x.\n= 1", "quiz.toml:1: Error while parsing key"},
      {"title = \"T\"\nmedia = \"text\"\n[[question]]\nanswer = \"A\"\nanswer = \"B\"\n", "quiz.toml:5: "},
      {"title = \"\xC3\"\n", "quiz.toml:1: "},
      {"title = \"T\" \xC3\xA9\n", "quiz.toml:1: '\xC3\xA9' outside quotes (texts go between \"...\")"},
  };
  for (const SyntaxCase& c : cases) {
    QuizFolder folder;
    const std::string path = folder.write("quiz.toml", c.toml);
    pack::Diagnostics diagnostics("quiz.toml");
    std::vector<PeResourceEntry> resources;
    EXPECT_FALSE(pack::quizResources(path, false, resources, diagnostics)) << c.toml;
    ASSERT_EQ(diagnostics.errors(pack::Language::english).size(), 1u) << c.toml;
    EXPECT_EQ(diagnostics.errors(pack::Language::english)[0].rfind(c.start, 0), 0u) << diagnostics.errors(pack::Language::english)[0];
  }
}

TEST(QuizChecksSyntax, AMissingDescriptionIsNamed) {
  pack::Diagnostics diagnostics("/nonexistent/quiz.toml");
  std::vector<PeResourceEntry> resources;
  EXPECT_FALSE(pack::quizResources("/nonexistent/quiz.toml", false, resources, diagnostics));
  EXPECT_EQ(diagnostics.errors(pack::Language::english), std::vector<std::string>{
      "/nonexistent/quiz.toml: cannot read the quiz description: No such file or directory"});
}

TEST(QuizChecksSize, TextsTooLargeForThePlayerAreRefused) {
  // 96 questions of long texts that barely compress: more than the player decodes.
  std::uint32_t state = 7;
  const auto noise = [&state](int length) {
    std::string text;
    for (int i = 0; i < length; ++i) {
      state = state * 1103515245u + 12345u;
      text += "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789.,"[(state >> 16) % 64];
    }
    return text;
  };
  std::string toml = "title = \"T\"\nmedia = \"text\"\ncomments = \"comment\"\n";
  for (int j = 0; j < 96; ++j)
    toml += "[[question]]\nanswer = \"" + noise(40) + "\"\ntext = \"" + noise(259) + "\"\ncomment = \"" + noise(259) + "\"\n";
  QuizFolder folder;
  const std::string path = folder.write("quiz.toml", toml);
  pack::Diagnostics diagnostics("quiz.toml");
  std::vector<PeResourceEntry> resources;
  EXPECT_FALSE(pack::quizResources(path, false, resources, diagnostics));
  ASSERT_EQ(diagnostics.errors(pack::Language::english).size(), 1u);
  const std::string message = diagnostics.errors(pack::Language::english)[0];
  EXPECT_EQ(message.rfind("quiz.toml: the texts of the questions and comments are too long to store (", 0), 0u) << message;
  EXPECT_NE(message.find(" bytes; the player decodes at most 32768 bytes compressed)"), std::string::npos) << message;
}

TEST(QuizFiles, AreFoundRelativeToTheDescriptionAlsoWithBackslashes) {
  QuizFolder folder;
  folder.write("pictures/a.jpg", kJpeg);
  const std::string path = folder.write(
      "quiz.toml", "title = \"T\"\nmedia = \"pictures\"\n[[question]]\nanswer = \"A\"\npicture = 'pictures\\a.jpg'\n"
                   "[[question]]\nanswer = \"B\"\npicture = \"pictures/a.jpg\"\n");
  pack::Diagnostics diagnostics("quiz.toml");
  std::vector<PeResourceEntry> resources;
  EXPECT_TRUE(pack::quizResources(path, false, resources, diagnostics, nullptr, nullptr, pack::PictureStorage::asGiven));
  EXPECT_TRUE(diagnostics.errors(pack::Language::english).empty()) << diagnostics.errors(pack::Language::english).front();
  ASSERT_EQ(resources.size(), 4u);  // two content texts, two pictures
  EXPECT_EQ(resources[2].bytes, std::vector<std::uint8_t>(kJpeg.begin(), kJpeg.end()));
}

struct Colour {
  std::uint8_t red, green, blue;
  bool hard;
};

TEST(LabelContrast, FollowsThePlayersBlackOrWhiteRule) {
  const Colour colours[] = {
      {0x33, 0x66, 0xFF, false},  // black on a light blue
      {90, 95, 150, false},       // the player's default
      {0x50, 0x00, 0x00, true},   // black (red above 69) on a dark red
      {0x00, 0x46, 0x00, true},   // black (green 70) on a dark green
      {0x45, 0x45, 0x45, false},  // white on dark grey
      {0x00, 0x00, 0xFF, false},  // white on blue: blue does not count, and here it is fine
      {0xFF, 0xFF, 0xFF, false},  // black on white
      {0x00, 0x00, 0x00, false},  // white on black
  };
  for (const Colour& colour : colours)
    EXPECT_EQ(pack::labelsHardToRead(colour.red, colour.green, colour.blue), colour.hard)
        << int(colour.red) << "," << int(colour.green) << "," << int(colour.blue);
}

}  // namespace
}  // namespace fenok
