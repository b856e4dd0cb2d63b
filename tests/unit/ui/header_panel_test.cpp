// The header panel: controls, order, geometry at creation and after resizing, fonts, colours, commands.
#include <gtest/gtest.h>

#include "judge/score.h"
#include "ui_fixture.h"

namespace fenok::testing {
namespace {

class Header : public ::testing::Test {
 protected:
  void build(int mediaKind, int questions) {
    f.makeQuiz(mediaKind, 1, std::vector<Question>(static_cast<std::size_t>(questions), Question{"A", "", "", ""}));
    copyField(f.quiz->title, kTextField, "Titre");
    copyField(f.quiz->author, kTextField, "Auteur");
    copyField(f.quiz->explanation, kTextField, "Explication");
    copyField(f.quiz->linkAddress, kLinkAddressField, "www.exemple.fr");
    f.build();
  }
  UiFixture f;
};

struct Expected {
  int id;
  const char* className;
  const char* text;
  std::uint32_t style;
  Rect rect;
};

TEST_F(Header, PictureQuizControlsInOrder) {
  build(kMediaPictures, 12);
  const Expected expected[] = {
      {24, "Static", "www.exemple.fr", 0x50000100, {736, 5, 115, 18}},
      {25, "Static", "Par :", 0x50000000, {736, 25, 27, 18}},
      {26, "Static", "Auteur", 0x50000000, {763, 25, 85, 18}},
      {33, "button", "Cacher", 0x50000003, {666, 5, 65, 18}},
      {27, "button", "Sauver", 0x50000000, {666, 25, 55, 18}},
      {28, "Static", "Explication", 0x50000000, {110, 19, 490, 27}},
      {29, "Static", "Titre", 0x50000000, {110, 3, 190, 18}},
      {31, "Static", " Code :", 0x50000000, {7, 29, 36, 15}},
      {32, "Static", " 0 / 12", 0x50000001, {10, 1, 80, 20}},
      {30, "edit", "", 0x50000800, {44, 29, 53, 16}},
      {120, "Static", "", 0x50800000, {0, 26, 100, 1}},
      {121, "Static", "", 0x50800000, {100, 0, 1, 50}},
      {122, "Static", "", 0x50800000, {730, 0, 1, 50}},
  };
  const auto& controls = f.header.controls();
  ASSERT_EQ(controls.size(), std::size(expected));
  for (std::size_t i = 0; i < controls.size(); ++i) {
    EXPECT_EQ(controls[i].id, expected[i].id) << i;
    EXPECT_EQ(controls[i].className, expected[i].className) << i;
    EXPECT_EQ(controls[i].style, expected[i].style) << i;
    EXPECT_EQ(controls[i].rect, expected[i].rect) << i;
  }
  // The restored answers were all empty: no verdict changed, so nothing was recounted.
  EXPECT_EQ(f.counter(), " 0 / 12");
  EXPECT_EQ(f.codeBox(), "");
}

TEST_F(Header, StartsWithTheFormattedCounter) {
  f.makeQuiz(kMediaText, 1, std::vector<Question>(12, Question{"A", "", "", ""}));
  buildHeaderPanel(f.platform, *f.quiz, f.headerState, f.header);
  EXPECT_EQ(f.header.text(32, 260), " 0 / 12");
  EXPECT_EQ(f.header.text(30, 260), "");
}

TEST_F(Header, OtherQuizKindsHaveNoHideBox) {
  for (int kind : {kMediaText, kMediaAudio, kMediaVideo}) {
    UiFixture g;
    g.makeQuiz(kind, 1, {Question{"A", "", "", ""}});
    buildHeaderPanel(g.platform, *g.quiz, g.headerState, g.header);
    EXPECT_FALSE(g.header.exists(33)) << kind;
    EXPECT_EQ(g.header.controls().size(), 12u);
    layoutHeaderPanel(*g.quiz, g.header);
    for (const std::string& call : g.header.calls()) EXPECT_EQ(call.find(" 33 "), std::string::npos) << call;
  }
}

TEST_F(Header, Fonts) {
  build(kMediaPictures, 3);
  const FontDescription link = f.graphics.fontOf(f.header.find(24)->font);
  EXPECT_EQ(link.height, -13);
  EXPECT_EQ(link.weight, 400);
  EXPECT_TRUE(link.underline);
  EXPECT_FALSE(link.italic);
  EXPECT_TRUE(link.face.empty());
  EXPECT_FALSE(f.header.find(24)->fontRedraw);
  EXPECT_TRUE(f.header.find(24)->linkCursor);
  EXPECT_EQ(f.header.find(29)->font, f.quiz->titleFont);
  EXPECT_FALSE(f.header.find(29)->fontRedraw);
  EXPECT_EQ(f.header.find(32)->font, f.quiz->counterFont);
  EXPECT_FALSE(f.header.find(32)->fontRedraw);
  for (int id : {25, 26, 33, 27, 28, 31, 30}) {
    EXPECT_EQ(f.header.find(id)->font, f.graphics.stockGuiFont()) << id;
    EXPECT_TRUE(f.header.find(id)->fontRedraw) << id;
  }
  for (int id : {120, 121, 122}) EXPECT_EQ(f.header.find(id)->font, nullptr) << id;
  EXPECT_FALSE(f.header.find(25)->linkCursor);
}

TEST_F(Header, ResizeAnchorsTheRightGroupAndStretchesTheTexts) {
  build(kMediaPictures, 3);
  for (int width : {914, 1200}) {
    f.header.resizeClient(width, 49);
    f.header.clearCalls();
    layoutHeaderPanel(*f.quiz, f.header);
    EXPECT_EQ(f.header.rect(29), (Rect{110, 3, width - 350, 18}));
    EXPECT_EQ(f.header.rect(24), (Rect{width - 134, 0, 115, 18}));
    EXPECT_EQ(f.header.rect(25), (Rect{width - 134, 25, 26, 18}));
    EXPECT_EQ(f.header.rect(26), (Rect{width - 107, 25, 105, 18}));
    EXPECT_EQ(f.header.rect(27), (Rect{width - 204, 25, 55, 18}));
    EXPECT_EQ(f.header.rect(28), (Rect{110, 19, width - 324, 28}));
    EXPECT_EQ(f.header.rect(122), (Rect{width - 145, 0, 1, 50}));
    EXPECT_EQ(f.header.rect(33), (Rect{width - 204, 0, 85, 18}));
    EXPECT_EQ(f.header.rect(32), (Rect{10, 1, 80, 20}));
    EXPECT_EQ(f.header.rect(30), (Rect{44, 29, 53, 16}));
    std::vector<std::string> order;
    for (const std::string& call : f.header.calls()) order.push_back(call.substr(0, call.find(' ', call.find(' ') + 1)));
    EXPECT_EQ(order, (std::vector<std::string>{"setRect 29", "setRect 24", "setRect 25", "setRect 26", "invalidate 26",
                                               "setRect 27", "invalidate 27", "setRect 28", "invalidate 28",
                                               "setRect 122", "invalidate 122", "setRect 33", "invalidate 33"}));
  }
}

TEST_F(Header, NarrowWindowGivesNoNegativeWidths) {
  build(kMediaPictures, 3);
  f.header.resizeClient(200, 49);
  layoutHeaderPanel(*f.quiz, f.header);
  EXPECT_EQ(f.header.rect(29).width, 0);
  EXPECT_EQ(f.header.rect(28).width, 0);
}

TEST_F(Header, Colours) {
  build(kMediaPictures, 3);
  EXPECT_EQ(f.graphics.colourOf(f.headerState.panelBrush), 0x00FF8080u);
  const HeaderColours link = headerLabelColours(f.headerState, 24);
  EXPECT_EQ(link.brush, f.headerState.panelBrush);
  EXPECT_TRUE(link.transparentText);
  EXPECT_TRUE(link.setTextColour);
  EXPECT_EQ(link.textColour, 0x00FF3232u);
  for (int id : {20, 25, 26, 28, 29, 30, 31, 32, 33}) {
    const HeaderColours label = headerLabelColours(f.headerState, id);
    EXPECT_EQ(label.brush, f.headerState.panelBrush) << id;
    EXPECT_TRUE(label.transparentText) << id;
    EXPECT_FALSE(label.setTextColour) << id;
  }
  for (int id : {19, 34, 120, 122}) EXPECT_EQ(headerLabelColours(f.headerState, id).brush, nullptr) << id;
}

TEST_F(Header, Commands) {
  build(kMediaPictures, 3);
  handleHeaderCommand(f.platform, *f.quiz, 24);
  EXPECT_EQ(f.shell.opened, (std::vector<std::string>{"www.exemple.fr"}));
  handleHeaderCommand(f.platform, *f.quiz, (1u << 16) | 24);  // a double click's notification
  EXPECT_EQ(f.shell.opened.size(), 1u);

  f.panel.setFocus(4002);
  f.panel.type(4002, "xyz");
  handleHeaderCommand(f.platform, *f.quiz, 27);
  EXPECT_EQ(f.files.textOf("fenok.txt"), "\r\nxyz\r\n\r\n");

  f.typeAndEnter(4001, "a");
  f.header.setCheck(33, 1);
  handleHeaderCommand(f.platform, *f.quiz, 33);
  EXPECT_FALSE(f.panel.isVisible(9901));
  handleHeaderCommand(f.platform, *f.quiz, 99);
}

TEST_F(Header, DestroyReleasesItsBrushAndLinkFont) {
  build(kMediaPictures, 3);
  const Handle brush = f.headerState.panelBrush;
  const Handle font = f.headerState.linkFont;
  destroyHeaderPanel(f.platform, f.headerState);
  EXPECT_FALSE(f.graphics.isLive(brush));
  EXPECT_FALSE(f.graphics.isLive(font));
  EXPECT_EQ(f.graphics.badDeletions(), 0);
}

}  // namespace
}  // namespace fenok::testing
