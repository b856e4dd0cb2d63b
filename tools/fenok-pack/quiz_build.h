#pragma once
// From a quiz description file to the resources of a packed quiz, and from a player to the packed one.
#include <cstdint>
#include <string>
#include <vector>

#include "diagnostics.h"
#include "platform/portable/pe_resources.h"
#include "quiz_content.h"
#include "quiz_media.h"

namespace fenok::pack {

// Reads and checks the description; false when it has errors (they are in diagnostics).
bool readQuizDescription(const std::string& path, QuizContent& content, Diagnostics& diagnostics,
                         std::vector<PeResourceEntry>* media = nullptr,
                         PictureStorage storage = PictureStorage::fitted);

// Every resource the quiz adds to the player: content (scrambled unless plain) and media.
bool quizResources(const std::string& path, bool plain, std::vector<PeResourceEntry>& resources,
                   Diagnostics& diagnostics, PictureStorage storage = PictureStorage::fitted);

// The player with its own resources kept, those of any earlier quiz dropped, and the quiz's put in.
bool packIntoPlayer(const std::vector<std::uint8_t>& player, const std::vector<PeResourceEntry>& resources,
                    std::vector<std::uint8_t>& packed, std::string& error);

}  // namespace fenok::pack
