// The main window's layout rule and centring, away from any window.
#include "ui/main_layout.h"

#include <gtest/gtest.h>

namespace fenok {
namespace {

struct CentreCase {
  int desktopStart, desktopExtent, windowExtent, expected;
};

class CentredOriginTest : public ::testing::TestWithParam<CentreCase> {};

TEST_P(CentredOriginTest, HalvesTruncateTowardZero) {
  const CentreCase& c = GetParam();
  EXPECT_EQ(centredOrigin(c.desktopStart, c.desktopExtent, c.windowExtent), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Desktops, CentredOriginTest,
                         ::testing::Values(CentreCase{0, 1280, 930, 175}, CentreCase{0, 1024, 600, 212},
                                           CentreCase{0, 801, 930, -64}, CentreCase{0, 800, 930, -65},
                                           CentreCase{100, 930, 930, 100}, CentreCase{-1280, 1280, 930, -1105}));

// A client area of the first size and a widened one: the header overlaps the quiz
// panel's top by one pixel, both keep their margins, the label sits in the bottom-right corner.
TEST(MainLayout, PanelsKeepTheirMarginsAndTheLabelItsCorner) {
  const MainLayout first = mainLayout(922, 573);
  EXPECT_EQ(first.headerPanel, (Rect{5, 2, 911, 49}));
  EXPECT_EQ(first.quizPanel, (Rect{5, 50, 911, 505}));
  EXPECT_EQ(first.statusLabel, (Rect{777, 557, 150, 15}));
  const MainLayout wide = mainLayout(1200, 600);
  EXPECT_EQ(wide.headerPanel.right(), 1200 - 6);
  EXPECT_EQ(wide.quizPanel.bottom(), 600 - 18);
  EXPECT_EQ(wide.statusLabel.right(), 1200 + 5);  // 5 pixels past the edge, as the program always had it
}

}  // namespace
}  // namespace fenok
