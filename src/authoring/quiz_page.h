#pragma once
// Writing a quiz as one web page: the web player page (fenok-web.html, which the web preset builds)
// with the quiz put in as the program carries it: the same content resources, scrambled as stored, and
// the pictures and clips as the build fitted them. Shared by `fenok-pack build` and the studio.
#include <cstddef>
#include <string>
#include <vector>

#include "messages.h"
#include "platform/portable/pe_resources.h"
#include "quiz_build.h"

namespace fenok::pack {

// The markers the web player page keeps for the quiz, each exactly once.
constexpr const char* kPageTitleMarker = "@FENOK_TITLE@";
constexpr const char* kPageQuizMarker = "@FENOK_QUIZ@";

// Whether an output name asks for a page (.html or .htm, any case) rather than a program.
bool isPagePath(const std::string& path);

// The player page with the quiz's title and resources in place of its markers; false, with the marker
// missing or repeated in badMarker, when the player page is not one.
bool makeQuizPage(const std::string& playerPage, const std::vector<PeResourceEntry>& resources, std::string& page,
                  std::string& badMarker);

// The prepared quiz written as a page from the player page at playerPath, beside its final name and
// renamed, never over one of its inputs. pageSize, when given, gets the size written.
bool writeQuizPage(const PreparedQuiz& prepared, const std::string& playerPath, const std::string& output,
                   Message& error, std::size_t* pageSize = nullptr);

}  // namespace fenok::pack
