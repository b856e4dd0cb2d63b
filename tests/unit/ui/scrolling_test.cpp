// Scroll ranges, and hiding solved questions of a picture quiz with rows closing up and opening again.
#include <gtest/gtest.h>

#include <map>

#include "ui/scrolling.h"
#include "ui_fixture.h"

namespace fenok::testing {
namespace {

std::vector<Question> lettered(int count) {
  std::vector<Question> list;
  for (int i = 0; i < count; ++i) {
    const std::string answer(1, static_cast<char>('A' + i));
    list.push_back(Question{answer, "Z" + answer, "", "Comment " + answer});
  }
  return list;
}

std::map<int, Rect> snapshot(const MemoryControls& panel) {
  std::map<int, Rect> rects;
  for (const MemoryControl& control : panel.controls()) rects[control.id] = control.rect;
  return rects;
}

void setHidden(UiFixture& f, bool checked) {
  f.header.setCheck(33, checked ? 1 : 0);
  handleHeaderCommand(f.platform, *f.quiz, 33);
}

// The worked example: 6 pictures, row heights 200 and 150, questions 1, 2, 3 and 5 solved.
class WorkedExample : public ::testing::Test {
 protected:
  void SetUp() override {
    f.makeQuiz(kMediaPictures, 1, lettered(6));
    addPicture(f.pictures, 401, 200);
    addPicture(f.pictures, 404, 150);
    f.build();
    for (int box : {4001, 4002, 4003, 4005}) {
      f.typeAndEnter(box, std::string(1, static_cast<char>('a' + box - 4001)));
    }
    before = snapshot(f.panel);
  }
  UiFixture f;
  std::map<int, Rect> before;
};

TEST_F(WorkedExample, LayoutBeforeHiding) {
  EXPECT_EQ(f.quiz->rowHeights[0], 200);
  EXPECT_EQ(f.quiz->rowHeights[1], 150);
  EXPECT_EQ(before[4001].y, 215);
  EXPECT_EQ(before[4004].y, 435);
  EXPECT_EQ(f.quiz->contentHeight, 495);
  EXPECT_EQ(f.counter(), " 4 / 6");
}

TEST_F(WorkedExample, HidingClosesTheFirstRowAndHidesQuestionFive) {
  setHidden(f, true);
  for (int j : {1, 2, 3, 5}) EXPECT_FALSE(f.panel.isVisible(9900 + j)) << j;
  for (int j : {4, 6}) EXPECT_TRUE(f.panel.isVisible(9900 + j)) << j;
  for (int j : {1, 2, 3}) {
    for (int id : {2000 + j, 4000 + j, 5000 + j}) EXPECT_EQ(f.panel.rect(id).y, before[id].y - 200) << id;
  }
  for (int id : {9904, 2004, 4004, 5004, 9906, 2006, 4006, 5006}) {
    EXPECT_EQ(f.panel.rect(id).y, before[id].y - 200) << id;
  }
  for (int id : {2005, 4005, 5005}) EXPECT_EQ(f.panel.rect(id).y, before[id].y - 350) << id;
  EXPECT_EQ(f.panel.rect(4001).y, 15);
  EXPECT_EQ(f.panel.rect(4005).y, 85);
  EXPECT_EQ(f.quiz->contentHeight, 295);
  const int expectedStates[] = {1, 1, 2, 0, 1, 0};
  for (int j = 1; j <= 6; ++j) EXPECT_EQ(f.quiz->questionStates[j], expectedStates[j - 1]) << j;
}

TEST_F(WorkedExample, HidingAgainMovesNothing) {
  setHidden(f, true);
  const auto hidden = snapshot(f.panel);
  const int height = f.quiz->contentHeight;
  handleHeaderCommand(f.platform, *f.quiz, 33);
  f.typeAndEnter(4006, "x");  // a judgement that solves nothing new
  EXPECT_EQ(snapshot(f.panel), hidden);
  EXPECT_EQ(f.quiz->contentHeight, height);
}

TEST_F(WorkedExample, UncheckingRestoresEverythingExactly) {
  setHidden(f, true);
  setHidden(f, false);
  EXPECT_EQ(snapshot(f.panel), before);
  EXPECT_EQ(f.quiz->contentHeight, 495);
  for (int j = 1; j <= 6; ++j) {
    EXPECT_EQ(f.quiz->questionStates[j], 0) << j;
    EXPECT_TRUE(f.panel.isVisible(9900 + j)) << j;
  }
}

TEST_F(WorkedExample, SolvingWhileCheckedHidesAtOnce) {
  setHidden(f, true);
  f.typeAndEnter(4004, "d");
  f.typeAndEnter(4006, "f");
  EXPECT_FALSE(f.panel.isVisible(9904));
  EXPECT_EQ(f.quiz->questionStates[6], 2);
  EXPECT_EQ(f.quiz->contentHeight, 145);
  setHidden(f, false);
  EXPECT_EQ(f.quiz->contentHeight, 495);
  EXPECT_EQ(f.panel.rect(4006), before[4006]);
}

TEST(Scrolling, ClosingUpWhileScrolledToTheBottomKeepsControlsInStep) {
  UiFixture f;
  f.panel.resizeClient(915, 300);
  f.makeQuiz(kMediaPictures, 1, lettered(6));
  addPicture(f.pictures, 401, 200);
  addPicture(f.pictures, 404, 150);
  f.build();
  const auto content = snapshot(f.panel);  // position 0: displayed places are content places
  handleScrollRequest(f.panelState, f.panel, ScrollBar::vertical, 7);
  EXPECT_EQ(f.panel.scrollState(ScrollBar::vertical).position, 195);
  for (int box : {4001, 4002, 4003}) f.typeAndEnter(box, std::string(1, static_cast<char>('a' + box - 4001)));
  setHidden(f, true);
  const int position = f.panel.scrollState(ScrollBar::vertical).position;
  EXPECT_EQ(position, 0);
  EXPECT_EQ(f.panel.rect(4004).y, content.at(4004).y - 200 - position);
  EXPECT_EQ(f.panel.rect(4001).y, content.at(4001).y - 200 - position);
}

TEST(Scrolling, CommentedRowGivesBackItsHeightPlus65AndCommentsMove) {
  UiFixture f;
  f.makeQuiz(kMediaPictures, 1, lettered(4), kCommentText);
  addPicture(f.pictures, 401, 100);
  addPicture(f.pictures, 404, 100);
  f.build();
  const auto before = snapshot(f.panel);
  const int height = f.quiz->contentHeight;
  for (int box : {4001, 4002, 4003}) f.typeAndEnter(box, std::string(1, static_cast<char>('a' + box - 4001)));
  setHidden(f, true);
  EXPECT_EQ(f.quiz->contentHeight, height - 165);
  EXPECT_EQ(f.panel.rect(4004).y, before.at(4004).y - 165);
  EXPECT_EQ(f.panel.rect(8004).y, before.at(8004).y - 165);
  EXPECT_EQ(f.panel.rect(9904).y, before.at(9904).y - 165);
  for (int id : {8001, 8002, 8003}) EXPECT_FALSE(f.panel.isVisible(id));
  setHidden(f, false);
  EXPECT_EQ(snapshot(f.panel), before);
  EXPECT_EQ(f.quiz->contentHeight, height);
  for (int id : {8001, 8002, 8003}) EXPECT_TRUE(f.panel.isVisible(id)) << id;
}

TEST(Scrolling, UnhidingDoesNotRevealACommentTheAnswerNoLongerEarns) {
  UiFixture f;
  f.makeQuiz(kMediaPictures, 1, lettered(2), kCommentText);
  f.build();
  f.typeAndEnter(4001, "a");
  f.panel.selectText(4001, 0, 260);
  f.typeAndEnter(4001, "q");  // solved stays 1, the comment goes
  setHidden(f, true);
  EXPECT_FALSE(f.panel.isVisible(9901));
  setHidden(f, false);
  EXPECT_TRUE(f.panel.isVisible(9901));
  EXPECT_FALSE(f.panel.isVisible(8001));
}

TEST(Scrolling, UnhidingDoesNotRevealAllAtEndCommentsEarly) {
  UiFixture f;
  f.makeQuiz(kMediaPictures, 1, lettered(2), kCommentAllAtEnd);
  f.build();
  f.typeAndEnter(4001, "a");
  setHidden(f, true);
  setHidden(f, false);
  EXPECT_FALSE(f.panel.isVisible(8001));
  f.typeAndEnter(4002, "b");
  setHidden(f, true);
  setHidden(f, false);
  EXPECT_TRUE(f.panel.isVisible(8001));
  EXPECT_TRUE(f.panel.isVisible(8002));
}

TEST(Scrolling, TwoBoxQuestionMovesBothBoxesAndLabels) {
  UiFixture f;
  f.makeQuiz(kMediaPictures, 2, lettered(1));
  addPicture(f.pictures, 401, 80);
  f.build();
  const auto before = snapshot(f.panel);
  f.typeAndEnter(4001, "a");
  f.typeAndEnter(4002, "za");
  setHidden(f, true);
  for (int id : {4001, 5001, 2001, 4002, 5002}) EXPECT_EQ(f.panel.rect(id).y, before.at(id).y - 80) << id;
}

TEST(Scrolling, IncompleteLastRowNeverClosesUp) {
  UiFixture f;
  f.makeQuiz(kMediaPictures, 1, lettered(2));
  addPicture(f.pictures, 401, 100);
  f.build();
  const int height = f.quiz->contentHeight;
  f.typeAndEnter(4001, "a");
  f.typeAndEnter(4002, "b");
  setHidden(f, true);
  EXPECT_FALSE(f.panel.isVisible(9901));
  EXPECT_FALSE(f.panel.isVisible(9902));
  EXPECT_EQ(f.quiz->contentHeight, height);
  EXPECT_EQ(f.quiz->questionStates[2], 1);
}

TEST(Scrolling, NoQuizPanelYetIsSkipped) {
  UiFixture f;
  f.makeQuiz(kMediaPictures, 1, lettered(1));
  f.quiz->quizPanel = nullptr;
  f.quiz->headerPanel = &f.header;
  updateHiddenQuestions(*f.quiz);
  EXPECT_TRUE(f.panel.calls().empty());
}

TEST(Scrolling, TextQuizHasNoHideBoxAndNeverHides) {
  UiFixture f;
  f.makeQuiz(kMediaText, 1, lettered(3));
  f.build();
  EXPECT_FALSE(f.header.exists(33));
  const auto before = snapshot(f.panel);
  f.typeAndEnter(4001, "a");
  EXPECT_EQ(snapshot(f.panel), before);
}

struct BarsCase {
  int contentWidth, contentHeight, clientWidth, clientHeight;
  int horizontalMax, horizontalPage, verticalMax, verticalPage, deepestVertical;
};

class ScrollBarSetup : public ::testing::TestWithParam<BarsCase> {};

TEST_P(ScrollBarSetup, RangesAndPagesFollowTheContent) {
  const BarsCase c = GetParam();
  UiFixture f;
  f.quiz->contentWidth = c.contentWidth;
  f.quiz->contentHeight = c.contentHeight;
  f.panel.resizeClient(c.clientWidth, c.clientHeight);
  f.panel.setScrollRange(ScrollBar::vertical, 5000, 10, false);
  f.panel.setScrollPosition(ScrollBar::vertical, 4000, false);
  setupScrollBars(*f.quiz, f.panel);
  const ScrollState h = f.panel.scrollState(ScrollBar::horizontal);
  const ScrollState v = f.panel.scrollState(ScrollBar::vertical);
  EXPECT_EQ(h.maximum, c.horizontalMax);
  EXPECT_EQ(h.page, c.horizontalPage);
  EXPECT_EQ(v.maximum, c.verticalMax);
  EXPECT_EQ(v.page, c.verticalPage);
  f.panel.setScrollPosition(ScrollBar::vertical, 100000, true);
  EXPECT_EQ(f.panel.scrollState(ScrollBar::vertical).position, c.deepestVertical);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScrollBarSetup,
                         ::testing::Values(BarsCase{910, 1000, 915, 400, 908, 909, 998, 399, 600},
                                           BarsCase{300, 200, 915, 482, 298, 299, 198, 199, 0},
                                           BarsCase{1200, 315, 915, 482, 1198, 914, 313, 314, 0}));

}  // namespace
}  // namespace fenok::testing
