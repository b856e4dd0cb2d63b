#pragma once
// Shell over ShellExecuteA: the header's link opened with the verb "open".
#include "platform/ports/shell.h"

namespace fenok {

class Win32Shell : public Shell {
 public:
  void openLink(const std::string& address) override;
};

}  // namespace fenok
