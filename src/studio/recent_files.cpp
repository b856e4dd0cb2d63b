#include "recent_files.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "authoring/file_bytes.h"
#include "authoring/quiz_program.h"
#include "studio_ids.h"

namespace fenok::studio {

void RecentFiles::load() {
  paths_.clear();
  std::vector<std::uint8_t> bytes;
  if (file_.empty() || !pack::readFileBytes(file_, bytes)) return;
  std::istringstream lines(std::string(bytes.begin(), bytes.end()));
  std::string line;
  while (std::getline(lines, line) && paths_.size() < STUDIO_RECENT_COUNT) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && std::find(paths_.begin(), paths_.end(), line) == paths_.end()) paths_.push_back(line);
  }
}

void RecentFiles::add(const std::string& path) {
  paths_.erase(std::remove(paths_.begin(), paths_.end(), path), paths_.end());
  paths_.insert(paths_.begin(), path);
  if (paths_.size() > STUDIO_RECENT_COUNT) paths_.resize(STUDIO_RECENT_COUNT);
  save();
}

void RecentFiles::remove(const std::string& path) {
  paths_.erase(std::remove(paths_.begin(), paths_.end(), path), paths_.end());
  save();
}

void RecentFiles::save() const {
  if (file_.empty()) return;
  std::string text;
  for (const std::string& path : paths_) text += path + "\n";
  std::error_code ignored;
  std::filesystem::create_directories(pack::filePath(file_).parent_path(), ignored);
  pack::Message error;
  // A list that cannot be kept is no reason to trouble the author.
  pack::writeFileReplacing(file_, std::vector<std::uint8_t>(text.begin(), text.end()), error);
}

}  // namespace fenok::studio
