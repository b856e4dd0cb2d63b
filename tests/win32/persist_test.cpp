// The saved-answers file through the real Win32 file calls, with the current directory elsewhere than
// the program's: the file is written and read there, and a save that cannot be written keeps the old one.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "content/quiz.h"
#include "persist/saved_answers.h"
#include "platform/portable/memory_controls.h"
#include "platform/win32/win32_files.h"

namespace fenok {
namespace {

std::string currentDirectory() {
  char buffer[MAX_PATH];
  const DWORD length = GetCurrentDirectoryA(MAX_PATH, buffer);
  return std::string(buffer, length < MAX_PATH ? length : 0);
}

std::string fileBytes(const std::string& name) {
  Win32Files files;
  std::vector<std::uint8_t> bytes;
  files.readWhole(name, bytes);
  return std::string(bytes.begin(), bytes.end());
}

std::string directoryOf(const std::string& path) { return path.substr(0, path.find_last_of('\\')); }

class SavedAnswersUnderWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = currentDirectory();
    char temp[MAX_PATH];
    ASSERT_NE(GetTempPathA(MAX_PATH, temp), 0u);
    char unique[MAX_PATH];
    ASSERT_NE(GetTempFileNameA(temp, "fnk", 0, unique), 0u);
    DeleteFileA(unique);
    directory_ = unique;
    ASSERT_TRUE(CreateDirectoryA(directory_.c_str(), nullptr));
    ASSERT_TRUE(SetCurrentDirectoryA(directory_.c_str()));
    name_ = savedAnswersFileName(files_.moduleFileName());

    quiz_ = std::make_unique<Quiz>();
    quiz_->mediaKind = kMediaPictures;
    quiz_->answersPerQuestion = 1;
    quiz_->questionCount = 3;
    quiz_->quizPanel = &panel_;
  }

  void TearDown() override {
    SetCurrentDirectoryA(previous_.c_str());
    const std::string inside = directory_ + "\\" + name_;
    DeleteFileA(inside.c_str());
    DeleteFileA((inside + ".tmp").c_str());
    RemoveDirectoryA((inside + ".tmp").c_str());
    RemoveDirectoryA(directory_.c_str());
  }

  void boxes(const std::vector<std::string>& texts) {
    for (std::size_t i = 0; i < texts.size(); ++i) {
      panel_.create("Edit", texts[i], 0, Rect{}, 4001 + static_cast<int>(i));
    }
  }

  std::string previous_;
  std::string directory_;
  std::string name_;
  Win32Files files_;
  MemoryControls panel_;
  std::unique_ptr<Quiz> quiz_;
};

TEST_F(SavedAnswersUnderWindows, IsNamedAfterTheProgram) {
  const std::string module = files_.moduleFileName();
  ASSERT_GT(module.size(), 4u);
  EXPECT_EQ(module.find_last_of('\\') != std::string::npos, true) << module;
  EXPECT_EQ(name_, "fenok-win32-tests.txt");
}

TEST_F(SavedAnswersUnderWindows, IsWrittenAndReadInTheCurrentDirectory) {
  boxes({"lion", "", "z\xE8" "bre"});
  saveAnswers(files_, *quiz_);

  EXPECT_EQ(fileBytes(directory_ + "\\" + name_), "lion\r\n\r\nz\xE8" "bre\r\n");
  const std::string besideProgram = directoryOf(files_.moduleFileName()) + "\\" + name_;
  if (directoryOf(files_.moduleFileName()) != directory_) {
    EXPECT_EQ(GetFileAttributesA(besideProgram.c_str()), INVALID_FILE_ATTRIBUTES) << besideProgram;
  }

  SavedAnswersReader reader = SavedAnswersReader::open(files_);
  EXPECT_EQ(reader.nextLine(), "lion");
  EXPECT_EQ(reader.nextLine(), "");
  EXPECT_EQ(reader.nextLine(), "z\xE8" "bre");
  EXPECT_EQ(reader.nextLine(), "");
}

TEST_F(SavedAnswersUnderWindows, ASecondSaveReplacesTheFirstWhole) {
  boxes({"un", "deux", "trois"});
  saveAnswers(files_, *quiz_);
  panel_.setText(4002, "");
  saveAnswers(files_, *quiz_);
  EXPECT_EQ(fileBytes(name_), "un\r\n\r\ntrois\r\n");
  EXPECT_FALSE(files_.exists(name_ + ".tmp"));
}

TEST_F(SavedAnswersUnderWindows, ASaveThatCannotBeWrittenKeepsTheOldFile) {
  boxes({"nouveau", "", ""});
  const std::vector<std::uint8_t> old = {'a', 'n', 'c', 'i', 'e', 'n', '\r', '\n'};
  ASSERT_TRUE(files_.writeWhole(name_, old.data(), old.size()));
  ASSERT_TRUE(CreateDirectoryA((name_ + ".tmp").c_str(), nullptr));

  EXPECT_FALSE(files_.replaceWhole(name_, {'x'}));
  saveAnswers(files_, *quiz_);
  EXPECT_EQ(fileBytes(name_), "ancien\r\n");
  EXPECT_NE(GetFileAttributesA((name_ + ".tmp").c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);

  ASSERT_TRUE(RemoveDirectoryA((name_ + ".tmp").c_str()));
  saveAnswers(files_, *quiz_);
  EXPECT_EQ(fileBytes(name_), "nouveau\r\n\r\n\r\n");
}

TEST_F(SavedAnswersUnderWindows, MissingFileGivesEmptyBoxes) {
  std::vector<std::uint8_t> bytes = {1, 2};
  EXPECT_FALSE(files_.readWhole(name_, bytes));
  EXPECT_TRUE(bytes.empty());
  SavedAnswersReader reader = SavedAnswersReader::open(files_);
  EXPECT_EQ(reader.nextLine(), "");
}

TEST_F(SavedAnswersUnderWindows, EmptyFileReadsAsEmpty) {
  ASSERT_TRUE(files_.writeWhole(name_, nullptr, 0));
  std::vector<std::uint8_t> bytes;
  EXPECT_TRUE(files_.readWhole(name_, bytes));
  EXPECT_TRUE(bytes.empty());
  files_.remove(name_);
  EXPECT_FALSE(files_.exists(name_));
  files_.remove(name_);  // a missing file is not an error
}

}  // namespace
}  // namespace fenok
