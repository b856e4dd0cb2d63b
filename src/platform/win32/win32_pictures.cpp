#include "platform/win32/win32_pictures.h"

#include <ole2.h>
#include <olectl.h>

#include <cstring>
#include <vector>

#include "pictures/picture_fit.h"
#include "pictures/png_reader.h"
#include "platform/ports/messages.h"
#include "platform/ports/resources.h"

namespace fenok {
namespace {

const char kCaption[] = "Information";

// One CoInitialize per decode, undone only when it succeeded.
class ComScope {
 public:
  ComScope() : initialised_(SUCCEEDED(CoInitialize(nullptr))) {}
  ~ComScope() {
    if (initialised_) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  bool initialised_;
};

class ScreenDc {
 public:
  ScreenDc() : dc_(GetDC(nullptr)) {}
  ~ScreenDc() {
    if (dc_) ReleaseDC(nullptr, dc_);
  }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

class PngRecord {
 public:
  PngRecord() { initPngReader(reader_); }
  ~PngRecord() { releasePngReader(reader_); }
  PngRecord(const PngRecord&) = delete;
  PngRecord& operator=(const PngRecord&) = delete;
  PngReader& get() { return reader_; }

 private:
  PngReader reader_{};
};

HBITMAP copyDecodedBitmap(IPicture* picture, Messages& messages) {
  OLE_HANDLE handle = 0;
  picture->get_Handle(&handle);
  // OLE_HANDLE is 32 bits wide in both builds; a 64-bit GDI handle is its sign extension.
  HANDLE copy = CopyImage(LongToHandle(static_cast<LONG>(handle)), IMAGE_BITMAP, 0, 0, 0);
  if (!copy) {
    char text[128];
    wsprintfA(text, "%s plante avec l'erreur : %d\n", "CopyImage", static_cast<int>(GetLastError()));
    messages.show(text, kCaption, kMbIconInformation);
  }
  return static_cast<HBITMAP>(copy);
}

HBITMAP makeDibSection(PngReader& reader) {
  DibDescription description;
  if (!describePngBitmap(reader, kNaturalFormat, description)) return nullptr;
  if (description.info.size() < sizeof(BITMAPINFOHEADER)) return nullptr;
  ScreenDc screen;
  void* pixels = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen.get(), reinterpret_cast<const BITMAPINFO*>(description.info.data()),
                                    DIB_RGB_COLORS, &pixels, nullptr, 0);
  if (!bitmap) return nullptr;
  if (!pixels || !writePngRows(reader, kNaturalFormat, static_cast<std::uint8_t*>(pixels))) {
    DeleteObject(bitmap);
    return nullptr;
  }
  return bitmap;
}

bool bitmapSize(HBITMAP bitmap, int& width, int& height) {
  BITMAP info = {};
  if (!bitmap || GetObjectA(bitmap, sizeof info, &info) == 0) return false;
  width = info.bmWidth;
  height = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
  return true;
}

}  // namespace

HBITMAP decodeEncodedPicture(const std::uint8_t* bytes, std::size_t size, Messages& messages) {
  if (!bytes || size == 0) return nullptr;
  ComScope com;
  HGLOBAL block = GlobalAlloc(GMEM_FIXED, size);
  if (!block) return nullptr;
  std::memcpy(static_cast<void*>(block), bytes, size);
  IStream* stream = nullptr;
  if (FAILED(CreateStreamOnHGlobal(block, TRUE, &stream)) || !stream) {
    GlobalFree(block);
    return nullptr;
  }
  IPicture* picture = nullptr;
  HRESULT loaded = OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                                  reinterpret_cast<void**>(&picture));
  if (FAILED(loaded) || !picture) {
    stream->Release();
    return nullptr;
  }
  HBITMAP copy = copyDecodedBitmap(picture, messages);
  picture->Release();
  stream->Release();
  return copy;
}

HBITMAP loadPngPicture(const Resources& resources, int id, Messages& messages) {
  PngRecord record;
  if (!loadPngFromResource(record.get(), resources, id)) return nullptr;
  if (!decodePng(record.get())) {
    messages.show("Error: couldn't decode PNG resource", kCaption, kMbIconError);
    return nullptr;
  }
  HBITMAP bitmap = makeDibSection(record.get());
  if (!bitmap) messages.show("Error: couldn't create bitmap", kCaption, kMbIconError);
  return bitmap;
}

HBITMAP scaleToFit(HBITMAP bitmap, int targetWidth, int targetHeight) {
  if (!bitmap) return nullptr;
  int width = 0;
  int height = 0;
  FittedSize fitted;
  if (!bitmapSize(bitmap, width, height) || !fitToBox(width, height, targetWidth, targetHeight, fitted)) {
    DeleteObject(bitmap);  // a picture without area has nothing to show
    return nullptr;
  }
  ScreenDc screen;
  HDC source = CreateCompatibleDC(screen.get());
  HDC target = CreateCompatibleDC(screen.get());
  HBITMAP scaled = CreateCompatibleBitmap(screen.get(), fitted.width, fitted.height);
  HGDIOBJ oldSource = SelectObject(source, bitmap);
  HGDIOBJ oldTarget = SelectObject(target, scaled);
  SetStretchBltMode(target, HALFTONE);
  SetBrushOrgEx(target, 0, 0, nullptr);  // HALFTONE asks for it after the mode is set
  StretchBlt(target, 0, 0, fitted.width, fitted.height, source, 0, 0, width, height, SRCCOPY);
  SelectObject(source, oldSource);
  SelectObject(target, oldTarget);
  DeleteDC(source);
  DeleteDC(target);
  DeleteObject(bitmap);
  return scaled;
}

Picture Win32Pictures::loadPicture(int id, const char* type, int targetWidth, int targetHeight) {
  HBITMAP natural = nullptr;
  switch (choosePictureSource(resources_, type, id)) {
    case PictureSource::encoded: {
      const ByteView stored = resources_.find(ResourceType::named(type), id);
      if (isScrambledPictureId(id)) {
        // Unscramble a private copy: the resource keeps its stored form for the next load.
        std::vector<std::uint8_t> plain(stored.data, stored.data + stored.size);
        exchangeNibbles(plain.data(), plain.size());
        natural = decodeEncodedPicture(plain.data(), plain.size(), messages_);
      } else {
        natural = decodeEncodedPicture(stored.data, stored.size, messages_);
      }
      break;
    }
    case PictureSource::png:
      natural = loadPngPicture(resources_, id, messages_);
      break;
    case PictureSource::none:
      break;
  }
  Picture picture;
  picture.bitmap = scaleToFit(natural, targetWidth, targetHeight);
  bitmapSize(static_cast<HBITMAP>(picture.bitmap), picture.width, picture.height);
  return picture;
}

}  // namespace fenok
