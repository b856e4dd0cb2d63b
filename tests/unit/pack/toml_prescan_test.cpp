// Characters beyond ASCII are only allowed inside quoted texts and comments of a description.
#include <gtest/gtest.h>

#include "authoring/toml_prescan.h"

namespace fenok {
namespace {

struct PrescanCase {
  std::string text;
  bool clean;
  int line;               // of the stray character
  std::string character;  // the stray character
};

TEST(TomlPrescan, FindsTheFirstCharacterOutsideQuotes) {
  const PrescanCase cases[] = {
      {"title = \"Été\"\n", true, 0, ""},
      {"title = 'Été'\n", true, 0, ""},
      {"# Écrit à la main\ntitle = \"x\" # déjà\n", true, 0, ""},
      {"a = \"\"\"\nligne é\n\"\"\"\n", true, 0, ""},
      {"a = '''\nligne é ' '' \n'''\n", true, 0, ""},
      {"a = \"\\\"é\\\\\"\n", true, 0, ""},
      {"a = \"\"\"x\"\"\"\"\"b = é", false, 1, "é"},
      {"title = \"T\" é\n", false, 1, "é"},
      {"title = \"T\"\nà = 1\n", false, 2, "à"},
      {"a = \"open\né = 1\n", false, 2, "é"},  // an unclosed one-line text ends with its line
      {"a = \"x\\\"\" \xE2\x80\x83\n", false, 1, "\xE2\x80\x83"},
      {"a = 1\n\n\xFF", false, 3, "\xFF"},
      {"a = 2L'équipe'\n", false, 1, "é"},  // not a text: the quote follows a value
      {"a = [\n  \"é\", # x\n  'à'\n]\n[\"é\".'à']\nb = {c = \"ô\", 'd' = 1}\n", true, 0, ""},
  };
  for (const PrescanCase& c : cases) {
    pack::StrayCharacter stray;
    EXPECT_EQ(pack::nonAsciiOnlyQuoted(c.text, stray), c.clean) << c.text;
    EXPECT_EQ(stray.line, c.line) << c.text;
    EXPECT_EQ(stray.character, c.character) << c.text;
  }
}

}  // namespace
}  // namespace fenok
