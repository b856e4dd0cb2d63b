#pragma once
// The verdict of a typed answer against the expected one: a pure function of two texts (Windows-1252).
#include <string>

namespace fenok {

// The verdict words, byte for byte as shown.
extern const char* const kVerdictEmpty;       // "?"
extern const char* const kVerdictRight;       // "BRAVO"
extern const char* const kVerdictWrong;       // "FAUX"
extern const char* const kVerdictAnagram;     // "Anagramme"
extern const char* const kVerdictOneEdit;     // "Quasiment"
extern const char* const kVerdictTwoEdits;    // "Presque"
extern const char* const kVerdictTooShort;    // "Trop court"
extern const char* const kVerdictNotFar;      // "Pas loin"
extern const char* const kVerdictTooLong;     // "Trop long"
extern const char* const kVerdictGoodIdea;    // "y a de l'id\xE9" "e"

// How a verdict label is coloured, by its word: "?" keeps the platform's colours, "BRAVO", "FAUX"
// and "Anagramme" have their own, every other hint is amber.
enum class VerdictTint { none, right, wrong, anagram, hint };
VerdictTint verdictTint(const std::string& word);

constexpr int kMaxTextBytes = 259;

// Texts longer than 259 bytes are cut to their first 259 bytes before they are compared (an answer
// box never holds more); normaliseTyped, editDistance, sortedLetters and containment cut the same way.
const char* computeVerdict(const std::string& typed, const std::string& expected);
std::string normaliseTyped(const std::string& typed);   // outer spaces off, a-z upper-cased
std::string upperAscii(const std::string& text);        // a-z upper-cased, nothing trimmed
int editDistance(const std::string& first, const std::string& second);
std::string sortedLetters(const std::string& text);     // bytes ascending as signed chars
int containment(const std::string& expected, const std::string& typed);  // 2, -2 or 0

}  // namespace fenok
