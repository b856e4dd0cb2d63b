// fenok-pack build as a command: options, exit status, where the player comes from, and that a failed
// build leaves no output, not even a half-written one.
#include <gtest/gtest.h>

#include <cstdlib>

#include "fenok-pack/commands.h"
#include "fenok-pack/stub_locator.h"
#include "pack_support.h"

namespace fenok {
namespace {

using testing::fixturePath;
using testing::QuizFolder;

const std::string kQuiz = "title = \"T\"\nmedia = \"text\"\n[[question]]\nanswer = \"A\"\ntext = \"Q\"\n";

class BuildCommand : public ::testing::Test {
 protected:
  void SetUp() override { unsetenv("FENOK_STUB"); }
  void TearDown() override { unsetenv("FENOK_STUB"); }
  QuizFolder folder;
};

TEST_F(BuildCommand, WritesAProgramTheLoaderReads) {
  const std::string quiz = folder.write("quiz.toml", kQuiz);
  const std::string out = folder.path("out.exe");
  EXPECT_EQ(pack::runBuild({quiz, "-o", out, "--stub", fixturePath("stub32.exe")}), 0);
  testing::LoadedQuiz loaded;
  std::string error;
  const std::string program = testing::fileText(out);
  ASSERT_TRUE(loaded.load({program.begin(), program.end()}, error)) << error;
  EXPECT_EQ(std::string(loaded.quiz->title), "T");
  EXPECT_EQ(loaded.quiz->questionCount, 1);
  EXPECT_FALSE(folder.exists("out.exe.part"));
}

TEST_F(BuildCommand, AnInvalidQuizWritesNothingAndKeepsAnEarlierOutput) {
  const std::string quiz = folder.write("quiz.toml", "title = \"T\"\nmedia = \"text\"\n");
  const std::string out = folder.write("out.exe", "earlier output");
  EXPECT_EQ(pack::runBuild({quiz, "-o", out, "--stub", fixturePath("stub32.exe")}), 2);
  EXPECT_EQ(testing::fileText(out), "earlier output");
  EXPECT_FALSE(folder.exists("out.exe.part"));
}

TEST_F(BuildCommand, ABrokenStubWritesNothing) {
  const std::string quiz = folder.write("quiz.toml", kQuiz);
  const std::string stub = folder.write("stub.exe", "MZ not a program");
  EXPECT_EQ(pack::runBuild({quiz, "-o", folder.path("out.exe"), "--stub", stub}), 2);
  EXPECT_FALSE(folder.exists("out.exe"));
  EXPECT_FALSE(folder.exists("out.exe.part"));
}

TEST_F(BuildCommand, AnUnwritableOutputFailsCleanly) {
  const std::string quiz = folder.write("quiz.toml", kQuiz);
  EXPECT_EQ(pack::runBuild({quiz, "-o", folder.path("missing/dir/out.exe"), "--stub", fixturePath("stub32.exe")}), 2);
}

TEST_F(BuildCommand, ThePlayerMayComeFromTheEnvironment) {
  const std::string quiz = folder.write("quiz.toml", kQuiz);
  setenv("FENOK_STUB", fixturePath("stub64.exe").c_str(), 1);
  EXPECT_EQ(pack::runBuild({quiz, "-o", folder.path("out.exe")}), 0);
  EXPECT_TRUE(folder.exists("out.exe"));
}

TEST_F(BuildCommand, BadArgumentsAreAUsageError) {
  const std::vector<pack::Arguments> cases = {
      {}, {"quiz.toml"}, {"quiz.toml", "-o"}, {"quiz.toml", "-o", "x.exe", "--stub"},
      {"quiz.toml", "-o", "x.exe", "--frobnicate"}, {"a.toml", "b.toml", "-o", "x.exe"}};
  for (const pack::Arguments& args : cases) EXPECT_EQ(pack::runBuild(args), 2);
}

TEST(StubLocator, LooksInOrder) {
  QuizFolder folder;
  const std::string given = folder.write("given.exe", "x");
  const std::string fromEnvironment = folder.write("env.exe", "x");
  std::string error;
  EXPECT_EQ(pack::locateStub(given, fromEnvironment.c_str(), folder.path("bin"), error), given);
  EXPECT_EQ(pack::locateStub("", fromEnvironment.c_str(), folder.path("bin"), error), fromEnvironment);

  // A native build tree: build/native/bin/fenok-pack finds build/win32/bin/fenok.exe.
  const std::string player = folder.write("build/win32/bin/fenok.exe", "x");
  const std::string programFolder = folder.path("build/native/bin");
  EXPECT_EQ(pack::locateStub("", nullptr, programFolder, error), player);
  EXPECT_EQ(pack::locateStub("", "", programFolder, error), player);
  // fenok.exe beside the tool comes first.
  const std::string beside = folder.write("build/native/bin/fenok.exe", "x");
  EXPECT_EQ(pack::locateStub("", nullptr, programFolder, error), beside);
}

TEST(StubLocator, SaysWhatIsMissing) {
  std::string error;
  EXPECT_EQ(pack::locateStub("/nonexistent/p.exe", nullptr, "", error), "");
  EXPECT_EQ(error, "the player given by --stub does not exist: /nonexistent/p.exe");
  EXPECT_EQ(pack::locateStub("", "/nonexistent/e.exe", "", error), "");
  EXPECT_EQ(error, "the player given by FENOK_STUB does not exist: /nonexistent/e.exe");
  EXPECT_EQ(pack::locateStub("", nullptr, "/nonexistent/native/bin", error), "");
  EXPECT_EQ(error,
            "no player to pack the quiz into: give --stub PLAYER.exe or set FENOK_STUB (looked for "
            "/nonexistent/native/bin/fenok.exe and /nonexistent/win32/bin/fenok.exe)");
}

}  // namespace
}  // namespace fenok
