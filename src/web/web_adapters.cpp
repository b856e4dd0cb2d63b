#include "web/web_adapters.h"

#include <cctype>
#include <utility>

namespace fenok::web {
namespace {

constexpr const char* kPageEndings[] = {".html", ".htm"};
constexpr const char* kProgramEnding = ".exe";
constexpr const char* kUnnamedProgram = "fenok.exe";
constexpr const char* kWebSchemes[] = {"http://", "https://"};
constexpr const char* kBareWebName = "www.";
constexpr const char* kAssumedScheme = "http://";

bool startsWithIgnoringCase(const std::string& text, const std::string& start) {
  if (text.size() < start.size()) return false;
  for (std::size_t i = 0; i < start.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(text[i])) != std::tolower(static_cast<unsigned char>(start[i])))
      return false;
  }
  return true;
}

bool endsWithIgnoringCase(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && startsWithIgnoringCase(text.substr(text.size() - end.size()), end);
}

// Characters a browser would read as something else than part of the address.
bool safeInAddress(char c) {
  const unsigned char byte = static_cast<unsigned char>(c);
  return byte > 0x20 && byte < 0x7F && c != '"' && c != '<' && c != '>' && c != '\\';
}

}  // namespace

std::string programNameForPage(const std::string& pageName) {
  if (pageName.empty()) return kUnnamedProgram;
  for (const char* ending : kPageEndings) {
    if (endsWithIgnoringCase(pageName, ending) && pageName.size() > std::string(ending).size())
      return pageName.substr(0, pageName.size() - std::string(ending).size()) + kProgramEnding;
  }
  return pageName + kProgramEnding;
}

bool WebFiles::readWhole(const std::string& name, std::vector<std::uint8_t>& bytes) const {
  const auto found = files_.find(name);
  if (found == files_.end()) {
    bytes.clear();
    return false;
  }
  bytes = found->second;
  return true;
}

bool WebFiles::replaceWhole(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  files_[name] = bytes;
  saved_ = name;
  return true;
}

bool WebFiles::writeWhole(const std::string& name, const std::uint8_t* data, std::size_t size) {
  files_[name].assign(data, data + size);
  return true;
}

const std::vector<std::uint8_t>& WebFiles::bytesOf(const std::string& name) const {
  static const std::vector<std::uint8_t> none;
  const auto found = files_.find(name);
  return found == files_.end() ? none : found->second;
}

std::string WebFiles::takeSaved() { return std::exchange(saved_, std::string()); }

WebMediaPlayers::Slot& WebMediaPlayers::slot(int question) {
  return slots_[question >= 1 && question <= kMaxQuestions ? static_cast<std::size_t>(question) : 0];
}

const WebMediaPlayers::Slot& WebMediaPlayers::at(int question) const {
  return slots_[question >= 1 && question <= kMaxQuestions ? static_cast<std::size_t>(question) : 0];
}

bool WebMediaPlayers::create(int question, Controls&, int) {
  slot(question) = Slot{};
  return true;
}

void WebMediaPlayers::setUrl(int question, const std::string& path) {
  Slot& s = slot(question);
  s.path = path;
  s.ended = false;
  ++s.starts;
}

PlayerActivity WebMediaPlayers::activity(int question) {
  const Slot& s = at(question);
  if (s.ended) return PlayerActivity::stopped;
  switch (s.state) {
    case ClipState::playing: return PlayerActivity::playing;
    case ClipState::paused: return PlayerActivity::paused;
    case ClipState::stopped: break;
  }
  return PlayerActivity::stopped;
}

std::string webAddress(const std::string& link) {
  for (const char c : link) {
    if (!safeInAddress(c)) return {};
  }
  for (const char* scheme : kWebSchemes) {
    if (startsWithIgnoringCase(link, scheme) && link.size() > std::string(scheme).size()) return link;
  }
  if (startsWithIgnoringCase(link, kBareWebName) && link.size() > std::string(kBareWebName).size())
    return kAssumedScheme + link;
  return {};
}

}  // namespace fenok::web
