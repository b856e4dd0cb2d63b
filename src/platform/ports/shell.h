#pragma once
// Shell port: open a link with the verb "open" (ShellExecuteA, no owner, SW_SHOWNORMAL).
#include <string>

namespace fenok {

class Shell {
 public:
  virtual ~Shell() = default;
  virtual void openLink(const std::string& address) = 0;
};

}  // namespace fenok
