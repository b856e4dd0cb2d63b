#pragma once
// A fixed text field of the quiz as a string: up to its first NUL, never past the field's width.
#include <cstring>
#include <string>

namespace fenok {

template <std::size_t Width>
std::string fieldText(const char (&field)[Width]) {
  const void* end = std::memchr(field, 0, Width);
  const std::size_t length = end ? static_cast<std::size_t>(static_cast<const char*>(end) - field) : Width;
  return std::string(field, length);
}

}  // namespace fenok
