#include "text_encoding.h"

#include <cstdio>

namespace fenok::pack {
namespace {

// Code points of bytes 0x80 to 0x9F; the others are their own code point.
constexpr std::uint16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

std::uint32_t codePointOf(unsigned char byte) {
  return (byte >= 0x80 && byte <= 0x9F) ? kHighControls[byte - 0x80] : byte;
}

void appendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::optional<unsigned char> byteOf(std::uint32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<unsigned char>(cp);
  for (int i = 0; i < 32; ++i) {
    if (kHighControls[i] == cp) return static_cast<unsigned char>(0x80 + i);
  }
  return std::nullopt;
}

}  // namespace

std::uint32_t decodeUtf8(const std::string& text, std::size_t i, std::size_t& length) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  length = 0;
  int extra = 0;
  std::uint32_t cp = 0;
  if (lead < 0x80) {
    length = 1;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    cp = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    cp = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    cp = lead & 0x07;
  } else {
    return 0;
  }
  if (i + static_cast<std::size_t>(extra) >= text.size()) return 0;
  for (int k = 1; k <= extra; ++k) {
    const unsigned char next = byte(i + k);
    if ((next & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (next & 0x3F);
  }
  static constexpr std::uint32_t kSmallest[4] = {0, 0x80, 0x800, 0x10000};
  if (cp < kSmallest[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  length = static_cast<std::size_t>(extra) + 1;
  return cp;
}

namespace {

std::string hexByte(unsigned char byte) {
  static const char* const kDigits = "0123456789ABCDEF";
  return std::string("0x") + kDigits[byte >> 4] + kDigits[byte & 15];
}

std::string codePointName(std::uint32_t cp) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "U+%04X", static_cast<unsigned>(cp));
  return buffer;
}

}  // namespace

std::string cp1252ToUtf8(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) appendUtf8(out, codePointOf(static_cast<unsigned char>(c)));
  return out;
}

std::optional<std::string> utf8ToCp1252(const std::string& text, EncodingError* error) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    std::size_t length = 0;
    const std::uint32_t cp = decodeUtf8(text, i, length);
    if (length == 0) {
      if (error) {
        const auto bad = static_cast<unsigned char>(text[i]);
        *error = {i, std::string(1, text[i]), hexByte(bad), true};
      }
      return std::nullopt;
    }
    const auto byte = byteOf(cp);
    if (!byte) {
      if (error) *error = {i, text.substr(i, length), codePointName(cp)};
      return std::nullopt;
    }
    out += static_cast<char>(*byte);
    i += length;
  }
  return out;
}

}  // namespace fenok::pack

namespace fenok::pack {

std::size_t firstInvalidUtf8(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    std::size_t length = 0;
    decodeUtf8(text, i, length);
    if (length == 0) return i;
    i += length;
  }
  return std::string::npos;
}

std::string lowerAscii(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

}  // namespace fenok::pack
