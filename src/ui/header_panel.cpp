// The header panel: its controls and their geometry, fonts, colours and three commands.
#include "ui/header_panel.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "content/field_text.h"
#include "content/quiz.h"
#include "judge/score.h"
#include "persist/saved_answers.h"
#include "platform/panel_ids.h"
#include "platform/ports/graphics.h"
#include "platform/ports/platform.h"
#include "platform/ports/shell.h"
#include "ui/scrolling.h"

namespace fenok {

namespace {

constexpr std::uint32_t kPanelColour = 0x00FF8080;
constexpr std::uint32_t kLinkColour = 0x00FF3232;
constexpr std::uint32_t kLabelStyle = 0x50000000;
constexpr std::uint32_t kSeparatorStyle = 0x50800000;

enum class Font { none, stock, link, title, counter };

struct HeaderControl {
  int id;
  const char* className;
  std::uint32_t style;
  Rect rect;
  Font font;
};

// Creation order, with the rectangles that fit the main window's first size.
const HeaderControl kHeaderControls[] = {
    {kLinkId, "Static", 0x50000100, {736, 5, 115, 18}, Font::link},
    {kByLabelId, "Static", kLabelStyle, {736, 25, 27, 18}, Font::stock},
    {kAuthorId, "Static", kLabelStyle, {763, 25, 85, 18}, Font::stock},
    {kHideBoxId, "button", 0x50000003, {666, 5, 65, 18}, Font::stock},
    {kSaveButtonId, "button", 0x50000000, {666, 25, 55, 18}, Font::stock},
    {kExplanationId, "Static", kLabelStyle, {110, 19, 490, 27}, Font::stock},
    {kTitleId, "Static", kLabelStyle, {110, 3, 190, 18}, Font::title},
    {kCodeCaptionId, "Static", kLabelStyle, {7, 29, 36, 15}, Font::stock},
    {kScoreCounterId, "Static", 0x50000001, {10, 1, 80, 20}, Font::counter},
    {kCodeBoxId, "edit", 0x50000800, {44, 29, kCodeBoxWidth, 16}, Font::stock},
    {kScoreSeparatorId, "Static", kSeparatorStyle, {0, 26, 100, 1}, Font::none},
    {kLeftSeparatorId, "Static", kSeparatorStyle, {100, 0, 1, 50}, Font::none},
    {kRightSeparatorId, "Static", kSeparatorStyle, {730, 0, 1, 50}, Font::none},
};

std::string initialText(const Quiz& quiz, int id) {
  switch (id) {
    case kLinkId:
      return fieldText(quiz.linkAddress);
    case kByLabelId:
      return "Par :";
    case kAuthorId:
      return fieldText(quiz.author);
    case kHideBoxId:
      return "Cacher";
    case kSaveButtonId:
      return "Sauver";
    case kExplanationId:
      return fieldText(quiz.explanation);
    case kTitleId:
      return fieldText(quiz.title);
    case kCodeCaptionId:
      return " Code :";
    case kScoreCounterId:
      return scoreLine(0, quiz.questionCount);
    default:
      return std::string();
  }
}

Handle createLinkFont(Graphics& graphics, const Controls& header) {
  FontDescription link;
  link.height = -(3 * header.rect(kLinkId).height / 4);
  link.weight = 400;
  link.underline = true;
  return graphics.createFont(link);
}

void applyFont(Platform& platform, const Quiz& quiz, HeaderPanelState& state, Controls& header,
               const HeaderControl& control) {
  switch (control.font) {
    case Font::none:
      break;
    case Font::stock:
      header.setFont(control.id, platform.graphics.stockGuiFont(), true);
      break;
    case Font::link:
      state.linkFont = createLinkFont(platform.graphics, header);
      header.setFont(control.id, state.linkFont, false);
      header.useLinkCursor(control.id);
      break;
    case Font::title:
      header.setFont(control.id, quiz.titleFont, false);
      break;
    case Font::counter:
      header.setFont(control.id, quiz.counterFont, false);
      break;
  }
}

struct Placement {
  int id;
  int x;  // from the left edge, or from the right edge when fromRight
  bool fromRight;
  int y;
  int width;  // added to W when widthFromRight
  bool widthFromRight;
  int height;
  bool invalidate;
};

// Every resize, in this order: the right-hand group follows the right edge, title and explanation stretch.
const Placement kResizePlacements[] = {
    {kTitleId, 110, false, 3, -350, true, 18, false},
    {kLinkId, -134, true, 0, 115, false, 18, false},
    {kByLabelId, -134, true, 25, 26, false, 18, false},
    {kAuthorId, -107, true, 25, 105, false, 18, true},
    {kSaveButtonId, -204, true, 25, 55, false, 18, true},
    {kExplanationId, 110, false, 19, -324, true, 28, true},
    {kRightSeparatorId, -145, true, 0, 1, false, 50, true},
    {kHideBoxId, -204, true, 0, 85, false, 18, true},
};

}  // namespace

void buildHeaderPanel(Platform& platform, const Quiz& quiz, HeaderPanelState& state, Controls& header) {
  for (const HeaderControl& control : kHeaderControls) {
    if (control.id == kHideBoxId && quiz.mediaKind != kMediaPictures) continue;
    header.create(control.className, initialText(quiz, control.id), control.style, control.rect, control.id);
    applyFont(platform, quiz, state, header, control);
  }
  state.panelBrush = platform.graphics.createSolidBrush(kPanelColour);
}

void layoutHeaderPanel(const Quiz& quiz, Controls& header) {
  const int width = header.clientRect().width;
  for (const Placement& place : kResizePlacements) {
    if (place.id == kHideBoxId && quiz.mediaKind != kMediaPictures) continue;
    const int x = place.fromRight ? width + place.x : place.x;
    // A window narrower than the fixed parts gives the stretched labels no width rather than a negative one.
    const int w = std::max(0, place.widthFromRight ? width + place.width : place.width);
    header.setRect(place.id, Rect{x, place.y, w, place.height});
    if (place.invalidate) header.invalidate(place.id);
  }
}

void handleHeaderCommand(Platform& platform, Quiz& quiz, std::uint32_t wParam) {
  switch (wParam) {
    case kLinkId:
      platform.shell.openLink(fieldText(quiz.linkAddress));
      break;
    case kSaveButtonId:
      saveAnswers(platform.files, quiz);
      break;
    case kHideBoxId:
      updateHiddenQuestions(quiz);
      break;
    default:
      break;  // other controls, and notifications other than a click
  }
}

void destroyHeaderPanel(Platform& platform, HeaderPanelState& state) {
  platform.graphics.deleteObject(state.panelBrush);
  platform.graphics.deleteObject(state.linkFont);
  state.panelBrush = nullptr;
  state.linkFont = nullptr;
}

HeaderColours headerLabelColours(const HeaderPanelState& state, int id) {
  HeaderColours colours;
  if (id < kFirstColouredHeaderId || id > kLastColouredHeaderId) return colours;
  colours.brush = state.panelBrush;
  colours.transparentText = true;
  if (id == kLinkId) {
    colours.setTextColour = true;
    colours.textColour = kLinkColour;
  }
  return colours;
}

}  // namespace fenok
