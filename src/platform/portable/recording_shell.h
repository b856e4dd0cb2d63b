#pragma once
// A Shell port that records the links it is asked to open instead of opening them (tests and tools).
#include <string>
#include <vector>

#include "platform/ports/shell.h"

namespace fenok {

class RecordingShell : public Shell {
 public:
  void openLink(const std::string& address) override { opened.push_back(address); }

  std::vector<std::string> opened;
};

}  // namespace fenok
