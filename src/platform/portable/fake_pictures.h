#pragma once
// Fake pictures for tests and tools: loadPicture answers with a made-up bitmap of the size found in a
// table (or nothing for an unknown resource), and records every request.
#include <map>
#include <string>
#include <vector>

#include "platform/ports/pictures.h"

namespace fenok {

struct PictureRequest {
  int id = 0;
  std::string type;
  int targetWidth = 0;
  int targetHeight = 0;
};

class FakePictures : public Pictures {
 public:
  // The size of the bitmap returned for a resource number; unknown numbers return no bitmap.
  void add(int id, int width, int height) { sizes_[id] = Size{width, height}; }

  Picture loadPicture(int id, const char* type, int targetWidth, int targetHeight) override;

  const std::vector<PictureRequest>& requests() const { return requests_; }
  // The resource number a returned bitmap was made for; 0 for anything else.
  int resourceOf(Handle bitmap) const;

 private:
  struct Size {
    int width = 0;
    int height = 0;
  };
  std::map<int, Size> sizes_;
  std::vector<PictureRequest> requests_;
  std::map<Handle, int> issued_;
};

}  // namespace fenok
