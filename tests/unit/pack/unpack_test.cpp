// A quiz made before, taken apart to be edited again: what is no quiz, or no whole one, is refused
// with its reason and leaves nothing behind; each taking apart gets a folder of its own. (That a quiz
// taken apart builds again into the same program is build_roundtrip_test.cpp's.)
#include <gtest/gtest.h>

#include "authoring/quiz_build.h"
#include "authoring/quiz_page_reader.h"
#include "authoring/quiz_unpacking.h"
#include "pack_support.h"

namespace fenok {
namespace {

using testing::QuizFolder;
using testing::readFixture;

struct Refusal {
  const char* name;
  std::string bytes;  // the file's, written as quiz.exe or quiz.html
  const char* file;
  pack::Msg reason;
};

std::string fixtureText(const char* name) {
  const std::vector<std::uint8_t> bytes = readFixture(name);
  return {bytes.begin(), bytes.end()};
}

TEST(TakenApart, WhatIsNoWholeQuizIsRefusedWithItsReason) {
  const Refusal refusals[] = {
      {"a bare player", fixtureText("bare32.exe"), "quiz.exe", pack::Msg::bareProgram},
      {"a program whose quiz the player cannot decode", fixtureText("stub32.exe"), "quiz.exe",
       pack::Msg::quizNotEditable},
      {"no program at all", "just some text", "quiz.exe", pack::Msg::notAProgramOrPage},
      {"a program cut short", fixtureText("stub32.exe").substr(0, 700), "quiz.exe", pack::Msg::notAProgramOrPage},
      {"a page cut short", std::string(pack::kPageQuizElement) + "AAAAB", "quiz.html",
       pack::Msg::quizNotEditable},
  };
  for (const Refusal& refusal : refusals) {
    QuizFolder folder;
    const std::string quiz = folder.write(refusal.file, refusal.bytes);
    std::string description;
    pack::Message error;
    EXPECT_FALSE(pack::unpackQuiz(quiz, description, error)) << refusal.name;
    EXPECT_EQ(error.id, refusal.reason) << refusal.name << ": " << testing::english(error);
    EXPECT_EQ(folder.names().size(), 1u) << refusal.name << ": something was left beside it";
  }
}

TEST(TakenApart, EachTimeIntoAFolderOfItsOwn) {
  QuizFolder folder;
  const std::string demo = std::string(FENOK_SOURCE_DIR) + "/samples/demo/quiz.toml";
  pack::Diagnostics diagnostics(demo);
  std::vector<PeResourceEntry> resources;
  ASSERT_TRUE(pack::quizResources(demo, false, resources, diagnostics));
  std::vector<std::uint8_t> program;
  std::string packError;
  ASSERT_TRUE(pack::packIntoPlayer(readFixture("stub32.exe"), resources, program, packError)) << packError;
  const std::string quiz = folder.write("Drapeaux.exe", std::string(program.begin(), program.end()));
  std::string first, second;
  pack::Message error;
  ASSERT_TRUE(pack::unpackQuiz(quiz, first, error)) << testing::english(error);
  ASSERT_TRUE(pack::unpackQuiz(quiz, second, error)) << testing::english(error);
  EXPECT_EQ(first, folder.path("Drapeaux/quiz.toml"));
  EXPECT_EQ(second, folder.path("Drapeaux (2)/quiz.toml"));
  // The demo shows comments and solution pictures: each question's picture and solution came out.
  EXPECT_TRUE(folder.exists("Drapeaux/question-01.jpg") || folder.exists("Drapeaux/question-01.png"));
  EXPECT_TRUE(folder.exists("Drapeaux/question-01-solution.jpg") || folder.exists("Drapeaux/question-01-solution.png"));
  EXPECT_NE(testing::fileText(first).find("comment = \"Le drapeau tricolore date de 1794.\""), std::string::npos);
}

}  // namespace
}  // namespace fenok
