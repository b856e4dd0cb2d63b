// fenok-pack inspect: the TOML form of a loaded quiz, the loader's messages, and real PE files built
// with windres holding "PATCH" 104 and 105.
#include <gtest/gtest.h>

#include <toml++/toml.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "../content/content_fixtures.h"
#include "authoring/quiz_inspection.h"
#include "authoring/quiz_toml_writer.h"
#include "authoring/text_encoding.h"
#include "fenok-pack/commands.h"

namespace fenok::pack {
namespace {

using fenok::testing::Bytes;
using fenok::testing::ContentText;

const char* const kWorkedExampleToml =
    "title = \"Animaux\"\n"
    "author = \"Moi\"\n"
    "explanation = \"Trouvez les animaux\"\n"
    "media = \"pictures\"\n"
    "question_count = 2\n"
    "answers_per_question = 1\n"
    "answer_labels = [\"\", \"\"]\n"
    "comments = \"comment\"\n"
    "background = \"#3366FF\"\n"
    "link = \"www.fenok.test\"\n"
    "status = \"fenok, quiz en images\"\n"
    "rewards = [\"BIEN\", \"TRES BIEN\"]\n"
    "\n"
    "[[question]]\n"
    "answer = \"CHAT\"\n"
    "text = \"Quel animal ?\"\n"
    "comment = \"Il miaule\"\n"
    "\n"
    "[[question]]\n"
    "answer = \"CHIEN\"\n"
    "text = \"Et celui-ci ?\"\n"
    "comment = \"Il aboie\"\n";

MemoryResources workedExample() {
  MemoryResources resources;
  resources.add("PATCH", kAnswersResourceId, testing::encoded(testing::workedExampleAnswers()));
  resources.add("PATCH", kCodesResourceId, testing::scrambled(testing::workedExampleCodes()));
  return resources;
}

TEST(InspectResources, WorkedExample) {
  MemoryResources resources = workedExample();
  const InspectResult result = inspectResources(resources);
  EXPECT_EQ(result.toml, kWorkedExampleToml);
  EXPECT_TRUE(result.messages.empty());
}

TEST(InspectResources, MissingAnswersPrintTheFallbackWithoutRewards) {
  MemoryResources resources;
  const InspectResult result = inspectResources(resources);
  EXPECT_EQ(result.messages, (std::vector<std::string>{"Reponses non trouv\xC3\xA9" "es"}));
  const toml::table table = toml::parse(result.toml);
  EXPECT_EQ(table["title"].value<std::string>(), "Nom du fenok");
  EXPECT_EQ(table["media"].value<std::string>(), "pictures");
  EXPECT_EQ(table["question_count"].value<int>(), 7);
  EXPECT_EQ(table["comments"].value<std::string>(), "comment-and-picture");
  EXPECT_EQ(table["background"].value<std::string>(), "#3366FF");
  EXPECT_FALSE(table.contains("rewards"));
  ASSERT_TRUE(table["question"].is_array_of_tables());
  EXPECT_EQ(table["question"].as_array()->size(), 2u);  // the list as loaded
  EXPECT_EQ(table["question"][0]["answer"].value<std::string>(), "TEST");
  EXPECT_EQ(table["question"][0]["comment"].value<std::string>(), "");
  EXPECT_FALSE(table["question"][0].as_table()->contains("second_answer"));
}

TEST(InspectResources, UndecodableAnswersPrintTheDefaults) {
  MemoryResources resources;
  resources.add("PATCH", kAnswersResourceId, {1, 2, 3});
  const InspectResult result = inspectResources(resources);
  EXPECT_EQ(result.messages, (std::vector<std::string>{"Erreur dans le d\xC3\xA9" "cryptage des reponses"}));
  const toml::table table = toml::parse(result.toml);
  EXPECT_EQ(table["title"].value<std::string>(), "nom du fenok");
  EXPECT_EQ(table["question_count"].value<int>(), 0);
  EXPECT_EQ(table["media"].value<std::string>(), "text");
  EXPECT_EQ(table["background"].value<std::string>(), "#5A5F96");
  EXPECT_FALSE(table.contains("rewards"));
  EXPECT_FALSE(table.contains("question"));
}

TEST(InspectResources, MissingCodesPrintNoRewards) {
  MemoryResources resources = workedExample();
  resources.remove(ResourceType::named("PATCH"), kCodesResourceId);
  const InspectResult result = inspectResources(resources);
  EXPECT_EQ(result.messages, (std::vector<std::string>{"Erreur dans le d\xC3\xA9" "cryptage des codes"}));
  const toml::table table = toml::parse(result.toml);
  EXPECT_FALSE(table.contains("rewards"));
  EXPECT_EQ(table["question"].as_array()->size(), 2u);
}

TEST(InspectResources, TwoAnswersAndUnknownKindsAsNumbers) {
  MemoryResources resources;
  ContentText content;
  content.byte(0).byte(9).byte(1).byte(2).text("T").text("A").text("E").text("Ville").text("Pays");
  content.text("PARIS").text("FRANCE").text("q").byte(7).byte(0).byte(0).byte(0);
  resources.add("PATCH", kAnswersResourceId, testing::encoded(content.bytes()));
  resources.add("PATCH", kCodesResourceId, testing::encoded(testing::bytesOfText("CAPITALE\r\n")));
  const InspectResult result = inspectResources(resources);
  EXPECT_TRUE(result.messages.empty());
  const toml::table table = toml::parse(result.toml);
  EXPECT_EQ(table["media"].value<int>(), 8);
  EXPECT_EQ(table["comments"].value<int>(), 7);
  EXPECT_EQ(table["answers_per_question"].value<int>(), 2);
  EXPECT_EQ(table["answer_labels"][1].value<std::string>(), "Pays");
  EXPECT_EQ(table["question"][0]["second_answer"].value<std::string>(), "FRANCE");
  EXPECT_FALSE(table["question"][0].as_table()->contains("comment"));
  EXPECT_EQ(table["rewards"][0].value<std::string>(), "CAPITALE");
  EXPECT_EQ(table["background"].value<std::string>(), "#000000");
}

struct DamageCase {
  const char* name;
  Bytes answers, codes;
  std::vector<std::string> findings;  // without the closing line that every damaged load gets
};

// What inspect finds in the resources, in English.
std::vector<std::string> englishFindings(Resources& resources) {
  std::vector<std::string> findings;
  for (const Message& finding : inspectResources(resources).findings) findings.push_back(say(finding, Language::english));
  return findings;
}

Bytes withoutLast(Bytes bytes, std::size_t count) {
  bytes.resize(bytes.size() - count);
  return bytes;
}

Bytes withByte(Bytes bytes, std::size_t at, std::uint8_t value) {
  bytes[at] = value;
  return bytes;
}

// Content the loader reads past in silence is said, one line per kind of damage.
TEST(InspectResources, DamagedContentIsFound) {
  const Bytes answers = testing::workedExampleAnswers(), codes = testing::workedExampleCodes();
  const std::string left = " has 1 bytes left over after what the player reads";
  Bytes longer = answers, longerCodes = codes;
  longer.push_back(0);
  longerCodes.push_back('X');
  const DamageCase cases[] = {
      {"whole", answers, codes, {}},
      {"answers left over", longer, codes, {"the questions resource (PATCH 104)" + left}},
      {"answers ran short", withoutLast(answers, 2), codes,
       {"the questions resource (PATCH 104) ran short: the player read empty texts and zero bytes past its end"}},
      {"codes left over", answers, longerCodes, {"the rewards resource (PATCH 105)" + left}},
      {"codes ran short", answers, withoutLast(codes, 1),
       {"the rewards resource (PATCH 105) ran short: some rewards are missing or cut"}},
      {"media kind", withByte(answers, 1, 9), codes, {"the media kind is none of text, pictures, audio and video"}},
      {"answers per question", withByte(answers, 3, 3), codes,
       {"the answers per question are neither 1 nor 2; the player takes 1"}},
  };
  for (const DamageCase& c : cases) {
    MemoryResources resources;
    resources.add("PATCH", kAnswersResourceId, testing::encoded(c.answers));
    resources.add("PATCH", kCodesResourceId, testing::encoded(c.codes));
    std::vector<std::string> expected = c.findings;
    if (!expected.empty()) expected.push_back("the content is damaged: what is shown may not be the quiz that was packed");
    EXPECT_EQ(englishFindings(resources), expected) << c.name;
  }
}

TEST(InspectResources, CommentKindOutOfRangeIsFound) {
  MemoryResources resources;
  ContentText content;
  content.byte(0).byte(1).byte(1).byte(1).text("T").text("A").text("E").text("").text("");
  content.text("PARIS").text("q").byte(7).byte(0).byte(0).byte(0);
  resources.add("PATCH", kAnswersResourceId, testing::encoded(content.bytes()));
  resources.add("PATCH", kCodesResourceId, testing::encoded(testing::bytesOfText("X\r\n")));
  const std::vector<std::string> findings = englishFindings(resources);
  ASSERT_EQ(findings.size(), 2u);
  EXPECT_EQ(findings[0], "the comments kind is none of the five the player knows");
}

TEST(TomlQuoted, EscapesWhatTomlNeeds) {
  EXPECT_EQ(tomlQuoted("plain"), "\"plain\"");
  EXPECT_EQ(tomlQuoted("a\"b\\c"), "\"a\\\"b\\\\c\"");
  EXPECT_EQ(tomlQuoted("\t\n\r\b\f"), "\"\\t\\n\\r\\b\\f\"");
  EXPECT_EQ(tomlQuoted(std::string("\x01\x1F\x7F", 3)), "\"\\u0001\\u001F\\u007F\"");
  EXPECT_EQ(tomlQuoted("\xC2\x81"), "\"\\u0081\"");
  EXPECT_EQ(tomlQuoted("\xC3\xA9t\xC3\xA9 \xE2\x82\xAC"), "\"\xC3\xA9t\xC3\xA9 \xE2\x82\xAC\"");
}

TEST(TomlQuoted, EveryWindows1252ByteReadsBackWithTomlPlusPlus) {
  // Every byte a text can hold (all but NUL and '|'), through the writer and back through toml++.
  std::string all;
  for (int byte = 1; byte < 256; ++byte)
    if (byte != '|') all += static_cast<char>(byte);
  auto quiz = std::make_unique<Quiz>();
  copyField(quiz->title, kTextField, all.c_str());
  const toml::table table = toml::parse(writeQuizToml(*quiz, false));
  EXPECT_EQ(table["title"].value<std::string>(), cp1252ToUtf8(all));
}

// A tiny Windows program carrying the given resources, built with mingw-w64 and windres.
class PeProgram {
 public:
  PeProgram() {
    dir_ = std::filesystem::temp_directory_path() / ("fenok-inspect-" + std::to_string(::getpid()) + "-" +
                                                     std::to_string(counter_++));
    std::filesystem::create_directories(dir_);
  }
  ~PeProgram() {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }

  static bool toolsPresent() {
    return std::system("command -v i686-w64-mingw32-gcc >/dev/null 2>&1 && "
                       "command -v i686-w64-mingw32-windres >/dev/null 2>&1") == 0;
  }

  void add(const std::string& type, int id, const Bytes& bytes) {
    const std::string name = type + std::to_string(id) + ".bin";
    std::ofstream(dir_ / name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                       static_cast<std::streamsize>(bytes.size()));
    rc_ += std::to_string(id) + " " + type + " \"" + name + "\"\n";
  }

  // The path of the program, or empty when it could not be built.
  std::string build() {
    std::ofstream(dir_ / "stub.c") << "int start(void) { return 0; }\n";
    std::ofstream(dir_ / "stub.rc") << "1 RCDATA { \"x\" }\n" << rc_;
    const std::string command = "cd '" + dir_.string() +
                                "' && i686-w64-mingw32-windres stub.rc -O coff -o stub.res && "
                                "i686-w64-mingw32-gcc -Os -s -nostdlib -Wl,-e,_start stub.c stub.res -o quiz.exe";
    if (std::system(command.c_str()) != 0) return {};
    return (dir_ / "quiz.exe").string();
  }
  std::string path(const std::string& name) const { return (dir_ / name).string(); }

 private:
  static inline int counter_ = 0;
  std::filesystem::path dir_;
  std::string rc_;
};

struct RunResult {
  int status;
  std::string out;
  std::string err;
};

RunResult runInspectCaptured(const Arguments& args) {
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  const int status = runInspect(args, pack::Language::english);
  const std::string err = ::testing::internal::GetCapturedStderr();
  return {status, ::testing::internal::GetCapturedStdout(), err};
}

TEST(RunInspect, ReadsARealProgramWithPlainAndScrambledContent) {
  if (!PeProgram::toolsPresent()) GTEST_SKIP() << "mingw-w64 is not installed";
  PeProgram program;
  program.add("PATCH", 104, testing::scrambled(testing::workedExampleAnswers()));
  program.add("PATCH", 105, testing::encoded(testing::workedExampleCodes()));
  const std::string exe = program.build();
  ASSERT_FALSE(exe.empty());
  const RunResult result = runInspectCaptured({exe});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out, kWorkedExampleToml);
}

TEST(RunInspect, ProgramWithoutAQuizSaysSoAndExitsOne) {
  if (!PeProgram::toolsPresent()) GTEST_SKIP() << "mingw-w64 is not installed";
  PeProgram program;
  const std::string exe = program.build();
  ASSERT_FALSE(exe.empty());
  const RunResult result = runInspectCaptured({exe});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "fenok-pack inspect: " + exe + " holds no quiz: it is a bare player, which shows its placeholder quiz\n");
  EXPECT_EQ(result.out, "");
}

TEST(RunInspect, DamagedContentIsPrintedWithWarningsAndExitsOne) {
  if (!PeProgram::toolsPresent()) GTEST_SKIP() << "mingw-w64 is not installed";
  PeProgram program;
  Bytes answers = testing::workedExampleAnswers();
  answers.push_back('x');
  program.add("PATCH", 104, testing::encoded(answers));
  program.add("PATCH", 105, testing::encoded(testing::workedExampleCodes()));
  const std::string exe = program.build();
  ASSERT_FALSE(exe.empty());
  const RunResult result = runInspectCaptured({exe});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find(exe + ": warning: the questions resource (PATCH 104) has 1 bytes left over"), std::string::npos)
      << result.err;
  EXPECT_EQ(result.out, kWorkedExampleToml);
}

TEST(RunInspect, UnreadableOrForeignFilesExitTwo) {
  PeProgram scratch;
  RunResult result = runInspectCaptured({scratch.path("missing.exe")});
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("missing.exe"), std::string::npos);
  EXPECT_EQ(result.out, "");

  std::ofstream(scratch.path("text.exe")) << "not a program\n";
  result = runInspectCaptured({scratch.path("text.exe")});
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("text.exe"), std::string::npos);
  EXPECT_EQ(result.out, "");

  result = runInspectCaptured({});
  EXPECT_EQ(result.status, 2);
  EXPECT_NE(result.err.find("usage"), std::string::npos);

  std::filesystem::create_directories(scratch.path("folder.exe"));
  result = runInspectCaptured({scratch.path("folder.exe")});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err, "fenok-pack inspect: \"" + scratch.path("folder.exe") + "\" is a directory\n");
}

}  // namespace
}  // namespace fenok::pack
