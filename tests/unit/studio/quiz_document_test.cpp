// The editing model: a quiz drafted from a folder, commands on its questions, kinds switched and
// switched back, and saving that keeps file names pointing at the same files.
#include <gtest/gtest.h>

#include "authoring/quiz_build.h"
#include "quiz_document.h"
#include "quiz_edits.h"
#include "studio_support.h"

namespace fenok {
namespace {

using studio::QuizDocument;
using testing::QuizFolder;

std::vector<std::string> answers(const QuizDocument& document) {
  std::vector<std::string> result;
  for (const auto& question : document.quiz().questions) result.push_back(question.answer.value);
  return result;
}

bool has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Changes made as the studio makes them: through the document's edits.
void setKind(QuizDocument& document, int pack::QuizSource::*kind, int value) {
  document.apply(studio::setValue<int>([kind](pack::QuizSource& quiz) -> int& { return quiz.*kind; }, value));
}
void setText(QuizDocument& document, int question, pack::SourceText pack::SourceQuestion::*text, const std::string& value) {
  document.apply(studio::setValue<pack::SourceText>(
      [=](pack::QuizSource& quiz) -> pack::SourceText& { return quiz.questions[static_cast<std::size_t>(question)].*text; },
      pack::SourceText{value, 0, true}, question));
}

TEST(QuizDocument, FromFolderDraftsOneQuestionPerPictureInNameOrder) {
  QuizFolder folder;
  testing::writePictures(folder);
  QuizDocument document;
  std::string reason;
  std::vector<std::string> leftOut;
  ASSERT_TRUE(QuizDocument::fromFolder(folder.path("photos"), document, reason, leftOut)) << reason;
  EXPECT_EQ(answers(document), (std::vector<std::string>{"ARC", "ETE", "TOUR EIFFEL"}));
  EXPECT_EQ(document.quiz().questions[2].picture.value, "tour-eiffel.jpg");
  EXPECT_EQ(document.quiz().title.value, "photos");
  EXPECT_EQ(document.path(), folder.path("photos/quiz.toml"));
  EXPECT_TRUE(document.modified());
  EXPECT_FALSE(document.saved());
  // What `new` drafts builds as it is: so does the studio's canonical form of it.
  EXPECT_TRUE(pack::prepareQuizText(document.text(), document.path(), false).ok());

  QuizDocument empty;
  EXPECT_FALSE(QuizDocument::fromFolder(folder.path("nothing-here"), empty, reason, leftOut));
}

// A quiz drafted from the folder of three pictures.
class DraftedQuiz : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::writePictures(folder);
    std::vector<std::string> leftOut;
    ASSERT_TRUE(QuizDocument::fromFolder(folder.path("photos"), document, reason, leftOut)) << reason;
  }

  QuizFolder folder;
  QuizDocument document;
  std::string reason, error;
};

TEST_F(DraftedQuiz, MovesAndRemovesQuestions) {
  EXPECT_EQ(document.moveQuestion(0, 1), 1);
  EXPECT_EQ(document.moveQuestion(2, 1), 2);  // the last one stays last
  EXPECT_EQ(document.moveQuestion(0, -1), 0);
  EXPECT_EQ(answers(document), (std::vector<std::string>{"ETE", "ARC", "TOUR EIFFEL"}));
  document.removeQuestion(0);
  document.removeQuestion(7);
  EXPECT_EQ(answers(document), (std::vector<std::string>{"ARC", "TOUR EIFFEL"}));
  // The written order is the list's order.
  const std::string text = document.text();
  EXPECT_LT(text.find("\"arc.gif\""), text.find("\"tour-eiffel.jpg\""));
}

TEST_F(DraftedQuiz, FieldsAKindDoesNotUseAreKeptButNotWritten) {
  setText(document, 0, &pack::SourceQuestion::secondAnswer, "GAUCHE");
  setText(document, 0, &pack::SourceQuestion::comment, "Un arc.");

  setKind(document, &pack::QuizSource::mediaKind, kMediaText);
  setKind(document, &pack::QuizSource::answersPerQuestion, 1);
  setText(document, 0, &pack::SourceQuestion::text, "Un monument ?");
  const std::string asText = document.text();
  EXPECT_FALSE(has(asText, "picture =")) << asText;
  EXPECT_FALSE(has(asText, "second_answer")) << asText;
  EXPECT_FALSE(has(asText, "comment =")) << asText;
  EXPECT_TRUE(has(asText, "text = \"Un monument ?\"")) << asText;

  setKind(document, &pack::QuizSource::mediaKind, kMediaPictures);
  setKind(document, &pack::QuizSource::answersPerQuestion, 2);
  setKind(document, &pack::QuizSource::commentKind, kCommentText);
  const std::string back = document.text();
  EXPECT_TRUE(has(back, "picture = \"arc.gif\"")) << back;
  EXPECT_TRUE(has(back, "second_answer = \"GAUCHE\"")) << back;
  EXPECT_TRUE(has(back, "comment = \"Un arc.\"")) << back;
  EXPECT_FALSE(has(back, "text =")) << back;
}

TEST_F(DraftedQuiz, SavingElsewhereKeepsFilesPointingAtTheSamePictures) {
  std::filesystem::create_directories(folder.path("elsewhere"));
  ASSERT_TRUE(document.saveAs(folder.path("elsewhere/quiz.toml"), error)) << error;
  EXPECT_EQ(document.quiz().questions[0].picture.value, folder.path("photos/arc.gif"));
  EXPECT_TRUE(pack::prepareQuiz(folder.path("elsewhere/quiz.toml"), false).ok());

  ASSERT_TRUE(document.saveAs(folder.path("photos/quiz.toml"), error)) << error;
  EXPECT_EQ(document.quiz().questions[0].picture.value, "arc.gif");
  EXPECT_FALSE(document.modified());

  std::vector<pack::Problem> problems;
  QuizDocument reopened;
  ASSERT_TRUE(QuizDocument::open(folder.path("photos/quiz.toml"), reopened, problems, reason)) << reason;
  EXPECT_TRUE(problems.empty());
  EXPECT_EQ(reopened.text(), document.text());
}

TEST_F(DraftedQuiz, AFailedSaveChangesNothing) {
  folder.write("file/x", "");  // "file" is a folder: nothing can be written as it
  EXPECT_FALSE(document.saveAs(folder.path("file"), error));
  EXPECT_FALSE(error.empty());
  EXPECT_EQ(document.path(), folder.path("photos/quiz.toml"));
  EXPECT_EQ(document.quiz().questions[0].picture.value, "arc.gif");
  EXPECT_TRUE(document.modified());
}

TEST(QuizDocument, AddedFilesMustSuitTheQuiz) {
  QuizFolder folder;
  testing::writePictures(folder);
  folder.write("sons/cloche.mp3", "ID3 not really a clip");
  QuizDocument document;
  std::vector<std::string> refused;
  document.addFiles({folder.path("sons/cloche.mp3"), folder.path("photos/arc.gif"), folder.path("photos/notes.txt")},
                    refused);
  EXPECT_EQ(document.quiz().mediaKind, kMediaAudio);  // the first file chose
  EXPECT_EQ(answers(document), (std::vector<std::string>{"CLOCHE"}));
  // A picture in a clip quiz is named; a file that is no picture nor clip is said to be so.
  EXPECT_EQ(refused, (std::vector<std::string>{folder.path("photos/arc.gif"),
                                               "le fichier « notes.txt » n'est ni une image ni un son ou une vidéo"}));
  EXPECT_EQ(document.quiz().questions[0].clip.value, folder.path("sons/cloche.mp3"));  // never saved: absolute
}

}  // namespace
}  // namespace fenok
