#include "web/program_text.h"

#include <algorithm>

#include "authoring/text_encoding.h"

namespace fenok::web {
namespace {

constexpr char kUnrepresentable = '?';  // what an ANSI edit control gives for a character it cannot hold

// ASCII is the same bytes in both encodings, and most answers are ASCII: nothing to convert.
bool isAscii(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

}  // namespace

std::string programText(const std::string& utf8) {
  if (isAscii(utf8)) return utf8;
  std::string converted;
  std::size_t position = 0;
  while (position < utf8.size()) {
    pack::EncodingError error;
    const std::string rest = utf8.substr(position);
    if (const auto whole = pack::utf8ToCp1252(rest, &error)) return converted + *whole;
    converted += pack::utf8ToCp1252(rest.substr(0, error.offset)).value_or(std::string());
    converted += kUnrepresentable;
    position += error.offset + std::max<std::size_t>(1, error.character.size());
  }
  return converted;
}

std::string pageText(const std::string& cp1252) { return isAscii(cp1252) ? cp1252 : pack::cp1252ToUtf8(cp1252); }

}  // namespace fenok::web
