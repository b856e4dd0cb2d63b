#pragma once
// The header panel: score counter, code box, title, explanation, link, author, save button and "Cacher".
#include <cstdint>

#include "platform/ports/controls.h"
#include "platform/ports/handle.h"
#include "ui/label_colours.h"

namespace fenok {

struct Platform;
struct Quiz;

constexpr int kCodeBoxWidth = 53;  // pixels; the code box shows the reward of the current score

struct HeaderPanelState {
  Handle panelBrush = nullptr;  // 0x00FF8080
  Handle linkFont = nullptr;
};

void buildHeaderPanel(Platform& platform, const Quiz& quiz, HeaderPanelState& state, Controls& header);
void layoutHeaderPanel(const Quiz& quiz, Controls& header);  // WM_SIZE
void handleHeaderCommand(Platform& platform, Quiz& quiz, std::uint32_t wParam);  // WM_COMMAND
void destroyHeaderPanel(Platform& platform, HeaderPanelState& state);           // WM_DESTROY

using HeaderColours = LabelColours;
HeaderColours headerLabelColours(const HeaderPanelState& state, int id);

}  // namespace fenok
