#pragma once
// Form controls port: the controls of an editing window (the studio's), found by integer identifier.
// Shaped after the Win32 calls such a window needs and no more. Unlike the player's panel controls,
// texts are UTF-8: the window is ours and shows whatever an author types.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace fenok {

// A picture for a list row or a picture box: width x height pixels, top row first, 4 bytes each
// (blue, green, red, unused). A picture fitted into a square box (the player's) names its side: a
// picture box shows it as in that square, grown or shrunk to the picture box's smaller side.
struct FormPicture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bgra;
  int box = 0;  // 0: no such square; the picture is fitted into the picture box itself
};

// One row of a list box, a combo box or a list view: its cells (one for a list box or combo box, one
// per column for a list view) and, in a list view, an optional thumbnail.
struct ListRow {
  std::vector<std::string> cells;
  std::shared_ptr<const FormPicture> thumbnail;
};

// What a label or a read-only box is painted with (WM_CTLCOLORSTATIC); colours are 0x00BBGGRR.
struct FormColours {
  bool custom = false;  // false: the platform's own colours
  std::uint32_t background = 0;
  std::uint32_t text = 0;
};

// Changing a control from here may notify the window as the platform does (a text set on an edit
// control reports a change): the logic must tell its own changes from the author's.
class FormControls {
 public:
  virtual ~FormControls() = default;

  virtual std::string text(int id) const = 0;  // empty for a missing control
  virtual void setText(int id, const std::string& text) = 0;
  virtual void show(int id, bool visible) = 0;
  virtual bool isVisible(int id) const = 0;
  virtual void enable(int id, bool enabled) = 0;
  virtual bool isEnabled(int id) const = 0;
  virtual void setFocus(int id) = 0;
  virtual int focusedId() const = 0;  // 0 when no control of the window has the focus
  virtual void selectAllText(int id) = 0;
  virtual void repaint(int id) = 0;  // its colours changed
  // The grey hint an empty edit box shows (what to type there); empty: none.
  virtual void setCue(int id, const std::string& cue) = 0;
  // A picture box shows the picture centred, proportions kept, on the colours the window gives it
  // (FormColours); null: none.
  virtual void setPicture(int id, std::shared_ptr<const FormPicture> picture) = 0;

  // Lists: every row replaced, one row replaced in place, the selected row (-1 for none).
  virtual void setRows(int id, const std::vector<ListRow>& rows) = 0;
  virtual void setRow(int id, int index, const ListRow& row) = 0;
  virtual int selection(int id) const = 0;
  virtual void select(int id, int index) = 0;
};

}  // namespace fenok
