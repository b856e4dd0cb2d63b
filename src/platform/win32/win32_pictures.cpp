#include "platform/win32/win32_pictures.h"

#include <ole2.h>
#include <olectl.h>

#include <cstring>
#include <vector>

#include "pictures/picture_fit.h"
#include "pictures/png_reader.h"
#include "platform/ports/messages.h"
#include "platform/ports/resources.h"
#include "platform/win32/scoped_win.h"

namespace fenok {
namespace {

const char kCaption[] = "Information";

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
  GdiObject<HBITMAP> bitmap(CreateDIBSection(screen.get(), reinterpret_cast<const BITMAPINFO*>(description.info.data()),
                                             DIB_RGB_COLORS, &pixels, nullptr, 0));
  if (!bitmap) return nullptr;
  if (!pixels || !writePngRows(reader, kNaturalFormat, static_cast<std::uint8_t*>(pixels))) return nullptr;
  return bitmap.release();
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
  ComInitialisation com;  // one per decode
  GlobalBlock block(GlobalAlloc(GMEM_FIXED, size));
  if (!block) return nullptr;
  std::memcpy(static_cast<void*>(block.get()), bytes, size);
  ComPtr<IStream> stream;
  if (FAILED(CreateStreamOnHGlobal(block.get(), TRUE, stream.put()))) {
    stream.abandon();
    return nullptr;
  }
  if (!stream) return nullptr;
  block.release();  // the stream frees it now
  ComPtr<IPicture> picture;
  HRESULT loaded = OleLoadPicture(stream.get(), static_cast<LONG>(size), FALSE, IID_IPicture, picture.putVoid());
  if (FAILED(loaded)) {
    picture.abandon();
    return nullptr;
  }
  if (!picture) return nullptr;
  return copyDecodedBitmap(picture.get(), messages);
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
  GdiObject<HBITMAP> natural(bitmap);  // the scaled copy replaces it
  int width = 0;
  int height = 0;
  FittedSize fitted;
  if (!bitmapSize(bitmap, width, height) || !fitToBox(width, height, targetWidth, targetHeight, fitted)) {
    return nullptr;  // a picture without area has nothing to show
  }
  ScreenDc screen;
  MemoryDc source(screen.get());
  MemoryDc target(screen.get());
  HBITMAP scaled = CreateCompatibleBitmap(screen.get(), fitted.width, fitted.height);
  Selection sourceSelection(source.get(), natural.get());
  Selection targetSelection(target.get(), scaled);
  SetStretchBltMode(target.get(), HALFTONE);
  SetBrushOrgEx(target.get(), 0, 0, nullptr);  // HALFTONE asks for it after the mode is set
  StretchBlt(target.get(), 0, 0, fitted.width, fitted.height, source.get(), 0, 0, width, height, SRCCOPY);
  return scaled;  // selected out of its context before the caller sees it
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
