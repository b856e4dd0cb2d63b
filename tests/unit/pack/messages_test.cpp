// The table of messages: both languages say every message with the same arguments; fenok-pack speaks
// the language the locale asks for, and a quiz's problems read in French from end to end.
#include <gtest/gtest.h>

#include <set>

#include "authoring/author_language.h"
#include "authoring/messages.h"
#include "fenok-pack/commands.h"
#include "pack_support.h"

namespace fenok {
namespace {

using pack::Language;

// The argument numbers a text uses ({1}, {2}...).
std::set<int> slots(const std::string& text) {
  std::set<int> found;
  for (std::size_t at = text.find('{'); at != std::string::npos; at = text.find('{', at + 1))
    if (at + 2 < text.size() && text[at + 1] >= '1' && text[at + 1] <= '9' && text[at + 2] == '}')
      found.insert(text[at + 1] - '0');
  return found;
}

TEST(MessageTable, EveryMessageHasAFrenchTextWithTheSameArguments) {
  ASSERT_FALSE(pack::messageTable().empty());
  for (const pack::MessageTexts& row : pack::messageTable()) {
    EXPECT_STRNE(row.english, "") << row.name;
    EXPECT_STRNE(row.french, "") << row.name;
    const std::set<int> english = slots(row.english);
    EXPECT_EQ(slots(row.french), english) << row.name;
    // {1} to {n}, none left out: an argument given but never shown is a mistake of the table.
    EXPECT_TRUE(english.empty() || *english.rbegin() == static_cast<int>(english.size())) << row.name;
  }
}

TEST(MessageTable, ArgumentsThatAreMessagesSpeakTheSameLanguage) {
  const pack::Message problem =
      pack::message(pack::Msg::textHasSeparator, pack::message(pack::Msg::theTextOf, 2));
  EXPECT_EQ(pack::say(problem, Language::english),
            "the text of question 2 contains '|', which the stored quiz uses to end its texts");
  EXPECT_EQ(pack::say(problem, Language::french),
            "le texte de la question 2 contient « | », qui sert à terminer les textes dans le quiz enregistré");
}

TEST(AuthorLanguage, FollowsLcAllThenLcMessagesThenLang) {
  struct Case {
    const char* lcAll;
    const char* lcMessages;
    const char* lang;
    Language expected;
  };
  const Case cases[] = {
      {nullptr, nullptr, nullptr, Language::english},
      {nullptr, nullptr, "fr_FR.UTF-8", Language::french},
      {nullptr, nullptr, "fr", Language::french},
      {nullptr, nullptr, "en_GB.UTF-8", Language::english},
      {nullptr, nullptr, "C.UTF-8", Language::english},
      {nullptr, "fr_CA.UTF-8", "en_US.UTF-8", Language::french},
      {nullptr, "en_US.UTF-8", "fr_FR.UTF-8", Language::english},
      {"C", "fr_FR.UTF-8", "fr_FR.UTF-8", Language::english},
      {"fr_BE.UTF-8", "en_US.UTF-8", nullptr, Language::french},
      {"", "", "fr_CH.UTF-8", Language::french},  // set but empty counts as not set
  };
  for (const Case& c : cases)
    EXPECT_EQ(pack::languageOfLocale(c.lcAll, c.lcMessages, c.lang), c.expected)
        << (c.lcAll ? c.lcAll : "-") << " " << (c.lcMessages ? c.lcMessages : "-") << " " << (c.lang ? c.lang : "-");
}

TEST(CheckCommand, SpeaksFrench) {
  testing::QuizFolder folder;
  const std::string bad = folder.write(
      "bad.toml", "title = \"T\"\nmedia = \"text\"\nrewards = [\"a\"]\n[[question]]\nanswer = \"\"\ntext = \"Q\"\n"
                  "[[question]]\nanswer = \"B\"\ntext = \"Q|R\"\n");
  const std::string good = folder.write("good.toml", "title = \"T\"\nmedia = \"text\"\n[[question]]\nanswer = \"A\"\ntext = \"Q\"\n");
  ::testing::internal::CaptureStdout();
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(pack::runCheck({bad}, Language::french), 2);
  EXPECT_EQ(pack::runCheck({good}, Language::french), 0);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            bad + ":5: la question 1 n'a pas encore de réponse\n" + bad +
                ":9: le texte de la question 2 contient « | », qui sert à terminer les textes dans le quiz enregistré\n" +
                bad + ":3: attention : 1 récompense(s) pour 2 question(s) : les niveaux plus hauts n'en montrent aucune\n");
  EXPECT_EQ(::testing::internal::GetCapturedStdout(), good + " : 1 question, aucune erreur\n");
}

}  // namespace
}  // namespace fenok
