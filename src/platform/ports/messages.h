#pragma once
// Messages port: a message box with no owner window. Blocks until closed.
#include <string>

namespace fenok {

constexpr unsigned kMbOk = 0x00;
constexpr unsigned kMbIconError = 0x10;
constexpr unsigned kMbIconInformation = 0x40;

class Messages {
 public:
  virtual ~Messages() = default;
  // Texts are Windows-1252 bytes.
  virtual void show(const std::string& text, const std::string& caption, unsigned style) = 0;
};

}  // namespace fenok
