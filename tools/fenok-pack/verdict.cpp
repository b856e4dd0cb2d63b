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

// Where the texts come from and how what is wrong is said.
struct Voice {
  std::ostream& err;
  Language language;
  void tell(const Message& what) const { err << "fenok-pack verdict: " << say(what, language) << "\n"; }
};

// Why the text from place cannot be an answer, or nothing when it can.
std::optional<Message> problemWith(const std::string& utf8, const Message& place, std::string& cp1252) {
  EncodingError error;
  const std::optional<std::string> converted = utf8ToCp1252(utf8, &error);
  if (!converted && error.malformed) return message(Msg::invalidUtf8Byte, place, error.description);
  if (!converted) return message(Msg::characterNotWindows1252, place, error.character, error.description);
  if (converted->find('\0') != std::string::npos) return message(Msg::nulCannotBeTyped, place);
  if (converted->size() > static_cast<std::size_t>(kMaxTextBytes))
    return message(Msg::answerTooLong, place, converted->size(), kMaxTextBytes);
  cp1252 = *converted;
  return std::nullopt;
}

// Converts both texts, or says what is wrong with the first bad one, with where it is.
bool convertPair(const std::string& typedUtf8, const std::string& expectedUtf8, const Message& typedPlace,
                 const Message& expectedPlace, std::string& typed, std::string& expected, const Voice& voice) {
  std::optional<Message> problem = problemWith(typedUtf8, typedPlace, typed);
  if (!problem) problem = problemWith(expectedUtf8, expectedPlace, expected);
  if (problem) voice.tell(*problem);
  return !problem;
}

void printVerdict(const std::string& typed, const std::string& expected, const Judging& judging, std::ostream& out) {
  std::vector<std::string> forms{expected};
  forms.insert(forms.end(), judging.also.begin(), judging.also.end());
  out << cp1252ToUtf8(judgeTyped(typed, forms, judging.accentMode)) << "\n";
}

int runOne(const std::string& typedUtf8, const std::string& expectedUtf8, const Judging& judging, std::ostream& out,
           const Voice& voice) {
  std::string typed;
  std::string expected;
  if (!convertPair(typedUtf8, expectedUtf8, message(Msg::typedArgument), message(Msg::expectedArgument), typed,
                   expected, voice)) {
    return kBadInput;
  }
  printVerdict(typed, expected, judging, out);
  return 0;
}

int runBatch(std::istream& in, const Judging& judging, std::ostream& out, const Voice& voice) {
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    // Editors on Windows may start the file with a byte-order mark and end lines in CR LF; neither
    // belongs to an answer.
    if (number == 1 && line.rfind(kUtf8ByteOrderMark, 0) == 0) line.erase(0, sizeof(kUtf8ByteOrderMark) - 1);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t tab = line.find('\t');
    if (tab == std::string::npos) {
      voice.tell(message(Msg::noTab, number));
      return kBadInput;
    }
    std::string typed;
    std::string expected;
    if (!convertPair(line.substr(0, tab), line.substr(tab + 1), message(Msg::typedOnLine, number),
                     message(Msg::expectedOnLine, number), typed, expected, voice)) {
      return kBadInput;
    }
    printVerdict(typed, expected, judging, out);
  }
  out.flush();
  return 0;
}

// Takes the options out of args, leaving the texts (or --batch); false, with a message, on a bad one.
bool readOptions(Arguments& args, Judging& judging, const Voice& voice) {
  Arguments rest;
  bool options = true;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (options && arg == "--") {
      options = false;
    } else if (options && arg == "--tolerant") {
      judging.accentMode = kAccentsTolerant;
    } else if (options && arg == "--also") {
      const Message place = message(Msg::alsoOption, judging.also.size() + 1);
      if (i + 1 >= args.size()) {
        voice.tell(message(Msg::alsoMissing, place));
        return false;
      }
      std::string form;
      if (const auto problem = problemWith(args[++i], place, form)) {
        voice.tell(*problem);
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

int runVerdict(const Arguments& arguments, std::istream& in, std::ostream& out, std::ostream& err, Language language) {
  Arguments args = arguments;
  Judging judging;
  const Voice voice{err, language};
  if (!readOptions(args, judging, voice)) return kBadInput;
  if (args.size() == 1 && args[0] == "--batch") return runBatch(in, judging, out, voice);
  if (args.size() == 2) return runOne(args[0], args[1], judging, out, voice);
  err << kUsage;
  return kBadInput;
}

int runVerdict(const Arguments& args, Language language) {
  return runVerdict(args, std::cin, std::cout, std::cerr, language);
}

}  // namespace fenok::pack
