#pragma once
// Stored content that the player reads past in silence (ran short, bytes left over, kinds out of
// range), said in words for the author: inspect and try print these as warnings and exit 1.
#include <string>
#include <vector>

#include "content/loader.h"
#include "messages.h"

namespace fenok::pack {

std::vector<Message> describeFindings(const ContentFindings& findings);

}  // namespace fenok::pack
