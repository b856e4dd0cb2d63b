#pragma once
// The media host of an audio or video quiz: one player per question, clip files written from the
// program's resources ("%sfenok%d.%s") and deleted again when they stop being needed.
//
// A click on the Play button of the clip that is playing pauses it, the next click resumes it; a
// clip that has run to its end, or whose player cannot tell that it plays, starts again. At most one clip file exists at a
// time: it goes when another clip starts, on Stop, when the panel closes and at shut-down.
#include <array>
#include <string>
#include <vector>

#include "content/quiz.h"

namespace fenok {

class Controls;
class Files;
class MediaPlayers;
class Messages;
class Resources;

// The ports the host works through: the clips' resources, the files they are written to, the failure
// messages and the players.
struct MediaPorts {
  Resources& resources;
  Files& files;
  Messages& messages;
  MediaPlayers& players;
};

// The kind given to extractClip: mediaKind - 1. It only chooses the failure message.
constexpr int kClipKindAudio = 1;
constexpr int kClipKindVideo = 2;

class MediaHost {
 public:
  MediaHost(const MediaPorts& ports, Quiz& quiz);

  void startMediaSupport();                       // start-up, after the content is loaded
  void stopMediaSupport();                        // shut-down, after the panels and the main window are gone
  bool createPlayer(int question, Controls& panel, int placeholderId);
  void playClip(int question);                    // PlayButton 6000 + question
  void stopClip();                                // any StopButton
  void closePanel();                              // the quiz panel closes: its clip file goes
  // Writes clip resource "IMG" id to its file and makes it the current clip file; 1 on success, 0 on failure.
  int extractClip(int resourceId, int kind);
  int currentQuestion() const { return currentQuestion_; }
  const std::string& currentClipFile() const { return currentClipFile_; }

 private:
  enum PlayState { kStopped = 0, kPlaying = 1, kPaused = 2 };

  struct PlayerSlot {
    int placeholder = 0;  // identifier of the question's placeholder control
    bool hasPlayer = false;
    int playState = kStopped;
    long lastResult = 0;
  };

  bool isMediaQuiz() const;
  bool hasPlayer(int question) const;
  int lastQuestionWithSlot() const;
  bool togglePause(int question);
  void stopEveryPlayer();
  void deleteClipFile();
  void showLoadFailure(int kind);

  MediaPorts ports_;
  Quiz& quiz_;
  std::array<PlayerSlot, kMaxQuestions> slots_{};
  int currentQuestion_ = 0;  // 0 until the first clip is started
  std::string currentClipFile_;
  std::vector<std::string> lockedClipFiles_;  // could not be deleted yet (still open); retried at shut-down
};

}  // namespace fenok
