#include "platform/win32/win32_media_players.h"

#include <ole2.h>
#include <wmp.h>

#include "platform/ports/controls.h"
#include "platform/win32/scoped_win.h"

namespace fenok {
namespace {

// {6BF52A52-394A-11D3-B153-00C04F79FAA6}
constexpr CLSID kWindowsMediaPlayer = {0x6bf52a52, 0x394a, 0x11d3, {0xb1, 0x53, 0x00, 0xc0, 0x4f, 0x79, 0xfa, 0xa6}};
// {6BF52A4F-394A-11D3-B153-00C04F79FAA6}
constexpr IID kIWMPPlayer = {0x6bf52a4f, 0x394a, 0x11d3, {0xb1, 0x53, 0x00, 0xc0, 0x4f, 0x79, 0xfa, 0xa6}};

// In-process server, in-process handler and local server.
constexpr DWORD kPlayerClassContext = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER;

constexpr int kUrlCharacters = 512;

// A wide BSTR of 8-bit text in the ANSI code page; null when it cannot be converted.
Bstr wideString(const char* text) {
  WCHAR wide[kUrlCharacters];
  if (MultiByteToWideChar(CP_ACP, 0, text, -1, wide, kUrlCharacters) == 0) return Bstr(nullptr);
  return Bstr(SysAllocString(wide));
}

// The player resolves a relative name against a folder of its own choosing: give it the full path.
std::string fullPath(const std::string& path) {
  char full[MAX_PATH];
  const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
  if (length == 0 || length >= MAX_PATH) return path;
  return std::string(full, length);
}

// Opening a file must not start it: play is ours to call, once.
void disableAutoStart(IWMPPlayer& player) {
  ComPtr<IWMPSettings> settings;
  if (FAILED(player.get_settings(settings.put()))) {
    settings.abandon();
    return;
  }
  if (settings) settings->put_autoStart(VARIANT_FALSE);
}

}  // namespace

Win32MediaPlayers::Win32MediaPlayers() = default;

Win32MediaPlayers::~Win32MediaPlayers() { stop(); }

void Win32MediaPlayers::start() {
  if (atl_ != nullptr) return;
  atl_ = LoadLibraryA("atl.dll");
  if (atl_ == nullptr) return;  // no hosting, so no COM either: every player creation fails
  attachControl_ = reinterpret_cast<AttachControl>(reinterpret_cast<void*>(GetProcAddress(atl_, "AtlAxAttachControl")));
  com_.emplace();
}

void Win32MediaPlayers::stop() {
  releasePlayers();
  com_.reset();
  if (atl_ != nullptr) FreeLibrary(atl_);
  atl_ = nullptr;
  attachControl_ = nullptr;
}

void Win32MediaPlayers::releaseSlot(Slot& slot) {
  slot.container.reset();
  slot.controls.reset();
  slot.player.reset();
}

void Win32MediaPlayers::releasePlayers() {
  for (Slot& each : slots_) releaseSlot(each);
}

Win32MediaPlayers::Slot* Win32MediaPlayers::slot(int question) {
  if (question < 1 || question > static_cast<int>(slots_.size())) return nullptr;
  return &slots_[question - 1];
}

const Win32MediaPlayers::Slot* Win32MediaPlayers::slot(int question) const {
  if (question < 1 || question > static_cast<int>(slots_.size())) return nullptr;
  return &slots_[question - 1];
}

bool Win32MediaPlayers::create(int question, Controls& panel, int placeholderId) {
  Slot* target = slot(question);
  if (target == nullptr) return false;
  releaseSlot(*target);
  // Without the hosting entry point a player could not be shown or clicked: count it as none.
  if (attachControl_ == nullptr || !com_ || !com_->initialised()) {
    target->lastResult = CO_E_NOTINITIALIZED;
    return false;
  }

  target->lastResult =
      CoCreateInstance(kWindowsMediaPlayer, nullptr, kPlayerClassContext, kIWMPPlayer, target->player.putVoid());
  if (FAILED(target->lastResult)) target->player.abandon();
  if (target->lastResult != S_OK || !target->player) {
    target->player.reset();
    return false;
  }

  // Failures from here on leave the player without a window or controls; the panel goes on.
  HWND placeholder = static_cast<HWND>(panel.window(placeholderId));
  // Some hosts build the site only when asked for it, so take it and keep it.
  target->lastResult = attachControl_(target->player.get(), placeholder, target->container.put());
  target->lastResult = target->player->get_controls(target->controls.put());
  if (FAILED(target->lastResult)) target->controls.abandon();
  const Bstr none = wideString("none");
  target->lastResult = target->player->put_uiMode(none.get());
  disableAutoStart(*target->player.get());
  return true;
}

void Win32MediaPlayers::setUrl(int question, const std::string& path) {
  Slot* target = slot(question);
  if (target == nullptr || !target->player) return;
  const Bstr url = wideString(fullPath(path).c_str());
  if (!url) return;
  target->player->put_URL(url.get());
}

void Win32MediaPlayers::play(int question) {
  Slot* target = slot(question);
  if (target != nullptr && target->controls) target->controls->play();
}

void Win32MediaPlayers::pause(int question) {
  Slot* target = slot(question);
  if (target != nullptr && target->controls) target->controls->pause();
}

void Win32MediaPlayers::stopPlaying(int question) {
  Slot* target = slot(question);
  if (target == nullptr || !target->player) return;
  if (target->controls) target->controls->stop();
  // Stopping keeps the file open; closing the media lets it be deleted.
  target->player->close();
}

PlayerActivity Win32MediaPlayers::activity(int question) {
  Slot* target = slot(question);
  if (target == nullptr || !target->player) return PlayerActivity::unknown;
  WMPPlayState state = wmppsUndefined;
  if (FAILED(target->player->get_playState(&state))) return PlayerActivity::unknown;
  switch (state) {
    case wmppsPlaying:
    case wmppsBuffering:
    case wmppsWaiting:
    case wmppsTransitioning:
    case wmppsScanForward:
    case wmppsScanReverse:
      return PlayerActivity::playing;
    case wmppsPaused:
      return PlayerActivity::paused;
    case wmppsStopped:
    case wmppsMediaEnded:
    case wmppsReady:
      return PlayerActivity::stopped;
    default:
      return PlayerActivity::unknown;
  }
}

long Win32MediaPlayers::lastResult(int question) const {
  const Slot* target = slot(question);
  return target != nullptr ? static_cast<long>(target->lastResult) : 0;
}

}  // namespace fenok
