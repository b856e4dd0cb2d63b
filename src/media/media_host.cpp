#include "media/media_host.h"

#include <algorithm>

#include "content/field_text.h"
#include "media/clip_files.h"
#include "platform/panel_ids.h"
#include "platform/ports/files.h"
#include "platform/ports/media_player.h"
#include "platform/ports/messages.h"
#include "platform/ports/resources.h"

namespace fenok {
namespace {

constexpr const char* kMessageCaption = "Fenok";

struct LoadFailureMessage {
  int kind;
  const char* text;  // Windows-1252
};

constexpr LoadFailureMessage kLoadFailureMessages[] = {
    {kClipKindAudio, "Impossible de charger le fichier audio."},
    {kClipKindVideo, "Impossible de charger le fichier vid\xE9o."},
};

}  // namespace

MediaHost::MediaHost(const MediaPorts& ports, Quiz& quiz) : ports_(ports), quiz_(quiz) {}

bool MediaHost::isMediaQuiz() const {
  return quiz_.mediaKind == kMediaAudio || quiz_.mediaKind == kMediaVideo;
}

void MediaHost::startMediaSupport() {
  if (!isMediaQuiz()) return;
  ports_.players.start();
}

void MediaHost::stopMediaSupport() {
  if (!isMediaQuiz()) return;
  ports_.players.stop();
  // With every player gone, nothing holds the files that were still open when they were deleted,
  // nor the one of a clip that was still playing if the panel did not close first.
  deleteClipFile();
  for (const std::string& name : lockedClipFiles_) ports_.files.remove(name);
  lockedClipFiles_.clear();
}

bool MediaHost::createPlayer(int question, Controls& panel, int placeholderId) {
  if (!isMediaQuiz()) return false;
  if (question < 1 || question > kMaxQuestions) return false;  // the table holds 96 players
  PlayerSlot& slot = slots_[question - 1];
  slot = PlayerSlot{};
  const bool created = ports_.players.create(question, panel, placeholderId);
  slot.lastResult = ports_.players.lastResult(question);
  slot.placeholder = placeholderId;
  slot.hasPlayer = created;
  return created;
}

bool MediaHost::hasPlayer(int question) const {
  return question >= 1 && question <= kMaxQuestions && slots_[question - 1].hasPlayer;
}

int MediaHost::lastQuestionWithSlot() const {
  return boundedQuestionCount(quiz_);
}

void MediaHost::playClip(int question) {
  if (!isMediaQuiz() || !hasPlayer(question)) return;
  if (togglePause(question)) return;

  stopEveryPlayer();
  deleteClipFile();
  currentQuestion_ = question;
  if (extractClip(kFirstPictureResource + question, quiz_.mediaKind - 1) == 0) return;

  ports_.players.setUrl(question, currentClipFile_);
  ports_.players.play(question);
  slots_[question - 1].playState = kPlaying;
}

// A click on the clip that is playing pauses it, on the paused one resumes it. False when the click
// is to (re)start the clip: another question, a stopped clip, one that has run to its end, or a player
// that cannot tell whether it is still playing (pausing one that has ended would swallow the click).
bool MediaHost::togglePause(int question) {
  PlayerSlot& slot = slots_[question - 1];
  if (question != currentQuestion_ || currentClipFile_.empty()) return false;
  if (slot.playState == kPaused) {
    ports_.players.play(question);
    slot.playState = kPlaying;
    return true;
  }
  if (slot.playState != kPlaying || ports_.players.activity(question) != PlayerActivity::playing) return false;
  ports_.players.pause(question);
  slot.playState = kPaused;
  return true;
}

void MediaHost::stopEveryPlayer() {
  for (int question = 1; question <= lastQuestionWithSlot(); ++question) {
    slots_[question - 1].playState = kStopped;
    if (hasPlayer(question)) ports_.players.stopPlaying(question);
  }
}

void MediaHost::stopClip() {
  if (!isMediaQuiz() || currentQuestion_ == 0) return;
  slots_[currentQuestion_ - 1].playState = kStopped;
  if (hasPlayer(currentQuestion_)) ports_.players.stopPlaying(currentQuestion_);
  deleteClipFile();
}

void MediaHost::closePanel() {
  if (!isMediaQuiz()) return;
  // The player must let go of the file before it can be deleted.
  stopClip();
}

int MediaHost::extractClip(int resourceId, int kind) {
  const ResourceType type = ResourceType::named("IMG");
  const ByteView clip = ports_.resources.find(type, resourceId);
  if (clip.empty()) {
    if (ports_.resources.contains(type, resourceId)) showLoadFailure(kind);
    return 0;
  }

  const std::string path =
      clipFileName(fieldText(quiz_.mediaFolder), resourceId, clipExtension(clip.data, clip.size));
  if (path.empty()) {  // the folder makes the path too long for the platform's file calls
    showLoadFailure(kind);
    return 0;
  }
  currentClipFile_ = path;
  if (!ports_.files.writeWhole(path, clip.data, clip.size)) {
    // A half-written clip would only make the player fail in silence, and stay behind.
    deleteClipFile();
    showLoadFailure(kind);
    return 0;
  }
  return 1;
}

void MediaHost::deleteClipFile() {
  if (currentClipFile_.empty()) return;
  ports_.files.remove(currentClipFile_);
  const bool stillThere = ports_.files.exists(currentClipFile_);
  if (stillThere && std::find(lockedClipFiles_.begin(), lockedClipFiles_.end(), currentClipFile_) == lockedClipFiles_.end()) {
    lockedClipFiles_.push_back(currentClipFile_);
  }
  currentClipFile_.clear();
}

void MediaHost::showLoadFailure(int kind) {
  for (const LoadFailureMessage& message : kLoadFailureMessages) {
    if (message.kind == kind) ports_.messages.show(message.text, kMessageCaption, kMbOk);
  }
}

}  // namespace fenok
