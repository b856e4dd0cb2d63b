#pragma once
// The media type a browser is told for a picture or clip of the quiz, from its first bytes; empty
// when unknown (the browser then looks for itself).
#include <cstdint>
#include <string>
#include <vector>

namespace fenok::web {

std::string pictureType(const std::vector<std::uint8_t>& bytes);
// By the extension the program gives the clip's file (clipExtension).
std::string clipType(const std::string& clipFile);

}  // namespace fenok::web
