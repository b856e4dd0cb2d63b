#include "quiz_build.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "content_texts.h"
#include "pe_writer.h"
#include "quiz_checks.h"
#include "quiz_media.h"
#include "quiz_toml.h"

namespace fenok::pack {

bool readQuizDescription(const std::string& path, QuizContent& content, Diagnostics& diagnostics,
                         std::vector<PeResourceEntry>* media, PictureStorage storage) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    diagnostics.error(0, "cannot read the quiz description");
    return false;
  }
  const std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  QuizSource source;
  if (!readQuizToml(text, source, diagnostics)) return false;
  checkQuiz(source, content, diagnostics);
  if (media) collectMedia(source, std::filesystem::path(path).parent_path().string(), *media, diagnostics, storage);
  return !diagnostics.hasErrors();
}

bool quizResources(const std::string& path, bool plain, std::vector<PeResourceEntry>& resources,
                   Diagnostics& diagnostics, PictureStorage storage) {
  QuizContent content;
  std::vector<PeResourceEntry> media;
  if (!readQuizDescription(path, content, diagnostics, &media, storage)) return false;
  std::string error;
  if (!contentResources(content, plain, resources, error)) {
    diagnostics.error(0, error);
    return false;
  }
  resources.insert(resources.end(), std::make_move_iterator(media.begin()), std::make_move_iterator(media.end()));
  return true;
}

bool packIntoPlayer(const std::vector<std::uint8_t>& player, const std::vector<PeResourceEntry>& resources,
                    std::vector<std::uint8_t>& packed, std::string& error) {
  // What an earlier quiz left in the player (a picture of a question this quiz lacks) must not show.
  return addResources(player, resources, packed, error, isQuizResource);
}

}  // namespace fenok::pack
