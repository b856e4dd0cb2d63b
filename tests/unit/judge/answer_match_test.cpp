// Judging against every form a box accepts, with and without accent tolerance (texts in Windows-1252).
#include "judge/answer_match.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "content/quiz.h"
#include "judge/accent_fold.h"
#include "judge/verdict.h"

namespace fenok {
namespace {

constexpr std::int32_t kStrict = kAccentsStrict;
constexpr std::int32_t kTolerant = kAccentsTolerant;

struct MatchCase {
  const char* typed;
  std::vector<std::string> forms;  // the expected answer, then the added ones
  std::int32_t mode;
  const char* verdict;
};

std::ostream& operator<<(std::ostream& out, const MatchCase& c) {
  out << "'" << c.typed << "' against";
  for (const std::string& form : c.forms) out << " '" << form << "'";
  return out << (c.mode == kTolerant ? " (tolerant)" : " (strict)");
}

class MatchTable : public ::testing::TestWithParam<MatchCase> {};

TEST_P(MatchTable, GivesTheVerdict) {
  const MatchCase& c = GetParam();
  EXPECT_STREQ(judgeTyped(c.typed, c.forms, c.mode), c.verdict);
  // The whole-question check agrees with the verdict on what is right.
  EXPECT_EQ(typedMatches(c.typed, c.forms, c.mode), std::string(c.verdict) == kVerdictRight);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MatchTable,
    ::testing::Values(
        // Strict: the player upper-cases only a-z.
        MatchCase{"\xE9t\xE9", {"\xC9T\xC9"}, kStrict, "FAUX"},
        MatchCase{"garcon", {"GAR\xC7ON"}, kStrict, "Quasiment"},
        MatchCase{"oeuf", {"\x8CUF"}, kStrict, "FAUX"},
        MatchCase{"caf\xE9", {"CAF\xC9"}, kStrict, "Quasiment"},
        MatchCase{"CAF\xC9", {"CAF\xC9"}, kStrict, "BRAVO"},
        // Tolerant: neither case nor accents count, on either side.
        MatchCase{"\xE9t\xE9", {"\xC9T\xC9"}, kTolerant, "BRAVO"},
        MatchCase{"ete", {"\xC9T\xC9"}, kTolerant, "BRAVO"},
        MatchCase{"\xC9T\xC9", {"\xE9t\xE9"}, kTolerant, "BRAVO"},
        MatchCase{"garcon", {"GAR\xC7ON"}, kTolerant, "BRAVO"},
        MatchCase{"GAR\xC7ON", {"garcon"}, kTolerant, "BRAVO"},
        MatchCase{"oeuf", {"\x8CUF"}, kTolerant, "BRAVO"},
        MatchCase{"\x9Cuf", {"OEUF"}, kTolerant, "BRAVO"},
        MatchCase{"cafe", {"CAF\xC9"}, kTolerant, "BRAVO"},
        MatchCase{"strasse", {"STRA\xDF" "E"}, kTolerant, "BRAVO"},
        MatchCase{"caesar", {"C\xC6SAR"}, kTolerant, "BRAVO"},
        MatchCase{"l'hay", {"L'HA\x9F"}, kTolerant, "BRAVO"},
        MatchCase{"  Cafe ", {"caf\xE9"}, kTolerant, "BRAVO"},
        MatchCase{"garcons", {"GAR\xC7ON"}, kTolerant, "Quasiment"},
        MatchCase{"", {"\xC9T\xC9"}, kTolerant, "?"},
        // An outer space in the expected answer still never matches.
        MatchCase{"\xC9T\xC9 ", {" \xC9T\xC9"}, kTolerant, "Quasiment"},
        // Added forms: right when any form is.
        MatchCase{"oeuf", {"\x8CUF", "OEUF"}, kStrict, "BRAVO"},
        MatchCase{"un oeuf", {"\x8CUF", "OEUF", "UN OEUF"}, kStrict, "BRAVO"},
        MatchCase{"un \x9Cuf", {"\x8CUF", "UN OEUF"}, kTolerant, "BRAVO"},
        MatchCase{"gamin", {"GAR\xC7ON", "GAMIN"}, kStrict, "BRAVO"},
        // Otherwise the hint of the earliest row any form reaches; "FAUX" only when every form is.
        MatchCase{"CHATEAUX", {"PALAIS", "CHATEAU"}, kStrict, "Quasiment"},
        MatchCase{"MAISONS", {"MAISONNE", "MAISON"}, kStrict, "Quasiment"},
        MatchCase{"MAISONS", {"MAISON", "MAISONNE"}, kStrict, "Quasiment"},
        MatchCase{"CHAETAU", {"CHATEAUX", "CHATEAU"}, kStrict, "Anagramme"},
        MatchCase{"PARIS FRANCE", {"ROI", "PARIS"}, kStrict, "Trop long"},
        MatchCase{"CHATEAU", {"CHATEAUBRIAND", "PARIS"}, kStrict, "Pas loin"},
        MatchCase{"XYZ", {"CHAT", "CHIEN"}, kStrict, "FAUX"},
        MatchCase{"", {"CHAT", "OEUF"}, kStrict, "?"}));

TEST(AnswerMatch, StrictWithOneFormIsTheVerdictOfTheTable) {
  const char* const pairs[][2] = {{"chateau", "CHATEAU"}, {"CHATEAUBRI", "CHATEAUBRIAND"},
                                  {"\xC9" "COLE", "\xE9" "cole"}, {"RO", "ROI"},
                                  {"roi ", "ROI"}, {"ELEFAN", "ELEPHANT"}};
  for (const auto& pair : pairs)
    EXPECT_STREQ(judgeTyped(pair[0], {pair[1]}, kStrict), computeVerdict(pair[0], pair[1])) << pair[0];
}

TEST(AnswerMatch, AcceptedFormsAreTheAnswerThenTheAddedOnesOfTheBox) {
  AnswerEntry entry{};
  copyField(entry.answer, kTextField, "\x8CUF");
  copyField(entry.also, kAlsoField, "OEUF|UN OEUF");
  copyField(entry.secondAnswer, kTextField, "POULE");
  EXPECT_EQ(acceptedForms(entry, 1), (std::vector<std::string>{"\x8CUF", "OEUF", "UN OEUF"}));
  EXPECT_EQ(acceptedForms(entry, 2), (std::vector<std::string>{"POULE"}));
}

struct FoldCase {
  const char* text;
  const char* folded;
};

TEST(AccentFold, FoldsEveryAccentedLetterToItsPlainCapital) {
  const FoldCase cases[] = {
      {"\xE0\xE1\xE2\xE3\xE4\xE5\xC0\xC5", "AAAAAAAA"}, {"\xE8\xE9\xEA\xEB\xC8\xCB", "EEEEEE"},
      {"\xEC\xEF\xCC\xCF", "IIII"},                     {"\xF2\xF6\xF8\xD2\xD8", "OOOOO"},
      {"\xF9\xFC\xD9\xDC", "UUUU"},                     {"\xFD\xFF\xDD\x9F", "YYYY"},
      {"\xE7\xC7\xF1\xD1", "CCNN"},                     {"\x9A\x8A\x9E\x8E", "SSZZ"},
      {"\x9C\x8C\xE6\xC6\xDF", "OEOEAEAESS"},           {"\xF0\xFE", "\xD0\xDE"},
      {"a1 -'\xD7\xF7\xB5", "A1 -'\xD7\xF7\xB5"},  // not letters, or no plain capital: kept
  };
  for (const FoldCase& c : cases) EXPECT_EQ(foldAccents(c.text), c.folded) << c.text;
}

TEST(AccentFold, IsCutToTheLongestTextTheJudgeCompares) {
  EXPECT_EQ(foldAccents(std::string(200, '\xDF')).size(), static_cast<std::size_t>(kMaxTextBytes));
}

TEST(AccentFold, FindsCapitalsThePlayerNeverMakes) {
  EXPECT_TRUE(hasCapitalBeyondAscii("\xC9T\xC9"));
  EXPECT_TRUE(hasCapitalBeyondAscii("\x8CUF"));
  EXPECT_TRUE(hasCapitalBeyondAscii("GAR\xC7ON"));
  EXPECT_FALSE(hasCapitalBeyondAscii("\xE9t\xE9"));
  EXPECT_FALSE(hasCapitalBeyondAscii("STRA\xDF" "E"));
  EXPECT_FALSE(hasCapitalBeyondAscii("CAFE \xD7 2"));
}

}  // namespace
}  // namespace fenok
