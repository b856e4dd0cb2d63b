#include "media/media_host.h"

#include <algorithm>

#include "content/field_text.h"
#include "media/clip_files.h"
#include "platform/ports/files.h"
#include "platform/ports/media_player.h"
#include "platform/ports/messages.h"
#include "platform/ports/platform.h"
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

MediaHost::MediaHost(Platform& platform, Quiz& quiz) : platform_(platform), quiz_(quiz) {}

bool MediaHost::isMediaQuiz() const {
  return quiz_.mediaKind == kMediaAudio || quiz_.mediaKind == kMediaVideo;
}

void MediaHost::startMediaSupport() {
  if (!isMediaQuiz() || platform_.media == nullptr) return;
  platform_.media->start();
}

void MediaHost::stopMediaSupport() {
  if (!isMediaQuiz()) return;
  if (platform_.media != nullptr) platform_.media->stop();
  // With every player gone, nothing holds the files that were still open when they were deleted,
  // nor the one of a clip that was still playing if the panel did not close first.
  deleteClipFile();
  if (platform_.files != nullptr) {
    for (const std::string& name : lockedClipFiles_) platform_.files->remove(name);
  }
  lockedClipFiles_.clear();
}

bool MediaHost::createPlayer(int question, Controls& panel, int placeholderId) {
  if (!isMediaQuiz() || platform_.media == nullptr) return false;
  if (question < 1 || question > kMaxQuestions) return false;  // the table holds 96 players
  PlayerSlot& slot = slots_[question - 1];
  slot = PlayerSlot{};
  const bool created = platform_.media->create(question, panel, placeholderId);
  slot.lastResult = platform_.media->lastResult(question);
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
  if (!isMediaQuiz() || !hasPlayer(question) || platform_.media == nullptr) return;
  if (togglePause(question)) return;

  stopEveryPlayer();
  deleteClipFile();
  currentQuestion_ = question;
  if (extractClip(kFirstClipResource + question, quiz_.mediaKind - 1) == 0) return;

  platform_.media->setUrl(question, currentClipFile_);
  platform_.media->play(question);
  slots_[question - 1].playState = kPlaying;
}

// A click on the clip that is playing pauses it, on the paused one resumes it. False when the click
// is to (re)start the clip: another question, a stopped clip, one that has run to its end, or a player
// that cannot tell whether it is still playing (pausing one that has ended would swallow the click).
bool MediaHost::togglePause(int question) {
  PlayerSlot& slot = slots_[question - 1];
  if (question != currentQuestion_ || currentClipFile_.empty()) return false;
  if (slot.playState == kPaused) {
    platform_.media->play(question);
    slot.playState = kPlaying;
    return true;
  }
  if (slot.playState != kPlaying || platform_.media->activity(question) != PlayerActivity::playing) return false;
  platform_.media->pause(question);
  slot.playState = kPaused;
  return true;
}

void MediaHost::stopEveryPlayer() {
  for (int question = 1; question <= lastQuestionWithSlot(); ++question) {
    slots_[question - 1].playState = kStopped;
    if (hasPlayer(question)) platform_.media->stopPlaying(question);
  }
}

void MediaHost::stopClip() {
  if (!isMediaQuiz() || currentQuestion_ == 0) return;
  slots_[currentQuestion_ - 1].playState = kStopped;
  if (hasPlayer(currentQuestion_) && platform_.media != nullptr) platform_.media->stopPlaying(currentQuestion_);
  deleteClipFile();
}

void MediaHost::closePanel() {
  if (!isMediaQuiz()) return;
  // The player must let go of the file before it can be deleted.
  stopClip();
}

int MediaHost::extractClip(int resourceId, int kind) {
  if (platform_.resources == nullptr || platform_.files == nullptr) return 0;
  const ResourceType type = ResourceType::named("IMG");
  const ByteView clip = platform_.resources->find(type, resourceId);
  if (clip.empty()) {
    if (platform_.resources->contains(type, resourceId)) showLoadFailure(kind);
    return 0;
  }

  const std::string path =
      clipFileName(fieldText(quiz_.mediaFolder), resourceId, clipExtension(clip.data, clip.size));
  if (path.empty()) {  // the folder makes the path too long for the platform's file calls
    showLoadFailure(kind);
    return 0;
  }
  currentClipFile_ = path;
  if (!platform_.files->writeWhole(path, clip.data, clip.size)) {
    // A half-written clip would only make the player fail in silence, and stay behind.
    deleteClipFile();
    showLoadFailure(kind);
    return 0;
  }
  return 1;
}

void MediaHost::deleteClipFile() {
  if (currentClipFile_.empty() || platform_.files == nullptr) return;
  platform_.files->remove(currentClipFile_);
  const bool stillThere = platform_.files->exists(currentClipFile_);
  if (stillThere && std::find(lockedClipFiles_.begin(), lockedClipFiles_.end(), currentClipFile_) == lockedClipFiles_.end()) {
    lockedClipFiles_.push_back(currentClipFile_);
  }
  currentClipFile_.clear();
}

void MediaHost::showLoadFailure(int kind) {
  if (platform_.messages == nullptr) return;
  for (const LoadFailureMessage& message : kLoadFailureMessages) {
    if (message.kind == kind) platform_.messages->show(message.text, kMessageCaption, kMbOk);
  }
}

}  // namespace fenok
