#include "platform/portable/message_recorder.h"

namespace fenok {

void MessageRecorder::show(const std::string& text, const std::string& caption, unsigned style) {
  messages_.push_back({text, caption, style});
}

std::vector<std::string> MessageRecorder::texts() const {
  std::vector<std::string> result;
  result.reserve(messages_.size());
  for (const RecordedMessage& message : messages_) result.push_back(message.text);
  return result;
}

}  // namespace fenok
