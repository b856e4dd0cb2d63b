#pragma once
// FormControls over the studio's dialog: each call is the Win32 message of the same meaning, texts
// converted between UTF-8 and UTF-16. Lists dispatch on the control's class (list box, combo box,
// list view); a list view gets its two columns and its thumbnail image list on its first rows.
#include <windows.h>
#include <commctrl.h>

#include <map>

#include "platform/ports/form_controls.h"

namespace fenok::studio {

class Win32FormControls : public FormControls {
 public:
  explicit Win32FormControls(HWND dialog);
  ~Win32FormControls() override;
  Win32FormControls(const Win32FormControls&) = delete;
  Win32FormControls& operator=(const Win32FormControls&) = delete;

  std::string text(int id) const override;
  void setText(int id, const std::string& text) override;
  void show(int id, bool visible) override;
  bool isVisible(int id) const override;
  void enable(int id, bool enabled) override;
  bool isEnabled(int id) const override;
  void setFocus(int id) override;
  int focusedId() const override;
  void selectAllText(int id) override;
  void repaint(int id) override;

  void setRows(int id, const std::vector<ListRow>& rows) override;
  void setRow(int id, int index, const ListRow& row) override;
  int selection(int id) const override;
  void select(int id, int index) override;

 private:
  HWND control(int id) const;
  HIMAGELIST thumbnailsOf(HWND listView);  // made with the columns on first use
  int addThumbnail(HIMAGELIST images, const Thumbnail* thumbnail) const;  // -1: no image
  void setListViewRows(HWND listView, const std::vector<ListRow>& rows);
  void setListViewRow(HWND listView, int index, const ListRow& row);

  HWND dialog_;
  std::map<HWND, HIMAGELIST> thumbnails_;  // one per list view, destroyed with this object
};

}  // namespace fenok::studio
