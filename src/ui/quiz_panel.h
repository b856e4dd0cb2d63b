#pragma once
// The quiz panel: its construction pass (WM_INITDIALOG) and its events, as logic over the controls port.
// The Win32 dialog procedure only translates messages into these calls.
#include <cstdint>

#include "platform/ports/controls.h"
#include "platform/ports/handle.h"
#include "ui/label_colours.h"

namespace fenok {

class MediaHost;
struct Platform;
struct Quiz;

// Panel-wide values that live from construction to destruction.
struct QuizPanelState {
  Handle successBrush = nullptr;  // 0x00FF00 behind "BRAVO"
  Handle playIcon = nullptr;
  Handle stopIcon = nullptr;
  int tabScrollTarget = 0;        // written before a scroll request 502
  MediaHost* media = nullptr;     // audio and video quizzes only
};

// WM_INITDIALOG: builds every control of every question, restores and judges the saved answers.
void buildQuizPanel(Platform& platform, Quiz& quiz, QuizPanelState& state, Controls& panel);

// WM_DESTROY / WM_CLOSE: success brush deleted, the last clip file removed.
void closeQuizPanel(Platform& platform, QuizPanelState& state);

// WM_SIZE: scroll ranges recomputed, content scrolled by the change of positions.
void resizeQuizPanel(Quiz& quiz, Controls& panel);

// WM_VSCROLL / WM_HSCROLL with a request code (low word) and the bar.
void handleScrollRequest(const QuizPanelState& state, Controls& panel, ScrollBar bar, int code);

// The scroll request code of a wheel delta (high word of wParam): 501 for +120, 500 for -120, else -1.
int wheelScrollCode(std::uint16_t delta);

// WM_COMMAND (whole wParam) in a media quiz: play and stop buttons.
void handleQuizPanelCommand(const Quiz& quiz, QuizPanelState& state, std::uint32_t wParam);

// WM_CTLCOLORSTATIC: how the control with this identifier and current text is painted.
// Number, caption and comment labels are drawn black on a background whose red or green is above 69,
// white otherwise (blue does not count).
bool labelsDrawnBlack(std::uint8_t red, std::uint8_t green);
LabelColours quizLabelColours(const Quiz& quiz, const QuizPanelState& state, int id, const std::string& text);

// The answer-box procedure. Each returns whether the message goes on to the edit control's own procedure.
void answerBoxSetFocus(Controls& panel, int boxId);                       // then pass on
void answerBoxKillFocus(Platform& platform, Quiz& quiz, Controls& panel, int boxId);  // then pass on
bool answerBoxSwallowsChar(unsigned character);                           // 13, 9 and 0 end with 0
struct KeyOutcome {
  bool passOn = true;
  long result = 0;  // when not passed on
};
KeyOutcome answerBoxKeyReleased(Platform& platform, Quiz& quiz, QuizPanelState& state, Controls& panel,
                                int boxId, unsigned virtualKey);

// F1: try one answer on every question not yet solved.
void spreadAnswer(Controls& panel, const Quiz& quiz, int boxId);

}  // namespace fenok
