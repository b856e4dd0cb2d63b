// The resizable window's layout (each edge following its share of the growth, controls taking the
// room of hidden ones) and where the window opens again.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "recent_files.h"
#include "studio_ids.h"
#include "studio_support.h"
#include "window_layout.h"

namespace fenok {
namespace {

using studio::LayoutRect;

// The studio's table over made-up places: every control a 10 x 10 square, the two answer boxes side
// by side, touching.
class StudioLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    int x = 0;
    for (const studio::Follow& follow : studio::studioFollows()) {
      designed[follow.id] = {x, x, x + 10, x + 10};
      x += 3;
    }
    designed[STUDIO_ANSWER] = {100, 50, 150, 60};
    designed[STUDIO_SECOND_ANSWER] = {150, 50, 200, 60};
  }
  std::map<int, LayoutRect> arrange(int width, int height, std::set<int> hidden = {}) const {
    const studio::WindowLayout layout(studio::studioFollows(), studio::studioFills(), kWidth, kHeight, designed);
    const auto places = layout.arrange(width, height, [&](int id) { return hidden.count(id) == 0; });
    return {places.begin(), places.end()};
  }

  static constexpr int kWidth = 600, kHeight = 400;
  std::map<int, LayoutRect> designed;
};

TEST_F(StudioLayoutTest, EachEdgeFollowsItsShareOfTheGrowth) {
  EXPECT_EQ(arrange(kWidth, kHeight), designed);
  EXPECT_EQ(arrange(kWidth - 50, kHeight - 50), designed);  // never smaller than designed

  // The settings keep their width, the lists and the picture grow, the problems' buttons keep to the
  // corner, boxes side by side stay touching.
  const int dx = 200, dy = 100;
  const auto grown = arrange(kWidth + dx, kHeight + dy);
  EXPECT_EQ(grown.at(STUDIO_REWARDS).width(), designed.at(STUDIO_REWARDS).width());
  EXPECT_GT(grown.at(STUDIO_QUESTIONS).height(), designed.at(STUDIO_QUESTIONS).height());
  EXPECT_GT(grown.at(STUDIO_QUESTIONS).width(), designed.at(STUDIO_QUESTIONS).width());
  EXPECT_GT(grown.at(STUDIO_PREVIEW).width(), designed.at(STUDIO_PREVIEW).width());
  EXPECT_GT(grown.at(STUDIO_PREVIEW).height(), designed.at(STUDIO_PREVIEW).height());
  EXPECT_EQ(grown.at(STUDIO_PROBLEMS).bottom, designed.at(STUDIO_PROBLEMS).bottom + dy);
  EXPECT_EQ(grown.at(STUDIO_CMD_CREATE_QUIZ).left, designed.at(STUDIO_CMD_CREATE_QUIZ).left + dx);
  EXPECT_EQ(grown.at(STUDIO_CMD_CREATE_QUIZ).top, designed.at(STUDIO_CMD_CREATE_QUIZ).top + dy);
  EXPECT_EQ(grown.at(STUDIO_QUESTIONS).right, grown.at(STUDIO_QUESTION_GROUP).left -
            (designed.at(STUDIO_QUESTION_GROUP).left - designed.at(STUDIO_QUESTIONS).right));
  EXPECT_EQ(grown.at(STUDIO_ANSWER).right, grown.at(STUDIO_SECOND_ANSWER).left);
}

TEST_F(StudioLayoutTest, AControlTakesTheRoomOfOneHidden) {
  const auto one = arrange(kWidth + 100, kHeight, {STUDIO_SECOND_ANSWER, STUDIO_SECOND_TRIAL_VERDICT, STUDIO_SOLUTION_PREVIEW});
  const auto two = arrange(kWidth + 100, kHeight);
  EXPECT_EQ(one.at(STUDIO_ANSWER).right, two.at(STUDIO_SECOND_ANSWER).right);
  EXPECT_EQ(one.at(STUDIO_ANSWER).left, two.at(STUDIO_ANSWER).left);
  EXPECT_EQ(one.at(STUDIO_TRIAL_VERDICT), two.at(STUDIO_SECOND_TRIAL_VERDICT));
  EXPECT_EQ(one.at(STUDIO_PREVIEW).right, two.at(STUDIO_SOLUTION_PREVIEW).right);
  EXPECT_EQ(one.at(STUDIO_ALSO), two.at(STUDIO_ALSO));  // its neighbour is shown
}

TEST(WindowPlace, OpensWhereItWasWhileThatIsOnAScreen) {
  const LayoutRect primary{0, 0, 1920, 1040}, left{-1280, 0, 0, 1024};
  struct Case {
    const char* name;
    LayoutRect kept, expected;
  };
  const Case cases[] = {
      {"on the primary screen", {100, 50, 1100, 750}, {100, 50, 1100, 750}},
      {"on the other screen", {-1200, 10, -300, 700}, {-1200, 10, -300, 700}},
      {"on a screen gone: centred on the primary", {3000, 100, 4000, 800}, {460, 170, 1460, 870}},
      {"title bar above the screen: centred", {100, -200, 1100, 500}, {460, 170, 1460, 870}},
      {"larger than the screen it is on", {-10, 0, 2500, 1500}, {0, 0, 1920, 1040}},
      {"hanging off the right edge: moved in", {1400, 100, 2400, 800}, {920, 100, 1920, 800}},
      {"smaller than the window can be", {10, 10, 100, 100}, {10, 10, 810, 610}},
  };
  for (const Case& c : cases) EXPECT_EQ(studio::placeOnScreens(c.kept, {primary, left}, 800, 600), c.expected) << c.name;
  EXPECT_EQ(studio::placeOnScreens({1, 2, 3, 4}, {}, 800, 600), (LayoutRect{1, 2, 3, 4}));
}

TEST(WindowPlace, KeptInTheSettingsFolder) {
  testing::QuizFolder folder;
  const std::string file = folder.path("settings/place.txt");
  studio::WindowPlace place;
  studio::saveWindowPlace(file, {{-5, 10, 900, 700}, true});
  ASSERT_TRUE(studio::loadWindowPlace(file, place));
  EXPECT_EQ(place.normal, (LayoutRect{-5, 10, 900, 700}));
  EXPECT_TRUE(place.maximised);
  folder.write("settings/place.txt", "12 x 3");  // damaged: no place
  EXPECT_FALSE(studio::loadWindowPlace(file, place));
}

}  // namespace
}  // namespace fenok
