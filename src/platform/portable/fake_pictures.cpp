// Fake pictures: sized stand-in bitmaps from a table, every request recorded.
#include "platform/portable/fake_pictures.h"

#include <cstdint>

namespace fenok {

Picture FakePictures::loadPicture(int id, const char* type, int targetWidth, int targetHeight) {
  requests_.push_back(PictureRequest{id, type ? type : "", targetWidth, targetHeight});
  const auto found = sizes_.find(id);
  if (found == sizes_.end()) return Picture{};
  const Size size = found->second;
  // Distinct non-null values that are never dereferenced: the count of bitmaps issued so far.
  Handle bitmap = reinterpret_cast<Handle>(static_cast<std::uintptr_t>(0x10000 + issued_.size() * 16));
  issued_[bitmap] = id;
  return Picture{bitmap, size.width, size.height};
}

int FakePictures::resourceOf(Handle bitmap) const {
  const auto found = issued_.find(bitmap);
  return found == issued_.end() ? 0 : found->second;
}

}  // namespace fenok
