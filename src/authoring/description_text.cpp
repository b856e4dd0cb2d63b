#include "description_text.h"

#include <algorithm>
#include <cstdio>

#include "text_encoding.h"

namespace fenok::pack {
namespace {

constexpr const char* kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::size_t kUtf8MarkLength = 3;

bool startsWith(const std::vector<std::uint8_t>& bytes, std::initializer_list<std::uint8_t> prefix) {
  return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

// UTF-16 with or without its mark: ASCII text then has a zero byte beside nearly every character.
bool looksLikeUtf16(const std::vector<std::uint8_t>& bytes) {
  if (startsWith(bytes, {0xFF, 0xFE}) || startsWith(bytes, {0xFE, 0xFF})) return true;
  const auto zeros = static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), 0));
  return bytes.size() >= 2 && zeros * 4 >= bytes.size();
}

int lineAt(const std::string& text, std::size_t offset) {
  return 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
}

}  // namespace

bool descriptionText(const std::vector<std::uint8_t>& bytes, std::string& text, Diagnostics& diagnostics) {
  if (looksLikeUtf16(bytes)) {
    diagnostics.error(0, Msg::savedAsUtf16);
    return false;
  }
  text.assign(bytes.begin(), bytes.end());
  if (text.compare(0, kUtf8MarkLength, kUtf8Mark) == 0) text.erase(0, kUtf8MarkLength);
  const std::size_t bad = firstInvalidUtf8(text);
  if (bad == std::string::npos) return true;
  // Read as Windows-1252, the byte most likely stood for this character.
  const auto byte = static_cast<unsigned char>(text[bad]);
  char hex[8];
  std::snprintf(hex, sizeof hex, "0x%02X", byte);
  diagnostics.error(lineAt(text, bad), Msg::notUtf8, hex, cp1252ToUtf8(std::string(1, static_cast<char>(byte))));
  return false;
}

}  // namespace fenok::pack
