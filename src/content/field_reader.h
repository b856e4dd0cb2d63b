#pragma once
// The one reader of decoded content: single bytes, texts ended by a separator, and CR LF lines, each
// bounded by the decoded bytes and by the field it is copied into.
//
// Policy for content that breaks the format: a read never goes past the decoded bytes. A byte read
// at the end gives 0; a text or line whose separator is missing ends with the data; a text longer
// than its field is cut to the field (width - 1 bytes), and the rest of it, up to its separator, is
// skipped so that the fields after it stay in place. ranOut() tells whether any read hit the end.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace fenok {

constexpr char kTextSeparator = '|';
constexpr char kCarriageReturn = '\r';

class FieldReader {
 public:
  FieldReader(const std::uint8_t* bytes, std::size_t size, std::size_t start = 0)
      : bytes_(bytes), size_(size), position_(start < size ? start : size), ranOut_(start > size) {}
  explicit FieldReader(const std::vector<std::uint8_t>& bytes, std::size_t start = 0)
      : FieldReader(bytes.data(), bytes.size(), start) {}

  // The byte at the position, then one further; 0 (and ranOut) at the end.
  std::uint8_t byte();
  // The bytes up to the next '|' into field (cut, NUL-terminated), then past the '|'.
  void text(char* field, int width) { copyUntil(kTextSeparator, field, width, 0); }
  void skipText() { copyUntil(kTextSeparator, nullptr, 0, 0); }
  // The bytes up to the next CR into field, then past the CR and the one byte after it (the LF).
  void line(char* field, int width) { copyUntil(kCarriageReturn, field, width, 1); }

  std::size_t position() const { return position_; }
  bool atEnd() const { return position_ >= size_; }
  bool ranOut() const { return ranOut_; }

 private:
  void copyUntil(char separator, char* field, int width, std::size_t skipAfter);

  const std::uint8_t* bytes_;
  std::size_t size_;
  std::size_t position_;
  bool ranOut_;
};

}  // namespace fenok
