#pragma once
// From a quiz description file to the resources of a packed quiz, and from a player to the packed one.
#include <cstdint>
#include <string>
#include <vector>

#include "diagnostics.h"
#include "platform/portable/pe_resources.h"
#include "quiz_content.h"
#include "quiz_media.h"
#include "quiz_source.h"

namespace fenok::pack {

// Reads and checks the description; false when it has errors (they are in diagnostics).
// readFiles, when given, gets the path of every file read (the description first).
bool readQuizDescription(const std::string& path, QuizContent& content, Diagnostics& diagnostics,
                         std::vector<PeResourceEntry>* media = nullptr, std::vector<std::string>* readFiles = nullptr,
                         PictureStorage storage = PictureStorage::fitted);

// Every resource the quiz adds to the player: content (scrambled unless plain) and media.
bool quizResources(const std::string& path, bool plain, std::vector<PeResourceEntry>& resources,
                   Diagnostics& diagnostics, std::vector<std::string>* readFiles = nullptr,
                   int* questionCount = nullptr, PictureStorage storage = PictureStorage::fitted);

// A description read, checked and turned into resources, ready to be packed.
struct PreparedQuiz {
  std::vector<PeResourceEntry> resources;  // empty when there are errors
  std::vector<std::string> readFiles;      // the description and every picture and clip it names
  std::vector<Problem> problems;           // in the order found
  int questionCount = 0;
  bool ok() const;                         // no errors
};

// Every check of a build, nothing written: what build and check both run. Pictures are decoded and
// fitted unless stored as given.
PreparedQuiz prepareQuiz(const std::string& path, bool plain, PictureStorage storage = PictureStorage::fitted);

// The same for a description held in memory, as if read from path (its files are looked for beside
// path, which need not exist): what the studio checks and packs without saving first.
PreparedQuiz prepareQuizText(const std::string& text, const std::string& path, bool plain,
                             PictureStorage storage = PictureStorage::fitted);

// What the media checks of a description found, kept with their inputs (mediaInputs), so that the
// description can be checked again after an edit of its texts without reading and fitting every picture
// again.
struct MediaFindings {
  std::string inputs;
  std::vector<Problem> problems;
  bool hasErrors = false;
};

// The problems of a description held in memory, as checkQuizDescription gives them for that file;
// media is used when its inputs are still the description's, else found again. parsed gets the
// description as read, its values with their lines.
std::vector<Problem> checkQuizText(const std::string& text, const std::string& path, MediaFindings& media,
                                   QuizSource& parsed);

// The problems alone, for a front end that lists them (file, line, severity, message).
std::vector<Problem> checkQuizDescription(const std::string& path);

// The player with its own resources kept, those of any earlier quiz dropped, and the quiz's put in.
bool packIntoPlayer(const std::vector<std::uint8_t>& player, const std::vector<PeResourceEntry>& resources,
                    std::vector<std::uint8_t>& packed, std::string& error);

}  // namespace fenok::pack
