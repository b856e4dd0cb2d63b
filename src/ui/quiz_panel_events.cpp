// Everything the player does in the quiz panel after its construction: scrolling, resizing, label
// colours, the answer-box keys and focus, F1 spreading, and the media buttons.
#include <algorithm>
#include <string>

#include "content/quiz.h"
#include "judge/answer_boxes.h"
#include "judge/judge_answer.h"
#include "judge/verdict.h"
#include "media/media_host.h"
#include "persist/saved_answers.h"
#include "platform/panel_ids.h"
#include "platform/ports/graphics.h"
#include "platform/ports/platform.h"
#include "ui/quiz_panel.h"
#include "ui/scrolling.h"

namespace fenok {

namespace {

constexpr int kTabScrollCode = 502;
constexpr int kWheelDownCode = 500;
constexpr int kWheelUpCode = 501;
constexpr int kPageUpCode = 2;
constexpr int kPageDownCode = 3;
constexpr int kTabViewMargin = 20;  // the box lands this far below the panel's top edge

// Judges a committed box; a changed verdict may have solved or unsolved a question that "Cacher" hides.
void judgeAndRehide(Platform& platform, Quiz& quiz, Controls& panel, int boxId) {
  if (judgeAnswer(platform, quiz, panel, boxId)) updateHiddenQuestions(quiz);
}

enum class Move { by, pageBack, pageOn, track, top, bottom, tabTarget, none };

struct ScrollRule {
  int code;
  Move move;
  int amount;
};

constexpr ScrollRule kVerticalRules[] = {
    {0, Move::by, -310},  {1, Move::by, 310},   {2, Move::pageBack, 0},       {3, Move::pageOn, 0},
    {5, Move::track, 0},  {6, Move::top, 0},    {7, Move::bottom, 0},         {kWheelDownCode, Move::by, 50},
    {kWheelUpCode, Move::by, -50}, {kTabScrollCode, Move::tabTarget, 0},
};

constexpr ScrollRule kHorizontalRules[] = {
    {0, Move::by, -1}, {1, Move::by, 1}, {2, Move::pageBack, 0}, {3, Move::pageOn, 0}, {5, Move::track, 0},
};

template <std::size_t N>
ScrollRule findRule(const ScrollRule (&rules)[N], int code) {
  for (const ScrollRule& rule : rules) {
    if (rule.code == code) return rule;
  }
  return ScrollRule{code, Move::none, 0};
}

int requestedPosition(const ScrollRule& rule, const ScrollState& bar, int tabTarget) {
  switch (rule.move) {
    case Move::by:
      return bar.position + rule.amount;
    case Move::pageBack:
      return bar.position - bar.page;
    case Move::pageOn:
      return bar.position + bar.page;
    case Move::track:
      return bar.trackPosition;
    case Move::top:
      return 0;
    case Move::bottom:
      return bar.maximum;
    case Move::tabTarget:
      return tabTarget;
    case Move::none:
      break;
  }
  return bar.position;
}

void bringBoxIntoView(QuizPanelState& state, Controls& panel, int boxId) {
  const Rect box = panel.rect(boxId);
  const Rect view = panel.clientRect();
  if (box.bottom() <= view.bottom() && box.y >= view.y) return;
  // Controls sit at their displayed places; adding the position gives the box's place in the content.
  state.tabScrollTarget = box.y + panel.scrollState(ScrollBar::vertical).position - kTabViewMargin;
  panel.sendScrollRequest(ScrollBar::vertical, kTabScrollCode);
}

// Virtual keys acted on when released in an answer box.
constexpr unsigned kKeyReturn = 0x0D;
constexpr unsigned kKeyTab = 0x09;
constexpr unsigned kKeyPageUp = 0x21;
constexpr unsigned kKeyPageDown = 0x22;
constexpr unsigned kKeyUp = 0x26;
constexpr unsigned kKeyDown = 0x28;
constexpr unsigned kKeyF1 = 0x70;
constexpr unsigned kKeyF2 = 0x71;

struct KeyContext {
  Platform& platform;
  Quiz& quiz;
  QuizPanelState& state;
  Controls& panel;
  int boxId;
};

KeyOutcome commitBox(KeyContext& c) {
  judgeAndRehide(c.platform, c.quiz, c.panel, c.boxId);
  return KeyOutcome{false, 1};
}
KeyOutcome followFocus(KeyContext& c) {
  bringBoxIntoView(c.state, c.panel, c.boxId);
  return KeyOutcome{};
}
KeyOutcome pagePanelUp(KeyContext& c) {
  c.panel.sendScrollRequest(ScrollBar::vertical, kPageUpCode);
  return KeyOutcome{};
}
KeyOutcome pagePanelDown(KeyContext& c) {
  c.panel.sendScrollRequest(ScrollBar::vertical, kPageDownCode);
  return KeyOutcome{};
}
KeyOutcome spreadFromBox(KeyContext& c) {
  spreadAnswer(c.panel, c.quiz, c.boxId);
  return KeyOutcome{};
}
KeyOutcome saveNow(KeyContext& c) {
  saveAnswers(c.platform.files, c.quiz);
  return KeyOutcome{};
}

struct KeyCommand {
  unsigned key;
  KeyOutcome (*action)(KeyContext&);
};

constexpr KeyCommand kKeyCommands[] = {
    {kKeyReturn, commitBox},      {kKeyTab, followFocus},     {kKeyPageUp, pagePanelUp}, {kKeyUp, pagePanelUp},
    {kKeyPageDown, pagePanelDown}, {kKeyDown, pagePanelDown}, {kKeyF1, spreadFromBox},  {kKeyF2, saveNow},
};

constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr int kDarkComponentLimit = 69;

bool inRange(int id, int first, int last) { return id >= first && id <= last; }

LabelColours backgroundLabel(const Quiz& quiz) {
  LabelColours colours;
  colours.brush = quiz.backBrush;
  colours.transparentText = true;
  colours.setTextColour = true;
  colours.textColour = labelsDrawnBlack(quiz.backRed, quiz.backGreen) ? kBlack : kWhite;
  return colours;
}

Handle verdictBrush(const Quiz& quiz, const QuizPanelState& state, const std::string& text) {
  switch (verdictTint(text)) {
    case VerdictTint::right: return state.successBrush;
    case VerdictTint::wrong: return quiz.redBrush;
    case VerdictTint::anagram: return quiz.orangeBrush;
    case VerdictTint::hint: return quiz.amberBrush;
    case VerdictTint::none: break;
  }
  return nullptr;
}

LabelColours verdictLabel(const Quiz& quiz, const QuizPanelState& state, const std::string& text) {
  LabelColours colours;
  if (text == kVerdictEmpty) return colours;
  colours.brush = verdictBrush(quiz, state, text);
  // The verdict is drawn on its own colour rather than on a white text cell.
  colours.transparentText = true;
  return colours;
}

}  // namespace

void closeQuizPanel(Platform& platform, QuizPanelState& state) {
  platform.graphics.deleteObject(state.successBrush);
  state.successBrush = nullptr;
  if (state.media) state.media->closePanel();
}

void resizeQuizPanel(Quiz& quiz, Controls& panel) { refreshScrollBars(quiz, panel); }

void handleScrollRequest(const QuizPanelState& state, Controls& panel, ScrollBar bar, int code) {
  const ScrollState before = panel.scrollState(bar);
  const ScrollRule rule =
      bar == ScrollBar::vertical ? findRule(kVerticalRules, code) : findRule(kHorizontalRules, code);
  int position = requestedPosition(rule, before, state.tabScrollTarget);
  if (position > before.maximum) position = before.maximum;
  if (position < before.minimum) position = before.minimum;
  panel.setScrollPosition(bar, position, true);
  const int after = panel.scrollState(bar).position;
  const int delta = before.position - after;
  if (bar == ScrollBar::vertical) {
    panel.scrollContent(0, delta);
  } else {
    panel.scrollContent(delta, 0);
  }
}

int wheelScrollCode(std::uint16_t delta) {
  if (delta == 120) return kWheelUpCode;
  if (delta == 0xFF88) return kWheelDownCode;
  return -1;
}

void handleQuizPanelCommand(const Quiz& quiz, QuizPanelState& state, std::uint32_t wParam) {
  const bool media = quiz.mediaKind == kMediaAudio || quiz.mediaKind == kMediaVideo;
  if (!media || !state.media || (wParam >> 16) != 0) return;  // clicks only
  const int id = static_cast<int>(wParam & 0xFFFF);
  if (inRange(id, playButtonId(1), playButtonId(kMaxQuestions))) {
    state.media->playClip(id - kPlayButtonBase);
  } else if (inRange(id, stopButtonId(1), stopButtonId(kMaxQuestions))) {
    state.media->stopClip();
  }
}

bool labelsDrawnBlack(std::uint8_t red, std::uint8_t green) {
  return red > kDarkComponentLimit || green > kDarkComponentLimit;
}

LabelColours quizLabelColours(const Quiz& quiz, const QuizPanelState& state, int id, const std::string& text) {
  const int boxes = answerBoxCount(quiz);
  if (inRange(id, kNumberLabelBase, kNumberLabelBase + 240 + boxes) || id == kCaptionLabelId ||
      inRange(id, kCommentLabelBase + 1, kCommentLabelBase + boxes)) {
    return backgroundLabel(quiz);
  }
  if (inRange(id, verdictLabelId(kFirstAnswerBoxId), verdictLabelId(kFirstAnswerBoxId) + boxes - 1)) return verdictLabel(quiz, state, text);
  if (id == kQuestionTextId) {
    LabelColours colours;
    colours.brush = quiz.paleYellowBrush;
    colours.transparentText = true;
    colours.setTextColour = true;
    colours.textColour = kBlack;
    return colours;
  }
  return LabelColours{};
}

void answerBoxSetFocus(Controls& panel, int boxId) { panel.selectText(boxId, 0, 260); }

void answerBoxKillFocus(Platform& platform, Quiz& quiz, Controls& panel, int boxId) {
  judgeAndRehide(platform, quiz, panel, boxId);
}

bool answerBoxSwallowsChar(unsigned character) { return character == 13 || character == 9 || character == 0; }

KeyOutcome answerBoxKeyReleased(Platform& platform, Quiz& quiz, QuizPanelState& state, Controls& panel, int boxId,
                                unsigned virtualKey) {
  KeyContext context{platform, quiz, state, panel, boxId};
  for (const KeyCommand& command : kKeyCommands) {
    if (command.key == virtualKey) return command.action(context);
  }
  return KeyOutcome{};
}

void spreadAnswer(Controls& panel, const Quiz& quiz, int boxId) {
  const std::string tried = panel.text(boxId, kBoxReadBuffer);
  const int boxes = answerBoxCount(quiz);
  for (int i = 0; i < boxes; ++i) {
    const int box = kFirstAnswerBoxId + i;
    if (panel.text(verdictLabelId(box), kVerdictReadBuffer) == kVerdictRight) continue;
    panel.setText(box, tried);
    panel.setFocus(box);  // the box left behind judges itself as it loses the focus
  }
  panel.setFocus(boxId);
}

}  // namespace fenok
