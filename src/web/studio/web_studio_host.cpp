#include "web/studio/web_studio_host.h"

#include <utility>

namespace fenok::web {

void WebStudioHost::answerPaths(std::vector<std::string> paths, int filterIndex) {
  paths_.push_back({std::move(paths), filterIndex});
}

std::vector<WebStudioHost::Told> WebStudioHost::takeTold() { return std::exchange(told_, {}); }

std::vector<std::string> WebStudioHost::takeOpened() { return std::exchange(opened_, {}); }

std::vector<WebStudioHost::Asked> WebStudioHost::takeAsked() { return std::exchange(asked_, {}); }

bool WebStudioHost::takePaths(std::vector<std::string>& paths, int& filterIndex) {
  if (paths_.empty()) return false;
  paths = std::move(paths_.front().paths);
  filterIndex = paths_.front().filterIndex;
  paths_.pop_front();
  return !paths.empty();  // an empty answer: the author cancelled
}

bool WebStudioHost::chooseFolder(const std::string& title, std::string& folder) {
  studio::FileDialog dialog;
  dialog.title = title;
  dialog.multiple = true;
  std::vector<std::string> paths;
  if (!chooseFilesToOpen(dialog, paths)) return false;
  folder = paths.front();
  return true;
}

bool WebStudioHost::chooseFilesToOpen(const studio::FileDialog& dialog, std::vector<std::string>& paths) {
  const bool answered = !paths_.empty();
  int ignored = 0;
  if (takePaths(paths, ignored)) return true;
  if (!answered) asked_.push_back({DialogKind::open, dialog});
  return false;
}

bool WebStudioHost::chooseFileToSave(const studio::FileDialog& dialog, std::string& path, int& filterIndex) {
  const bool answered = !paths_.empty();
  std::vector<std::string> paths;
  if (takePaths(paths, filterIndex)) {
    path = paths.front();
    return true;
  }
  if (!answered) asked_.push_back({DialogKind::save, dialog});
  return false;
}

bool WebStudioHost::chooseColour(std::uint32_t& colour) {
  if (colours_.empty()) {
    asked_.push_back({DialogKind::colour, {}, colour});
    return false;
  }
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
