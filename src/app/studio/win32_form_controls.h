#pragma once
// FormControls over the studio's dialog: each call is the Win32 message of the same meaning, texts
// converted between UTF-8 and UTF-16. Lists dispatch on the control's class (list box, combo box,
// list view); a list view gets its two columns and its thumbnail image list on its first rows. A
// picture box is a static control this object paints. Showing or hiding a control asks the dialog
// to arrange its controls again (kArrangeMessage), as some take the room of others.
#include <windows.h>
#include <commctrl.h>

#include <map>
#include <memory>

#include "platform/ports/form_controls.h"

namespace fenok::studio {

// Posted to the dialog when a control was shown or hidden.
constexpr UINT kArrangeMessage = WM_APP + 1;

// The list view's wide column fills what the number column leaves.
void fitListViewColumns(HWND listView);

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
  void setCue(int id, const std::string& cue) override;
  void setPicture(int id, std::shared_ptr<const FormPicture> picture) override;

  void setRows(int id, const std::vector<ListRow>& rows) override;
  void setRow(int id, int index, const ListRow& row) override;
  int selection(int id) const override;
  void select(int id, int index) override;

 private:
  HWND control(int id) const;
  HIMAGELIST thumbnailsOf(HWND listView);  // made with the columns on first use
  int addThumbnail(HIMAGELIST images, const FormPicture* thumbnail) const;  // -1: no image
  void setListViewRows(HWND listView, const std::vector<ListRow>& rows);
  void setListViewRow(HWND listView, int index, const ListRow& row);
  static LRESULT CALLBACK pictureProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR self);
  void paintPicture(HWND window, HDC dc);

  HWND dialog_;
  std::map<HWND, HIMAGELIST> thumbnails_;  // one per list view, destroyed with this object
  std::map<HWND, std::shared_ptr<const FormPicture>> pictures_;  // the picture boxes painted here
};

}  // namespace fenok::studio
