#pragma once
// MediaPlayers over the Windows Media Player ActiveX control, one per question, each hosted in its
// placeholder window with AtlAxAttachControl from atl.dll (loaded at run time, not linked).
#include <windows.h>

#include <array>
#include <optional>

#include "platform/ports/media_player.h"
#include "platform/win32/scoped_win.h"

struct IWMPPlayer;
struct IWMPControls;

namespace fenok {

class Win32MediaPlayers : public MediaPlayers {
 public:
  Win32MediaPlayers();  // out of line: only there are the players' interfaces complete
  ~Win32MediaPlayers() override;
  Win32MediaPlayers(const Win32MediaPlayers&) = delete;
  Win32MediaPlayers& operator=(const Win32MediaPlayers&) = delete;

  void start() override;
  void stop() override;
  bool create(int question, Controls& panel, int placeholderId) override;
  void setUrl(int question, const std::string& path) override;
  void play(int question) override;
  void pause(int question) override;
  void stopPlaying(int question) override;
  PlayerActivity activity(int question) override;
  long lastResult(int question) const override;

  bool hostingAvailable() const { return attachControl_ != nullptr; }

 private:
  using AttachControl = HRESULT(WINAPI*)(IUnknown* control, HWND window, IUnknown** container);

  struct Slot {
    ComPtr<IWMPPlayer> player;
    ComPtr<IWMPControls> controls;
    ComPtr<IUnknown> container;  // the hosting site, kept until the players are released
    HRESULT lastResult = S_OK;
  };

  Slot* slot(int question);
  const Slot* slot(int question) const;
  static void releaseSlot(Slot& slot);
  void releasePlayers();

  HMODULE atl_ = nullptr;
  AttachControl attachControl_ = nullptr;
  std::optional<ComInitialisation> com_;  // from start to stop
  std::array<Slot, 96> slots_{};
};

}  // namespace fenok
