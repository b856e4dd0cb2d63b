// Round trip: a quiz description built into a program and read back by the player's own loader gives
// back the description's texts, for the samples and for generated quizzes of every kind.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "authoring/quiz_build.h"
#include "authoring/quiz_source_writer.h"
#include "authoring/quiz_toml.h"
#include "authoring/quiz_unpacking.h"
#include "authoring/text_encoding.h"
#include "pack_support.h"

namespace fenok {
namespace {

using testing::LoadedQuiz;
using testing::QuizFolder;
using testing::readFixture;
using testing::sourceFile;

std::vector<std::uint8_t> buildProgram(const std::string& quizPath, bool plain, const char* stub = "stub32.exe",
                                       pack::PictureStorage pictures = pack::PictureStorage::fitted) {
  pack::Diagnostics diagnostics(quizPath);
  std::vector<PeResourceEntry> resources;
  EXPECT_TRUE(pack::quizResources(quizPath, plain, resources, diagnostics, nullptr, nullptr, pictures))
      << (diagnostics.errors(pack::Language::english).empty() ? "" : diagnostics.errors(pack::Language::english).front());
  std::vector<std::uint8_t> packed;
  std::string error;
  EXPECT_TRUE(pack::packIntoPlayer(readFixture(stub), resources, packed, error)) << error;
  return packed;
}

std::string cp1252(const std::string& utf8) { return pack::utf8ToCp1252(utf8).value_or("<not Windows-1252>"); }

// What a generated quiz holds; the expected texts are written here, apart from the tool's code.
struct Shape {
  int media;          // 0 text, 1 pictures, 2 audio, 3 video
  int comments;       // 0 to 4
  int answers;        // 1 or 2
  int questions;
};

std::string answerOf(int j) { return "RÉPONSE" + std::to_string(j); }
std::string secondOf(int j) { return "DEUX" + std::to_string(j); }
std::string textOf(int j) { return "Question n° " + std::to_string(j) + " : où ?"; }
std::string commentOf(int j) { return "Commentaire « " + std::to_string(j) + " »"; }
std::string rewardOf(int k) { return "Code " + std::to_string(k) + " €"; }

const char* const kMedia[] = {"text", "pictures", "audio", "video"};
const char* const kComments[] = {"none", "solution-picture", "comment", "comment-and-picture", "all-at-end"};

// Real pictures; the number written after each (past its end) tells the copies apart.
const std::string kJpeg = sourceFile("tests/unit/pack/fixtures/quarters.jpg");
const std::string kGif = sourceFile("tests/unit/pack/fixtures/quarters.gif");
const std::string kMp3 = "ID3 mp3 body";
const std::string kAvi = "RIFF1234AVI avi body";

std::string pictureFile(const QuizFolder& folder, int j, const std::string& stem) {
  switch (j % 3) {
    case 0: return folder.write(stem + ".jpg", kJpeg + std::to_string(j)), stem + ".jpg";
    case 1: return folder.write(stem + ".gif", kGif + std::to_string(j)), stem + ".gif";
    default: return folder.write(stem + ".png", sourceFile("samples/demo/pictures/pologne.png")), stem + ".png";
  }
}

std::string generate(const QuizFolder& folder, const Shape& shape) {
  std::string toml = "title = \"Généré\"\nauthor = \"Test\"\nexplanation = \"Tout y est\"\n";
  toml += std::string("media = \"") + kMedia[shape.media] + "\"\n";
  toml += "answers_per_question = " + std::to_string(shape.answers) + "\n";
  if (shape.answers == 2) toml += "answer_labels = [\"Première\", \"Seconde\"]\n";
  toml += std::string("comments = \"") + kComments[shape.comments] + "\"\n";
  toml += "background = \"#E0C040\"\nrewards = [";
  for (int k = 1; k <= shape.questions; ++k) toml += (k > 1 ? ", \"" : "\"") + rewardOf(k) + "\"";
  toml += "]\n";
  const bool showsComment = shape.comments >= 2 && shape.media != 0;
  const bool solution = shape.comments == 1 || shape.comments == 3;
  for (int j = 1; j <= shape.questions; ++j) {
    toml += "\n[[question]]\nanswer = \"" + answerOf(j) + "\"\n";
    if (shape.answers == 2) toml += "second_answer = \"" + secondOf(j) + "\"\n";
    toml += "text = \"" + textOf(j) + "\"\n";
    if (showsComment) toml += "comment = \"" + commentOf(j) + "\"\n";
    if (shape.media == 1) toml += "picture = \"" + pictureFile(folder, j, "p" + std::to_string(j)) + "\"\n";
    if (shape.media == 1 && solution)
      toml += "solution = \"" + pictureFile(folder, j + 1, "s" + std::to_string(j)) + "\"\n";
    if (shape.media >= 2) {
      const std::string name = "c" + std::to_string(j) + ".bin";
      folder.write(name, (shape.media == 2 ? kMp3 : kAvi) + std::to_string(j));
      toml += "clip = \"" + name + "\"\n";
    }
  }
  return folder.write("quiz.toml", toml);
}

void expectQuizOfShape(const Quiz& quiz, const Shape& shape) {
  EXPECT_EQ(std::string(quiz.title), cp1252("Généré"));
  EXPECT_EQ(std::string(quiz.author), "Test");
  EXPECT_EQ(std::string(quiz.explanation), "Tout y est");
  EXPECT_EQ(quiz.mediaKind, shape.media);
  EXPECT_EQ(quiz.commentKind, shape.comments);
  EXPECT_EQ(quiz.answersPerQuestion, shape.answers);
  EXPECT_EQ(quiz.questionCount, shape.questions);
  EXPECT_EQ(std::string(quiz.firstAnswerLabel), shape.answers == 2 ? cp1252("Première") : "");
  EXPECT_EQ(std::string(quiz.secondAnswerLabel), shape.answers == 2 ? "Seconde" : "");
  EXPECT_EQ(quiz.backRed, 0xE0);
  EXPECT_EQ(quiz.backGreen, 0xC0);
  EXPECT_EQ(quiz.backBlue, 0x40);
  const bool storesComment = shape.comments >= 2 && shape.media != 0;
  int j = 1;
  for (const AnswerEntry* entry = quiz.firstAnswer; entry; entry = entry->next, ++j) {
    EXPECT_EQ(std::string(entry->answer), cp1252(answerOf(j)));
    EXPECT_EQ(std::string(entry->secondAnswer), shape.answers == 2 ? secondOf(j) : "");
    EXPECT_EQ(std::string(entry->question), cp1252(textOf(j)));
    EXPECT_EQ(std::string(entry->comment), storesComment ? cp1252(commentOf(j)) : "");
  }
  EXPECT_EQ(j - 1, shape.questions);
  for (int k = 1; k <= shape.questions; ++k) EXPECT_EQ(std::string(quiz.rewardCodes[k - 1]), cp1252(rewardOf(k)));
}

class GeneratedQuiz : public ::testing::TestWithParam<Shape> {};

TEST_P(GeneratedQuiz, LoadsBackAsWritten) {
  QuizFolder folder;
  const std::string quizPath = generate(folder, GetParam());
  for (bool plain : {false, true}) {
    LoadedQuiz loaded;
    std::string error;
    ASSERT_TRUE(loaded.load(buildProgram(quizPath, plain), error)) << error;
    EXPECT_TRUE(loaded.messages.empty()) << loaded.messages.texts().front();
    expectQuizOfShape(*loaded.quiz, GetParam());
  }
}

TEST_P(GeneratedQuiz, CarriesEveryPictureAndClipWhereThePlayerLooks) {
  const Shape shape = GetParam();
  QuizFolder folder;
  LoadedQuiz loaded;
  std::string error;
  ASSERT_TRUE(loaded.load(buildProgram(generate(folder, shape), false, "stub32.exe", pack::PictureStorage::asGiven), error))
      << error;
  if (shape.media == 0) {
    // A text quiz carries no pictures, and none of the stub's stay in the places a quiz owns.
    for (int id : {401, 10401})
      EXPECT_TRUE(loaded.resources.find(ResourceType::named("IMG"), id).empty() &&
                  loaded.resources.find(ResourceType::numbered(kRtRcdata), id).empty());
    return;
  }
  const bool solution = shape.media == 1 && (shape.comments == 1 || shape.comments == 3);
  for (int j = 1; j <= shape.questions; ++j) {
    const ByteView image = loaded.resources.find(ResourceType::named("IMG"), 400 + j);
    const ByteView png = loaded.resources.find(ResourceType::numbered(kRtRcdata), 400 + j);
    const std::string expected = shape.media == 2   ? kMp3 + std::to_string(j)
                                 : shape.media == 3 ? kAvi + std::to_string(j)
                                 : j % 3 == 0       ? kJpeg + std::to_string(j)
                                 : j % 3 == 1       ? kGif + std::to_string(j)
                                                    : "";
    if (expected.empty()) {
      EXPECT_TRUE(image.empty());
      EXPECT_EQ(testing::text(png.data, png.size), sourceFile("samples/demo/pictures/pologne.png"));
    } else {
      EXPECT_EQ(testing::text(image.data, image.size), expected);
      EXPECT_TRUE(png.empty());
    }
    const ByteView stored = loaded.resources.find(ResourceType::named("IMG"), 10400 + j);
    const ByteView storedPng = loaded.resources.find(ResourceType::numbered(kRtRcdata), 10400 + j);
    if (!solution) {
      EXPECT_TRUE(stored.empty() && storedPng.empty());
    } else if ((j + 1) % 3 == 2) {
      EXPECT_EQ(testing::text(storedPng.data, storedPng.size), sourceFile("samples/demo/pictures/pologne.png"));
    } else {
      // Solution pictures are stored with the halves of each byte exchanged: 0xD8 as 0x8D.
      std::string restored = testing::text(stored.data, stored.size);
      for (char& c : restored) c = static_cast<char>(((c & 0x0F) << 4) | ((c & 0xF0) >> 4));
      EXPECT_EQ(restored, ((j + 1) % 3 == 0 ? kJpeg : kGif) + std::to_string(j + 1));
    }
  }
}

// The description as the studio writes it: only what the quiz's kinds use (no question text in a
// picture quiz, which the player never shows).
std::string asTheStudioWritesIt(const QuizFolder& folder, const std::string& quizPath) {
  std::ifstream in(quizPath, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  pack::QuizSource source;
  pack::Diagnostics diagnostics(quizPath);
  EXPECT_TRUE(pack::readQuizToml(text, source, diagnostics));
  return folder.write("as-written.toml", pack::writeQuizSource(source));
}

// A program taken apart to be edited again and built again unchanged is the same program, byte for
// byte: every text, every setting and every stored picture (not encoded again) and clip came back.
TEST_P(GeneratedQuiz, TakenApartAndBuiltAgainIsTheSameProgram) {
  QuizFolder folder;
  const std::vector<std::uint8_t> made = buildProgram(asTheStudioWritesIt(folder, generate(folder, GetParam())), false);
  const std::string madePath = folder.write("made/Mon quiz.exe", std::string(made.begin(), made.end()));
  std::string description;
  pack::Message error;
  ASSERT_TRUE(pack::unpackQuiz(madePath, description, error)) << pack::say(error, pack::Language::english);
  EXPECT_EQ(description, folder.path("made/Mon quiz/quiz.toml"));
  EXPECT_TRUE(buildProgram(description, false) == made);  // (a byte dump of two programs says nothing)
}

INSTANTIATE_TEST_SUITE_P(
    Shapes, GeneratedQuiz,
    ::testing::Values(Shape{0, 0, 1, 1}, Shape{0, 0, 1, 96}, Shape{0, 2, 1, 5}, Shape{1, 0, 1, 1},
                      Shape{1, 1, 1, 7}, Shape{1, 2, 2, 10}, Shape{1, 3, 1, 96}, Shape{1, 4, 2, 4},
                      Shape{1, 3, 2, 96}, Shape{2, 0, 1, 3}, Shape{2, 2, 2, 8}, Shape{3, 4, 1, 6},
                      Shape{3, 0, 2, 96}),
    [](const ::testing::TestParamInfo<Shape>& param) {
      const Shape& s = param.param;
      return std::string(kMedia[s.media]) + "_comments" + std::to_string(s.comments) + "_answers" +
             std::to_string(s.answers) + "_questions" + std::to_string(s.questions);
    });

struct Sample {
  const char* folder;
  int media;
  int questions;
  int answers;
};

class SampleQuiz : public ::testing::TestWithParam<Sample> {};

TEST_P(SampleQuiz, LoadsBackWithTheTextsOfItsDescription) {
  const std::string path = std::string(FENOK_SOURCE_DIR) + "/samples/" + GetParam().folder + "/quiz.toml";
  pack::Diagnostics diagnostics(path);
  pack::QuizContent content;
  ASSERT_TRUE(pack::readQuizDescription(path, content, diagnostics));
  EXPECT_TRUE(diagnostics.warnings(pack::Language::english).empty()) << diagnostics.warnings(pack::Language::english).front();
  for (bool plain : {false, true}) {
    LoadedQuiz loaded;
    std::string error;
    ASSERT_TRUE(loaded.load(buildProgram(path, plain), error)) << error;
    const Quiz& quiz = *loaded.quiz;
    EXPECT_TRUE(loaded.messages.empty());
    EXPECT_EQ(quiz.mediaKind, GetParam().media);
    EXPECT_EQ(quiz.questionCount, GetParam().questions);
    EXPECT_EQ(quiz.answersPerQuestion, GetParam().answers);
    EXPECT_EQ(std::string(quiz.title), content.title);
    EXPECT_EQ(std::string(quiz.author), content.author);
    EXPECT_EQ(std::string(quiz.explanation), content.explanation);
    EXPECT_EQ(std::string(quiz.firstAnswerLabel), content.firstAnswerLabel);
    EXPECT_EQ(std::string(quiz.secondAnswerLabel), content.secondAnswerLabel);
    std::size_t j = 0;
    for (const AnswerEntry* entry = quiz.firstAnswer; entry; entry = entry->next, ++j) {
      ASSERT_LT(j, content.questions.size());
      EXPECT_EQ(std::string(entry->answer), content.questions[j].answer);
      EXPECT_EQ(std::string(entry->secondAnswer), content.questions[j].secondAnswer);
      EXPECT_EQ(std::string(entry->question), content.questions[j].text);
      EXPECT_EQ(std::string(entry->comment), content.questions[j].comment);
      EXPECT_EQ(std::string(quiz.rewardCodes[j]), content.rewards[j]);
    }
    EXPECT_EQ(j, content.questions.size());
  }
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleQuiz,
                         ::testing::Values(Sample{"demo", 1, 10, 1}, Sample{"texte", 0, 10, 1},
                                           Sample{"deux", 1, 6, 2}),
                         [](const ::testing::TestParamInfo<Sample>& param) { return std::string(param.param.folder); });

TEST(SampleQuiz, DemoHasThreeFullRowsAndAPartialOneWithSolutionsAndRewards) {
  const std::string path = std::string(FENOK_SOURCE_DIR) + "/samples/demo/quiz.toml";
  pack::Diagnostics diagnostics(path);
  pack::QuizContent content;
  ASSERT_TRUE(pack::readQuizDescription(path, content, diagnostics));
  EXPECT_GE(content.questions.size(), 10u);
  EXPECT_NE(content.questions.size() % 3, 0u);
  EXPECT_EQ(content.commentKind, kCommentTextAndPicture);
  EXPECT_EQ(content.rewards.size(), content.questions.size());
}

TEST(BuiltQuiz, ScrambledAndPlainStoreDifferentBytesForTheSameQuiz) {
  const std::string path = std::string(FENOK_SOURCE_DIR) + "/samples/demo/quiz.toml";
  LoadedQuiz scrambled, plain;
  std::string error;
  ASSERT_TRUE(scrambled.load(buildProgram(path, false), error));
  ASSERT_TRUE(plain.load(buildProgram(path, true), error));
  const ByteView a = scrambled.resources.find(ResourceType::named("PATCH"), 104);
  const ByteView b = plain.resources.find(ResourceType::named("PATCH"), 104);
  ASSERT_EQ(a.size, b.size);
  EXPECT_NE(testing::text(a.data, a.size), testing::text(b.data, b.size));
  EXPECT_EQ(a.data[0], b.data[0]);  // byte 0 is never scrambled
}

TEST(BuiltQuiz, PackingIntoAPackedProgramLeavesNothingOfTheEarlierQuiz) {
  // The demo has ten pictures; a one-question quiz packed over it must not show the other nine.
  const std::string demo = std::string(FENOK_SOURCE_DIR) + "/samples/demo/quiz.toml";
  QuizFolder folder;
  const std::string small = generate(folder, Shape{1, 0, 1, 1});
  pack::Diagnostics diagnostics(small);
  std::vector<PeResourceEntry> resources;
  ASSERT_TRUE(pack::quizResources(small, false, resources, diagnostics));
  std::vector<std::uint8_t> packed;
  std::string error;
  ASSERT_TRUE(pack::packIntoPlayer(buildProgram(demo, false), resources, packed, error)) << error;
  PeResources result;
  ASSERT_TRUE(result.load(packed, error));
  EXPECT_TRUE(result.find(ResourceType::named("IMG"), 402).empty());
  EXPECT_TRUE(result.find(ResourceType::named("IMG"), 10401).empty());
  EXPECT_TRUE(result.find(ResourceType::numbered(kRtRcdata), 406).empty());
  EXPECT_FALSE(result.find(ResourceType::numbered(kRtRcdata), 1003).empty());  // the stub's own stays
}

}  // namespace
}  // namespace fenok
