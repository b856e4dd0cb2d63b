#pragma once
// The media host of an audio or video quiz: one player per question, clip files written from the
// program's resources ("%sfenok%d.%s") and deleted again when they stop being needed.
#include <string>

namespace fenok {

class Controls;
struct Platform;
struct Quiz;

class MediaHost {
 public:
  MediaHost(Platform& platform, Quiz& quiz);

  void startMediaSupport();                       // start-up, after the content is loaded
  void stopMediaSupport();                        // shut-down, after the panels are closed
  bool createPlayer(int question, Controls& panel, int placeholderId);
  void playClip(int question);                    // PlayButton 6000 + question
  void stopClip();                                // any StopButton
  void closePanel();                              // the quiz panel closes: its clip file goes
  int currentQuestion() const { return currentQuestion_; }
  const std::string& currentClipFile() const { return currentClipFile_; }

 private:
  // implementation detail filled in with the media issue
  Platform& platform_;
  Quiz& quiz_;
  int currentQuestion_ = 0;
  std::string currentClipFile_;
};

}  // namespace fenok
