#pragma once
// A Messages port that records every message box instead of showing it (tests and tools).
#include <string>
#include <vector>

#include "platform/ports/messages.h"

namespace fenok {

struct RecordedMessage {
  std::string text;     // Windows-1252 bytes, as shown
  std::string caption;
  unsigned style = 0;

  bool operator==(const RecordedMessage& other) const {
    return text == other.text && caption == other.caption && style == other.style;
  }
};

class MessageRecorder : public Messages {
 public:
  void show(const std::string& text, const std::string& caption, unsigned style) override;

  const std::vector<RecordedMessage>& messages() const { return messages_; }
  std::vector<std::string> texts() const;  // the texts alone, in order
  bool empty() const { return messages_.empty(); }
  void clear() { messages_.clear(); }

 private:
  std::vector<RecordedMessage> messages_;
};

}  // namespace fenok
