// The verdict of a typed answer. Works on fixed buffers of at most 259 bytes, so a call allocates
// nothing: the two distance rows and the sorted copies live on the stack.
#include "judge/verdict.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace fenok {

const char* const kVerdictEmpty = "?";
const char* const kVerdictRight = "BRAVO";
const char* const kVerdictWrong = "FAUX";
const char* const kVerdictAnagram = "Anagramme";
const char* const kVerdictOneEdit = "Quasiment";
const char* const kVerdictTwoEdits = "Presque";
const char* const kVerdictTooShort = "Trop court";
const char* const kVerdictNotFar = "Pas loin";
const char* const kVerdictTooLong = "Trop long";
const char* const kVerdictGoodIdea = "y a de l'id\xE9" "e";

namespace {

// Answers this short are only ever right or wrong.
constexpr int kShortAnswer = 3;
// A piece of the answer needs an answer longer than this to earn a hint.
constexpr int kShortestPieceAnswer = 9;
constexpr int kPercent = 100;
constexpr int kTooShortPercent = 70;
constexpr int kNotFarPiecePercent = 50;
constexpr int kTooLongExtra = 10;
constexpr int kNotFarExtra = 20;
constexpr int kGoodIdeaPercent = 80;

constexpr int kContained = 2;

// A text of at most kMaxTextBytes bytes in a buffer of its own.
struct Text {
  char bytes[kMaxTextBytes + 1];
  int length = 0;

  Text() = default;
  Text(const char* data, std::size_t size) {
    length = static_cast<int>(std::min<std::size_t>(size, kMaxTextBytes));
    std::memcpy(bytes, data, static_cast<std::size_t>(length));
  }
  explicit Text(const std::string& text) : Text(text.data(), text.size()) {}
  std::string str() const { return std::string(bytes, static_cast<std::size_t>(length)); }
  bool operator==(const Text& other) const {
    return length == other.length && std::memcmp(bytes, other.bytes, static_cast<std::size_t>(length)) == 0;
  }
};

char upperAsciiByte(char byte) { return (byte >= 'a' && byte <= 'z') ? static_cast<char>(byte - 'a' + 'A') : byte; }

void upperInPlace(Text& text) {
  for (int i = 0; i < text.length; ++i) text.bytes[i] = upperAsciiByte(text.bytes[i]);
}

// Only the space itself is trimmed; tabs and other blanks belong to the answer.
Text normalised(const Text& typed) {
  int first = 0;
  int last = typed.length;
  while (first < last && typed.bytes[first] == ' ') ++first;
  while (last > first && typed.bytes[last - 1] == ' ') --last;
  Text result(typed.bytes + first, static_cast<std::size_t>(last - first));
  upperInPlace(result);
  return result;
}

int distance(const Text& first, const Text& second) {
  // Two rows of the table are enough: each row is built from the one above.
  int rowA[kMaxTextBytes + 1];
  int rowB[kMaxTextBytes + 1];
  int* previous = rowA;
  int* current = rowB;
  for (int column = 0; column <= second.length; ++column) previous[column] = column;
  for (int row = 1; row <= first.length; ++row) {
    current[0] = row;
    const char byte = first.bytes[row - 1];
    for (int column = 1; column <= second.length; ++column) {
      const int substitution = byte == second.bytes[column - 1] ? 0 : 1;
      const int insertOrDelete = std::min(previous[column], current[column - 1]) + 1;
      current[column] = std::min(insertOrDelete, previous[column - 1] + substitution);
    }
    std::swap(previous, current);
  }
  return previous[second.length];
}

// Sorted as signed bytes, so 0x80 to 0xFF come before ASCII.
Text sorted(const Text& text) {
  Text result = text;
  auto* begin = reinterpret_cast<signed char*>(result.bytes);
  std::sort(begin, begin + result.length);
  return result;
}

// The scan never moves back: a match that starts inside a failed partial match is missed.
int contained(const Text& expected, const Text& typed) {
  const bool typedShorter = typed.length < expected.length;
  const Text& needle = typedShorter ? typed : expected;
  const Text& haystack = typedShorter ? expected : typed;
  const int sign = typedShorter ? -1 : 1;
  if (needle.length == 0) return 0;

  int h = 0;
  while (h < haystack.length) {
    while (h < haystack.length && haystack.bytes[h] != needle.bytes[0]) ++h;
    if (h >= haystack.length) return 0;
    int n = 0;
    while (h < haystack.length && n < needle.length && haystack.bytes[h] == needle.bytes[n]) {
      ++h;
      ++n;
    }
    if (n == needle.length) return kContained * sign;
  }
  return 0;
}

// Rows 9 to 15: the typed text is one piece of the answer, or the whole answer with more around it.
const char* pieceVerdict(int containment, int expectedLength, int typedLength) {
  const int u = expectedLength;
  const int v = typedLength;
  if (containment == -kContained) {
    if (u <= kShortestPieceAnswer) return kVerdictWrong;
    if (kPercent * v > kTooShortPercent * u) return kVerdictTooShort;
    if (kPercent * v > kNotFarPiecePercent * u) return kVerdictNotFar;
    return kVerdictWrong;
  }
  if (v - u > kNotFarExtra) return kVerdictWrong;
  if (v - u > kTooLongExtra) return kVerdictNotFar;
  return kVerdictTooLong;
}

}  // namespace

const char* computeVerdict(const std::string& typedText, const std::string& expectedText) {
  const Text typed = normalised(Text(typedText));
  Text expected(expectedText);
  upperInPlace(expected);
  const int u = expected.length;
  const int v = typed.length;

  if (u <= kShortAnswer) {
    if (v == 0) return kVerdictEmpty;
    return typed == expected ? kVerdictRight : kVerdictWrong;
  }
  if (v == 0) return kVerdictEmpty;
  const int d1 = distance(expected, typed);
  if (d1 == 0) return kVerdictRight;
  // The sorted texts are at distance 0 exactly when they are equal, so no second table is needed.
  if (sorted(expected) == sorted(typed)) return kVerdictAnagram;
  if (d1 == 1) return kVerdictOneEdit;
  if (d1 == 2) return kVerdictTwoEdits;

  const int containment = contained(expected, typed);
  if (containment != 0) return pieceVerdict(containment, u, v);

  // 100 * (L - d1) / L > 80, kept in integers.
  const int longer = std::max(u, v);
  if (kPercent * (longer - d1) > kGoodIdeaPercent * longer) return kVerdictGoodIdea;
  return kVerdictWrong;
}

std::string normaliseTyped(const std::string& typed) { return normalised(Text(typed)).str(); }

std::string upperAscii(const std::string& text) {
  std::string result = text;
  for (char& byte : result) byte = upperAsciiByte(byte);
  return result;
}

int editDistance(const std::string& first, const std::string& second) { return distance(Text(first), Text(second)); }

std::string sortedLetters(const std::string& text) { return sorted(Text(text)).str(); }

int containment(const std::string& expected, const std::string& typed) {
  return contained(Text(expected), Text(typed));
}

VerdictTint verdictTint(const std::string& word) {
  if (word == kVerdictEmpty) return VerdictTint::none;
  if (word == kVerdictRight) return VerdictTint::right;
  if (word == kVerdictWrong) return VerdictTint::wrong;
  if (word == kVerdictAnagram) return VerdictTint::anagram;
  return VerdictTint::hint;
}

}  // namespace fenok
