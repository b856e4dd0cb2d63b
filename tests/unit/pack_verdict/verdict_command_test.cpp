// fenok-pack verdict: UTF-8 in and out, one answer or a batch, and exact refusals of texts the player
// could not hold.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "fenok-pack/verdict_command.h"
#include "judge/verdict.h"

namespace fenok::pack {
namespace {

struct CommandResult {
  int status = -1;
  std::string out;
  std::string err;
};

CommandResult run(const Arguments& args, const std::string& input = "") {
  std::istringstream in(input);
  std::ostringstream out;
  std::ostringstream err;
  CommandResult result;
  result.status = runVerdict(args, in, out, err, Language::english);
  result.out = out.str();
  result.err = err.str();
  return result;
}

struct OneCase {
  const char* typed;     // UTF-8
  const char* expected;  // UTF-8
  const char* printed;   // UTF-8, without the newline
};

class VerdictCommand : public ::testing::TestWithParam<OneCase> {};

TEST_P(VerdictCommand, PrintsThePlayersVerdictInUtf8) {
  const CommandResult r = run({GetParam().typed, GetParam().expected});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, std::string(GetParam().printed) + "\n");
  EXPECT_EQ(r.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    Answers, VerdictCommand,
    ::testing::Values(OneCase{"  Chateau ", "chateau", "BRAVO"},                              //
                      OneCase{"", "CHATEAU", "?"},                                            //
                      OneCase{"ÉCOLE", "école", "Quasiment"},                                 // é is not upper-cased
                      OneCase{"école", "ÉCOLE", "Quasiment"},                                 //
                      OneCase{"été", "été", "BRAVO"},                                         //
                      OneCase{"ANTICONSTITUSIONELEMENT", "ANTICONSTITUTIONNELLEMENT", "y a de l'idée"},
                      OneCase{"CHATEAUBRI", "CHATEAUBRIAND", "Trop court"},                   //
                      OneCase{"œuvre", "ŒUVRE", "Quasiment"},                                 // both in Windows-1252
                      OneCase{"--batch", "--BATCH", "BRAVO"}));                               // two arguments are texts

TEST(VerdictCommandErrors, CharacterOutsideWindows1252NamesTheArgumentAndTheCharacter) {
  const CommandResult r = run({"中国", "CHINE"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "fenok-pack verdict: argument 1 (typed answer): character '中' (U+4E2D) has no Windows-1252 form\n");

  const CommandResult second = run({"Chine", "Chine 🐉"});
  EXPECT_EQ(second.status, 2);
  EXPECT_EQ(second.out, "");
  EXPECT_NE(second.err.find("argument 2 (expected answer)"), std::string::npos) << second.err;
  EXPECT_NE(second.err.find("U+1F409"), std::string::npos) << second.err;
}

TEST(VerdictCommandErrors, MalformedUtf8IsRefused) {
  const CommandResult r = run({"caf\xE9", "CAFE"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "fenok-pack verdict: argument 1 (typed answer): invalid UTF-8 byte 0xE9\n");
}

TEST(VerdictCommandErrors, TextsOver259BytesAreRefusedCountedInWindows1252) {
  // 259 characters é are 518 bytes of UTF-8 but 259 bytes in the player: accepted.
  std::string longest;
  for (int i = 0; i < 259; ++i) longest += "é";
  const CommandResult fits = run({longest, longest});
  EXPECT_EQ(fits.status, 0);
  EXPECT_EQ(fits.out, "BRAVO\n");

  const CommandResult over = run({"x", longest + "e"});
  EXPECT_EQ(over.status, 2);
  EXPECT_EQ(over.out, "");
  EXPECT_EQ(over.err, "fenok-pack verdict: argument 2 (expected answer): 260 bytes in Windows-1252, at most 259\n");
}

TEST(VerdictCommandErrors, WrongArgumentCountShowsUsage) {
  for (const Arguments& args : {Arguments{}, Arguments{"one"}, Arguments{"a", "b", "c"}}) {
    const CommandResult r = run(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("usage: fenok-pack verdict TYPED EXPECTED"), std::string::npos);
  }
}

TEST(VerdictBatch, PrintsOneVerdictPerLineInOrder) {
  const CommandResult r = run({"--batch"},
                    "chateau\tCHATEAU\n"
                    "\tCHATEAU\n"
                    "CHAETAU\tCHATEAU\n"
                    "PARIS FRANCE\tPARIS\n"
                    "ÉCOLE\técole\n"
                    "roi \tROI\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "BRAVO\n?\nAnagramme\nTrop long\nQuasiment\nBRAVO\n");
  EXPECT_EQ(r.err, "");
}

TEST(VerdictBatch, LastLineNeedsNoNewlineAndCrLfLinesWork) {
  const CommandResult r = run({"--batch"}, "lion\tLION\r\nLIO\tLION\r\nBATEAU\tCHATEAU");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "BRAVO\nQuasiment\nPresque\n");
}

TEST(VerdictBatch, AByteOrderMarkStartingTheInputIsSkipped) {
  const CommandResult r = run({"--batch"}, "\xEF\xBB\xBFlion\tLION\n\xEF\xBB\xBFlion\tLION\n");
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "BRAVO\n");  // only at the very start: on line 2 it is a character like any other
  EXPECT_EQ(r.err,
            "fenok-pack verdict: line 2, typed answer: character '\xEF\xBB\xBF' (U+FEFF) has no Windows-1252 form\n");
}

TEST(VerdictBatch, EmptyInputPrintsNothing) {
  const CommandResult r = run({"--batch"}, "");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "");
}

TEST(VerdictBatch, TabsAfterTheFirstBelongToTheExpectedAnswer) {
  const CommandResult r = run({"--batch"}, "A\tB\tC\tD\nA\tB\tC\tD\n");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, std::string(computeVerdict("A", "B\tC\tD")) + "\n" + computeVerdict("A", "B\tC\tD") + "\n");
}

struct BadBatch {
  const char* name;
  std::string input;
  std::string out;  // the verdicts of the lines before the bad one
  std::string err;
};

std::ostream& operator<<(std::ostream& stream, const BadBatch& c) { return stream << c.name; }

class VerdictBatchErrors : public ::testing::TestWithParam<BadBatch> {};

TEST_P(VerdictBatchErrors, StopsAtTheBadLineNamingIt) {
  const CommandResult r = run({"--batch"}, GetParam().input);
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, GetParam().out);
  EXPECT_EQ(r.err, GetParam().err);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, VerdictBatchErrors,
    ::testing::Values(
        BadBatch{"TypedOutsideWindows1252", "lion\tLION\nлев\tLION\nlion\tLION\n", "BRAVO\n",
                 "fenok-pack verdict: line 2, typed answer: character 'л' (U+043B) has no Windows-1252 form\n"},
        BadBatch{"ExpectedOutsideWindows1252", "a\tb\nc\td\nlion\tLI→ON\nlion\tLION\n", "FAUX\nFAUX\n",
                 "fenok-pack verdict: line 3, expected answer: character '→' (U+2192) has no Windows-1252 form\n"},
        BadBatch{"TooLong", "lion\t" + std::string(260, 'L') + "\nlion\tLION\n", "",
                 "fenok-pack verdict: line 1, expected answer: 260 bytes in Windows-1252, at most 259\n"},
        BadBatch{"NoTab", "lion\tLION\nlion LION\nlion\tLION\n", "BRAVO\n",
                 "fenok-pack verdict: line 2: no tab between the typed and the expected answer\n"},
        BadBatch{"EmptyLine", "lion\tLION\n\nlion\tLION\n", "BRAVO\n",
                 "fenok-pack verdict: line 2: no tab between the typed and the expected answer\n"},
        BadBatch{"MalformedUtf8", "caf\xC3\tCAFE\n", "",
                 "fenok-pack verdict: line 1, typed answer: invalid UTF-8 byte 0xC3\n"},
        BadBatch{"Nul", std::string("li\0on\tLION\n", 11), "",
                 "fenok-pack verdict: line 1, typed answer: character U+0000 cannot be typed into an answer box\n"}));

struct OptionsCase {
  Arguments args;
  std::string input;
  std::string out;
};

TEST(VerdictOptions, JudgeAsAQuizWithThemWould) {
  const OptionsCase cases[] = {
      {{"été", "ÉTÉ"}, "", "FAUX\n"},
      {{"été", "ÉTÉ", "--tolerant"}, "", "BRAVO\n"},
      {{"--tolerant", "garcon", "GARÇON"}, "", "BRAVO\n"},
      {{"oeuf", "ŒUF", "--also", "OEUF"}, "", "BRAVO\n"},
      {{"un oeuf", "ŒUF", "--also", "OEUF", "--also", "UN OEUF"}, "", "BRAVO\n"},
      {{"CHATEAUX", "PALAIS", "--also", "CHATEAU"}, "", "Quasiment\n"},
      {{"--", "--tolerant", "--TOLERANT"}, "", "BRAVO\n"},
      {{"--batch", "--tolerant", "--also", "UN ŒUF"}, "été\tÉTÉ\nun oeuf\tŒUF\nbeuf\tŒUF\n",
       "BRAVO\nBRAVO\nQuasiment\n"},
  };
  for (const OptionsCase& c : cases) {
    const CommandResult r = run(c.args, c.input);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, c.out) << c.args[0];
  }
}

TEST(VerdictOptions, RefuseABadAcceptedAnswer) {
  const CommandResult missing = run({"a", "b", "--also"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.err, "fenok-pack verdict: --also 1: the accepted answer is missing\n");
  const CommandResult outside = run({"a", "b", "--also", "B", "--also", "л"});
  EXPECT_EQ(outside.status, 2);
  EXPECT_EQ(outside.out, "");
  EXPECT_EQ(outside.err, "fenok-pack verdict: --also 2: character 'л' (U+043B) has no Windows-1252 form\n");
}

}  // namespace
}  // namespace fenok::pack
