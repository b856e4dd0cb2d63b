// Verdicts of typed answers: the reference table, the quirks the player has always had, long texts.
#include "judge/verdict.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>

namespace fenok {
namespace {

struct VerdictCase {
  const char* typed;
  const char* expected;
  const char* verdict;
};

std::ostream& operator<<(std::ostream& out, const VerdictCase& c) {
  return out << "'" << c.typed << "' against '" << c.expected << "'";
}

class VerdictTable : public ::testing::TestWithParam<VerdictCase> {};

TEST_P(VerdictTable, GivesTheVerdictOfTheReferenceTable) {
  const VerdictCase& c = GetParam();
  EXPECT_STREQ(computeVerdict(c.typed, c.expected), c.verdict);
}

INSTANTIATE_TEST_SUITE_P(
    ReferenceCases, VerdictTable,
    ::testing::Values(
        VerdictCase{"chateau", "CHATEAU", "BRAVO"},
        VerdictCase{"  Chateau ", "chateau", "BRAVO"},
        VerdictCase{"", "CHATEAU", "?"},
        VerdictCase{"CHAETAU", "CHATEAU", "Anagramme"},
        VerdictCase{"CHATEAX", "CHATEAU", "Quasiment"},
        VerdictCase{"CHATEAUX", "CHATEAU", "Quasiment"},
        VerdictCase{"BATEAU", "CHATEAU", "Presque"},
        VerdictCase{"CHATEAUBRI", "CHATEAUBRIAND", "Trop court"},
        VerdictCase{"CHATEAU", "CHATEAUBRIAND", "Pas loin"},
        VerdictCase{"CHAT", "CHATEAUBRIAND", "FAUX"},
        VerdictCase{"PARIS FRANCE", "PARIS", "Trop long"},
        VerdictCase{"LA VILLE DE PARIS", "PARIS", "Pas loin"},
        VerdictCase{"LA VILLE DE PARIS EN FRANCE", "PARIS", "FAUX"},
        VerdictCase{"ANTICONSTITUSIONELEMENT", "ANTICONSTITUTIONNELLEMENT", "y a de l'id\xE9" "e"},
        VerdictCase{"ELEFAN", "ELEPHANT", "FAUX"},
        VerdictCase{"RO", "ROI", "FAUX"},
        VerdictCase{"roi ", "ROI", "BRAVO"},
        VerdictCase{"\xC9" "COLE", "\xE9" "cole", "Quasiment"},
        VerdictCase{"ABABABCXYZW", "ABABC", "FAUX"},
        VerdictCase{"XYABABCZ", "ABABC", "Trop long"}));

// Each row of the decision table, reached by the smallest case that reaches it.
INSTANTIATE_TEST_SUITE_P(
    EveryRow, VerdictTable,
    ::testing::Values(
        VerdictCase{"   ", "ROI", "?"},                      // 1: short answer, nothing typed
        VerdictCase{"", "", "?"},                            // 1: no expected answer at all
        VerdictCase{"a", "A", "BRAVO"},                      // 2
        VerdictCase{"IOR", "ROI", "FAUX"},                   // 3: no anagram hint on short answers
        VerdictCase{"ROIS", "ROI", "FAUX"},                  // 3
        VerdictCase{"x", "", "FAUX"},                        // 3
        VerdictCase{"  ", "LION", "?"},                      // 4
        VerdictCase{"lion", "LION", "BRAVO"},                // 5
        VerdictCase{"NOIL", "LION", "Anagramme"},            // 6
        VerdictCase{"LIONNE", "LIONNE", "BRAVO"},            // 5
        VerdictCase{"LIO", "LION", "Quasiment"},             // 7: deletion
        VerdictCase{"LIONS", "LION", "Quasiment"},           // 7: insertion
        VerdictCase{"LI", "LION", "Presque"},                // 8
        VerdictCase{"ABC", "ABCDEFGHI", "FAUX"},             // 9: piece of a 9-byte answer
        VerdictCase{"ABCDEFGHI", "ABCDEFGHIJKL", "Trop court"},  // 10: 9 of 12
        VerdictCase{"ABCDEFG", "ABCDEFGHIJ", "Pas loin"},    // 11: 7 of 10 is not above 70 %
        VerdictCase{"ABCDEF", "ABCDEFGHIJK", "Pas loin"},    // 11: 6 of 11
        VerdictCase{"ABCDE", "ABCDEFGHIJ", "FAUX"},          // 12: 5 of 10 is not above half
        VerdictCase{"XXXXXXXXXXXLION", "LION", "Pas loin"},  // 14: 11 extra
        VerdictCase{"XXXXXXXXXXLION", "LION", "Trop long"},  // 15: 10 extra
        VerdictCase{"XXXXXXXXXXXXXXXXXXXXLION", "LION", "Pas loin"},   // 14: 20 extra
        VerdictCase{"XXXXXXXXXXXXXXXXXXXXXLION", "LION", "FAUX"},      // 13: 21 extra
        VerdictCase{"ABCDEFGHIJXYZ", "ABCDEFGHIJKLM", "FAUX"},         // 17: distance 3, L 13 (not above 80 %)
        VerdictCase{"ABCDEFGHIJKLXYZ", "ABCDEFGHIJKLMNO", "FAUX"},     // 17: distance 3, L 15 = 5 * 3
        VerdictCase{"ABCDEFGHIJKLMXYZ", "ABCDEFGHIJKLMNOP", "y a de l'id\xE9" "e"},  // 16: L 16 > 15
        VerdictCase{"ZZZZ", "LION", "FAUX"}));                           // 17

TEST(Verdict, ExpectedAnswerIsUpperCasedButNotTrimmed) {
  EXPECT_STREQ(computeVerdict("lion", "lion"), "BRAVO");
  // An outer space on the stored answer makes it unreachable; the typed space is trimmed away.
  EXPECT_STREQ(computeVerdict("lion ", "LION "), "Quasiment");
  EXPECT_STREQ(computeVerdict(" roi", " ROI"), "Quasiment");
  EXPECT_STRNE(computeVerdict("CHATEAU ", "CHATEAU "), "BRAVO");
}

TEST(Verdict, OnlySpacesAreTrimmedFromTheTypedText) {
  EXPECT_STREQ(computeVerdict("\tLION", "LION"), "Quasiment");
  EXPECT_STREQ(computeVerdict("LION\t", "LION"), "Quasiment");
  EXPECT_STREQ(computeVerdict("\tROI", "ROI"), "FAUX");
  EXPECT_EQ(normaliseTyped("  le Roi\t "), "LE ROI\t");
}

TEST(Verdict, OnlyAsciiLettersChangeCase) {
  EXPECT_EQ(upperAscii("abz{`@\xE9\xFF"), "ABZ{`@\xE9\xFF");
  EXPECT_EQ(normaliseTyped("\xE7" "a va"), "\xE7" "A VA");
  EXPECT_STREQ(computeVerdict("\xE9t\xE9", "\xC9T\xC9"), "FAUX");
  EXPECT_STREQ(computeVerdict("\xE9t\xE9", "\xE9T\xE9"), "BRAVO");
}

TEST(Verdict, WordsAreTheProgramsOwnBytes) {
  EXPECT_EQ(std::string(kVerdictGoodIdea), std::string("y a de l'id\xE9" "e"));
  EXPECT_EQ(std::string(kVerdictGoodIdea).size(), 13u);
  EXPECT_EQ(static_cast<unsigned char>(kVerdictGoodIdea[11]), 0xE9);
  const char* const words[] = {kVerdictEmpty,  kVerdictRight,    kVerdictWrong,  kVerdictAnagram,  kVerdictOneEdit,
                               kVerdictTwoEdits, kVerdictTooShort, kVerdictNotFar, kVerdictTooLong};
  const char* const texts[] = {"?", "BRAVO", "FAUX", "Anagramme", "Quasiment", "Presque", "Trop court", "Pas loin",
                               "Trop long"};
  for (int i = 0; i < 9; ++i) EXPECT_STREQ(words[i], texts[i]);
}

TEST(Verdict, ContainmentScanNeverMovesBack) {
  EXPECT_EQ(containment("ABABC", "ABABABCXYZW"), 0);
  EXPECT_EQ(containment("ABABC", "XYABABCZ"), 2);
  EXPECT_EQ(containment("CHATEAUBRIAND", "CHATEAU"), -2);
  EXPECT_EQ(containment("CHATEAU", "CHATEAU"), 2);   // equal lengths: the expected answer is the needle
  EXPECT_EQ(containment("AAB", "AAAB"), 0);          // the second A starts inside the failed match
  EXPECT_EQ(containment("LION", "LIOLION"), 2);      // resumes at the byte that did not match
  EXPECT_EQ(containment("LION", "TIGRE"), 0);
  EXPECT_EQ(containment("LIONS", "ION"), -2);
  EXPECT_EQ(containment("", "LION"), 0);
  EXPECT_EQ(containment("LION", ""), 0);
}

struct DistanceCase {
  const char* first;
  const char* second;
  int distance;
};

TEST(Verdict, EditDistanceIsLevenshteinOverBytes) {
  const DistanceCase cases[] = {
      {"", "", 0},           {"", "ABC", 3},         {"ABC", "", 3},          {"CHATEAU", "BATEAU", 2},
      {"KITTEN", "SITTING", 3}, {"ELEPHANT", "ELEFAN", 3}, {"ABABC", "ABABABCXYZW", 6}, {"\xE9", "\xC9", 1},
      {"ANTICONSTITUTIONNELLEMENT", "ANTICONSTITUSIONELEMENT", 3},
  };
  for (const DistanceCase& c : cases) {
    EXPECT_EQ(editDistance(c.first, c.second), c.distance) << c.first << " / " << c.second;
    EXPECT_EQ(editDistance(c.second, c.first), c.distance) << c.second << " / " << c.first;
  }
}

TEST(Verdict, SortedLettersCompareBytesAsSigned) {
  EXPECT_EQ(sortedLetters("CHATEAU"), "AACEHTU");
  EXPECT_EQ(sortedLetters("A\xE9" "B\x80"), "\x80\xE9" "AB");
  EXPECT_EQ(sortedLetters(""), "");
}

TEST(Verdict, TextsLongerThanAnAnswerBoxAreCut) {
  const std::string answer(259, 'A');
  EXPECT_STREQ(computeVerdict(answer + "XYZ", answer), "BRAVO");
  EXPECT_STREQ(computeVerdict(answer, answer + "QQQQ"), "BRAVO");
  EXPECT_STREQ(computeVerdict(std::string(5000, 'b'), std::string(5000, 'B')), "BRAVO");
  EXPECT_STREQ(computeVerdict(std::string(258, 'A') + "B", answer), "Quasiment");
  EXPECT_EQ(editDistance(std::string(400, 'A'), ""), 259);
  EXPECT_EQ(normaliseTyped(std::string(300, 'a')), std::string(259, 'A'));
  EXPECT_EQ(sortedLetters(std::string(300, 'z')).size(), 259u);
  EXPECT_EQ(containment(std::string(300, 'A'), std::string(259, 'A')), 2);
}

TEST(Verdict, FullLengthTextsAreJudgedWhole) {
  std::string answer(259, 'A');
  std::string typed = answer;
  typed[258] = 'B';
  typed[0] = 'C';
  EXPECT_EQ(editDistance(answer, typed), 2);
  EXPECT_STREQ(computeVerdict(typed, answer), "Presque");
  EXPECT_STREQ(computeVerdict(std::string(100, 'A'), answer), "FAUX");  // a piece, not above half
  EXPECT_STREQ(computeVerdict(std::string(150, 'A'), answer), "Pas loin");
  EXPECT_STREQ(computeVerdict(std::string(200, 'A'), answer), "Trop court");
}

}  // namespace
}  // namespace fenok

namespace fenok {
namespace {

// The decision table read literally: percentages in single precision, the anagram test through a
// second edit distance. The judge must agree with it on every pair.
const char* referenceVerdict(const std::string& typed, const std::string& expectedAnswer) {
  const std::string t = normaliseTyped(typed);
  const std::string e = upperAscii(expectedAnswer);
  const int u = static_cast<int>(e.size());
  const int v = static_cast<int>(t.size());
  if (u <= 3 && v == 0) return kVerdictEmpty;
  if (u <= 3 && t == e) return kVerdictRight;
  if (u <= 3) return kVerdictWrong;
  if (v == 0) return kVerdictEmpty;
  const int d1 = editDistance(e, t);
  const int d2 = editDistance(sortedLetters(e), sortedLetters(t));
  if (d1 == 0) return kVerdictRight;
  if (d2 == 0) return kVerdictAnagram;
  if (d1 == 1) return kVerdictOneEdit;
  if (d1 == 2) return kVerdictTwoEdits;
  const int c = containment(e, t);
  const float share = 100.0f * static_cast<float>(v) / static_cast<float>(u);
  if (c == -2 && u <= 9) return kVerdictWrong;
  if (c == -2 && share > 70.0f) return kVerdictTooShort;
  if (c == -2 && share > 50.0f) return kVerdictNotFar;
  if (c == -2) return kVerdictWrong;
  if (c == 2 && v - u > 20) return kVerdictWrong;
  if (c == 2 && v - u > 10) return kVerdictNotFar;
  if (c == 2) return kVerdictTooLong;
  const int l = u > v ? u : v;
  if (100.0f * static_cast<float>(l - d1) / static_cast<float>(l) > 80.0f) return kVerdictGoodIdea;
  return kVerdictWrong;
}

TEST(Verdict, AgreesWithTheTableReadLiterallyOnManyPairs) {
  // Few distinct bytes, so that near answers, anagrams and pieces come up often.
  const char alphabet[] = {'A', 'b', 'B', ' ', '\xE9', '\xC9', '\t'};
  std::uint32_t seed = 12345;
  const auto next = [&seed](std::uint32_t bound) {
    seed = seed * 1664525u + 1013904223u;
    return (seed >> 8) % bound;
  };
  const auto randomText = [&](std::uint32_t longest) {
    std::string text(next(longest + 1), 'A');
    for (char& byte : text) byte = alphabet[next(sizeof alphabet)];
    return text;
  };
  for (int i = 0; i < 20000; ++i) {
    const std::string expected = randomText(i % 2 ? 12 : 40);
    std::string typed;
    switch (next(4)) {
      case 0: typed = randomText(45); break;
      case 1: typed = expected.substr(next(static_cast<std::uint32_t>(expected.size()) + 1)); break;  // a piece
      case 2: typed = randomText(12) + expected + randomText(3); break;                                // around it
      default:  // a shuffled or slightly edited copy
        typed = expected;
        for (std::uint32_t k = next(3); k > 0 && !typed.empty(); --k) {
          std::swap(typed[next(static_cast<std::uint32_t>(typed.size()))], typed.back());
        }
        if (next(2) == 0 && !typed.empty()) typed[next(static_cast<std::uint32_t>(typed.size()))] = 'X';
        break;
    }
    ASSERT_STREQ(computeVerdict(typed, expected), referenceVerdict(typed, expected))
        << "typed '" << typed << "' expected '" << expected << "'";
  }
}

}  // namespace
}  // namespace fenok
