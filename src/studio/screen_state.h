#pragma once
// The studio screen's state and its work, in three parts: showing the document in the controls
// (screen_display.cpp), taking the author's edits (screen_edits.cpp) and running the commands
// (screen_commands.cpp). Only StudioScreen reaches it.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "live_check.h"
#include "platform/ports/form_controls.h"
#include "quiz_document.h"
#include "quiz_edits.h"
#include "recent_files.h"
#include "studio_host.h"

namespace fenok::studio {

using pack::QuizSource;
using pack::SourceQuestion;

// A picture file as the window shows it: fitted as the player fits it, and as a list's thumbnail.
struct PictureShown {
  std::shared_ptr<const FormPicture> shown, thumbnail;
};

struct ScreenState {
  ScreenState(FormControls& controls_, StudioHost& host_) : controls(controls_), host(host_) {}

  FormControls& controls;
  StudioHost& host;
  QuizDocument document;
  LiveCheck check;
  RecentFiles recent{""};  // kept in the settings folder once started
  int question = -1;  // the selected one
  int reward = -1;    // the selected score level
  bool filling = false;  // the controls are being set from the document, not by the author
  std::map<std::string, PictureShown> pictures;  // by absolute path; none: the file cannot be read

  // Sets controls without taking their notifications for the author's edits.
  struct Filling {
    explicit Filling(ScreenState& state) : state_(state), was_(state.filling) { state.filling = true; }
    ~Filling() { state_.filling = was_; }
    ScreenState& state_;
    bool was_;
  };

  const QuizSource& quiz() const { return document.quiz(); }
  const SourceQuestion* selected() const {
    return question >= 0 && question < document.questionCount() ? &quiz().questions[static_cast<std::size_t>(question)]
                                                                 : nullptr;
  }

  // Showing the document (screen_display.cpp).
  void showAll();
  void showSettings();
  void showRewards();
  std::string rewardAt(int level);
  ListRow questionRow(int index);
  const PictureShown& picture(const std::string& key);
  // The pictures not read yet, all at once on every core: opening a quiz of camera photos.
  void preparePictures();
  void showQuestionList();
  void showQuestionSelection();
  void showQuestionRow();
  void showQuestion();
  void showPreview();
  void showTrials();
  void recheck();
  std::string problemsLabel() const;
  void showTitle();
  FormColours colours(int id) const;

  // The author's edits (screen_edits.cpp), every one through the document's history.
  void changed();
  void edited(int id);
  void editReward();
  void fieldLeft(int id);
  void undo(bool redo);
  void nextQuestion(int field);
  void selectionChanged(int id);
  void goToProblem(int index, bool focus);
  void activated(int id);
  void enterPressed();

  // Commands (screen_commands.cpp).
  bool confirmDiscard();
  void replaceDocument(QuizDocument next);
  void newFromFolder();
  void openFolder(const std::string& folder);
  void open();
  void openFile(const std::string& path);
  void openMadeQuiz(const std::string& path);
  void openPath(const std::string& path);
  void remember();
  bool save(bool askName);
  // Refuses, with the problem list brought to the first error, while the quiz has errors.
  bool readyToMake();
  void createQuiz();
  void tryQuiz();
  void addQuestions();
  void addFiles(const std::vector<std::string>& paths);
  void quizChanged();  // a change that touches every part of the window
  void removeQuestion();
  void moveQuestion(int delta);
  void browse(int control);
  void chooseBackground();
  void playClip();
  void openGuide();
  void command(int id);
  void filesDropped(const std::vector<std::string>& paths);
};

}  // namespace fenok::studio
