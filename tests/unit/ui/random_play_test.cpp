// Long random sessions over the logic: whatever the player does, the layout comes back exactly once
// everything is shown and scrolled home, positions stay in range, and the counter matches the labels.
#include <gtest/gtest.h>

#include <map>
#include <random>

#include "judge/score.h"
#include "ui/scrolling.h"
#include "ui_fixture.h"

namespace fenok::testing {
namespace {

std::map<int, Rect> snapshot(const MemoryControls& panel) {
  std::map<int, Rect> rects;
  for (const MemoryControl& control : panel.controls()) rects[control.id] = control.rect;
  return rects;
}

struct SessionCase {
  int perQuestion;
  int commentKind;
  unsigned seed;
};

class RandomPlay : public ::testing::TestWithParam<SessionCase> {};

TEST_P(RandomPlay, LayoutAndScoreStayConsistent) {
  const SessionCase c = GetParam();
  UiFixture f;
  f.panel.resizeClient(700, 300);
  std::vector<Question> questions;
  for (int i = 0; i < 10; ++i) questions.push_back(Question{std::string(1, char('A' + i)), "Z", "", "note"});
  f.makeQuiz(kMediaPictures, c.perQuestion, questions, c.commentKind);
  for (int id = 401; id <= 410; ++id) addPicture(f.pictures, id, 40 + (id * 37) % 200);
  f.build();
  const auto home = snapshot(f.panel);
  const int homeHeight = f.quiz->contentHeight;

  std::mt19937 random(c.seed);
  const int boxes = 10 * c.perQuestion;
  const char* const typed[] = {"", "a", "b", "c", "d", "e", "z", "zz", "j"};
  for (int step = 0; step < 3000; ++step) {
    const int box = 4001 + static_cast<int>(random() % static_cast<unsigned>(boxes));
    switch (random() % 8) {
      case 0:
      case 1:
        f.panel.setFocus(box);
        f.panel.type(box, typed[random() % std::size(typed)]);
        f.release(box, 0x0D);
        break;
      case 2:
        f.panel.setFocus(box);
        f.release(box, 0x09);
        break;
      case 3:
        f.release(box, random() % 2 ? 0x21 : 0x28);
        break;
      case 4:
        f.header.setCheck(33, static_cast<int>(random() % 2));
        handleHeaderCommand(f.platform, *f.quiz, 33);
        break;
      case 5:
        handleScrollRequest(f.panelState, f.panel, random() % 2 ? ScrollBar::vertical : ScrollBar::horizontal,
                            static_cast<int>(random() % 9));
        break;
      case 6:
        f.panel.postScrollRequest(ScrollBar::vertical, random() % 2 ? 500 : 501);
        f.panel.dispatchPosted();
        break;
      default:
        f.panel.resizeClient(300 + static_cast<int>(random() % 900), 100 + static_cast<int>(random() % 900));
        resizeQuizPanel(*f.quiz, f.panel);
        break;
    }
    for (ScrollBar bar : {ScrollBar::vertical, ScrollBar::horizontal}) {
      const ScrollState state = f.panel.scrollState(bar);
      ASSERT_GE(state.position, 0);
      ASSERT_LE(state.position, std::max(0, state.maximum - std::max(state.page - 1, 0)));
    }
  }
  EXPECT_EQ(f.counter(), scoreLine(countSolvedQuestions(*f.quiz, f.panel), 10));

  f.header.setCheck(33, 0);
  handleHeaderCommand(f.platform, *f.quiz, 33);
  f.panel.resizeClient(700, 300);
  resizeQuizPanel(*f.quiz, f.panel);
  handleScrollRequest(f.panelState, f.panel, ScrollBar::vertical, 6);
  f.panel.setTrackPosition(ScrollBar::horizontal, 0);
  handleScrollRequest(f.panelState, f.panel, ScrollBar::horizontal, 5);
  EXPECT_EQ(f.quiz->contentHeight, homeHeight);
  EXPECT_EQ(snapshot(f.panel), home);
  for (int j = 1; j <= 10; ++j) EXPECT_TRUE(f.panel.isVisible(9900 + j)) << j;
}

INSTANTIATE_TEST_SUITE_P(Sessions, RandomPlay,
                         ::testing::Values(SessionCase{1, 0, 1}, SessionCase{1, 2, 2}, SessionCase{2, 0, 3},
                                           SessionCase{2, 3, 4}, SessionCase{1, 4, 5}));

}  // namespace
}  // namespace fenok::testing
