#include "web/program_text.h"

#include <algorithm>

#include "authoring/text_encoding.h"

namespace fenok::web {
namespace {

constexpr char kUnrepresentable = '?';  // what an ANSI edit control gives for a character it cannot hold

}  // namespace

std::string programText(const std::string& utf8) {
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

std::string pageText(const std::string& cp1252) { return pack::cp1252ToUtf8(cp1252); }

}  // namespace fenok::web
