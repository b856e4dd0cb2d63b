#pragma once
// UTF-8 (the studio's logic) to UTF-16 (the W functions) and back.
#include <string>

namespace fenok::studio {

std::wstring widen(const std::string& utf8);     // invalid sequences become U+FFFD
std::string narrow(const std::wstring& utf16);  // unpaired surrogates become U+FFFD

}  // namespace fenok::studio
