#include "studio_screen.h"

#include <iterator>

#include "authoring/file_bytes.h"
#include "screen_state.h"
#include "studio_ids.h"
#include "studio_texts.h"

namespace fenok::studio {
namespace {

std::vector<ListRow> rowsOf(const char* const* choices, std::size_t count) {
  std::vector<ListRow> rows;
  for (std::size_t i = 0; i < count; ++i) rows.push_back({{choices[i]}, nullptr});
  return rows;
}

}  // namespace

StudioScreen::StudioScreen(FormControls& controls, StudioHost& host) : state_(std::make_unique<ScreenState>(controls, host)) {}
StudioScreen::~StudioScreen() = default;

void StudioScreen::start(const std::vector<std::string>& arguments) {
  ScreenState& s = *state_;
  const std::string settings = s.host.settingsFolder();
  // Without a settings folder the list lives only as long as the window.
  s.recent = RecentFiles(settings.empty() ? "" : (pack::filePath(settings) / kRecentFileName).u8string());
  s.recent.load();
  s.host.setRecentFiles(s.recent.paths());
  {
    ScreenState::Filling quiet(s);
    s.controls.setRows(STUDIO_MEDIA, rowsOf(texts::kMediaChoices, std::size(texts::kMediaChoices)));
    s.controls.setRows(STUDIO_ANSWERS_PER_QUESTION, rowsOf(texts::kAnswerCountChoices, std::size(texts::kAnswerCountChoices)));
    s.controls.setRows(STUDIO_COMMENTS, rowsOf(texts::kCommentChoices, std::size(texts::kCommentChoices)));
    s.controls.setRows(STUDIO_ACCENTS, rowsOf(texts::kAccentChoices, std::size(texts::kAccentChoices)));
  }
  s.showAll();
  if (!arguments.empty()) s.openPath(arguments.front());
  s.controls.setFocus(STUDIO_TITLE);
}

void StudioScreen::command(int id) { state_->command(id); }
void StudioScreen::enterPressed() { state_->enterPressed(); }
void StudioScreen::edited(int id) { state_->edited(id); }
void StudioScreen::fieldLeft(int id) { state_->fieldLeft(id); }
void StudioScreen::selectionChanged(int id) { state_->selectionChanged(id); }
void StudioScreen::activated(int id) { state_->activated(id); }
void StudioScreen::filesDropped(const std::vector<std::string>& paths) { state_->filesDropped(paths); }
bool StudioScreen::mayClose() { return state_->confirmDiscard(); }
FormColours StudioScreen::colours(int id) const { return state_->colours(id); }
const QuizDocument& StudioScreen::document() const { return state_->document; }

}  // namespace fenok::studio
