// The saved-answers file is named after the program, without its directory.
#include <gtest/gtest.h>

#include <string>

#include "persist/saved_answers.h"

namespace fenok {
namespace {

struct NameCase {
  std::string modulePath;
  std::string fileName;
};

class SavedAnswersName : public ::testing::TestWithParam<NameCase> {};

TEST_P(SavedAnswersName, ReplacesTheLastThreeCharactersOfTheProgramName) {
  EXPECT_EQ(savedAnswersFileName(GetParam().modulePath), GetParam().fileName);
}

INSTANTIATE_TEST_SUITE_P(
    Names, SavedAnswersName,
    ::testing::Values(NameCase{"C:\\Jeux\\Quiz\\album.exe", "album.txt"},  //
                      NameCase{"album.exe", "album.txt"},                  //
                      NameCase{"C:\\Jeux\\FENOK.EXE", "FENOK.txt"},        // the ending's case is its own
                      NameCase{"C:\\Jeux.d\\quiz", "qtxt"},                // a dot in the directory does not count
                      NameCase{"\\\\server\\share\\quiz 2.exe", "quiz 2.txt"},
                      NameCase{"C:\\Jeux\\fenok", "fetxt"},       // the last three characters, whatever they are
                      NameCase{"C:\\Jeux\\abc", "txt"},           // exactly three
                      NameCase{"C:\\Jeux\\ab", "ab.txt"},         // too short for the rule: ending appended
                      NameCase{"C:\\Jeux\\a", "a.txt"},           //
                      NameCase{"C:\\Jeux\\", "fenok.txt"},        // no name at all
                      NameCase{"", "fenok.txt"},                  //
                      NameCase{"/home/ana/quiz/album.exe", "album.txt"},  // a host path
                      NameCase{"C:\\Jeux\\\xE9t\xE9.exe", "\xE9t\xE9.txt"}));

TEST(SavedAnswersName, IsNeverLongerThan259Bytes) {
  const std::string name = savedAnswersFileName("C:\\" + std::string(400, 'q') + ".exe");
  EXPECT_EQ(name.size(), 259u);
  EXPECT_EQ(name, std::string(259, 'q'));
}

}  // namespace
}  // namespace fenok
