#include "content/field_reader.h"

namespace fenok {

std::uint8_t FieldReader::byte() {
  if (position_ >= size_) {
    ranOut_ = true;
    return 0;
  }
  return bytes_[position_++];
}

void FieldReader::copyUntil(char separator, char* field, int width, std::size_t skipAfter) {
  const auto end = static_cast<std::uint8_t>(separator);
  int length = 0;
  while (position_ < size_ && bytes_[position_] != end) {
    if (field != nullptr && length < width - 1) field[length++] = static_cast<char>(bytes_[position_]);
    ++position_;
  }
  if (field != nullptr && width > 0) field[length] = '\0';
  if (position_ >= size_) {
    ranOut_ = true;
    return;
  }
  ++position_;  // the separator
  for (std::size_t i = 0; i < skipAfter; ++i) {
    if (position_ >= size_) {
      ranOut_ = true;
      return;
    }
    ++position_;
  }
}

}  // namespace fenok
