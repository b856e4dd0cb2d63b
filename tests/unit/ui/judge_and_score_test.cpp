// Judging a box and the score it leads to, through the player's own key and focus paths.
#include <gtest/gtest.h>

#include <algorithm>

#include "judge/answer_boxes.h"
#include "judge/judge_answer.h"
#include "judge/score.h"
#include "persist/saved_answers.h"
#include "ui_fixture.h"

namespace fenok::testing {
namespace {

std::vector<Question> named(std::initializer_list<const char*> answers) {
  std::vector<Question> list;
  int i = 1;
  for (const char* answer : answers) {
    list.push_back(Question{answer, std::string("SECOND") + std::to_string(i), "Q" + std::to_string(i),
                            "Comment " + std::to_string(i)});
    ++i;
  }
  return list;
}

int countCalls(const MemoryControls& controls, const std::string& prefix) {
  return static_cast<int>(std::count_if(controls.calls().begin(), controls.calls().end(),
                                        [&](const std::string& c) { return c.rfind(prefix, 0) == 0; }));
}

TEST(Score, NothingSolvedShowsZeroAndSixSpaces) {
  UiFixture f;
  std::vector<Question> twelve(12, Question{"A", "", "", ""});
  f.makeQuiz(kMediaPictures, 1, twelve);
  f.build();
  f.typeAndEnter(4001, "nope");
  EXPECT_EQ(f.counter(), " 0 / 12");
  EXPECT_EQ(f.codeBox(), "      ");
}

TEST(Score, ThreeOfTwelveShowsTheThirdCode) {
  UiFixture f;
  std::vector<Question> twelve(12, Question{"A", "", "", ""});
  f.makeQuiz(kMediaPictures, 1, twelve);
  f.build();
  for (int box : {4001, 4005, 4012}) f.typeAndEnter(box, "a");
  EXPECT_EQ(f.counter(), " 3 / 12");
  EXPECT_EQ(f.codeBox(), "CODE3");
  f.typeAndEnter(4012, "x");
  EXPECT_EQ(f.counter(), " 2 / 12");
  EXPECT_EQ(f.codeBox(), "CODE2");
}

TEST(Score, LosingTheOnlySolvedQuestionGoesBackToSixSpaces) {
  UiFixture f;
  f.makeQuiz(kMediaPictures, 1, named({"CHAT", "CHIEN"}));
  f.build();
  f.typeAndEnter(4002, "chien");
  EXPECT_EQ(f.codeBox(), "CODE1");
  f.panel.selectText(4002, 0, 260);
  f.typeAndEnter(4002, "zzz");
  EXPECT_EQ(f.counter(), " 0 / 2");
  EXPECT_EQ(f.codeBox(), "      ");
  EXPECT_EQ(answerAt(*f.quiz, 1)->solved, 1);  // solved never goes back
}

TEST(Judge, UnchangedVerdictDoesNothing) {
  UiFixture f;
  f.makeQuiz(kMediaPictures, 1, named({"CHAT"}));
  f.build();
  f.typeAndEnter(4001, "chat");
  f.header.setText(32, "untouched");
  f.panel.clearCalls();
  EXPECT_FALSE(judgeAnswer(f.platform, *f.quiz, f.panel, 4001));
  EXPECT_EQ(f.header.text(32, 260), "untouched");
  EXPECT_TRUE(f.panel.calls().empty());
  f.panel.type(4001, "s");
  EXPECT_TRUE(judgeAnswer(f.platform, *f.quiz, f.panel, 4001));
  EXPECT_EQ(f.header.text(32, 260), " 0 / 1");
}

// Judging writes the score only; re-hiding solved questions is the screen's part.
TEST(Judge, ASolvedQuestionIsHiddenByTheCommitNotByTheJudge) {
  UiFixture f;
  f.makeQuiz(kMediaPictures, 1, named({"CHAT", "CHIEN"}));
  f.build();
  f.header.setCheck(33, 1);
  f.panel.type(4001, "chat");
  ASSERT_TRUE(judgeAnswer(f.platform, *f.quiz, f.panel, 4001));
  EXPECT_EQ(f.counter(), " 1 / 2");
  EXPECT_TRUE(f.panel.isVisible(9901));
  f.typeAndEnter(4002, "chien");
  EXPECT_FALSE(f.panel.isVisible(9901));
  EXPECT_FALSE(f.panel.isVisible(9902));
}

TEST(Judge, TwoAnswerQuestionNeedsBothBoxesRight) {
  UiFixture f;
  f.makeQuiz(kMediaPictures, 2, named({"TITRE"}), kCommentText);
  f.build();
  f.typeAndEnter(4001, "titre");
  EXPECT_EQ(f.verdict(4001), "BRAVO");
  EXPECT_EQ(f.quiz->firstAnswer->solved, 0);
  EXPECT_FALSE(f.panel.isVisible(8001));
  EXPECT_EQ(f.counter(), " 0 / 1");
  f.typeAndEnter(4002, "second1");
  EXPECT_EQ(f.verdict(4002), "BRAVO");
  EXPECT_EQ(f.quiz->firstAnswer->solved, 1);
  EXPECT_TRUE(f.panel.isVisible(8001));
  EXPECT_EQ(f.counter(), " 1 / 1");
  // Only the box judged gets its label written.
  EXPECT_EQ(countCalls(f.panel, "setText 5001"), 1);
}

TEST(Judge, CommentShownWhenSolvedHiddenWhenWrongSolvedStays) {
  UiFixture f;
  f.makeQuiz(kMediaPictures, 1, named({"CHAT", "CHIEN"}), kCommentText);
  f.build();
  f.typeAndEnter(4001, "chat");
  EXPECT_TRUE(f.panel.isVisible(8001));
  EXPECT_FALSE(f.panel.isVisible(8002));
  f.panel.selectText(4001, 0, 260);
  f.typeAndEnter(4001, "rat");
  EXPECT_FALSE(f.panel.isVisible(8001));
  EXPECT_EQ(f.quiz->firstAnswer->solved, 1);
}

TEST(Judge, SolutionPictureReplacesThePictureAndStays) {
  UiFixture f;
  f.makeQuiz(kMediaPictures, 1, named({"CHAT", "CHIEN"}), kCommentSolutionPicture);
  addPicture(f.pictures, 401, 100);
  addPicture(f.pictures, 10401, 120);
  f.build();
  const Handle question = f.panel.image(9901);
  f.typeAndEnter(4001, "chat");
  EXPECT_EQ(f.pictures.resourceOf(f.panel.image(9901)), 10401);
  const auto& calls = f.graphics.calls();
  EXPECT_TRUE(std::any_of(calls.begin(), calls.end(), [&](const GraphicsCall& c) {
    return c.kind == GraphicsCallKind::deleteObject && c.handle == question;
  }));
  f.panel.selectText(4001, 0, 260);
  f.typeAndEnter(4001, "rat");
  EXPECT_EQ(f.pictures.resourceOf(f.panel.image(9901)), 10401);
  // No solution picture for question 2: its picture stays.
  const Handle second = f.panel.image(9902);
  f.typeAndEnter(4002, "chien");
  EXPECT_EQ(f.panel.image(9902), second);
}

TEST(Judge, CommentAndPictureTogether) {
  UiFixture f;
  f.makeQuiz(kMediaPictures, 1, named({"CHAT"}), kCommentTextAndPicture);
  addPicture(f.pictures, 10401, 120);
  f.build();
  f.typeAndEnter(4001, "chat");
  EXPECT_TRUE(f.panel.isVisible(8001));
  EXPECT_EQ(f.pictures.resourceOf(f.panel.image(9901)), 10401);
}

TEST(Judge, AllAtEndShowsEveryCommentOnTheLastRightAnswer) {
  UiFixture f;
  f.makeQuiz(kMediaPictures, 1, named({"A", "B", "C"}), kCommentAllAtEnd);
  f.build();
  f.typeAndEnter(4001, "a");
  f.typeAndEnter(4002, "b");
  EXPECT_FALSE(f.panel.isVisible(8001));
  EXPECT_EQ(f.quiz->allSolved, 0);
  f.typeAndEnter(4003, "c");
  EXPECT_EQ(f.quiz->allSolved, 1);
  for (int id : {8001, 8002, 8003}) EXPECT_TRUE(f.panel.isVisible(id)) << id;
  f.panel.selectText(4002, 0, 260);
  f.typeAndEnter(4002, "x");
  EXPECT_EQ(f.quiz->allSolved, 0);
  EXPECT_TRUE(f.panel.isVisible(8001));
  EXPECT_FALSE(f.panel.isVisible(8002));
  EXPECT_TRUE(f.panel.isVisible(8003));
}

TEST(Judge, TextQuizDeclaredWithTwoAnswersHasOneBoxPerQuestion) {
  UiFixture f;
  f.makeQuiz(kMediaText, 2, named({"PARIS", "LYON"}));
  f.build();
  EXPECT_EQ(boxesPerQuestion(*f.quiz), 1);
  EXPECT_TRUE(f.panel.exists(4002));
  EXPECT_FALSE(f.panel.exists(4003));
  f.typeAndEnter(4002, "lyon");
  EXPECT_EQ(f.verdict(4002), "BRAVO");
  EXPECT_EQ(answerAt(*f.quiz, 1)->solved, 1);
  EXPECT_EQ(f.counter(), " 1 / 2");
  saveAnswers(f.files, *f.quiz);
  EXPECT_EQ(f.files.textOf("fenok.txt"), "\r\nlyon\r\n");
}

TEST(Judge, BoxPastTheLastQuestionUsesTheLastEntry) {
  UiFixture f;
  f.makeQuiz(kMediaPictures, 1, named({"A", "B"}));
  f.build();
  f.panel.create("Edit", "b", 0, Rect{}, 4009);
  f.panel.create("Static", "?", 0, Rect{}, 5009);
  judgeAnswer(f.platform, *f.quiz, f.panel, 4009);
  EXPECT_EQ(f.panel.text(5009, 260), "BRAVO");
}

struct BoxCase {
  int mediaKind;
  int perQuestion;
  int boxId;
  int questionIndex;
  int box;
};

class BoxNumbering : public ::testing::TestWithParam<BoxCase> {};

TEST_P(BoxNumbering, LocatesQuestionAndBox) {
  const BoxCase c = GetParam();
  std::unique_ptr<Quiz> quiz(new Quiz());
  quiz->mediaKind = c.mediaKind;
  quiz->answersPerQuestion = c.perQuestion;
  BoxPlace place;
  ASSERT_TRUE(locateAnswerBox(*quiz, c.boxId, place));
  EXPECT_EQ(place.questionIndex, c.questionIndex);
  EXPECT_EQ(place.box, c.box);
  EXPECT_EQ(answerBoxId(*quiz, c.questionIndex, c.box), c.boxId);
}

INSTANTIATE_TEST_SUITE_P(Cases, BoxNumbering,
                         ::testing::Values(BoxCase{kMediaPictures, 1, 4001, 0, 1}, BoxCase{kMediaPictures, 1, 4007, 6, 1},
                                           BoxCase{kMediaPictures, 2, 4001, 0, 1}, BoxCase{kMediaPictures, 2, 4002, 0, 2},
                                           BoxCase{kMediaVideo, 2, 4006, 2, 2}, BoxCase{kMediaText, 2, 4003, 2, 1},
                                           BoxCase{kMediaText, 1, 4096, 95, 1}));

TEST(BoxNumberingLimits, NoBoxesForUnknownKindsAndIdsBelowTheFirst) {
  std::unique_ptr<Quiz> quiz(new Quiz());
  quiz->mediaKind = 7;
  quiz->answersPerQuestion = 1;
  quiz->questionCount = 5;
  BoxPlace place;
  EXPECT_FALSE(locateAnswerBox(*quiz, 4001, place));
  EXPECT_EQ(answerBoxCount(*quiz), 0);
  quiz->mediaKind = kMediaPictures;
  EXPECT_FALSE(locateAnswerBox(*quiz, 4000, place));
  EXPECT_EQ(answerBoxCount(*quiz), 5);
}

}  // namespace
}  // namespace fenok::testing
