#include "generic_names.h"

#include <algorithm>
#include <cstdint>
#include <set>
#include <vector>

#include "text_encoding.h"

namespace fenok::pack {
namespace {

// A mixed run of letters and digits longer than this is a code, not a word ("R2D2", "COVID19" are
// words; "d41d8cd98f00b204" and "IMG20240612101530" are not).
constexpr std::size_t kLongestMixedWord = 12;
// At most this many letters and digits in all make a short code ("R2D2", "A380").
constexpr std::size_t kLongestCode = 5;
constexpr std::uint32_t kNotUtf8 = 0xFFFD;

// Words that cameras, phones, screenshot tools and apps put around their numbers, lower case.
const std::set<std::string> kFillerWords = {
    // cameras and phones
    "img", "imag", "image", "images", "dsc", "dscn", "dscf", "dcim", "pxl", "mvimg", "mvi", "vid", "video", "mov",
    "gopr", "gp", "gh", "gx", "dji", "wp", "cimg", "mg", "pict", "pic", "pics", "picture", "photo", "photos",
    "hdr", "burst", "cover", "portrait", "night", "pano", "mp", "edit", "edited",
    // screenshots and scans
    "screenshot", "screen", "shot", "capture", "écran", "ecran", "bildschirmfoto", "schermata", "captura",
    "pantalla", "scan", "numérisation", "numerisation",
    // messaging apps
    "whatsapp", "wa", "signal", "fb", "received", "snapchat",
    // copies and untitled files
    "copy", "copie", "untitled", "sans", "titre", "new", "nouveau", "nouvelle", "document", "file", "fichier",
    // extensions left in the name by a conversion ("IMG_1234.HEIC.jpg")
    "heic", "jpg", "jpeg", "png", "gif",
    // the small words of their dates
    "at", "de", "du", "le", "la", "from", "am", "pm",
};

// Screenshot names go on with the name of the app they were taken in ("Screenshot_20240101-101010_Chrome").
const std::vector<std::vector<std::string>> kScreenshotStarts = {
    {"screenshot"}, {"screen", "shot"}, {"capture", "d", "écran"}, {"capture", "d", "ecran"},
    {"bildschirmfoto"}, {"schermata"}, {"captura", "de", "pantalla"},
};

enum class Kind { separator, letter, digit };

struct Character {
  std::string bytes;  // UTF-8, lower case for ASCII letters
  Kind kind;
};

// Letters: ASCII ones and everything from U+00C0 on, but for × ÷ and the punctuation of U+2000 to
// U+206F (curly apostrophes and quotes, dashes); U+0080 to U+00BF are symbols and spaces.
Kind kindOf(std::uint32_t cp) {
  if (cp >= '0' && cp <= '9') return Kind::digit;
  if ((cp >= 'a' && cp <= 'z') || (cp >= 'A' && cp <= 'Z')) return Kind::letter;
  if (cp < 0xC0 || cp == 0xD7 || cp == 0xF7 || (cp >= 0x2000 && cp <= 0x206F)) return Kind::separator;
  return Kind::letter;
}

std::vector<Character> characters(const std::string& text) {
  std::vector<Character> out;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t length = 0;
    std::uint32_t cp = decodeUtf8(text, i, length);
    if (length == 0) {  // a byte of its own, taken for a letter
      length = 1;
      cp = kNotUtf8;
    }
    std::string bytes = text.substr(i, length);
    if (cp >= 'A' && cp <= 'Z') bytes[0] = static_cast<char>(cp - 'A' + 'a');
    out.push_back({bytes, kindOf(cp)});
    i += length;
  }
  return out;
}

// A token is what lies between separators; a run, its letters or digits in a row.
struct Run {
  std::string text;
  std::size_t length = 0;  // in characters
  Kind kind = Kind::letter;
  bool inLongMixedToken = false;
};

std::vector<Run> runsOf(const std::vector<Character>& name) {
  std::vector<Run> runs;
  std::size_t tokenStart = 0;
  bool tokenHasLetter = false, tokenHasDigit = false;
  std::size_t tokenLength = 0;
  const auto endToken = [&] {
    const bool longMixed = tokenHasLetter && tokenHasDigit && tokenLength > kLongestMixedWord;
    for (std::size_t r = tokenStart; r < runs.size(); ++r) runs[r].inLongMixedToken = longMixed;
    tokenStart = runs.size();
    tokenHasLetter = tokenHasDigit = false;
    tokenLength = 0;
  };
  Kind previous = Kind::separator;
  for (const Character& c : name) {
    if (c.kind == Kind::separator) {
      endToken();
    } else {
      if (c.kind != previous) runs.push_back({"", 0, c.kind, false});
      runs.back().text += c.bytes;
      ++runs.back().length;
      ++tokenLength;
      (c.kind == Kind::letter ? tokenHasLetter : tokenHasDigit) = true;
    }
    previous = c.kind;
  }
  endToken();
  return runs;
}

bool startsAsScreenshot(const std::vector<Run>& runs) {
  std::vector<std::string> letters;
  for (const Run& run : runs)
    if (run.kind == Kind::letter) letters.push_back(run.text);
  return std::any_of(kScreenshotStarts.begin(), kScreenshotStarts.end(), [&](const std::vector<std::string>& start) {
    return letters.size() >= start.size() && std::equal(start.begin(), start.end(), letters.begin());
  });
}

bool isWord(const Run& run) {
  return run.kind == Kind::letter && run.length >= 2 && !run.inLongMixedToken && kFillerWords.count(run.text) == 0;
}

bool isShortCode(const std::vector<Run>& runs) {
  std::size_t length = 0;
  bool ownLetter = false;
  for (const Run& run : runs) {
    length += run.length;
    ownLetter |= run.kind == Kind::letter && kFillerWords.count(run.text) == 0;
  }
  return ownLetter && length <= kLongestCode;
}

}  // namespace

bool isGenericName(const std::string& stem) {
  const std::vector<Run> runs = runsOf(characters(stem));
  if (startsAsScreenshot(runs)) return true;
  return std::none_of(runs.begin(), runs.end(), isWord) && !isShortCode(runs);
}

}  // namespace fenok::pack
