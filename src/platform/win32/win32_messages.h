#pragma once
// Messages over MessageBoxA with no owner window.
#include "platform/ports/messages.h"

namespace fenok {

class Win32Messages : public Messages {
 public:
  void show(const std::string& text, const std::string& caption, unsigned style) override;
};

}  // namespace fenok
