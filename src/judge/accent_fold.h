#pragma once
// Case and accents taken out of a Windows-1252 text, for quizzes that ask for accent tolerance.
#include <string>

namespace fenok {

// a-z upper-cased, then every accented letter of Windows-1252, either case, made its plain capital
// (é and É become E, ç and Ç become C, ÿ and Ÿ become Y), the ligatures spelt out (Œ and œ become OE,
// Æ and æ AE, ß SS) and the other small letters made capitals (ð becomes Ð). The result is cut to 259
// bytes, as the judge cuts every text.
std::string foldAccents(const std::string& text);

// Whether the text holds a capital letter outside A-Z: a letter the player's own upper-casing never
// makes, so a player who types it in small letters gets no "BRAVO" without accent tolerance.
bool hasCapitalBeyondAscii(const std::string& text);

}  // namespace fenok
