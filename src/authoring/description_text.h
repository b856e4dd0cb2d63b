#pragma once
// The bytes of a quiz description as the UTF-8 text the TOML reader takes. Windows editors add a
// byte-order mark (dropped here) or save in UTF-16 or in the ANSI code page (refused, with a word on
// how to save the file instead).
#include <cstdint>
#include <string>
#include <vector>

#include "diagnostics.h"

namespace fenok::pack {

// False, with the problem in diagnostics, when the bytes are not UTF-8 text.
bool descriptionText(const std::vector<std::uint8_t>& bytes, std::string& text, Diagnostics& diagnostics);

}  // namespace fenok::pack
