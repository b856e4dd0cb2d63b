#pragma once
// In-memory form controls: the test adapter of the FormControls port. Every identifier names a
// control that starts empty, visible and enabled, as a dialog template's controls do; it keeps what
// was set so tests can read the window as the author would see it. A selection outside the rows is
// none, as the platform's lists have it.
#include <map>

#include "platform/ports/form_controls.h"

namespace fenok {

struct MemoryFormControl {
  std::string text;
  bool visible = true;
  bool enabled = true;
  std::vector<ListRow> rows;
  int selection = -1;
  int repaints = 0;
  bool allTextSelected = false;
  std::string cue;
  std::shared_ptr<const FormPicture> picture;
};

class MemoryFormControls : public FormControls {
 public:
  std::string text(int id) const override;
  void setText(int id, const std::string& text) override;
  void show(int id, bool visible) override { controls_[id].visible = visible; }
  bool isVisible(int id) const override { return get(id).visible; }
  void enable(int id, bool enabled) override { controls_[id].enabled = enabled; }
  bool isEnabled(int id) const override { return get(id).enabled; }
  void setFocus(int id) override { focus_ = id; }
  int focusedId() const override { return focus_; }
  void selectAllText(int id) override { controls_[id].allTextSelected = true; }
  void repaint(int id) override { ++controls_[id].repaints; }
  void setCue(int id, const std::string& cue) override { controls_[id].cue = cue; }
  void setPicture(int id, std::shared_ptr<const FormPicture> picture) override { controls_[id].picture = std::move(picture); }
  void setRows(int id, const std::vector<ListRow>& rows) override;
  void setRow(int id, int index, const ListRow& row) override;
  int selection(int id) const override { return get(id).selection; }
  void select(int id, int index) override;

  // The author's side: a text typed, a row chosen (the window then tells the logic itself).
  const MemoryFormControl& control(int id) const { return get(id); }
  std::vector<std::string> cells(int id, std::size_t column = 0) const;  // one per row
  std::vector<int> ids() const;  // every control touched so far, in order

 private:
  const MemoryFormControl& get(int id) const;

  mutable std::map<int, MemoryFormControl> controls_;
  int focus_ = 0;
};

}  // namespace fenok
