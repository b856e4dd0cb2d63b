#pragma once
// A fresh directory made the current one for the life of a test, removed afterwards.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace fenok::testing {

class CurrentTempDirectory {
 public:
  CurrentTempDirectory() : previous_(std::filesystem::current_path()) {
    std::string pattern = (std::filesystem::temp_directory_path() / "fenok-persist-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    path_ = pattern;
    std::filesystem::current_path(path_);
  }
  ~CurrentTempDirectory() {
    std::filesystem::current_path(previous_);
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  CurrentTempDirectory(const CurrentTempDirectory&) = delete;
  CurrentTempDirectory& operator=(const CurrentTempDirectory&) = delete;

  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path previous_;
  std::filesystem::path path_;
};

}  // namespace fenok::testing
