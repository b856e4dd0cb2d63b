#include "quiz_unpacking.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <vector>

#include "diagnostics.h"
#include "file_bytes.h"
#include "media/clip_files.h"
#include "pictures/picture_fit.h"
#include "platform/panel_ids.h"
#include "quiz_inspection.h"
#include "quiz_page.h"
#include "quiz_source_writer.h"
#include "quiz_toml.h"
#include "text_encoding.h"
#include "authoring/pictures/picture_format.h"

namespace fenok::pack {
namespace {

namespace fs = std::filesystem;

constexpr const char* kPictureType = "IMG";  // JPEG and GIF pictures, and clips; PNG ones are RCDATA
constexpr const char* kDescriptionName = "quiz.toml";
constexpr int kMostFolderTries = 1000;

const char* pictureEnding(PictureFormat format) {
  switch (format) {
    case PictureFormat::jpeg: return ".jpg";
    case PictureFormat::gif: return ".gif";
    case PictureFormat::png: return ".png";
    default: return nullptr;  // the player stores no other kind
  }
}

std::vector<std::uint8_t> bytesOf(const ByteView& view) { return {view.data, view.data + view.size}; }

// "question-07", in the order of the quiz, so the folder lists its files as the quiz shows them.
std::string questionName(int number) {
  char name[16];
  std::snprintf(name, sizeof name, "question-%02d", number);
  return name;
}

// A folder beside the quiz, named after it, that does not exist yet.
bool newFolderBeside(const fs::path& quiz, fs::path& folder) {
  const fs::path stem = quiz.parent_path() / quiz.stem();
  std::error_code ignored;
  for (int n = 1; n <= kMostFolderTries; ++n) {
    folder = n == 1 ? stem : fs::path(stem.u8string() + " (" + std::to_string(n) + ")");
    if (!fs::exists(folder, ignored)) return fs::create_directories(folder, ignored);
  }
  return false;
}

class Unpacker {
 public:
  Unpacker(const Resources& resources, const fs::path& folder) : resources_(resources), folder_(folder) {}

  bool question(SourceQuestion& question, int mediaKind, int number, Message& error) {
    if (mediaKind == kMediaPictures) {
      return picture(number, kFirstPictureResource, "", false, question.picture, error) &&
             picture(number, kFirstSolutionResource, "-solution", true, question.solution, error);
    }
    if (mediaKind == kMediaAudio || mediaKind == kMediaVideo) return clip(number, question.clip, error);
    return true;
  }

 private:
  // A picture where the player finds it: "IMG" holds JPEG and GIF ones (a solution's with the halves of
  // each byte exchanged), RCDATA the PNG ones.
  bool picture(int number, int firstId, const char* suffix, bool solution, SourceText& key, Message& error) {
    const int id = firstId + number;
    const PictureSource source = choosePictureSource(resources_, kPictureType, id);
    if (source == PictureSource::none) return true;  // none stored: the description says what is missing
    const bool encoded = source == PictureSource::encoded;
    std::vector<std::uint8_t> bytes =
        bytesOf(resources_.find(encoded ? ResourceType::named(kPictureType) : ResourceType::numbered(kRtRcdata), id));
    if (encoded && solution) exchangeNibbles(bytes.data(), bytes.size());
    const char* ending = pictureEnding(pictureFormat(bytes));
    if (!ending) return true;  // damaged: left for the author to give again
    return write(questionName(number) + suffix + ending, bytes, key, error);
  }

  bool clip(int number, SourceText& key, Message& error) {
    const std::vector<std::uint8_t> bytes =
        bytesOf(resources_.find(ResourceType::named(kPictureType), kFirstPictureResource + number));
    if (bytes.empty()) return true;
    return write(questionName(number) + "." + lowerAscii(clipExtension(bytes.data(), bytes.size())), bytes, key, error);
  }

  bool write(const std::string& name, const std::vector<std::uint8_t>& bytes, SourceText& key, Message& error) {
    const fs::path file = folder_ / filePath(name);
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out.good()) {
      error = message(Msg::cannotWrite, file.u8string(), message(Msg::writeError));
      return false;
    }
    key.value = name;
    key.present = true;
    return true;
  }

  const Resources& resources_;
  fs::path folder_;
};

}  // namespace

bool isMadeQuizPath(const std::string& path) {
  const std::string ending = lowerAscii(filePath(path).extension().u8string());
  return ending == ".exe" || isPagePath(path);
}

bool unpackQuiz(const std::string& quizPath, std::string& descriptionPath, Message& error) {
  QuizFile file;
  if (!loadQuizFile(quizPath, file, error)) return false;
  // Only a quiz read whole is taken apart: what is missing would be lost at the next save.
  if (file.damage) {
    error = message(Msg::quizNotEditable, quizPath, *file.damage);
    return false;
  }
  const InspectResult inspected = inspectResources(*file.resources);
  if (inspected.outcome == LoadOutcome::answersMissing) {
    error = message(Msg::bareProgram, quizPath);
    return false;
  }
  QuizSource source;
  Diagnostics diagnostics(quizPath);
  if (inspected.outcome != LoadOutcome::complete || !inspected.findings.empty() ||
      !readQuizToml(inspected.toml, source, diagnostics)) {
    error = message(Msg::quizNotEditable, quizPath, message(Msg::quizUnreadable));
    return false;
  }

  const fs::path quiz = fs::absolute(filePath(quizPath));
  fs::path folder;
  if (!newFolderBeside(quiz, folder)) {
    error = message(Msg::cannotWrite, (quiz.parent_path() / quiz.stem()).u8string(), message(Msg::writeError));
    return false;
  }
  Unpacker unpacker(*file.resources, folder);
  for (std::size_t i = 0; i < source.questions.size(); ++i)
    if (!unpacker.question(source.questions[i], source.mediaKind, static_cast<int>(i + 1), error)) return false;

  const fs::path description = folder / kDescriptionName;
  const std::string text = writeQuizSource(source);
  std::ofstream out(description, std::ios::binary);
  out << text;
  if (!out.good()) {
    error = message(Msg::cannotWrite, description.u8string(), message(Msg::writeError));
    return false;
  }
  descriptionPath = description.u8string();
  return true;
}

}  // namespace fenok::pack
