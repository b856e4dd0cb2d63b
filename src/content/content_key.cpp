#include "content/content_key.h"

#include <string>

#include "content/lzw.h"

namespace fenok {

// Shared with the authoring tool: changing it makes every packed quiz unreadable when scrambled.
const std::uint8_t contentKey[kContentKeyLength] = {0x5A, 0xC3, 0x17, 0x8E, 0x21, 0x9B, 0x64,
                                                    0xF0, 0x3D, 0xA7, 0x48, 0x12, 0xE9, 0x76};

void descramble(std::uint8_t* bytes, std::size_t size) {
  for (std::size_t i = 1; i < size; ++i) bytes[i] ^= contentKey[(i - 1) % kContentKeyLength];
}

// Short enough to fit the header's 115-pixel link label on one line; the shell opens "www." addresses as web links.
const char* const kBuiltInLinkAddress = "www.fenok.test";
const char* const kBuiltInStatusText = "fenok, quiz en images";

const std::vector<std::uint8_t>& builtInLinkText() {
  // Two ignored bytes, then the link address and the status line, each ended by '|'.
  static const std::vector<std::uint8_t> encoded = [] {
    std::string text = "  ";
    text += kBuiltInLinkAddress;
    text += '|';
    text += kBuiltInStatusText;
    text += '|';
    return lzwEncode(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
  }();
  return encoded;
}

}  // namespace fenok
