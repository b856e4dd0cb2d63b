#include "web/studio/web_studio_host.h"

#include <utility>

namespace fenok::web {

void WebStudioHost::answerPaths(std::vector<std::string> paths, int filterIndex) {
  paths_.push_back({std::move(paths), filterIndex});
}

std::vector<WebStudioHost::Told> WebStudioHost::takeTold() { return std::exchange(told_, {}); }

std::vector<std::string> WebStudioHost::takeOpened() { return std::exchange(opened_, {}); }

bool WebStudioHost::chooseFolder(const std::string&, std::string& folder) {
  std::vector<std::string> paths;
  if (!chooseFilesToOpen({}, paths) || paths.empty()) return false;
  folder = paths.front();
  return true;
}

bool WebStudioHost::chooseFilesToOpen(const studio::FileDialog&, std::vector<std::string>& paths) {
  if (paths_.empty()) return false;  // the author cancelled, or the page asked nothing
  paths = std::move(paths_.front().paths);
  paths_.pop_front();
  return !paths.empty();
}

bool WebStudioHost::chooseFileToSave(const studio::FileDialog& dialog, std::string& path, int& filterIndex) {
  std::vector<std::string> paths;
  const int index = paths_.empty() ? 0 : paths_.front().filterIndex;
  if (!chooseFilesToOpen(dialog, paths)) return false;
  path = paths.front();
  filterIndex = index;
  return true;
}

bool WebStudioHost::chooseColour(std::uint32_t& colour) {
  if (colours_.empty()) return false;
  colour = colours_.front();
  colours_.pop_front();
  return true;
}

studio::Reply WebStudioHost::ask(const std::string&) {
  if (replies_.empty()) return studio::Reply::cancel;  // nothing is lost when nobody answered
  const studio::Reply reply = replies_.front();
  replies_.pop_front();
  return reply;
}

bool WebStudioHost::startProgram(const std::string& path, std::string& error) {
  // A Windows program does not start in a browser: the page offers it for download instead.
  opened_.push_back(path);
  error.clear();
  return true;
}

bool WebStudioHost::openFile(const std::string& path, std::string& error) {
  opened_.push_back(path);
  error.clear();
  return true;
}

void WebStudioHost::setUndoable(bool canUndo, bool canRedo) {
  canUndo_ = canUndo;
  canRedo_ = canRedo;
}

}  // namespace fenok::web
