#pragma once
// A look over a TOML text before it is parsed: TOML allows characters beyond ASCII only inside quoted
// texts and comments, and the TOML library on Debian 12 (toml++ 3.3) misbehaves on some of them
// elsewhere, so such a character is reported here, with its line, and the text is not parsed.
#include <string>

namespace fenok::pack {

struct StrayCharacter {
  int line = 0;
  std::string character;  // its UTF-8 bytes
};

// True when every byte beyond ASCII lies in a quoted text or a comment; otherwise the first that does not.
bool nonAsciiOnlyQuoted(const std::string& text, StrayCharacter& stray);

// The line of the first quoted text that is never closed, or 0.
int firstUnclosedText(const std::string& text);

// The line of the first "[name]" table header (one bracket where an array of tables takes two), or 0.
int firstSingleBracketTable(const std::string& text, const std::string& name);

}  // namespace fenok::pack
