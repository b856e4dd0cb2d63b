// Reading the saved-answers file back, line by line, as the quiz panel does for its boxes.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "persist/saved_answers.h"
#include "platform/portable/posix_files.h"
#include "temp_directory.h"

namespace fenok {
namespace {

std::vector<std::uint8_t> bytesOf(const std::string& text) {
  return std::vector<std::uint8_t>(text.begin(), text.end());
}

struct ReadCase {
  const char* name;
  std::string file;
  std::vector<std::string> lines;  // what the boxes receive, in order
};

std::ostream& operator<<(std::ostream& out, const ReadCase& c) { return out << c.name; }

class ReaderTable : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReaderTable, GivesEachBoxItsLine) {
  const ReadCase& c = GetParam();
  SavedAnswersReader reader(bytesOf(c.file));
  for (std::size_t i = 0; i < c.lines.size(); ++i) EXPECT_EQ(reader.nextLine(), c.lines[i]) << "box " << i + 1;
}

const std::string kForty = "0123456789abcdefghij0123456789ABCDEFGHIJ";
// 46 bytes: "zèbre du désert" and more.
const std::string kZebra = "z\xE8" "bre du d\xE9" "sert, au galop dans la savane, vite";

INSTANTIATE_TEST_SUITE_P(
    Files, ReaderTable,
    ::testing::Values(
        ReadCase{"WorkedExample", "lion\r\n\r\n" + kZebra + "\r\nchat", {"lion", "", kZebra.substr(0, 40), "chat", ""}},
        ReadCase{"EmptyFile", "", {"", "", ""}},
        ReadCase{"FortyBytes", kForty + "\r\nB\r\n", {kForty, "B"}},
        ReadCase{"FortyOneBytes", kForty + "X\r\nB\r\n", {kForty, "B"}},
        ReadCase{"LongLineSkipped", std::string(300, 'L') + "\r\nnext\r\n", {std::string(40, 'L'), "next", ""}},
        ReadCase{"CrWithoutLf", "a\rb\r\nc\r\n", {"a", "c", ""}},
        ReadCase{"CrAtTheVeryEnd", "a\r", {"a", ""}},
        ReadCase{"LfOnly", "one\ntwo\nthree\n", {"one\ntwo\nthree\n", "", ""}},
        ReadCase{"LfOnlyLong", std::string(30, 'x') + "\n" + std::string(30, 'y') + "\n",
                 {std::string(30, 'x') + "\n" + std::string(9, 'y'), "", ""}},
        ReadCase{"FewerLinesThanBoxes", "un\r\n", {"un", "", "", ""}},
        ReadCase{"MoreLinesThanBoxes", "un\r\ndeux\r\ntrois\r\n", {"un", "deux"}},
        ReadCase{"EmptyLinesKeepTheirPlaces", "\r\n\r\ntrois\r\n", {"", "", "trois"}},
        ReadCase{"LfBeforeCr", "a\nb\r\nc\r\n", {"a\nb", "c"}},
        ReadCase{"OnlyCrs", "\r\r\r", {"", "", ""}},
        ReadCase{"TabsAndHighBytesKept", "\t\xE9\xFF \r\n", {"\t\xE9\xFF "}},
        ReadCase{"NulBytesArePartOfTheLine", std::string("a\0b\r\n", 5), {std::string("a\0b", 3)}}));

TEST(SavedAnswersReader, StaysEmptyLongPastTheEnd) {
  SavedAnswersReader reader(bytesOf("x"));
  EXPECT_EQ(reader.nextLine(), "x");
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(reader.nextLine(), "");
}

TEST(SavedAnswersReader, DefaultReaderGivesEmptyLines) {
  SavedAnswersReader reader;
  EXPECT_EQ(reader.nextLine(), "");
  EXPECT_EQ(reader.nextLine(), "");
}

TEST(SavedAnswersReader, OpensTheFileNamedAfterTheProgramInTheCurrentDirectory) {
  testing::CurrentTempDirectory directory;
  {
    std::ofstream out("quiz.txt", std::ios::binary);
    out << "rose\r\ntulipe\r\n";
  }
  PosixFiles files("D:\\ailleurs\\quiz.exe");
  SavedAnswersReader reader = SavedAnswersReader::open(files);
  EXPECT_EQ(reader.nextLine(), "rose");
  EXPECT_EQ(reader.nextLine(), "tulipe");
  EXPECT_EQ(reader.nextLine(), "");
}

TEST(SavedAnswersReader, MissingOrUnreadableFileGivesEmptyLines) {
  testing::CurrentTempDirectory directory;
  PosixFiles files("C:\\quiz.exe");
  SavedAnswersReader missing = SavedAnswersReader::open(files);
  EXPECT_EQ(missing.nextLine(), "");

  std::filesystem::create_directory("quiz.txt");  // not a file at all
  SavedAnswersReader unreadable = SavedAnswersReader::open(files);
  EXPECT_EQ(unreadable.nextLine(), "");
}

}  // namespace
}  // namespace fenok
