#pragma once
// Problems found in a quiz description, each as "FILE:LINE: what is wrong". Errors stop the build,
// warnings only inform.
#include <string>
#include <vector>

namespace fenok::pack {

class Diagnostics {
 public:
  explicit Diagnostics(std::string file) : file_(std::move(file)) {}

  void error(int line, const std::string& what) { errors_.push_back(format(line, what)); }
  void warning(int line, const std::string& what) { warnings_.push_back(format(line, "warning: " + what)); }

  bool hasErrors() const { return !errors_.empty(); }
  const std::vector<std::string>& errors() const { return errors_; }
  const std::vector<std::string>& warnings() const { return warnings_; }
  const std::string& file() const { return file_; }

 private:
  std::string format(int line, const std::string& what) const {
    return line > 0 ? file_ + ":" + std::to_string(line) + ": " + what : file_ + ": " + what;
  }

  std::string file_;
  std::vector<std::string> errors_;
  std::vector<std::string> warnings_;
};

}  // namespace fenok::pack
