#pragma once
// The descriptions the author opened or saved last, newest first, kept in a UTF-8 text file (one
// path a line) in the author's settings folder. A missing or damaged file is an empty list.
#include <string>
#include <vector>

namespace fenok::studio {

class RecentFiles {
 public:
  explicit RecentFiles(std::string file) : file_(std::move(file)) {}

  void load();
  void add(const std::string& path);  // to the front, once, and saved; the list keeps its bound
  void remove(const std::string& path);
  const std::vector<std::string>& paths() const { return paths_; }

 private:
  void save() const;

  std::string file_;
  std::vector<std::string> paths_;
};

}  // namespace fenok::studio
