// fenok-pack try: the player's construction, judging and score over in-memory controls, printed.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

#include "authoring/quiz_build.h"
#include "authoring/try_session.h"
#include "content/quiz.h"
#include "fenok-pack/commands.h"
#include "platform/portable/message_recorder.h"
#include "platform/portable/recording_graphics.h"

namespace fenok::pack {
namespace {

std::vector<std::uint8_t> bytesOf(const std::string& text) { return std::vector<std::uint8_t>(text.begin(), text.end()); }

class TrySession : public ::testing::Test {
 protected:
  TrySession() : quiz(new Quiz()) {
    initQuiz(*quiz, graphics);
  }
  ~TrySession() override { freeQuiz(*quiz, graphics); }

  void makeQuiz(int kind, int perQuestion, std::initializer_list<std::pair<const char*, const char*>> answers) {
    quiz->mediaKind = kind;
    quiz->answersPerQuestion = perQuestion;
    for (const auto& answer : answers) appendAnswer(*quiz, answer.first, answer.second, "Q");
    quiz->questionCount = static_cast<int>(answers.size());
    copyField(quiz->rewardCodes[0], kTextField, "PREMIER");
    copyField(quiz->rewardCodes[1], kTextField, "D\xC9" "BUT");
  }

  std::string run(const std::string& answers) {
    std::ostringstream out;
    runTrySession(messages, graphics, *quiz, answersInPlayerEncoding(bytesOf(answers)), out);
    return out.str();
  }

  RecordingGraphics graphics;
  MessageRecorder messages;
  std::unique_ptr<Quiz> quiz;
};

// The boxes, the whole-question check and the score all judge with the quiz's accent mode and forms.
TEST_F(TrySession, JudgesWithTheAccentModeAndTheAcceptedAnswers) {
  makeQuiz(kMediaPictures, 2, {{"\x8CUF", "\xC9T\xC9"}, {"GAR\xC7ON", "CAF\xC9"}});
  copyField(quiz->firstAnswer->also, kAlsoField, "UN \x8CUF|OEUVE");
  const std::string answers = "un oeuf\r\n\xC3\xA9t\xC3\xA9\r\ngarcon\r\ncafes\r\n";
  EXPECT_EQ(run(answers),
            "1.1  un oeuf  -> Presque\n"
            "1.2  \xC3\xA9t\xC3\xA9  -> FAUX\n"
            "2.1  garcon  -> Quasiment\n"
            "2.2  cafes  -> Presque\n"
            " 0 / 2\n"
            "      \n");
  quiz->accentMode = kAccentsTolerant;
  EXPECT_EQ(run(answers),
            "1.1  un oeuf  -> BRAVO\n"
            "1.2  \xC3\xA9t\xC3\xA9  -> BRAVO\n"
            "2.1  garcon  -> BRAVO\n"
            "2.2  cafes  -> Quasiment\n"
            " 1 / 2\n"
            "PREMIER\n");
  EXPECT_EQ(quiz->firstAnswer->solved, 1);
  EXPECT_EQ(quiz->lastAnswer->solved, 0);
}

TEST_F(TrySession, PrintsEveryBoxThenCounterAndCode) {
  makeQuiz(kMediaPictures, 1, {{"CHAT", ""}, {"CHIEN", ""}, {"OURS", ""}});
  EXPECT_EQ(run("chat\r\nchein\r\n"),
            "1.1  chat  -> BRAVO\n"
            "2.1  chein  -> Anagramme\n"
            "3.1    -> ?\n"
            " 1 / 3\n"
            "PREMIER\n");
}

TEST_F(TrySession, TwoAnswerQuestionsAndUtf8Texts) {
  makeQuiz(kMediaVideo, 2, {{"TITRE", "\xC9T\xC9"}, {"A", "B"}});
  EXPECT_EQ(run("titre\n\xC3\x89T\xC3\x89\na\nb\n"),
            "1.1  titre  -> BRAVO\n"
            "1.2  \xC3\x89T\xC3\x89  -> BRAVO\n"
            "2.1  a  -> BRAVO\n"
            "2.2  b  -> BRAVO\n"
            " 2 / 2\n"
            "D\xC3\x89" "BUT\n");
}

TEST_F(TrySession, TextQuizDeclaredWithTwoAnswersShowsOneBoxPerQuestion) {
  makeQuiz(kMediaText, 2, {{"UN", "X"}, {"DEUX", "Y"}});
  EXPECT_EQ(run("un\r\nx\r\n"),
            "1.1  un  -> BRAVO\n"
            "2.1  x  -> FAUX\n"
            " 1 / 2\n"
            "PREMIER\n");
}

TEST(AnswersEncoding, LineEndsAndCharacters) {
  EXPECT_EQ(answersInPlayerEncoding(bytesOf("a\nb\r\nc")), bytesOf("a\r\nb\r\nc"));
  EXPECT_EQ(answersInPlayerEncoding(bytesOf("\xC3\xA9t\xC3\xA9\n")), bytesOf("\xE9t\xE9\r\n"));
  // Bytes that are not UTF-8 are a file the player saved: already Windows-1252.
  EXPECT_EQ(answersInPlayerEncoding(bytesOf("\xE9t\xE9\r\n")), bytesOf("\xE9t\xE9\r\n"));
}

TEST(TryCommand, RunsOverAQuizDescription) {
  const std::string folder = ::testing::TempDir();
  const std::string quizPath = folder + "/try_quiz.toml";
  const std::string answersPath = folder + "/try_answers.txt";
  std::ofstream(quizPath) << "title = \"Capitales\"\nmedia = \"text\"\nrewards = [\"UN\", \"DEUX\"]\n"
                             "[[question]]\nanswer = \"Paris\"\ntext = \"France\"\n"
                             "[[question]]\nanswer = \"Rome\"\ntext = \"Italie\"\n";
  std::ofstream(answersPath) << "paris\r\nRoma\r\n";
  ::testing::internal::CaptureStdout();
  const int status = runTry({quizPath, answersPath}, pack::Language::english);
  const std::string printed = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(status, 0);
  EXPECT_EQ(printed, "1.1  paris  -> BRAVO\n2.1  Roma  -> Quasiment\n 1 / 2\nUN\n");
  std::remove(quizPath.c_str());
  std::remove(answersPath.c_str());
}

TEST(TryCommand, RunsOverAPackedProgram) {
  const std::string folder = ::testing::TempDir();
  const std::string quizPath = folder + "/try_packed.toml";
  const std::string programPath = folder + "/try_packed.exe";
  const std::string answersPath = folder + "/try_packed.txt";
  std::ofstream(quizPath) << "title = \"Mots\"\nmedia = \"text\"\nrewards = [\"\u00c9T\u00c9\"]\n"
                             "[[question]]\nanswer = \"\u00c9t\u00e9\"\ntext = \"Saison\"\n";
  std::ofstream(answersPath) << "\xC9t\xE9\r\n";  // as the player saves it
  pack::Diagnostics diagnostics(quizPath);
  std::vector<PeResourceEntry> resources;
  ASSERT_TRUE(pack::quizResources(quizPath, false, resources, diagnostics));
  std::ifstream stubFile(std::string(FENOK_SOURCE_DIR) + "/tests/unit/pack/fixtures/stub32.exe", std::ios::binary);
  const std::vector<std::uint8_t> stub((std::istreambuf_iterator<char>(stubFile)), std::istreambuf_iterator<char>());
  std::vector<std::uint8_t> program;
  std::string error;
  ASSERT_TRUE(pack::packIntoPlayer(stub, resources, program, error)) << error;
  std::ofstream(programPath, std::ios::binary).write(reinterpret_cast<const char*>(program.data()),
                                                     static_cast<std::streamsize>(program.size()));
  ::testing::internal::CaptureStdout();
  const int status = runTry({programPath, answersPath}, pack::Language::english);
  const std::string printed = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(status, 0);
  EXPECT_EQ(printed, "1.1  \xC3\x89t\xC3\xA9  -> BRAVO\n 1 / 1\n\xC3\x89T\xC3\x89\n");
  for (const std::string& path : {quizPath, programPath, answersPath}) std::remove(path.c_str());
}

TEST(TryCommand, UsageAndUnreadableFiles) {
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(runTry({}, pack::Language::english), 2);
  EXPECT_EQ(runTry({"a", "b", "c"}, pack::Language::english), 2);
  EXPECT_EQ(runTry({"/nonexistent/quiz.exe", "/nonexistent/answers.txt"}, pack::Language::english), 2);
  EXPECT_EQ(runTry({"a.toml", "--frobnicate"}, pack::Language::english), 2);
  const std::string errors = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(errors.find("usage: fenok-pack try"), std::string::npos);
  EXPECT_NE(errors.find("/nonexistent/quiz.exe"), std::string::npos);
}

// Answers are the player's saved file, byte for byte: a UTF-8 file (Windows-1252 bytes that happen to
// be valid UTF-8) and LF-only lines get the player's verdicts, with a word for the author; --typed
// converts typed text.
TEST(TryCommand, ReadsTheAnswersFileAsThePlayerDoes) {
  const std::string folder = ::testing::TempDir();
  const std::string quizPath = folder + "/try_bytes.toml";
  const std::string answersPath = folder + "/try_bytes.txt";
  std::ofstream(quizPath) << "title = \"Mots\"\nmedia = \"text\"\n"
                             "[[question]]\nanswer = \"\u00c9T\u00c9\"\ntext = \"Saison\"\n"
                             "[[question]]\nanswer = \"MER\"\ntext = \"Eau\"\n";
  std::ofstream(answersPath) << "\xC3\x89T\xC3\x89\nmer\n";
  struct Run {
    Arguments args;
    const char* printed;
    bool notes;
  };
  const Run runs[] = {
      {{quizPath, answersPath},
       "1.1  \xC3\x83\xE2\x80\xB0T\xC3\x83\xE2\x80\xB0\nmer\n  -> FAUX\n2.1    -> ?\n 0 / 2\n      \n", true},
      {{quizPath, answersPath, "--typed"}, "1.1  \xC3\x89T\xC3\x89  -> BRAVO\n2.1  mer  -> BRAVO\n 2 / 2\n\n", false},
  };
  for (const Run& run : runs) {
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(runTry(run.args, pack::Language::english), 0);
    const std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), run.printed);
    EXPECT_EQ(errors.find("some lines end in LF alone") != std::string::npos, run.notes) << errors;
    EXPECT_EQ(errors.find("the answers look like UTF-8") != std::string::npos, run.notes) << errors;
  }
  std::remove(quizPath.c_str());
  std::remove(answersPath.c_str());
}

TEST(TryCommand, BadInputExitsTwo) {
  const std::string folder = ::testing::TempDir();
  const std::string quizPath = folder + "/try_bad.toml";
  std::ofstream(quizPath) << "title = \"\"\nmedia = \"text\"\n[[question]]\nanswer = \"A\"\ntext = \"Q\"\n";
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(runTry({quizPath, folder}, pack::Language::english), 2);
  const std::string errors = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(errors.find("the title is empty"), std::string::npos) << errors;
  std::remove(quizPath.c_str());
}

TEST(TryCommand, AnAnswersFolderIsNamed) {
  const std::string folder = ::testing::TempDir();
  const std::string quizPath = folder + "/try_folder.toml";
  std::ofstream(quizPath) << "title = \"T\"\nmedia = \"text\"\n[[question]]\nanswer = \"A\"\ntext = \"Q\"\n";
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(runTry({quizPath, folder}, pack::Language::english), 2);
  const std::string errors = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(errors.find("is a directory"), std::string::npos) << errors;
  std::remove(quizPath.c_str());
}

}  // namespace
}  // namespace fenok::pack
