#pragma once
// What the program's panels show now, as JSON for the page to draw: the header's texts, every
// question's number, picture, clip, comment, boxes and verdicts, the colours the program paints them
// with, and what happened since the last snapshot (messages, a save, a link to open).
#include <string>

namespace fenok::web {

class WebSession;

std::string screenSnapshot(WebSession& session);

}  // namespace fenok::web
