#pragma once
// Every Win32 adapter of the ports, made once for the run and handed to the screens, the loader and
// the media host.
#include <windows.h>

#include "content/loader.h"
#include "media/media_host.h"
#include "platform/ports/platform.h"
#include "platform/win32/win32_files.h"
#include "platform/win32/win32_graphics.h"
#include "platform/win32/win32_media_players.h"
#include "platform/win32/win32_messages.h"
#include "platform/win32/win32_pictures.h"
#include "platform/win32/win32_resources.h"
#include "platform/win32/win32_shell.h"

namespace fenok {

class Win32Adapters {
 public:
  explicit Win32Adapters(HINSTANCE instance)
      : resources_(instance), graphics_(instance), pictures_(resources_, messages_) {}
  Win32Adapters(const Win32Adapters&) = delete;
  Win32Adapters& operator=(const Win32Adapters&) = delete;

  Platform platform() { return Platform{messages_, graphics_, files_, pictures_, shell_}; }
  ContentPorts contentPorts() { return ContentPorts{resources_, messages_, graphics_}; }
  MediaPorts mediaPorts() { return MediaPorts{resources_, files_, messages_, media_}; }

 private:
  Win32Resources resources_;
  Win32Messages messages_;
  Win32Graphics graphics_;
  Win32Files files_;
  Win32Pictures pictures_;
  Win32Shell shell_;
  Win32MediaPlayers media_;
};

}  // namespace fenok
