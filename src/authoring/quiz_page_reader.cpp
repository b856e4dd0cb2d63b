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

std::string describeBundle(const BundleReading& reading) {
  switch (reading.damage) {
    case BundleDamage::none: return {};
    case BundleDamage::notABundle: return "the page's quiz element holds no quiz";
    case BundleDamage::newer: return "the page's quiz was written by a later version of fenok-pack";
    case BundleDamage::notBase64:
    case BundleDamage::cutShort: break;
  }
  return "the page is damaged or cut short: " + std::to_string(reading.resourcesRead) + " of its " +
         std::to_string(reading.resourcesDeclared) + " resources could be read";
}

}  // namespace fenok::pack
