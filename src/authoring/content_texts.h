#pragma once
// The two content resources of a quiz: the answers text ("PATCH" 104) and the codes text ("PATCH" 105),
// as the player's loader reads them, and their stored form (LZW, then scrambled unless plain).
#include <cstdint>
#include <vector>

#include "messages.h"
#include "platform/portable/pe_resources.h"
#include "quiz_content.h"

namespace fenok::pack {

std::vector<std::uint8_t> answersText(const QuizContent& quiz);
std::vector<std::uint8_t> codesText(const QuizContent& quiz);

// LZW-encoded and, unless plain, scrambled with the content key. Empty when the encoded text would be
// larger than the player decodes.
std::vector<std::uint8_t> storedForm(const std::vector<std::uint8_t>& text, bool plain);

// The "PATCH" 104 and 105 resources; false, with a reason, when a text is too large to be stored.
bool contentResources(const QuizContent& quiz, bool plain, std::vector<PeResourceEntry>& out, Message& error);

}  // namespace fenok::pack
