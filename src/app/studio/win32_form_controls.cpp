#include "win32_form_controls.h"

#include <algorithm>

#include "pictures/picture_fit.h"
#include "studio/studio_ids.h"
#include "win32_text.h"

namespace fenok::studio {
namespace {

enum class ListKind { none, listBox, comboBox, listView };

// The list view shows the row's first cell in a narrow "N°" column and the second, with the
// thumbnail, in a wide one. Only the first column of a list view can hold the row's image beside
// its text without reserving room in every other column, so the wide column is column 0 and is
// displayed second.
constexpr int kWideColumn = 0;
constexpr int kNumberColumn = 1;
constexpr int kNumberCell = 0;
constexpr int kWideCell = 1;
constexpr int kNumberColumnWidth = 40;  // pixels at 96 dpi
constexpr int kListBoxTextMargin = 8;   // pixels beyond the longest row, for the horizontal scroll
constexpr int kThumbnailGap = 4;         // pixels at 96 dpi between the pictures of adjacent rows
constexpr int kDefaultDpi = 96;
constexpr int kMaxThumbnailSide = 4096;  // anything larger is not a thumbnail
constexpr int kMaxPictureSide = 16384;   // nor a picture to show
constexpr UINT_PTR kPictureSubclass = 1;

ListKind kindOf(HWND control) {
  wchar_t name[32] = {};
  GetClassNameW(control, name, 32);
  if (lstrcmpiW(name, WC_LISTBOXW) == 0) return ListKind::listBox;
  if (lstrcmpiW(name, WC_COMBOBOXW) == 0) return ListKind::comboBox;
  if (lstrcmpiW(name, WC_LISTVIEWW) == 0) return ListKind::listView;
  return ListKind::none;
}

std::wstring cell(const ListRow& row, int index) {
  return index < static_cast<int>(row.cells.size()) ? widen(row.cells[static_cast<std::size_t>(index)])
                                                    : std::wstring();
}

int dpiOf(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpiForWindow) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : kDefaultDpi;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDefaultDpi;
}

int itemCount(HWND list, ListKind kind) {
  switch (kind) {
    case ListKind::listBox: return static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    case ListKind::comboBox: return static_cast<int>(SendMessageW(list, CB_GETCOUNT, 0, 0));
    case ListKind::listView: return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    case ListKind::none: break;
  }
  return 0;
}

// A list box only scrolls sideways as far as it is told: as far as its longest row. (Its WS_HSCROLL
// style bit comes and goes with the bar itself, so it says nothing here.)
void fitHorizontalExtent(HWND listBox) {
  HDC dc = GetDC(listBox);
  if (!dc) return;
  HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(listBox, WM_GETFONT, 0, 0)));
  LONG widest = 0;
  const int count = itemCount(listBox, ListKind::listBox);
  for (int i = 0; i < count; ++i) {
    const LRESULT length = SendMessageW(listBox, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
    if (length <= 0) continue;
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(listBox, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    SIZE size = {};
    if (GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(length), &size)) widest = std::max(widest, size.cx);
  }
  SelectObject(dc, previous);
  ReleaseDC(listBox, dc);
  SendMessageW(listBox, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest + kListBoxTextMargin), 0);
}

// The thumbnail centred on a transparent cell of the image list's size, scaled to the screen's
// density but never beyond the cell. Null when the thumbnail's bytes do not match its size.
HBITMAP thumbnailBitmap(const FormPicture& thumbnail, int cellWidth, int cellHeight, int dpi) {
  const int width = thumbnail.width;
  const int height = thumbnail.height;
  if (width <= 0 || height <= 0 || width > kMaxThumbnailSide || height > kMaxThumbnailSide) return nullptr;
  if (thumbnail.bgra.size() < static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 4) return nullptr;

  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = cellWidth;
  info.bmiHeader.biHeight = -cellHeight;  // top row first, as the thumbnail
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap || !bits) return bitmap;
  auto* cells = static_cast<std::uint8_t*>(bits);
  std::fill(cells, cells + static_cast<std::size_t>(cellWidth) * static_cast<std::size_t>(cellHeight) * 4, 0);

  const double scale = std::min({static_cast<double>(cellWidth) / width, static_cast<double>(cellHeight) / height,
                                 static_cast<double>(dpi) / kDefaultDpi});
  const int drawnWidth = std::clamp(static_cast<int>(width * scale), 1, cellWidth);
  const int drawnHeight = std::clamp(static_cast<int>(height * scale), 1, cellHeight);
  const int left = (cellWidth - drawnWidth) / 2;
  const int top = (cellHeight - drawnHeight) / 2;
  for (int y = 0; y < drawnHeight; ++y) {
    const int sourceY = y * height / drawnHeight;
    for (int x = 0; x < drawnWidth; ++x) {
      const int sourceX = x * width / drawnWidth;
      const std::uint8_t* from = &thumbnail.bgra[(static_cast<std::size_t>(sourceY) * width + sourceX) * 4];
      std::uint8_t* to = &cells[(static_cast<std::size_t>(top + y) * cellWidth + left + x) * 4];
      to[0] = from[0];
      to[1] = from[1];
      to[2] = from[2];
      to[3] = 0xFF;  // the fourth byte is unused in a thumbnail: every drawn pixel is opaque
    }
  }
  return bitmap;
}

void setSubItemText(HWND listView, int index, int subItem, const std::wstring& text) {
  LVITEMW item = {};
  item.iSubItem = subItem;
  item.pszText = const_cast<wchar_t*>(text.c_str());
  SendMessageW(listView, LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

void insertColumn(HWND listView, int index, const wchar_t* title, int width) {
  LVCOLUMNW column = {};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
  column.pszText = const_cast<wchar_t*>(title);
  column.cx = width;
  column.iSubItem = index;
  SendMessageW(listView, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

// Whether the bytes hold a picture of the size it claims.
bool whole(const FormPicture& picture, int maxSide) {
  return picture.width > 0 && picture.height > 0 && picture.width <= maxSide && picture.height <= maxSide &&
         picture.bgra.size() >= static_cast<std::size_t>(picture.width) * static_cast<std::size_t>(picture.height) * 4;
}

}  // namespace

void fitListViewColumns(HWND listView) {
  const int numberWidth = static_cast<int>(SendMessageW(listView, LVM_GETCOLUMNWIDTH, kNumberColumn, 0));
  RECT client = {};
  GetClientRect(listView, &client);
  // The vertical bar's room is kept whether it shows or not, so rows never hide under it.
  const int wide = static_cast<int>(client.right) - numberWidth -
                   ((GetWindowLongW(listView, GWL_STYLE) & WS_VSCROLL) ? 0 : GetSystemMetrics(SM_CXVSCROLL));
  SendMessageW(listView, LVM_SETCOLUMNWIDTH, kWideColumn, MAKELPARAM(std::max(numberWidth, wide), 0));
}

Win32FormControls::Win32FormControls(HWND dialog) : dialog_(dialog) {}

Win32FormControls::~Win32FormControls() {
  for (const auto& [listView, images] : thumbnails_) {
    if (IsWindow(listView)) SendMessageW(listView, LVM_SETIMAGELIST, LVSIL_SMALL, 0);
    ImageList_Destroy(images);
  }
  for (const auto& entry : pictures_)
    if (IsWindow(entry.first)) RemoveWindowSubclass(entry.first, pictureProcedure, kPictureSubclass);
}

HWND Win32FormControls::control(int id) const { return GetDlgItem(dialog_, id); }

std::string Win32FormControls::text(int id) const {
  HWND window = control(id);
  if (!window) return {};
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return narrow(text);
}

void Win32FormControls::setText(int id, const std::string& text) {
  if (HWND window = control(id)) SetWindowTextW(window, widen(text).c_str());
}

void Win32FormControls::show(int id, bool visible) {
  HWND window = control(id);
  if (!window || isVisible(id) == visible) return;
  ShowWindow(window, visible ? SW_SHOWNA : SW_HIDE);
  PostMessageW(dialog_, kArrangeMessage, 0, 0);
}

// The control's own flag: the window as a whole may not be shown yet.
bool Win32FormControls::isVisible(int id) const {
  HWND window = control(id);
  return window && (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32FormControls::enable(int id, bool enabled) {
  if (HWND window = control(id)) EnableWindow(window, enabled ? TRUE : FALSE);
}

bool Win32FormControls::isEnabled(int id) const {
  HWND window = control(id);
  return window && IsWindowEnabled(window);
}

// Through the dialog manager, so the default button and an edit's selection follow as with Tab.
void Win32FormControls::setFocus(int id) {
  if (HWND window = control(id)) SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(window), TRUE);
}

int Win32FormControls::focusedId() const {
  HWND focus = GetFocus();
  if (!focus || !IsChild(dialog_, focus)) return 0;
  while (GetParent(focus) != dialog_) focus = GetParent(focus);  // a combo box's own edit, say
  return GetDlgCtrlID(focus);
}

void Win32FormControls::selectAllText(int id) {
  if (HWND window = control(id)) SendMessageW(window, EM_SETSEL, 0, -1);
}

void Win32FormControls::repaint(int id) {
  if (HWND window = control(id)) InvalidateRect(window, nullptr, TRUE);
}

void Win32FormControls::setCue(int id, const std::string& cue) {
  // Shown even while the box has the focus: it says what to type there.
  if (HWND window = control(id)) SendMessageW(window, EM_SETCUEBANNER, TRUE, reinterpret_cast<LPARAM>(widen(cue).c_str()));
}

void Win32FormControls::setPicture(int id, std::shared_ptr<const FormPicture> picture) {
  HWND window = control(id);
  if (!window) return;
  if (pictures_.count(window) == 0) SetWindowSubclass(window, pictureProcedure, kPictureSubclass, reinterpret_cast<DWORD_PTR>(this));
  pictures_[window] = picture && whole(*picture, kMaxPictureSide) ? std::move(picture) : nullptr;
  InvalidateRect(window, nullptr, FALSE);
}

LRESULT CALLBACK Win32FormControls::pictureProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                     DWORD_PTR self) {
  switch (message) {
    case WM_ERASEBKGND: return 1;  // painted whole below
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      reinterpret_cast<Win32FormControls*>(self)->paintPicture(window, dc);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_SIZE: InvalidateRect(window, nullptr, FALSE); break;
    case WM_NCDESTROY:
      reinterpret_cast<Win32FormControls*>(self)->pictures_.erase(window);
      RemoveWindowSubclass(window, pictureProcedure, kPictureSubclass);
      break;
    default: break;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

// The background the dialog gives the box (the quiz's), the picture centred on it, stretched as the
// player stretches.
void Win32FormControls::paintPicture(HWND window, HDC dc) {
  RECT client = {};
  GetClientRect(window, &client);
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(GetParent(window), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window)));
  FillRect(dc, &client, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
  const auto found = pictures_.find(window);
  const FormPicture* picture = found != pictures_.end() ? found->second.get() : nullptr;
  // As in its square box grown to the control's smaller side, or else fitted into the control.
  const int side = std::min(client.right, client.bottom);
  FittedSize fitted;
  const bool drawn = picture && (picture->box > 0 ? fitToBox(picture->width, picture->height,
                                                             picture->width * side / picture->box,
                                                             picture->height * side / picture->box, fitted)
                                                  : fitToBox(picture->width, picture->height, client.right, client.bottom, fitted));
  if (drawn) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = picture->width;
    info.bmiHeader.biHeight = -picture->height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchDIBits(dc, (client.right - fitted.width) / 2, (client.bottom - fitted.height) / 2, fitted.width, fitted.height, 0,
                  0, picture->width, picture->height, picture->bgra.data(), &info, DIB_RGB_COLORS, SRCCOPY);
  }
}

void Win32FormControls::setRows(int id, const std::vector<ListRow>& rows) {
  HWND list = control(id);
  switch (list ? kindOf(list) : ListKind::none) {
    case ListKind::listBox:
      SendMessageW(list, WM_SETREDRAW, FALSE, 0);
      SendMessageW(list, LB_RESETCONTENT, 0, 0);
      for (const ListRow& row : rows) {
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(cell(row, 0).c_str()));
      }
      fitHorizontalExtent(list);
      SendMessageW(list, WM_SETREDRAW, TRUE, 0);
      InvalidateRect(list, nullptr, TRUE);
      break;
    case ListKind::comboBox:
      SendMessageW(list, CB_RESETCONTENT, 0, 0);
      for (const ListRow& row : rows) {
        SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(cell(row, 0).c_str()));
      }
      break;
    case ListKind::listView: setListViewRows(list, rows); break;
    case ListKind::none: break;
  }
}

void Win32FormControls::setRow(int id, int index, const ListRow& row) {
  HWND list = control(id);
  const ListKind kind = list ? kindOf(list) : ListKind::none;
  if (index < 0 || index >= itemCount(list, kind)) return;
  const int selected = selection(id);
  const auto at = static_cast<WPARAM>(index);
  switch (kind) {
    case ListKind::listBox:
      SendMessageW(list, LB_DELETESTRING, at, 0);
      SendMessageW(list, LB_INSERTSTRING, at, reinterpret_cast<LPARAM>(cell(row, 0).c_str()));
      fitHorizontalExtent(list);
      if (selected == index) SendMessageW(list, LB_SETCURSEL, at, 0);
      break;
    case ListKind::comboBox:
      SendMessageW(list, CB_DELETESTRING, at, 0);
      SendMessageW(list, CB_INSERTSTRING, at, reinterpret_cast<LPARAM>(cell(row, 0).c_str()));
      if (selected == index) SendMessageW(list, CB_SETCURSEL, at, 0);
      break;
    case ListKind::listView: setListViewRow(list, index, row); break;
    case ListKind::none: break;
  }
}

int Win32FormControls::selection(int id) const {
  HWND list = control(id);
  LRESULT selected = -1;
  switch (list ? kindOf(list) : ListKind::none) {
    case ListKind::listBox: selected = SendMessageW(list, LB_GETCURSEL, 0, 0); break;
    case ListKind::comboBox: selected = SendMessageW(list, CB_GETCURSEL, 0, 0); break;
    case ListKind::listView: selected = SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED); break;
    case ListKind::none: break;
  }
  return selected < 0 ? -1 : static_cast<int>(selected);
}

// An index outside the rows selects none.
void Win32FormControls::select(int id, int index) {
  HWND list = control(id);
  const ListKind kind = list ? kindOf(list) : ListKind::none;
  if (index >= itemCount(list, kind)) index = -1;
  if (index < 0) index = -1;
  const auto at = static_cast<WPARAM>(index);
  switch (kind) {
    case ListKind::listBox: SendMessageW(list, LB_SETCURSEL, at, 0); break;
    case ListKind::comboBox: SendMessageW(list, CB_SETCURSEL, at, 0); break;
    case ListKind::listView: {
      LVITEMW state = {};
      state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
      state.state = index < 0 ? 0 : LVIS_SELECTED | LVIS_FOCUSED;
      SendMessageW(list, LVM_SETITEMSTATE, at, reinterpret_cast<LPARAM>(&state));  // -1: every row
      if (index >= 0) SendMessageW(list, LVM_ENSUREVISIBLE, at, FALSE);
      break;
    }
    case ListKind::none: break;
  }
}

HIMAGELIST Win32FormControls::thumbnailsOf(HWND listView) {
  const auto found = thumbnails_.find(listView);
  if (found != thumbnails_.end()) return found->second;

  const int dpi = dpiOf(listView);
  SendMessageW(listView, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER,
               LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
  const int numberWidth = MulDiv(kNumberColumnWidth, dpi, kDefaultDpi);
  insertColumn(listView, kWideColumn, L"Question", numberWidth);
  insertColumn(listView, kNumberColumn, L"N\u00B0", numberWidth);
  int order[2] = {kNumberColumn, kWideColumn};
  SendMessageW(listView, LVM_SETCOLUMNORDERARRAY, 2, reinterpret_cast<LPARAM>(order));
  fitListViewColumns(listView);

  HIMAGELIST images = ImageList_Create(MulDiv(STUDIO_THUMBNAIL_WIDTH, dpi, kDefaultDpi),
                                       MulDiv(STUDIO_THUMBNAIL_HEIGHT + kThumbnailGap, dpi, kDefaultDpi), ILC_COLOR32,
                                       0, 8);
  if (images) SendMessageW(listView, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
  thumbnails_[listView] = images;
  return images;
}

int Win32FormControls::addThumbnail(HIMAGELIST images, const FormPicture* thumbnail) const {
  if (!images || !thumbnail) return -1;
  int width = 0;
  int height = 0;
  ImageList_GetIconSize(images, &width, &height);
  HBITMAP bitmap = thumbnailBitmap(*thumbnail, width, height, dpiOf(dialog_));
  if (!bitmap) return -1;
  const int index = ImageList_Add(images, bitmap, nullptr);
  DeleteObject(bitmap);
  return index;
}

void Win32FormControls::setListViewRows(HWND listView, const std::vector<ListRow>& rows) {
  HIMAGELIST images = thumbnailsOf(listView);
  // Rows are as tall as the image list's pictures: rows without any (a text quiz) drop it and stay
  // one line high.
  const bool pictures = std::any_of(rows.begin(), rows.end(), [](const ListRow& row) { return row.thumbnail != nullptr; });
  SendMessageW(listView, LVM_SETIMAGELIST, LVSIL_SMALL, pictures ? reinterpret_cast<LPARAM>(images) : 0);
  SendMessageW(listView, WM_SETREDRAW, FALSE, 0);
  SendMessageW(listView, LVM_DELETEALLITEMS, 0, 0);
  if (images) ImageList_RemoveAll(images);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const std::wstring wide = cell(rows[i], kWideCell);
    const int image = addThumbnail(images, rows[i].thumbnail.get());
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = static_cast<int>(i);
    item.pszText = const_cast<wchar_t*>(wide.c_str());
    item.iImage = image < 0 ? I_IMAGENONE : image;
    const auto index = static_cast<int>(SendMessageW(listView, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (index >= 0) setSubItemText(listView, index, kNumberColumn, cell(rows[i], kNumberCell));
  }
  SendMessageW(listView, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(listView, nullptr, TRUE);
}

// The row's image is replaced where it is, so the other rows keep theirs.
void Win32FormControls::setListViewRow(HWND listView, int index, const ListRow& row) {
  HIMAGELIST images = thumbnailsOf(listView);
  LVITEMW item = {};
  item.mask = LVIF_IMAGE;
  item.iItem = index;
  SendMessageW(listView, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  int image = I_IMAGENONE;
  if (row.thumbnail && images) SendMessageW(listView, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images));
  if (row.thumbnail && images) {
    if (item.iImage >= 0) {
      int width = 0;
      int height = 0;
      ImageList_GetIconSize(images, &width, &height);
      HBITMAP bitmap = thumbnailBitmap(*row.thumbnail, width, height, dpiOf(dialog_));
      if (bitmap && ImageList_Replace(images, item.iImage, bitmap, nullptr)) image = item.iImage;
      if (bitmap) DeleteObject(bitmap);
    } else {
      image = addThumbnail(images, row.thumbnail.get());
      if (image < 0) image = I_IMAGENONE;
    }
  }
  const std::wstring wide = cell(row, kWideCell);
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iSubItem = kWideColumn;
  item.pszText = const_cast<wchar_t*>(wide.c_str());
  item.iImage = image;
  SendMessageW(listView, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  setSubItemText(listView, index, kNumberColumn, cell(row, kNumberCell));
}

}  // namespace fenok::studio
