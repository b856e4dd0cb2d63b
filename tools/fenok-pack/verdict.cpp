// fenok-pack verdict: the verdict the player gives a typed answer, through the player's own judge.
//
//   fenok-pack verdict TYPED EXPECTED [OPTIONS]   one verdict
//   fenok-pack verdict --batch [OPTIONS]          lines "typed<TAB>expected" on stdin, one verdict line each
//
// Options, anywhere, as a quiz may ask: --tolerant (case and accents do not count), --also ANSWER (one more
// answer accepted beside the expected one; repeatable, for every line in batch mode). "--" ends them.
//
// Texts are UTF-8 outside and Windows-1252 inside, as in the player. A text the player could not hold
// (a character outside Windows-1252, more than 259 bytes, a NUL) is an error naming where it is;
// in batch mode nothing after the bad line is printed, so a verdict is never shown for the wrong line.
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "authoring/text_encoding.h"
#include "content/quiz.h"
#include "judge/answer_match.h"
#include "judge/verdict.h"
#include "verdict_command.h"

namespace fenok::pack {

namespace {

constexpr int kBadInput = 2;
constexpr char kUtf8ByteOrderMark[] = "\xEF\xBB\xBF";
constexpr char kUsage[] =
    "usage: fenok-pack verdict TYPED EXPECTED [--tolerant] [--also ANSWER]...\n"
    "       fenok-pack verdict --batch [--tolerant] [--also ANSWER]...\n";

// What the judge is asked beside the two texts: the quiz's accent mode and the box's other answers.
struct Judging {
  std::int32_t accentMode = kAccentsStrict;
  std::vector<std::string> also;  // Windows-1252
};

// Why a text cannot be an answer, or nothing when it can.
std::optional<std::string> problemWith(const std::string& utf8, std::string& cp1252) {
  EncodingError error;
  const std::optional<std::string> converted = utf8ToCp1252(utf8, &error);
  if (!converted) {
    if (!error.malformed) {
      return "character '" + error.character + "' (" + error.description + ") has no Windows-1252 form";
    }
    return error.description;
  }
  if (converted->find('\0') != std::string::npos) return "character U+0000 cannot be typed into an answer box";
  if (converted->size() > static_cast<std::size_t>(kMaxTextBytes)) {
    return std::to_string(converted->size()) + " bytes in Windows-1252, at most " + std::to_string(kMaxTextBytes);
  }
  cp1252 = *converted;
  return std::nullopt;
}

// Converts both texts, or says on err what is wrong with the first bad one, prefixed by where it is.
bool convertPair(const std::string& typedUtf8, const std::string& expectedUtf8, const std::string& typedPlace,
                 const std::string& expectedPlace, std::string& typed, std::string& expected, std::ostream& err) {
  if (const auto problem = problemWith(typedUtf8, typed)) {
    err << "fenok-pack verdict: " << typedPlace << ": " << *problem << "\n";
    return false;
  }
  if (const auto problem = problemWith(expectedUtf8, expected)) {
    err << "fenok-pack verdict: " << expectedPlace << ": " << *problem << "\n";
    return false;
  }
  return true;
}

void printVerdict(const std::string& typed, const std::string& expected, const Judging& judging, std::ostream& out) {
  std::vector<std::string> forms{expected};
  forms.insert(forms.end(), judging.also.begin(), judging.also.end());
  out << cp1252ToUtf8(judgeTyped(typed, forms, judging.accentMode)) << "\n";
}

int runOne(const std::string& typedUtf8, const std::string& expectedUtf8, const Judging& judging, std::ostream& out,
           std::ostream& err) {
  std::string typed;
  std::string expected;
  if (!convertPair(typedUtf8, expectedUtf8, "argument 1 (typed answer)", "argument 2 (expected answer)", typed,
                   expected, err)) {
    return kBadInput;
  }
  printVerdict(typed, expected, judging, out);
  return 0;
}

int runBatch(std::istream& in, const Judging& judging, std::ostream& out, std::ostream& err) {
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    // Editors on Windows may start the file with a byte-order mark and end lines in CR LF; neither
    // belongs to an answer.
    if (number == 1 && line.rfind(kUtf8ByteOrderMark, 0) == 0) line.erase(0, sizeof(kUtf8ByteOrderMark) - 1);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::string where = "line " + std::to_string(number);
    const std::size_t tab = line.find('\t');
    if (tab == std::string::npos) {
      err << "fenok-pack verdict: " << where << ": no tab between the typed and the expected answer\n";
      return kBadInput;
    }
    std::string typed;
    std::string expected;
    if (!convertPair(line.substr(0, tab), line.substr(tab + 1), where + ", typed answer", where + ", expected answer",
                     typed, expected, err)) {
      return kBadInput;
    }
    printVerdict(typed, expected, judging, out);
  }
  out.flush();
  return 0;
}

// Takes the options out of args, leaving the texts (or --batch); false, with a message, on a bad one.
bool readOptions(Arguments& args, Judging& judging, std::ostream& err) {
  Arguments rest;
  bool options = true;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (options && arg == "--") {
      options = false;
    } else if (options && arg == "--tolerant") {
      judging.accentMode = kAccentsTolerant;
    } else if (options && arg == "--also") {
      const std::string place = "--also " + std::to_string(judging.also.size() + 1);
      if (i + 1 >= args.size()) {
        err << "fenok-pack verdict: " << place << ": the accepted answer is missing\n";
        return false;
      }
      std::string form;
      if (const auto problem = problemWith(args[++i], form)) {
        err << "fenok-pack verdict: " << place << ": " << *problem << "\n";
        return false;
      }
      judging.also.push_back(form);
    } else {
      rest.push_back(arg);
    }
  }
  args = rest;
  return true;
}

}  // namespace

int runVerdict(const Arguments& arguments, std::istream& in, std::ostream& out, std::ostream& err) {
  Arguments args = arguments;
  Judging judging;
  if (!readOptions(args, judging, err)) return kBadInput;
  if (args.size() == 1 && args[0] == "--batch") return runBatch(in, judging, out, err);
  if (args.size() == 2) return runOne(args[0], args[1], judging, out, err);
  err << kUsage;
  return kBadInput;
}

int runVerdict(const Arguments& args) { return runVerdict(args, std::cin, std::cout, std::cerr); }

}  // namespace fenok::pack
