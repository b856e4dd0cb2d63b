#include "recent_files.h"

#include <algorithm>
#include <filesystem>
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

namespace {

// What cannot be kept is no reason to trouble the author.
void keep(const std::string& file, const std::string& text) {
  if (file.empty()) return;
  std::error_code ignored;
  std::filesystem::create_directories(pack::filePath(file).parent_path(), ignored);
  pack::Message error;
  pack::writeFileReplacing(file, std::vector<std::uint8_t>(text.begin(), text.end()), error);
}

// The middle of a title bar, this far below the window's top edge.
constexpr int kTitleMiddle = 10;

bool holds(const LayoutRect& area, int x, int y) {
  return x >= area.left && x < area.right && y >= area.top && y < area.bottom;
}

}  // namespace

void RecentFiles::save() const {
  std::string text;
  for (const std::string& path : paths_) text += path + "\n";
  keep(file_, text);
}

bool loadWindowPlace(const std::string& file, WindowPlace& place) {
  std::vector<std::uint8_t> bytes;
  if (file.empty() || !pack::readFileBytes(file, bytes)) return false;
  std::istringstream line(std::string(bytes.begin(), bytes.end()));
  WindowPlace read;
  int maximised = 0;
  if (!(line >> read.normal.left >> read.normal.top >> read.normal.right >> read.normal.bottom >> maximised)) return false;
  if (read.normal.width() <= 0 || read.normal.height() <= 0) return false;
  read.maximised = maximised != 0;
  place = read;
  return true;
}

void saveWindowPlace(const std::string& file, const WindowPlace& place) {
  const LayoutRect& r = place.normal;
  keep(file, std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) + " " +
                 std::to_string(r.bottom) + " " + (place.maximised ? "1" : "0") + "\n");
}

LayoutRect placeOnScreens(const LayoutRect& kept, const std::vector<LayoutRect>& workAreas, int minWidth,
                          int minHeight) {
  if (workAreas.empty()) return kept;
  const int titleX = kept.left + kept.width() / 2;
  const int titleY = kept.top + kTitleMiddle;
  const auto on = std::find_if(workAreas.begin(), workAreas.end(),
                               [&](const LayoutRect& area) { return holds(area, titleX, titleY); });
  const LayoutRect& area = on != workAreas.end() ? *on : workAreas.front();
  const int width = std::max(std::min(kept.width(), area.width()), minWidth);
  const int height = std::max(std::min(kept.height(), area.height()), minHeight);
  int left = on != workAreas.end() ? kept.left : area.left + (area.width() - width) / 2;
  int top = on != workAreas.end() ? kept.top : area.top + (area.height() - height) / 2;
  // Inside the area, its top left corner first when it cannot be whole.
  left = std::max(std::min(left, area.right - width), area.left);
  top = std::max(std::min(top, area.bottom - height), area.top);
  return {left, top, left + width, top + height};
}

}  // namespace fenok::studio
