#include "platform/win32/win32_media_players.h"

#include <ole2.h>
#include <wmp.h>

#include "platform/ports/controls.h"

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
BSTR wideString(const char* text) {
  WCHAR wide[kUrlCharacters];
  if (MultiByteToWideChar(CP_ACP, 0, text, -1, wide, kUrlCharacters) == 0) return nullptr;
  return SysAllocString(wide);
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
  IWMPSettings* settings = nullptr;
  if (FAILED(player.get_settings(&settings)) || settings == nullptr) return;
  settings->put_autoStart(VARIANT_FALSE);
  settings->Release();
}

template <typename Interface>
void release(Interface*& pointer) {
  if (pointer != nullptr) pointer->Release();
  pointer = nullptr;
}

}  // namespace

Win32MediaPlayers::~Win32MediaPlayers() { stop(); }

void Win32MediaPlayers::start() {
  if (atl_ != nullptr) return;
  atl_ = LoadLibraryA("atl.dll");
  if (atl_ == nullptr) return;  // no hosting, so no COM either: every player creation fails
  attachControl_ = reinterpret_cast<AttachControl>(reinterpret_cast<void*>(GetProcAddress(atl_, "AtlAxAttachControl")));
  // S_FALSE (already initialised on this thread) needs its CoUninitialize as much as S_OK.
  comInitialised_ = SUCCEEDED(CoInitialize(nullptr));
}

void Win32MediaPlayers::stop() {
  releasePlayers();
  if (comInitialised_) CoUninitialize();
  comInitialised_ = false;
  if (atl_ != nullptr) FreeLibrary(atl_);
  atl_ = nullptr;
  attachControl_ = nullptr;
}

void Win32MediaPlayers::releaseSlot(Slot& slot) {
  release(slot.container);
  release(slot.controls);
  release(slot.player);
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
  if (attachControl_ == nullptr || !comInitialised_) {
    target->lastResult = CO_E_NOTINITIALIZED;
    return false;
  }

  void* player = nullptr;
  target->lastResult = CoCreateInstance(kWindowsMediaPlayer, nullptr, kPlayerClassContext, kIWMPPlayer, &player);
  if (target->lastResult != S_OK || player == nullptr) return false;
  target->player = static_cast<IWMPPlayer*>(player);

  // Failures from here on leave the player without a window or controls; the panel goes on.
  HWND placeholder = static_cast<HWND>(panel.window(placeholderId));
  // Some hosts build the site only when asked for it, so take it and keep it.
  target->lastResult = attachControl_(target->player, placeholder, &target->container);
  target->lastResult = target->player->get_controls(&target->controls);
  if (FAILED(target->lastResult)) target->controls = nullptr;
  BSTR none = wideString("none");
  target->lastResult = target->player->put_uiMode(none);
  SysFreeString(none);
  disableAutoStart(*target->player);
  return true;
}

void Win32MediaPlayers::setUrl(int question, const std::string& path) {
  Slot* target = slot(question);
  if (target == nullptr || target->player == nullptr) return;
  BSTR url = wideString(fullPath(path).c_str());
  if (url == nullptr) return;
  target->player->put_URL(url);
  SysFreeString(url);
}

void Win32MediaPlayers::play(int question) {
  Slot* target = slot(question);
  if (target != nullptr && target->controls != nullptr) target->controls->play();
}

void Win32MediaPlayers::pause(int question) {
  Slot* target = slot(question);
  if (target != nullptr && target->controls != nullptr) target->controls->pause();
}

void Win32MediaPlayers::stopPlaying(int question) {
  Slot* target = slot(question);
  if (target == nullptr || target->player == nullptr) return;
  if (target->controls != nullptr) target->controls->stop();
  // Stopping keeps the file open; closing the media lets it be deleted.
  target->player->close();
}

PlayerActivity Win32MediaPlayers::activity(int question) {
  Slot* target = slot(question);
  if (target == nullptr || target->player == nullptr) return PlayerActivity::unknown;
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
