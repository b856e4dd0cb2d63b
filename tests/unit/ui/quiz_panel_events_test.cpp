// The quiz panel's events: scroll codes with clamping, wheel, resize, keys in a box, F1, F2, colours.
#include <gtest/gtest.h>

#include <algorithm>

#include "ui/scrolling.h"
#include "ui_fixture.h"

namespace fenok::testing {
namespace {

std::vector<Question> lettered(int count) {
  std::vector<Question> list;
  for (int i = 0; i < count; ++i) list.push_back(Question{std::string(1, static_cast<char>('A' + i)), "", "", ""});
  return list;
}

// Content 1000 x 1000 in a 400 x 400 panel: positions 0 .. 600 both ways; page 399.
class ScrollFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    f.panel.resizeClient(400, 400);
    f.panel.create("Static", "", 0, Rect{10, 20, 5, 5}, 1);
    f.quiz->contentWidth = 1000;
    f.quiz->contentHeight = 1000;
    setupScrollBars(*f.quiz, f.panel);
  }
  // The bar at a position, with the control displayed where that position puts it.
  void startAt(ScrollBar bar, int position) {
    f.panel.setScrollPosition(bar, position, false);
    const int x = bar == ScrollBar::horizontal ? 10 - position : 10;
    const int y = bar == ScrollBar::vertical ? 20 - position : 20;
    f.panel.move(1, x, y);
  }
  UiFixture f;
};

struct CodeCase {
  ScrollBar bar;
  int start;
  int code;
  int track;
  int tabTarget;
  int expected;
};

class ScrollCodes : public ScrollFixture, public ::testing::WithParamInterface<CodeCase> {};

TEST_P(ScrollCodes, NewPositionClampedAndContentMovedByTheDifference) {
  const CodeCase c = GetParam();
  startAt(c.bar, c.start);
  f.panel.setTrackPosition(c.bar, c.track);
  f.panelState.tabScrollTarget = c.tabTarget;
  handleScrollRequest(f.panelState, f.panel, c.bar, c.code);
  EXPECT_EQ(f.panel.scrollState(c.bar).position, c.expected);
  const Rect moved = f.panel.rect(1);
  if (c.bar == ScrollBar::vertical) {
    EXPECT_EQ(moved.y, 20 - c.expected);
    EXPECT_EQ(moved.x, 10);
  } else {
    EXPECT_EQ(moved.x, 10 - c.expected);
    EXPECT_EQ(moved.y, 20);
  }
}

constexpr ScrollBar V = ScrollBar::vertical;
constexpr ScrollBar H = ScrollBar::horizontal;

INSTANTIATE_TEST_SUITE_P(
    Vertical, ScrollCodes,
    ::testing::Values(CodeCase{V, 400, 0, 0, 0, 90}, CodeCase{V, 200, 0, 0, 0, 0}, CodeCase{V, 100, 1, 0, 0, 410},
                      CodeCase{V, 400, 1, 0, 0, 600}, CodeCase{V, 500, 2, 0, 0, 101}, CodeCase{V, 100, 2, 0, 0, 0},
                      CodeCase{V, 100, 3, 0, 0, 499}, CodeCase{V, 300, 3, 0, 0, 600}, CodeCase{V, 0, 5, 333, 0, 333},
                      CodeCase{V, 0, 5, 900, 0, 600}, CodeCase{V, 300, 6, 0, 0, 0}, CodeCase{V, 0, 7, 0, 0, 600},
                      CodeCase{V, 100, 500, 0, 0, 150}, CodeCase{V, 590, 500, 0, 0, 600},
                      CodeCase{V, 100, 501, 0, 0, 50}, CodeCase{V, 30, 501, 0, 0, 0}, CodeCase{V, 0, 502, 0, 250, 250},
                      CodeCase{V, 100, 502, 0, -20, 0}, CodeCase{V, 100, 502, 0, 5000, 600},
                      CodeCase{V, 100, 4, 300, 0, 100}, CodeCase{V, 100, 8, 0, 0, 100}));

INSTANTIATE_TEST_SUITE_P(Horizontal, ScrollCodes,
                         ::testing::Values(CodeCase{H, 100, 0, 0, 0, 99}, CodeCase{H, 0, 0, 0, 0, 0},
                                           CodeCase{H, 100, 1, 0, 0, 101}, CodeCase{H, 600, 1, 0, 0, 600},
                                           CodeCase{H, 500, 2, 0, 0, 101}, CodeCase{H, 300, 3, 0, 0, 600},
                                           CodeCase{H, 0, 5, 42, 0, 42}, CodeCase{H, 300, 6, 0, 0, 300},
                                           CodeCase{H, 300, 7, 0, 0, 300}, CodeCase{H, 300, 500, 0, 0, 300}));

TEST(WheelCodes, OnlyWholeNotches) {
  EXPECT_EQ(wheelScrollCode(120), 501);
  EXPECT_EQ(wheelScrollCode(0xFF88), 500);
  EXPECT_EQ(wheelScrollCode(60), -1);
  EXPECT_EQ(wheelScrollCode(240), -1);
  EXPECT_EQ(wheelScrollCode(0), -1);
}

TEST_F(ScrollFixture, PostedWheelNotchesScrollFiftyWhenDispatched) {
  f.panel.postScrollRequest(ScrollBar::vertical, wheelScrollCode(0xFF88));
  EXPECT_EQ(f.panel.rect(1).y, 20);
  f.panel.dispatchPosted();
  EXPECT_EQ(f.panel.rect(1).y, -30);
}

TEST_F(ScrollFixture, ResizeKeepsControlsInStepWithTheBars) {
  handleScrollRequest(f.panelState, f.panel, ScrollBar::vertical, 7);
  EXPECT_EQ(f.panel.rect(1).y, 20 - 600);
  f.panel.resizeClient(400, 700);
  resizeQuizPanel(*f.quiz, f.panel);
  EXPECT_EQ(f.panel.scrollState(ScrollBar::vertical).position, 300);
  EXPECT_EQ(f.panel.rect(1).y, 20 - 300);
  f.panel.resizeClient(1200, 1200);
  resizeQuizPanel(*f.quiz, f.panel);
  EXPECT_EQ(f.panel.rect(1).y, 20);
}

class BoxKeys : public ::testing::Test {
 protected:
  void SetUp() override {
    f.panel.resizeClient(915, 200);
    f.makeQuiz(kMediaPictures, 1, lettered(6));
    addPicture(f.pictures, 401, 150);
    addPicture(f.pictures, 404, 150);
    f.build();
  }
  UiFixture f;
};

TEST_F(BoxKeys, EnterJudgesOnceAndEndsWithOne) {
  f.panel.setFocus(4001);
  f.panel.type(4001, "a");
  f.panel.clearCalls();
  const KeyOutcome outcome = f.release(4001, 0x0D);
  EXPECT_FALSE(outcome.passOn);
  EXPECT_EQ(outcome.result, 1);
  EXPECT_EQ(f.verdict(4001), "BRAVO");
  EXPECT_EQ(f.panel.focusedId(), 4001);
  const auto& calls = f.panel.calls();
  EXPECT_EQ(std::count(calls.begin(), calls.end(), "setText 5001 BRAVO"), 1);
}

TEST_F(BoxKeys, EnterTabAndNulCharactersAreSwallowed) {
  for (unsigned c : {13u, 9u, 0u}) EXPECT_TRUE(answerBoxSwallowsChar(c)) << c;
  for (unsigned c : {10u, 32u, 65u, 0xE9u}) EXPECT_FALSE(answerBoxSwallowsChar(c)) << c;
}

TEST_F(BoxKeys, FocusSelectsTheWholeAnswer) {
  f.panel.setText(4002, "abc");
  f.panel.setFocus(4002);
  EXPECT_EQ(f.panel.find(4002)->selectionFrom, 0);
  EXPECT_EQ(f.panel.find(4002)->selectionTo, 3);
}

TEST_F(BoxKeys, TabJudgesTheBoxLeftAndScrollsABoxBelowTheViewToIt) {
  f.panel.setFocus(4003);
  f.panel.type(4003, "c");
  f.panel.setFocus(4004);  // the dialog's Tab handling moves the focus first
  EXPECT_EQ(f.verdict(4003), "BRAVO");
  const int contentTop = f.panel.rect(4004).y;  // scrolled to the top: displayed = content
  ASSERT_GT(f.panel.rect(4004).bottom(), 200);
  const KeyOutcome outcome = f.release(4004, 0x09);
  EXPECT_TRUE(outcome.passOn);
  EXPECT_EQ(f.panelState.tabScrollTarget, contentTop - 20);
  // The last row cannot come up to the margin: the handler clamps to the deepest position, 245.
  EXPECT_EQ(f.panel.scrollState(ScrollBar::vertical).position, 245);
  EXPECT_EQ(f.panel.rect(4004).y, contentTop - 245);
  EXPECT_LE(f.panel.rect(4004).bottom(), 200);
  // Shift+Tab back to a box above the view brings it in too.
  f.panel.setFocus(4001);
  f.release(4001, 0x09);
  const Rect back = f.panel.rect(4001);
  EXPECT_GE(back.y, 0);
  EXPECT_LE(back.bottom(), 200);
}

TEST_F(BoxKeys, TabToABoxInViewDoesNotScroll) {
  f.panel.setFocus(4002);
  f.panel.clearCalls();
  f.release(4002, 0x09);
  for (const std::string& call : f.panel.calls()) EXPECT_EQ(call.find("sendScrollRequest"), std::string::npos);
}

TEST_F(BoxKeys, PageAndArrowKeysPageThePanel) {
  const int page = f.panel.scrollState(ScrollBar::vertical).page;
  f.panel.setFocus(4001);
  EXPECT_TRUE(f.release(4001, 0x22).passOn);  // Page Down
  EXPECT_EQ(f.panel.scrollState(ScrollBar::vertical).position, page);
  f.release(4001, 0x28);  // Down: clamped to the deepest position
  EXPECT_EQ(f.panel.scrollState(ScrollBar::vertical).position, 245);
  f.release(4001, 0x26);  // Up
  EXPECT_EQ(f.panel.scrollState(ScrollBar::vertical).position, 245 - page);
  f.release(4001, 0x21);  // Page Up
  EXPECT_EQ(f.panel.scrollState(ScrollBar::vertical).position, 0);
}

TEST_F(BoxKeys, OtherKeysDoNothing) {
  f.panel.clearCalls();
  const KeyOutcome outcome = f.release(4001, 0x41);
  EXPECT_TRUE(outcome.passOn);
  EXPECT_TRUE(f.panel.calls().empty());
}

TEST_F(BoxKeys, F1SpreadsOverUnsolvedBoxesAndJudgesThem) {
  f.typeAndEnter(4002, "b");
  f.panel.setFocus(4005);
  f.panel.type(4005, "e");
  EXPECT_TRUE(f.release(4005, 0x70).passOn);
  for (int box : {4001, 4003, 4004, 4005, 4006}) EXPECT_EQ(f.panel.text(box, 260), "e") << box;
  EXPECT_EQ(f.panel.text(4002, 260), "b");
  EXPECT_EQ(f.verdict(4005), "BRAVO");
  EXPECT_EQ(f.verdict(4006), "FAUX");  // the last visited box judged as the focus comes back
  EXPECT_EQ(f.panel.focusedId(), 4005);
  EXPECT_EQ(f.counter(), " 2 / 6");
}

TEST_F(BoxKeys, F1WithAnEmptyBoxClearsEveryUnsolvedBox) {
  f.typeAndEnter(4001, "a");
  for (int box = 4002; box <= 4006; ++box) {
    f.panel.setFocus(box);
    f.panel.type(box, "zz");
  }
  f.panel.setFocus(4003);
  f.panel.setText(4003, "");
  f.release(4003, 0x70);
  for (int box = 4002; box <= 4006; ++box) {
    EXPECT_EQ(f.panel.text(box, 260), "") << box;
    EXPECT_EQ(f.verdict(box), "?") << box;
  }
  EXPECT_EQ(f.verdict(4001), "BRAVO");
}

TEST_F(BoxKeys, F2SavesEveryBox) {
  f.panel.setFocus(4001);
  f.panel.type(4001, "premier");
  f.panel.setFocus(4006);
  f.panel.type(4006, "dernier");
  EXPECT_TRUE(f.release(4006, 0x71).passOn);
  EXPECT_EQ(f.files.textOf("fenok.txt"), "premier\r\n\r\n\r\n\r\n\r\ndernier\r\n");
}

struct ColourCase {
  int id;
  const char* text;
  Handle Quiz::*brush;  // null member: the success brush or none
  bool success;
};

TEST(LabelColours, VerdictLabelsByText) {
  UiFixture f;
  f.makeQuiz(kMediaPictures, 1, lettered(3));
  f.build();
  const ColourCase cases[] = {
      {5001, "BRAVO", nullptr, true},          {5002, "FAUX", &Quiz::redBrush, false},
      {5003, "Anagramme", &Quiz::orangeBrush, false}, {5001, "Presque", &Quiz::amberBrush, false},
      {5002, "Trop court", &Quiz::amberBrush, false}, {5003, "bravo", &Quiz::amberBrush, false},
  };
  for (const ColourCase& c : cases) {
    const LabelColours colours = quizLabelColours(*f.quiz, f.panelState, c.id, c.text);
    const Handle expected = c.success ? f.panelState.successBrush : f.quiz.get()->*c.brush;
    EXPECT_EQ(colours.brush, expected) << c.text;
    EXPECT_NE(colours.brush, nullptr) << c.text;
    EXPECT_FALSE(colours.setTextColour) << c.text;
  }
  const LabelColours fresh = quizLabelColours(*f.quiz, f.panelState, 5001, "?");
  EXPECT_EQ(fresh.brush, nullptr);
  EXPECT_FALSE(fresh.transparentText);
  EXPECT_EQ(f.graphics.colourOf(f.panelState.successBrush), 0x00FF00u);
  EXPECT_EQ(quizLabelColours(*f.quiz, f.panelState, 5004, "BRAVO").brush, nullptr);  // no such box
}

struct BackgroundCase {
  std::uint8_t red, green, blue;
  std::uint32_t text;
};

class BackgroundLabels : public ::testing::TestWithParam<BackgroundCase> {};

TEST_P(BackgroundLabels, NumberCaptionAndCommentLabelsFollowTheBackground) {
  const BackgroundCase c = GetParam();
  UiFixture f;
  f.makeQuiz(kMediaPictures, 2, lettered(3));
  f.quiz->backRed = c.red;
  f.quiz->backGreen = c.green;
  f.quiz->backBlue = c.blue;
  for (int id : {2000, 2001, 2246, 156, 8001, 8006}) {
    const LabelColours colours = quizLabelColours(*f.quiz, f.panelState, id, "x");
    EXPECT_EQ(colours.brush, f.quiz->backBrush) << id;
    EXPECT_TRUE(colours.transparentText);
    EXPECT_TRUE(colours.setTextColour);
    EXPECT_EQ(colours.textColour, c.text) << id;
  }
  for (int id : {2247, 8007, 1999, 9901}) EXPECT_EQ(quizLabelColours(*f.quiz, f.panelState, id, "x").brush, nullptr);
}

INSTANTIATE_TEST_SUITE_P(Cases, BackgroundLabels,
                         ::testing::Values(BackgroundCase{90, 95, 150, 0x000000}, BackgroundCase{70, 0, 0, 0x000000},
                                           BackgroundCase{0, 70, 0, 0x000000}, BackgroundCase{69, 69, 255, 0xFFFFFF},
                                           BackgroundCase{0, 0, 0, 0xFFFFFF}, BackgroundCase{255, 0, 0, 0x000000}));

TEST(LabelColours, QuestionTextLabelsArePaleYellow) {
  UiFixture f;
  f.makeQuiz(kMediaText, 1, lettered(1));
  const LabelColours colours = quizLabelColours(*f.quiz, f.panelState, 3000, "Q");
  EXPECT_EQ(colours.brush, f.quiz->paleYellowBrush);
  EXPECT_TRUE(colours.setTextColour);
  EXPECT_EQ(colours.textColour, 0u);
}

TEST(QuizPanelClose, SuccessBrushDeleted) {
  UiFixture f;
  f.makeQuiz(kMediaPictures, 1, lettered(1));
  f.build();
  const Handle brush = f.panelState.successBrush;
  ASSERT_TRUE(f.graphics.isLive(brush));
  closeQuizPanel(f.platform, f.panelState);
  EXPECT_FALSE(f.graphics.isLive(brush));
  EXPECT_EQ(f.panelState.successBrush, nullptr);
}

}  // namespace
}  // namespace fenok::testing
