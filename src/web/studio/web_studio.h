#pragma once
// The studio in a browser page: the studio's own screen logic over in-memory controls and the web
// host, driven by the page's events. After each event the page draws the snapshot: every control as
// the logic left it, what the studio told, and the files it would have the system open.
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/portable/memory_form_controls.h"
#include "studio_screen.h"
#include "web/json_writer.h"
#include "web/studio/web_studio_host.h"

namespace fenok::web {

class WebStudio {
 public:
  WebStudio();

  WebStudioHost& host() { return host_; }
  const MemoryFormControls& controls() const { return controls_; }

  // The events of the page, as the Win32 window forwards them.
  void start(const std::vector<std::string>& arguments) { screen_.start(arguments); }
  void command(int id) { screen_.command(id); }
  void typed(int id, const std::string& text);  // the control's whole text after the author's change
  void left(int id) { screen_.fieldLeft(id); }
  void picked(int id, int row);
  void activated(int id) { screen_.activated(id); }
  void enter(int focused) {  // the page's focus is the one the logic acts on
    controls_.setFocus(focused);
    screen_.enterPressed();
  }
  void dropped(const std::vector<std::string>& paths) { screen_.filesDropped(paths); }
  bool mayClose() { return screen_.mayClose(); }

  // JSON: {"title", "canUndo", "canRedo", "focus", "recent": [...], "told": [{"message", "tone"}],
  // "opened": [...], "controls": [{"id", "text", "visible", "enabled", "cue", "selection",
  // "rows": [[cells...]], "pictures": [[row, key]...] for rows with a thumbnail, "picture": key or 0,
  // "background"/"color" ("#RRGGBB", when the logic paints the control)}]}. Told and opened are
  // given once. A picture's key changes when the picture does. "asked": the dialogs opened with no answer left ({"kind": "open", "save" or
  // "colour", "title", "multiple", "suggestedName", "colour", "filters": [{"label", "patterns"}]}).
  std::string snapshot();

  // What the page keeps to come back to the quiz: {"folder", "description", "files"}, the quiz as a
  // description whose file names start from that folder, and the files in that folder.
  std::string keptDescription() const;

  // A control's picture (row -1) or a row's thumbnail; null when there is none.
  const FormPicture* picture(int id, int row) const;

 private:
  long long pictureKey(const std::shared_ptr<const FormPicture>& picture);
  void writeControl(JsonWriter& json, int id, const MemoryFormControl& control, const FormColours& colours);

  MemoryFormControls controls_;
  WebStudioHost host_;
  studio::StudioScreen screen_;
  std::map<const FormPicture*, std::pair<std::weak_ptr<const FormPicture>, long long>> pictureKeys_;
  long long lastPictureKey_ = 0;
};

}  // namespace fenok::web
