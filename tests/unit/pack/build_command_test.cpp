// fenok-pack build as a command: options, exit status, where the player comes from, and that a failed
// build leaves no output, not even a half-written one.
#include <gtest/gtest.h>

#include <cstdlib>

#include "authoring/quiz_build.h"
#include "authoring/stub_locator.h"
#include "fenok-pack/commands.h"
#include "fenok-pack/usage.h"
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
  EXPECT_EQ(pack::runBuild({quiz, "-o", out, "--stub", fixturePath("stub32.exe")}, pack::Language::english), 0);
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
  EXPECT_EQ(pack::runBuild({quiz, "-o", out, "--stub", fixturePath("stub32.exe")}, pack::Language::english), 2);
  EXPECT_EQ(testing::fileText(out), "earlier output");
  EXPECT_FALSE(folder.exists("out.exe.part"));
}

TEST_F(BuildCommand, ABrokenStubWritesNothing) {
  const std::string quiz = folder.write("quiz.toml", kQuiz);
  const std::string stub = folder.write("stub.exe", "MZ not a program");
  EXPECT_EQ(pack::runBuild({quiz, "-o", folder.path("out.exe"), "--stub", stub}, pack::Language::english), 2);
  EXPECT_FALSE(folder.exists("out.exe"));
  EXPECT_FALSE(folder.exists("out.exe.part"));
}

TEST_F(BuildCommand, AnUnwritableOutputFailsCleanly) {
  const std::string quiz = folder.write("quiz.toml", kQuiz);
  EXPECT_EQ(pack::runBuild({quiz, "-o", folder.path("missing/dir/out.exe"), "--stub", fixturePath("stub32.exe")}, pack::Language::english), 2);
}

TEST_F(BuildCommand, ThePlayerMayComeFromTheEnvironment) {
  const std::string quiz = folder.write("quiz.toml", kQuiz);
  setenv("FENOK_STUB", fixturePath("stub64.exe").c_str(), 1);
  EXPECT_EQ(pack::runBuild({quiz, "-o", folder.path("out.exe")}, pack::Language::english), 0);
  EXPECT_TRUE(folder.exists("out.exe"));
}

TEST_F(BuildCommand, BadArgumentsAreAUsageError) {
  const std::vector<pack::Arguments> cases = {
      {}, {"quiz.toml"}, {"quiz.toml", "-o"}, {"quiz.toml", "-o", "x.exe", "--stub"},
      {"quiz.toml", "-o", "x.exe", "--frobnicate"}, {"a.toml", "b.toml", "-o", "x.exe"}};
  for (const pack::Arguments& args : cases) EXPECT_EQ(pack::runBuild(args, pack::Language::english), 2);
}

// The output may never be a file the build reads: the description, a picture, or the player.
TEST_F(BuildCommand, RefusesToOverwriteWhatItReads) {
  const std::string jpeg = testing::sourceFile("tests/unit/pack/fixtures/quarters.jpg");
  const std::string quiz = folder.write(
      "quiz.toml", "title = \"T\"\nmedia = \"pictures\"\n[[question]]\nanswer = \"A\"\npicture = \"p1.jpg\"\n");
  folder.write("p1.jpg", jpeg);
  const std::string stub = folder.write("player.exe", testing::fileText(fixturePath("stub32.exe")));
  const std::string outputs[] = {quiz, folder.path("p1.jpg"), folder.path("sub/../p1.jpg"), stub};
  for (const std::string& output : outputs) {
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(pack::runBuild({quiz, "-o", output, "--stub", stub}, pack::Language::english), 2) << output;
    const std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("will not write " + output + ": it is "), std::string::npos) << errors;
  }
  EXPECT_EQ(testing::fileText(folder.path("p1.jpg")), jpeg);
  EXPECT_EQ(testing::fileText(quiz).rfind("title", 0), 0u);
  EXPECT_EQ(testing::fileText(stub), testing::fileText(fixturePath("stub32.exe")));
}

TEST_F(BuildCommand, AFailedWriteNamesTheOutputAndTheReason) {
  const std::string quiz = folder.write("quiz.toml", kQuiz);
  const std::string output = folder.path("missing/out.exe");
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(pack::runBuild({quiz, "-o", output, "--stub", fixturePath("stub32.exe")}, pack::Language::english), 2);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "fenok-pack: cannot write " + output + ": No such file or directory\n");
}

TEST_F(BuildCommand, ASuccessfulBuildSaysWhatItWrote) {
  const std::string quiz = folder.write("quiz.toml", kQuiz);
  const std::string out = folder.path("out.exe");
  ::testing::internal::CaptureStdout();
  EXPECT_EQ(pack::runBuild({quiz, "-o", out, "--stub", fixturePath("stub32.exe")}, pack::Language::english), 0);
  const std::string printed = ::testing::internal::GetCapturedStdout();
  EXPECT_EQ(printed, out + ": 1 question, " + std::to_string(testing::fileText(out).size()) + " bytes\n");
}

// --arch picks the player beside the tool; each packs and reads back, and is the kind of program asked for.
TEST_F(BuildCommand, PacksIntoTheChosenArchitecture) {
  const std::string quiz = folder.write("quiz.toml", kQuiz);
  folder.write("bin/fenok.exe", testing::fileText(fixturePath("stub32.exe")));
  folder.write("bin/fenok64.exe", testing::fileText(fixturePath("stub64.exe")));
  struct Arch {
    pack::Arguments options;
    bool pe32Plus;
  };
  const Arch arches[] = {{{}, false}, {{"--arch", "x86"}, false}, {{"--arch", "x64"}, true}};
  for (const Arch& arch : arches) {
    pack::Arguments args = {quiz, "-o", folder.path("out.exe")};
    args.insert(args.end(), arch.options.begin(), arch.options.end());
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(pack::runBuildFrom(args, folder.path("bin"), pack::Language::english), 0);
    ::testing::internal::GetCapturedStdout();
    const std::string program = testing::fileText(folder.path("out.exe"));
    testing::LoadedQuiz loaded;
    std::string error;
    ASSERT_TRUE(loaded.load({program.begin(), program.end()}, error)) << error;
    EXPECT_EQ(loaded.resources.layout().pe32Plus, arch.pe32Plus);
    EXPECT_EQ(std::string(loaded.quiz->title), "T");
  }
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(pack::runBuildFrom({quiz, "-o", folder.path("out.exe"), "--arch", "arm"}, folder.path("bin"), pack::Language::english), 2);
  EXPECT_EQ(pack::runBuildFrom({quiz, "-o", folder.path("o.exe"), "--arch", "x64", "--stub", fixturePath("stub32.exe")},
                               folder.path("bin"), pack::Language::english),
            2);
  const std::string errors = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(errors.find("stub32.exe is an x86 player, not x64 as --arch asks"), std::string::npos) << errors;
}

TEST_F(BuildCommand, CheckWritesNothingAndSaysWhetherItWouldBuild) {
  const std::string good = folder.write("good.toml", kQuiz);
  const std::string bad = folder.write("bad.toml", "title = \"\"\nmedia = \"text\"\n");
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(pack::runCheck({good}, pack::Language::english), 0);
  EXPECT_EQ(pack::runCheck({bad}, pack::Language::english), 2);
  EXPECT_EQ(pack::runCheck({}, pack::Language::english), 2);
  const std::string errors = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), good + ": 1 question, no errors\n");
  EXPECT_NE(errors.find(bad + ":1: the title is empty\n"), std::string::npos) << errors;
  EXPECT_EQ(folder.names().size(), 2u);
}

TEST(CheckQuizDescription, ListsProblemsAsRecords) {
  QuizFolder folder;
  const std::string quiz = folder.write("quiz.toml", "title = \"T\"\nmedia = \"text\"\nrewards = [\"a\"]\n" + kQuiz.substr(27) + kQuiz.substr(27));
  const std::vector<pack::Problem> problems = pack::checkQuizDescription(quiz);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_EQ(problems[0].file, quiz);
  EXPECT_EQ(problems[0].line, 3);
  EXPECT_EQ(problems[0].severity, pack::Severity::warning);
  EXPECT_EQ(testing::english(problems[0].message), "1 rewards for 2 questions: the higher levels show none");
}

TEST(StubLocator, LooksInOrder) {
  QuizFolder folder;
  const std::string given = folder.write("given.exe", "x");
  const std::string fromEnvironment = folder.write("env.exe", "x");
  pack::Message error;
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

  // The 64-bit player: fenok64.exe beside the tool, else the win64 build of the tree.
  const std::string player64 = folder.write("build/win64/bin/fenok.exe", "x");
  EXPECT_EQ(pack::locateStub("", nullptr, programFolder, error, pack::PlayerArch::x64), player64);
  const std::string beside64 = folder.write("build/native/bin/fenok64.exe", "x");
  EXPECT_EQ(pack::locateStub("", nullptr, programFolder, error, pack::PlayerArch::x64), beside64);
}

TEST(StubLocator, PassesOverAPlayerOfTheOtherKind) {
  // The tools of the 64-bit build tree have the 64-bit player beside them, named fenok.exe.
  QuizFolder folder;
  const auto bytes = [](const char* name) {
    const std::vector<std::uint8_t> stub = testing::readFixture(name);
    return std::string(stub.begin(), stub.end());
  };
  const std::string own64 = folder.write("build/win64/bin/fenok.exe", bytes("stub64.exe"));
  const std::string programFolder = folder.path("build/win64/bin");
  pack::Message error;
  EXPECT_EQ(pack::locateStub("", nullptr, programFolder, error, pack::PlayerArch::x64), own64);
  EXPECT_EQ(pack::locateStub("", nullptr, programFolder, error, pack::PlayerArch::x86), "");
  EXPECT_NE(testing::english(error).find(own64 + ", which is not an x86 player"), std::string::npos);
  const std::string player32 = folder.write("build/win32/bin/fenok.exe", bytes("stub32.exe"));
  EXPECT_EQ(pack::locateStub("", nullptr, programFolder, error, pack::PlayerArch::x86), player32);
}

TEST(StubLocator, SaysWhatIsMissing) {
  pack::Message error;
  EXPECT_EQ(pack::locateStub("/nonexistent/p.exe", nullptr, "", error), "");
  EXPECT_EQ(testing::english(error), "the player given by --stub does not exist: /nonexistent/p.exe");
  EXPECT_EQ(pack::locateStub("/", nullptr, "", error), "");
  EXPECT_EQ(testing::english(error), "the player given by --stub is a directory: /");
  EXPECT_EQ(pack::locateStub("", "/nonexistent/e.exe", "", error), "");
  EXPECT_EQ(testing::english(error), "the player given by FENOK_STUB does not exist: /nonexistent/e.exe");
  EXPECT_EQ(pack::locateStub("", nullptr, "/nonexistent/native/bin", error), "");
  EXPECT_EQ(testing::english(error),
            "no player to pack the quiz into: give --stub PLAYER.exe or set FENOK_STUB (looked for "
            "/nonexistent/native/bin/fenok.exe and /nonexistent/win32/bin/fenok.exe)");
}

}  // namespace
}  // namespace fenok

namespace fenok {
namespace {

// Every command's help names it and every option it takes.
TEST(CommandHelp, NamesEveryOption) {
  const std::pair<const char*, std::vector<const char*>> commands[] = {
      {"new", {"--media"}},
      {"check", {}},
      {"build", {"-o", "--arch", "--stub", "--plain"}},
      {"inspect", {}},
      {"try", {"--typed"}},
      {"verdict", {"--batch"}},
  };
  for (const auto& [name, options] : commands) {
    const std::string help = pack::commandHelp(name);
    EXPECT_EQ(help.rfind(std::string("usage: fenok-pack ") + name + " ", 0), 0u) << help;
    for (const char* option : options) EXPECT_NE(help.find(std::string(option) + " "), std::string::npos) << option;
    EXPECT_NE(pack::toolHelp().find(std::string("fenok-pack ") + name), std::string::npos) << name;
  }
  EXPECT_EQ(pack::commandHelp("frobnicate"), "");
}

}  // namespace
}  // namespace fenok
