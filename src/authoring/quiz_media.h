#pragma once
// The pictures and clips of a quiz, read from the files its description names (relative to the
// description's folder), recognised by their bytes and turned into the resources the player loads:
// JPEG and GIF pictures "IMG" 400 + j, PNG pictures RCDATA 400 + j, solution pictures "IMG" 10400 + j
// with the halves of every byte exchanged (PNG ones plain as RCDATA 10400 + j), clips "IMG" 400 + j.
// Pictures of other formats (WebP, HEIC, AVIF) are always fitted, and so stored as JPEG or PNG.
#include <cstdint>
#include <string>
#include <vector>

#include "authoring/pictures/picture_format.h"
#include "diagnostics.h"
#include "platform/portable/pe_resources.h"
#include "quiz_source.h"

namespace fenok::pack {

// Pictures fitted to the player's box (the default), or stored as the files give them.
enum class PictureStorage { fitted, asGiven };

// True for every resource of the stub that a quiz owns (content, pictures, solutions, clips): these
// are dropped from the stub so that nothing of an earlier quiz stays behind.
bool isQuizResource(const PeResourceEntry& entry);

// Reads the files of every question and appends their resources; problems go to diagnostics. The
// path of every file it reads is added to readFiles when given.
void collectMedia(const QuizSource& source, const std::string& folder, std::vector<PeResourceEntry>& out,
                  Diagnostics& diagnostics, std::vector<std::string>* readFiles = nullptr,
                  PictureStorage storage = PictureStorage::fitted);

// Everything of the description that collectMedia reads, as one text: the kinds, where each question
// starts and its file keys, with the folder they are found in. Two descriptions with the same inputs
// have the same media problems (as long as the files stay as they are).
std::string mediaInputs(const QuizSource& source, const std::string& folder);

}  // namespace fenok::pack
