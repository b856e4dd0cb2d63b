// The in-memory controls follow the platform rules the screen logic counts on.
#include "platform/portable/memory_controls.h"

#include <gtest/gtest.h>

#include "platform/portable/fake_pictures.h"

namespace fenok {
namespace {

TEST(MemoryControls, SharedIdentifierActsOnTheFirstControl) {
  MemoryControls panel(100, 100);
  panel.create("Static", "1.", 0x50000002, Rect{26, 7, 19, 17}, 2000);
  panel.create("Static", "2.", 0x50000002, Rect{26, 32, 19, 17}, 2000);
  panel.setText(2000, "x");
  EXPECT_EQ(panel.controls()[0].text, "x");
  EXPECT_EQ(panel.controls()[1].text, "2.");
  EXPECT_EQ(panel.countWithId(2000), 2);
  EXPECT_TRUE(panel.isVisible(2000));
}

TEST(MemoryControls, TextIsCutToTheBufferLessOne) {
  MemoryControls panel;
  panel.create("Edit", "abcdef", 0x50810081, Rect{}, 4001);
  EXPECT_EQ(panel.text(4001, 4), "abc");
  EXPECT_EQ(panel.text(4001, 0), "");
  EXPECT_EQ(panel.text(4999, 260), "");
}

TEST(MemoryControls, TextLimitStopsTypingButNotSetText) {
  MemoryControls panel;
  panel.create("Edit", "", 0x50810081, Rect{}, 4001);
  panel.limitText(4001, 5);
  panel.type(4001, "abcdefgh");
  EXPECT_EQ(panel.text(4001, 260), "abcde");
  panel.type(4001, "z");
  EXPECT_EQ(panel.text(4001, 260), "abcde");
  panel.setText(4001, "0123456789");
  EXPECT_EQ(panel.text(4001, 260), "0123456789");
  panel.selectText(4001, 0, 260);
  panel.type(4001, "xy");
  EXPECT_EQ(panel.text(4001, 260), "xy");
}

struct ClampCase {
  int maximum;
  int page;
  int requested;
  int expected;
};

class ScrollClamping : public ::testing::TestWithParam<ClampCase> {};

TEST_P(ScrollClamping, PositionStaysWithinMaximumLessPagePlusOne) {
  const ClampCase c = GetParam();
  MemoryControls panel(400, 400);
  panel.setScrollRange(ScrollBar::vertical, c.maximum, c.page, true);
  panel.setScrollPosition(ScrollBar::vertical, c.requested, true);
  EXPECT_EQ(panel.scrollState(ScrollBar::vertical).position, c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, ScrollClamping,
                         ::testing::Values(ClampCase{998, 399, 5000, 600}, ClampCase{998, 399, 600, 600},
                                           ClampCase{998, 399, -7, 0}, ClampCase{998, 399, 250, 250},
                                           ClampCase{313, 314, 100, 0}, ClampCase{313, 313, 100, 1},
                                           ClampCase{-2, -1, 10, 0},
                                           ClampCase{100, 0, 100, 100}));

TEST(MemoryControls, ShrinkingRangeLowersThePosition) {
  MemoryControls panel(400, 400);
  panel.setScrollRange(ScrollBar::vertical, 998, 399, true);
  panel.setScrollPosition(ScrollBar::vertical, 600, true);
  panel.setScrollRange(ScrollBar::vertical, 798, 399, true);
  EXPECT_EQ(panel.scrollState(ScrollBar::vertical).position, 400);
}

TEST(MemoryControls, ScrollContentMovesEveryChild) {
  MemoryControls panel(400, 400);
  panel.create("Static", "", 0, Rect{10, 20, 5, 5}, 1);
  panel.create("Static", "", 0, Rect{30, 40, 5, 5}, 2);
  panel.scrollContent(-1, -50);
  EXPECT_EQ(panel.rect(1), (Rect{9, -30, 5, 5}));
  EXPECT_EQ(panel.rect(2), (Rect{29, -10, 5, 5}));
}

TEST(MemoryControls, FocusChangeReportsLoserThenWinner) {
  MemoryControls panel;
  panel.create("Edit", "", 0, Rect{}, 4001);
  panel.create("Edit", "", 0, Rect{}, 4002);
  panel.create("Static", "?", 0, Rect{}, 5001);
  panel.installAnswerBoxProcedure(4001);
  panel.installAnswerBoxProcedure(4002);
  std::vector<std::string> events;
  panel.onKillFocus([&](int id) { events.push_back("kill " + std::to_string(id) + " now " +
                                                   std::to_string(panel.focusedId())); });
  panel.onSetFocus([&](int id) { events.push_back("set " + std::to_string(id)); });
  panel.setFocus(4001);
  panel.setFocus(4002);
  panel.setFocus(4002);
  panel.setFocus(5001);
  EXPECT_EQ(panel.focusedId(), 5001);
  panel.setFocus(4001);
  EXPECT_EQ(events, (std::vector<std::string>{"set 4001", "kill 4001 now 4002", "set 4002", "kill 4002 now 5001",
                                              "set 4001"}));
}

TEST(MemoryControls, SentRequestsRunAtOncePostedOnesWait) {
  MemoryControls panel;
  std::vector<int> handled;
  panel.onScrollRequest([&](ScrollBar, int code) { handled.push_back(code); });
  panel.postScrollRequest(ScrollBar::vertical, 500);
  panel.sendScrollRequest(ScrollBar::vertical, 502);
  EXPECT_EQ(handled, (std::vector<int>{502}));
  EXPECT_EQ(panel.dispatchPosted(), 1);
  EXPECT_EQ(handled, (std::vector<int>{502, 500}));
}

TEST(FakePictures, SizedBitmapsFromTheTableAndRequestsRecorded) {
  FakePictures pictures;
  pictures.add(401, 260, 200);
  const Picture known = pictures.loadPicture(401, "IMG", 260, 260);
  const Picture unknown = pictures.loadPicture(402, "IMG", 260, 260);
  EXPECT_NE(known.bitmap, nullptr);
  EXPECT_EQ(known.height, 200);
  EXPECT_EQ(unknown.bitmap, nullptr);
  EXPECT_EQ(pictures.resourceOf(known.bitmap), 401);
  ASSERT_EQ(pictures.requests().size(), 2u);
  EXPECT_EQ(pictures.requests()[1].id, 402);
  EXPECT_EQ(pictures.requests()[1].type, "IMG");
}

}  // namespace
}  // namespace fenok
