#pragma once
// The studio's window, as logic: it fills the controls from the quiz being edited, turns what the
// author does into edits of it, keeps the problem list and the trial verdicts live, and runs the
// menu commands. The Win32 layer creates the controls (studio.rc) and forwards every notification
// here; nothing else happens there.
#include <memory>
#include <string>
#include <vector>

#include "platform/ports/form_controls.h"
#include "quiz_document.h"
#include "studio_host.h"

namespace fenok::studio {

struct ScreenState;

class StudioScreen {
 public:
  StudioScreen(FormControls& controls, StudioHost& host);
  ~StudioScreen();
  StudioScreen(const StudioScreen&) = delete;
  StudioScreen& operator=(const StudioScreen&) = delete;

  // Once the controls exist: fills them, reads the recent files and opens what the command line
  // names (a quiz description, or a folder to make a new quiz from).
  void start(const std::vector<std::string>& arguments);

  void command(int id);            // a menu item, an accelerator or a button (STUDIO_CMD_*, buttons)
  void enterPressed();             // Enter anywhere in the window (IDOK of the dialog)
  void edited(int id);             // an edit control's text changed (EN_CHANGE)
  void fieldLeft(int id);          // an edit control lost the focus (EN_KILLFOCUS)
  void selectionChanged(int id);   // a combo box, list box or list view selection changed
  void activated(int id);          // a row was double-clicked
  void filesDropped(const std::vector<std::string>& paths);  // from the file manager
  bool mayClose();                 // false: stay open (the author cancelled at "save changes?")

  FormColours colours(int id) const;  // for labels the window paints (sample, verdicts)
  const QuizDocument& document() const;  // the quiz being edited, as it stands

 private:
  std::unique_ptr<ScreenState> state_;
};

}  // namespace fenok::studio
