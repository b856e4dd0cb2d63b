#pragma once
// The program running inside the page. The quiz is loaded from the page's resources by the program's
// own loader, and both panels are built by the program's own construction passes over in-memory
// controls; every event of the page (a box left, a key released, "Cacher", "Sauver", play, stop) is
// handed to the program's own handler of that event. What the panels then show is what the page
// draws: no rule of loading, judging or saving exists anywhere else.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "media/media_host.h"
#include "platform/portable/fake_pictures.h"
#include "platform/portable/memory_controls.h"
#include "platform/portable/memory_resources.h"
#include "platform/portable/message_recorder.h"
#include "platform/portable/page_bundle.h"
#include "platform/portable/recording_graphics.h"
#include "platform/portable/recording_shell.h"
#include "platform/ports/platform.h"
#include "ui/header_panel.h"
#include "ui/quiz_panel.h"
#include "web/web_adapters.h"

namespace fenok::web {

class WebSession {
 public:
  // Reads the page's resources (the base64 text of its quiz element) and loads the quiz. pageName is
  // the page's file name, which names the answers file.
  WebSession(const char* bundle, std::size_t size, const std::string& pageName);
  ~WebSession();
  WebSession(const WebSession&) = delete;
  WebSession& operator=(const WebSession&) = delete;

  // Builds both panels as the program does at its start, with this saved-answers file restored and
  // judged. Called again, it starts over with another file (the quiz loaded afresh, in silence).
  void start(std::vector<std::uint8_t> answers);

  // The page's events, each with the box's text as the page shows it (UTF-8).
  void enterBox(int boxId);
  void leaveBox(int boxId, const std::string& typed);
  void releaseKey(int boxId, const std::string& typed, const std::string& key);  // "Enter", "F1", "F2"
  void setBoxText(int boxId, const std::string& typed);                          // nothing judged
  void clickHide(bool checked);
  void clickSave();
  void clickPlay(int question);
  void clickStop(int question);
  void clipEnded(int question);

  // The answers file as a save would write it now, without reporting a save.
  std::vector<std::uint8_t> answersFile();
  std::string answersFileName() const;
  // The bytes of a picture resource as the program decodes them, and of the clip a question plays.
  std::vector<std::uint8_t> pictureBytes(int resourceId) const;
  const std::vector<std::uint8_t>& clipBytes(int question) const;

  // A name for the quiz that changes when its content does, for keeping its progress.
  const std::string& identity() const { return identity_; }
  const BundleReading& bundle() const { return bundle_; }

  const Quiz& quiz() const { return *quiz_; }
  const MemoryControls& panel() const { return panel_; }
  const MemoryControls& header() const { return header_; }
  const QuizPanelState& panelState() const { return panelState_; }
  const HeaderPanelState& headerState() const { return headerState_; }
  const RecordingGraphics& graphics() const { return graphics_; }
  const FakePictures& pictures() const { return pictures_; }
  const WebMediaPlayers& players() const { return players_; }

  // What happened since the last call: the program's messages, a save.
  std::vector<RecordedMessage> takeMessages();
  std::string takeSaved() { return files_.takeSaved(); }

 private:
  void load(Messages& messages);
  void close();
  void registerPictures();
  void focusBox(int boxId);
  void setTyped(int boxId, const std::string& typed);

  MemoryResources resources_;
  BundleReading bundle_;
  std::string identity_;
  MessageRecorder messages_;
  RecordingGraphics graphics_;
  WebFiles files_;
  FakePictures pictures_;
  RecordingShell shell_;  // the page's link opens itself
  WebMediaPlayers players_;
  Platform platform_;
  std::unique_ptr<Quiz> quiz_;
  std::unique_ptr<MediaHost> media_;
  MemoryControls header_;
  MemoryControls panel_;
  HeaderPanelState headerState_;
  QuizPanelState panelState_;
  bool built_ = false;
};

}  // namespace fenok::web
