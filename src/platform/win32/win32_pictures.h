#pragma once
// Pictures over OLE and GDI: "IMG" resources decoded by OleLoadPicture, PNG (RCDATA) by our own decoder,
// both scaled to fit the asked box with a halftone stretch.
#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "platform/ports/pictures.h"

namespace fenok {

class Messages;
class Resources;

// An encoded picture (JPEG, GIF...) in memory as a bitmap of its natural size; null when OLE refuses it.
HBITMAP decodeEncodedPicture(const std::uint8_t* bytes, std::size_t size, Messages& messages);
// The RCDATA PNG of this id as a DIB section of its natural size; null when missing or undecodable.
HBITMAP loadPngPicture(const Resources& resources, int id, Messages& messages);
// A new bitmap holding the picture scaled to fit the box. Takes ownership of (and deletes) the input.
// A bitmap without area gives null.
HBITMAP scaleToFit(HBITMAP bitmap, int targetWidth, int targetHeight);

class Win32Pictures : public Pictures {
 public:
  Win32Pictures(const Resources& resources, Messages& messages) : resources_(resources), messages_(messages) {}

  Picture loadPicture(int id, const char* type, int targetWidth, int targetHeight) override;

 private:
  const Resources& resources_;
  Messages& messages_;
};

}  // namespace fenok
