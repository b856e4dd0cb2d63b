#pragma once
// Text between the page (UTF-8) and the program (Windows-1252, as its edit controls hold it).
#include <string>

namespace fenok::web {

// What an answer box of the program would hold for the text typed in the page: Windows-1252, with
// '?' for a character it has no byte for.
std::string programText(const std::string& utf8);

// A text of the program as the page shows it.
std::string pageText(const std::string& cp1252);

}  // namespace fenok::web
