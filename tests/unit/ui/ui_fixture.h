#pragma once
// A quiz, its two panels over in-memory controls and recording ports, wired as the Win32 dialogs wire
// them: focus changes reach the answer-box procedure, scroll requests reach the panel's handler.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "content/quiz.h"
#include "platform/portable/fake_pictures.h"
#include "platform/portable/memory_controls.h"
#include "platform/portable/message_recorder.h"
#include "platform/portable/recording_graphics.h"
#include "platform/portable/recording_shell.h"
#include "platform/ports/files.h"
#include "platform/ports/platform.h"
#include "ui/header_panel.h"
#include "ui/quiz_panel.h"

namespace fenok::testing {

class MemoryFiles : public Files {
 public:
  std::map<std::string, std::vector<std::uint8_t>> files;

  std::string moduleFileName() const override { return "C:\\quiz\\fenok.exe"; }
  bool readWhole(const std::string& name, std::vector<std::uint8_t>& bytes) const override;
  bool replaceWhole(const std::string& name, const std::vector<std::uint8_t>& bytes) override;
  bool writeWhole(const std::string& name, const std::uint8_t* data, std::size_t size) override;
  void remove(const std::string& name) override { files.erase(name); }
  bool exists(const std::string& name) const override { return files.count(name) != 0; }

  void putText(const std::string& name, const std::string& text);
  std::string textOf(const std::string& name) const;
};

struct Question {
  std::string answer;
  std::string secondAnswer;
  std::string question;
  std::string comment;
};

class UiFixture {
 public:
  UiFixture();
  ~UiFixture();

  // The quiz record: kind, answers per question and the questions themselves.
  void makeQuiz(int mediaKind, int answersPerQuestion, const std::vector<Question>& questions, int commentKind = 0);
  void setSavedAnswers(const std::string& fileText) { files.putText("fenok.txt", fileText); }
  // Header, then quiz panel, as the shell does; quizPanel recorded after the construction pass.
  void build();

  // What a player does in a box: focus, type, release Enter.
  void typeAndEnter(int boxId, const std::string& text);
  void focusBox(int boxId) { panel.setFocus(boxId); }
  KeyOutcome release(int boxId, unsigned virtualKey);

  std::string verdict(int boxId) const { return panel.text(boxId + 1000, 260); }
  std::string counter() const { return header.text(32, 260); }
  std::string codeBox() const { return header.text(30, 260); }

  std::unique_ptr<Quiz> quiz;
  RecordingGraphics graphics;
  MemoryFiles files;
  FakePictures pictures;
  MessageRecorder messages;
  RecordingShell shell;
  Platform platform{messages, graphics, files, pictures, shell};
  MemoryControls panel{915, 482};
  MemoryControls header{914, 49};
  QuizPanelState panelState;
  HeaderPanelState headerState;
};

// Every picture resource of a row sized 260 wide and this high.
void addPicture(FakePictures& pictures, int resource, int height, int width = 260);

}  // namespace fenok::testing
