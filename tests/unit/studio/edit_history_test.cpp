// The undo history over the document's own edits: every edit undone gives the description back as it
// was and redone gives it again; typing in one field is one step; the saved state is unmodified.
#include <gtest/gtest.h>

#include <functional>

#include "quiz_document.h"
#include "quiz_edits.h"
#include "studio_ids.h"
#include "studio_support.h"

namespace fenok {
namespace {

using pack::QuizSource;
using pack::SourceQuestion;
using pack::SourceText;
using studio::QuizDocument;

SourceText text(const std::string& value) { return SourceText{value, 0, true}; }

std::unique_ptr<studio::QuizEdit> typed(int question, SourceText SourceQuestion::*field, const std::string& value,
                                        int control) {
  return studio::setValue<SourceText>(
      [=](QuizSource& quiz) -> SourceText& { return quiz.questions[static_cast<std::size_t>(question)].*field; },
      text(value), question, {control, question});
}

std::unique_ptr<studio::QuizEdit> title(const std::string& value) {
  return studio::setValue<SourceText>([](QuizSource& quiz) -> SourceText& { return quiz.title; }, text(value), -1,
                                      {STUDIO_TITLE, -1});
}

// A saved quiz of three pictures, opened as the studio opens one.
class EditHistoryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::writePictures(folder);
    QuizDocument drafted;
    std::vector<std::string> leftOut;
    ASSERT_TRUE(QuizDocument::fromFolder(folder.path("photos"), drafted, reason, leftOut)) << reason;
    drafted.apply(studio::setValue<int>([](QuizSource& quiz) -> int& { return quiz.commentKind; }, kCommentText));
    drafted.apply(typed(0, &SourceQuestion::comment, "Un arc.", STUDIO_COMMENT));
    drafted.apply(studio::setValue<std::vector<SourceText>>(
        [](QuizSource& quiz) -> std::vector<SourceText>& { return quiz.questions[0].also; }, {text("ARCHE")}));
    ASSERT_TRUE(drafted.saveAs(folder.path("photos/quiz.toml"), reason)) << reason;
    std::vector<pack::Problem> problems;
    ASSERT_TRUE(QuizDocument::open(folder.path("photos/quiz.toml"), document, problems, reason)) << reason;
  }

  testing::QuizFolder folder;
  QuizDocument document;
  std::string reason;
};

TEST_F(EditHistoryTest, EveryEditUndoneGivesTheQuizBackAndRedoneGivesItAgain) {
  struct Case {
    const char* name;
    std::function<void(QuizDocument&)> edit;
  };
  const Case cases[] = {
      {"title typed", [](QuizDocument& d) { d.apply(title("Monuments")); }},
      {"answer typed", [](QuizDocument& d) { d.apply(typed(1, &SourceQuestion::answer, "ÉTÉ", STUDIO_ANSWER)); }},
      {"kind chosen",
       [](QuizDocument& d) {
         d.apply(studio::setValue<int>([](QuizSource& q) -> int& { return q.answersPerQuestion; }, 2));
       }},
      {"colour chosen", [](QuizDocument& d) { d.apply(studio::setBackground(0x123456)); }},
      {"reward typed",
       [](QuizDocument& d) {
         d.apply(studio::setValue<std::vector<SourceText>>([](QuizSource& q) -> std::vector<SourceText>& { return q.rewards; },
                                                           {text(""), text("BRAVO")}, -1, {STUDIO_REWARD_CODE, 1}));
       }},
      {"files added", [&](QuizDocument& d) {
         std::vector<std::string> refused;
         d.addFiles({folder.path("photos/ete.jpg"), folder.path("photos/arc.gif")}, refused);
       }},
      {"empty question added", [](QuizDocument& d) { d.addQuestion(); }},
      {"question removed with its variant and comment", [](QuizDocument& d) { d.removeQuestion(0); }},
      {"question moved", [](QuizDocument& d) { d.moveQuestion(0, 2); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string before = document.text();
    c.edit(document);
    const std::string after = document.text();
    EXPECT_NE(after, before);
    EXPECT_TRUE(document.modified());
    ASSERT_NE(document.undo(), nullptr);
    EXPECT_EQ(document.text(), before);
    EXPECT_FALSE(document.modified());  // back where the file on disk is
    ASSERT_NE(document.redo(), nullptr);
    EXPECT_EQ(document.text(), after);
    document.undo();
    EXPECT_FALSE(document.canUndo());
  }
}

TEST_F(EditHistoryTest, TypingInOneFieldIsOneStepUntilTheAuthorLeavesIt) {
  const std::string before = document.text();
  for (const char* value : {"A", "AR", "ARC"}) document.apply(typed(1, &SourceQuestion::answer, value, STUDIO_ANSWER));
  document.apply(typed(1, &SourceQuestion::comment, "Été", STUDIO_COMMENT));  // another field: another step
  document.apply(typed(1, &SourceQuestion::comment, "Été !", STUDIO_COMMENT));
  document.endTyping();
  document.apply(typed(1, &SourceQuestion::comment, "Été ?", STUDIO_COMMENT));  // came back: another step

  EXPECT_EQ(document.undo()->shownQuestion(true), 1);
  EXPECT_EQ(document.quiz().questions[1].comment.value, "Été !");
  document.undo();
  EXPECT_EQ(document.quiz().questions[1].comment.value, "");
  EXPECT_EQ(document.quiz().questions[1].answer.value, "ARC");
  document.undo();
  EXPECT_EQ(document.text(), before);
  EXPECT_FALSE(document.canUndo());

  // Typed and typed back: nothing changed, nothing to undo.
  document.apply(title("photos!"));
  document.apply(title("photos"));
  EXPECT_FALSE(document.canUndo());
  EXPECT_FALSE(document.modified());
}

TEST_F(EditHistoryTest, TheSavedStateIsUnmodifiedWhereverTheHistoryStands) {
  document.apply(title("Un"));
  document.endTyping();
  ASSERT_TRUE(document.saveAs(document.path(), reason)) << reason;
  document.apply(title("Deux"));  // not folded into the saved step
  EXPECT_TRUE(document.modified());
  document.undo();
  EXPECT_FALSE(document.modified());
  document.undo();
  EXPECT_TRUE(document.modified());
  document.redo();
  EXPECT_FALSE(document.modified());
  document.apply(title("Trois"));  // the step undone before is dropped
  EXPECT_FALSE(document.canRedo());

  // Saved elsewhere, file names are rewritten: the steps before, holding them as they were, go.
  std::filesystem::create_directories(folder.path("elsewhere"));
  ASSERT_TRUE(document.saveAs(folder.path("elsewhere/quiz.toml"), reason)) << reason;
  EXPECT_FALSE(document.canUndo());

  // A drafted quiz is on no disk: undoing everything leaves it modified.
  QuizDocument drafted;
  std::vector<std::string> leftOut;
  ASSERT_TRUE(QuizDocument::fromFolder(folder.path("photos"), drafted, reason, leftOut));
  drafted.apply(title("X"));
  drafted.undo();
  EXPECT_TRUE(drafted.modified());
}

}  // namespace
}  // namespace fenok
