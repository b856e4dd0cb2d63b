#pragma once
// Media player port: one embedded player per question, hosted in a placeholder control of the quiz panel.
#include <string>

namespace fenok {

class Controls;

// What a player reports it is doing; a clip that ran to its end counts as stopped.
enum class PlayerActivity { unknown, stopped, playing, paused };

class MediaPlayers {
 public:
  virtual ~MediaPlayers() = default;
  // Loads the hosting support (atl.dll, COM) at start and releases it at the end.
  virtual void start() = 0;
  virtual void stop() = 0;
  // Creates the player of slot (question - 1) inside the placeholder; false when no player can be had.
  virtual bool create(int question, Controls& panel, int placeholderId) = 0;
  virtual void setUrl(int question, const std::string& path) = 0;  // 8-bit path (CP_ACP)
  virtual void play(int question) = 0;
  virtual void pause(int question) = 0;
  // Halts playback and lets go of the opened file, so that it can be deleted.
  virtual void stopPlaying(int question) = 0;

  // What the player of the question is doing now; unknown where the platform cannot tell.
  virtual PlayerActivity activity(int /*question*/) { return PlayerActivity::unknown; }
  // Result code of the last setup call made for the question's player (0 = success).
  virtual long lastResult(int /*question*/) const { return 0; }
};

}  // namespace fenok
