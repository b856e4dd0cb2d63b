#pragma once
// A quiz page read back, for inspect and try: the resources its quiz element carries.
#include <optional>
#include <string>

#include "messages.h"
#include "platform/portable/page_bundle.h"

namespace fenok::pack {

// The start of the quiz element, as the web player page writes it; the base64 text follows it up to
// the element's end.
constexpr const char* kPageQuizElement = "<script type=\"application/octet-stream\" id=\"fenok-quiz\">";

// The text of the page's quiz element; false when the page has none (not a quiz page).
bool pageQuizText(const std::string& html, std::string& text);

// What is wrong with a page's quiz element; nothing when it was read whole.
std::optional<Message> bundleDamage(const BundleReading& reading);

}  // namespace fenok::pack
