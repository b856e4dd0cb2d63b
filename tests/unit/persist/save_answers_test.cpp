// Saving the answer boxes: the file's bytes, its line count for every kind of quiz, and a save that
// cannot be written leaving the previous file whole.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "content/quiz.h"
#include "persist/saved_answers.h"
#include "platform/portable/memory_controls.h"
#include "platform/portable/posix_files.h"
#include "temp_directory.h"

namespace fenok {
namespace {

constexpr char kModule[] = "C:\\Jeux\\album.exe";
constexpr char kFile[] = "album.txt";

std::string fileBytes(const std::string& name) {
  std::ifstream in(name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void writeFileBytes(const std::string& name, const std::string& bytes) {
  std::ofstream out(name, std::ios::binary | std::ios::trunc);
  out << bytes;
}

class SaveAnswers : public ::testing::Test {
 protected:
  SaveAnswers() : quiz_(std::make_unique<Quiz>()), files_(kModule) {
    quiz_->mediaKind = kMediaPictures;
    quiz_->answersPerQuestion = 1;
    quiz_->quizPanel = &panel_;
  }

  // Answer boxes 4001, 4002, ... holding these texts.
  void boxes(const std::vector<std::string>& texts) {
    for (std::size_t i = 0; i < texts.size(); ++i) {
      panel_.create("Edit", texts[i], 0x50810081u, Rect{}, 4001 + static_cast<int>(i));
    }
  }

  std::string save() {
    saveAnswers(files_, *quiz_);
    return fileBytes(kFile);
  }

  std::vector<std::string> restore(int boxCount) {
    SavedAnswersReader reader = SavedAnswersReader::open(files_);
    std::vector<std::string> lines;
    for (int i = 0; i < boxCount; ++i) lines.push_back(reader.nextLine());
    return lines;
  }

  testing::CurrentTempDirectory directory_;
  std::unique_ptr<Quiz> quiz_;  // value-initialised: every field zero
  MemoryControls panel_;
  PosixFiles files_;
};

TEST_F(SaveAnswers, WritesOneLinePerBoxEndingInCrLf) {
  quiz_->questionCount = 3;
  boxes({"lion", "", "z\xE8" "bre"});
  EXPECT_EQ(save(), "lion\r\n\r\nz\xE8" "bre\r\n");
}

TEST_F(SaveAnswers, EmptyBoxesGiveEmptyLinesAndKeepTheLineCount) {
  quiz_->questionCount = 30;
  boxes(std::vector<std::string>(30, ""));
  std::string expected;
  for (int i = 0; i < 30; ++i) expected += "\r\n";
  EXPECT_EQ(save(), expected);
}

TEST_F(SaveAnswers, TwoBoxesPerQuestionFollowTheirIdentifiers) {
  quiz_->questionCount = 2;
  quiz_->answersPerQuestion = 2;
  boxes({"Tintin", "Milou", "", "Haddock"});
  EXPECT_EQ(save(), "Tintin\r\nMilou\r\n\r\nHaddock\r\n");
  EXPECT_EQ(restore(4), (std::vector<std::string>{"Tintin", "Milou", "", "Haddock"}));
}

TEST_F(SaveAnswers, MediaQuizzesWithTwoAnswersWriteBothBoxes) {
  for (int kind : {kMediaAudio, kMediaVideo}) {
    quiz_->mediaKind = kind;
    quiz_->questionCount = 1;
    quiz_->answersPerQuestion = 2;
    if (!panel_.exists(4001)) boxes({"Brel", "Ne me quitte pas"});
    EXPECT_EQ(save(), "Brel\r\nNe me quitte pas\r\n") << "media kind " << kind;
  }
}

TEST_F(SaveAnswers, TextQuizWithTwoAnswersWritesOneLinePerQuestion) {
  quiz_->mediaKind = kMediaText;
  quiz_->questionCount = 3;
  quiz_->answersPerQuestion = 2;
  boxes({"un", "deux", "trois"});
  EXPECT_EQ(save(), "un\r\ndeux\r\ntrois\r\n");
}

TEST_F(SaveAnswers, UnknownQuizKindHasNoBoxesAndAnEmptyFile) {
  quiz_->mediaKind = 7;
  quiz_->questionCount = 3;
  boxes({"a", "b", "c"});
  EXPECT_EQ(save(), "");
  EXPECT_TRUE(std::filesystem::exists(kFile));
}

TEST_F(SaveAnswers, NoQuestionsStillCreatesAnEmptyFile) {
  quiz_->questionCount = 0;
  EXPECT_EQ(save(), "");
  EXPECT_TRUE(std::filesystem::exists(kFile));
}

TEST_F(SaveAnswers, BoxesThatWereNeverCreatedGiveEmptyLines) {
  // The construction pass stops when a player cannot be created: the later questions have no box.
  quiz_->questionCount = 4;
  boxes({"un", "deux"});
  EXPECT_EQ(save(), "un\r\ndeux\r\n\r\n\r\n");
}

TEST_F(SaveAnswers, LongTextIsSavedWholeUpTo259Bytes) {
  quiz_->mediaKind = kMediaText;
  quiz_->questionCount = 2;
  const std::string hundred(100, 'h');
  boxes({hundred, std::string(300, 'x')});
  EXPECT_EQ(save(), hundred + "\r\n" + std::string(259, 'x') + "\r\n");
  EXPECT_EQ(restore(2), (std::vector<std::string>{std::string(40, 'h'), std::string(40, 'x')}));
}

TEST_F(SaveAnswers, FortyBytesComeBackWholeAndFortyOneAsTheirFirstForty) {
  quiz_->questionCount = 3;
  const std::string forty = "0123456789012345678901234567890123456789";
  boxes({forty, forty + "Z", "fin"});
  EXPECT_EQ(save(), forty + "\r\n" + forty + "Z\r\nfin\r\n");
  EXPECT_EQ(restore(3), (std::vector<std::string>{forty, forty, "fin"}));
}

TEST_F(SaveAnswers, TwoSavesInARowAreIdentical) {
  quiz_->questionCount = 3;
  boxes({"a", "", "\xE9t\xE9"});
  const std::string first = save();
  EXPECT_EQ(save(), first);
}

TEST_F(SaveAnswers, ExtraLinesOfAnOlderFileDisappear) {
  writeFileBytes(kFile, "vieux\r\nvieux\r\nvieux\r\nvieux\r\n");
  quiz_->questionCount = 2;
  boxes({"neuf", ""});
  EXPECT_EQ(restore(2), (std::vector<std::string>{"vieux", "vieux"}));
  EXPECT_EQ(save(), "neuf\r\n\r\n");
}

TEST_F(SaveAnswers, NothingHappensWithoutAQuizPanel) {
  writeFileBytes(kFile, "garde\r\n");
  quiz_->questionCount = 1;
  quiz_->quizPanel = nullptr;
  EXPECT_EQ(save(), "garde\r\n");
}

TEST_F(SaveAnswers, FileIsWrittenInTheCurrentDirectoryNotBesideTheProgram) {
  quiz_->questionCount = 1;
  boxes({"ici"});
  save();
  EXPECT_TRUE(std::filesystem::exists(directory_.path() / kFile));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(directory_.path()), {}), 1);
}

TEST_F(SaveAnswers, ASaveThatCannotBeWrittenLeavesTheOldFileWhole) {
  writeFileBytes(kFile, "ancien\r\n\r\nfichier\r\n");
  quiz_->questionCount = 3;
  boxes({"nouveau", "", ""});
  // A directory where the new content would be written makes the write fail, even for root.
  std::filesystem::create_directory(replacementName(kFile));
  EXPECT_FALSE(files_.replaceWhole(kFile, {'x'}));
  EXPECT_EQ(save(), "ancien\r\n\r\nfichier\r\n");
  EXPECT_TRUE(std::filesystem::is_directory(replacementName(kFile)));

  std::filesystem::remove(replacementName(kFile));
  EXPECT_EQ(save(), "nouveau\r\n\r\n\r\n");
  EXPECT_FALSE(std::filesystem::exists(replacementName(kFile)));
}

TEST_F(SaveAnswers, ASaveThatCannotReplaceLeavesNoTemporaryBehind) {
  // The name itself is taken by a directory: the rename fails after the new content was written.
  std::filesystem::create_directory(kFile);
  std::filesystem::create_directory(std::filesystem::path(kFile) / "inside");
  quiz_->questionCount = 1;
  boxes({"perdu"});
  saveAnswers(files_, *quiz_);
  EXPECT_TRUE(std::filesystem::is_directory(std::filesystem::path(kFile) / "inside"));
  EXPECT_FALSE(std::filesystem::exists(replacementName(kFile)));
}

}  // namespace
}  // namespace fenok
