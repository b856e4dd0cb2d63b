#include "quiz_page_reader.h"

namespace fenok::pack {
namespace {

constexpr const char* kElementEnd = "</script";

}  // namespace

bool pageQuizText(const std::string& html, std::string& text) {
  const std::string opening = kPageQuizElement;
  const std::size_t start = html.find(opening);
  if (start == std::string::npos) return false;
  const std::size_t from = start + opening.size();
  const std::size_t end = html.find(kElementEnd, from);
  // A page cut short ends inside the element: what is there is read, and found short.
  text = html.substr(from, end == std::string::npos ? std::string::npos : end - from);
  return true;
}

std::optional<Message> bundleDamage(const BundleReading& reading) {
  switch (reading.damage) {
    case BundleDamage::none: return std::nullopt;
    case BundleDamage::notABundle: return message(Msg::pageHoldsNoQuiz);
    case BundleDamage::newer: return message(Msg::pageOfLaterVersion);
    case BundleDamage::notBase64:
    case BundleDamage::cutShort: break;
  }
  return message(Msg::pageCutShort, reading.resourcesRead, reading.resourcesDeclared);
}

}  // namespace fenok::pack
