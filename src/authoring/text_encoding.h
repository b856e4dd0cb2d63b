#pragma once
// Windows-1252 <-> UTF-8 at the tool's boundary: quiz texts are Windows-1252 inside the program,
// files and arguments that people write or read are UTF-8.
#include <cstdint>
#include <optional>
#include <string>

namespace fenok::pack {

// Windows-1252 bytes to UTF-8, as Windows converts them (the five unassigned bytes map to U+0081 ...).
std::string cp1252ToUtf8(const std::string& text);

struct EncodingError {
  std::size_t offset = 0;   // byte offset in the UTF-8 input
  std::string character;    // the offending character as UTF-8, or its bytes when it is not UTF-8
  std::string description;  // "U+4E2D", or the byte that is not UTF-8: "0xC3"
  bool malformed = false;   // not UTF-8 at all, rather than a character Windows-1252 lacks
};

// UTF-8 to Windows-1252; the first character it cannot hold (or malformed UTF-8) is an error.
std::optional<std::string> utf8ToCp1252(const std::string& text, EncodingError* error = nullptr);

// The code point of the UTF-8 sequence at text[i] and its length in bytes; length 0 when it is malformed.
std::uint32_t decodeUtf8(const std::string& text, std::size_t i, std::size_t& length);

// The offset of the first byte that is not part of well-formed UTF-8; npos when the text is UTF-8.
std::size_t firstInvalidUtf8(const std::string& text);

// A-Z made a-z, every other byte as it is: file endings compared whatever their case.
std::string lowerAscii(std::string text);

}  // namespace fenok::pack
