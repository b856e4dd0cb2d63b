// Clips: any bytes are accepted for an audio or video quiz except a picture; the player names the
// clip file from its first bytes (MP3, MPG, WMV, AVI, WAV), and a clip it cannot name is written as
// ".XXX", which Media Player may refuse: that gets a warning.
#include "quiz_media.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>

#include "content/loader.h"
#include "content/quiz.h"
#include "file_bytes.h"
#include "media/clip_files.h"
#include "pictures/picture_fit.h"
#include "pictures/png_reader.h"
#include "platform/panel_ids.h"
#include "platform/ports/resources.h"
#include "authoring/pictures/prepared_pictures.h"

namespace fenok::pack {
namespace {

constexpr const char* kPictureType = "IMG";

bool sameUpper(const std::string& stored, const char* name) {
  if (stored.size() != std::strlen(name)) return false;
  for (std::size_t i = 0; i < stored.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(stored[i])) != name[i]) return false;
  return true;
}

std::string joinPath(const std::string& folder, std::string path) {
#ifndef _WIN32
  // A description written on Windows may separate folders with backslashes.
  std::replace(path.begin(), path.end(), '\\', '/');
#endif
  if (folder.empty() || path.empty() || path[0] == '/' || path[0] == '\\' || (path.size() > 1 && path[1] == ':'))
    return path;
  return folder + "/" + path;
}

PeResourceEntry resource(PictureFormat format, int id, std::vector<std::uint8_t> bytes) {
  PeResourceEntry entry;
  if (format == PictureFormat::png) entry.typeNumber = kRtRcdata;
  else entry.typeName = kPictureType;
  entry.id = id;
  entry.bytes = std::move(bytes);
  return entry;
}

class MediaCollector {
 public:
  MediaCollector(const QuizSource& source, const std::string& folder, std::vector<PeResourceEntry>& out,
                 Diagnostics& diagnostics, std::vector<std::string>* readFiles, PictureStorage storage)
      : source_(source), folder_(folder), out_(out), diagnostics_(diagnostics), readFiles_(readFiles),
        pictures_(storage) {}

  void collect() {
    if (source_.mediaKind == kUnknownMedia) return;
    if (source_.mediaKind == kMediaPictures) pictures_.prepareAll(picturePaths());
    const std::size_t count = std::min(source_.questions.size(), static_cast<std::size_t>(kMaxQuestions));
    for (std::size_t i = 0; i < count; ++i) collectQuestion(source_.questions[i], static_cast<int>(i + 1));
  }

 private:
  void collectQuestion(const SourceQuestion& question, int number) {
    const int media = source_.mediaKind;
    const char* comments = kCommentNames[source_.commentKind];
    if (media == kMediaPictures) {
      refuse(question.clip, Msg::clipInPictureQuiz);
      if (question.picture.present) addPicture(question.picture, kFirstPictureResource + number, false);
      else diagnostics_.error(question.line, Msg::missingQuestionKey, "picture", number);
      const bool needsSolution = showsSolutionPicture(source_.commentKind);
      if (question.solution.present) {
        if (!needsSolution) diagnostics_.warning(question.solution.line, Msg::solutionNeverShown, number, comments);
        addPicture(question.solution, kFirstSolutionResource + number, true);
      } else if (needsSolution) {
        diagnostics_.error(question.line, Msg::missingSolution, number, comments);
      }
    } else if (media == kMediaAudio || media == kMediaVideo) {
      refuse(question.picture, Msg::pictureInClipQuiz);
      refuse(question.solution, Msg::solutionInClipQuiz);
      if (question.clip.present) addClip(question.clip, kFirstPictureResource + number);
      else diagnostics_.error(question.line, Msg::missingQuestionKey, "clip", number);
    } else {
      refuse(question.picture, Msg::pictureInTextQuiz);
      refuse(question.solution, Msg::solutionInTextQuiz);
      refuse(question.clip, Msg::clipInTextQuiz);
    }
  }

  std::vector<std::string> picturePaths() const {
    std::vector<std::string> paths;
    const std::size_t count = std::min(source_.questions.size(), static_cast<std::size_t>(kMaxQuestions));
    for (std::size_t i = 0; i < count; ++i)
      for (const SourceText* key : {&source_.questions[i].picture, &source_.questions[i].solution})
        if (key->present) paths.push_back(joinPath(folder_, key->value));
    return paths;
  }

  void refuse(const SourceText& key, Msg what) {
    if (key.present) diagnostics_.error(key.line, what);
  }

  bool read(const SourceText& key, std::vector<std::uint8_t>& bytes) {
    Message reason;
    const std::string path = joinPath(folder_, key.value);
    if (readFiles_) readFiles_->push_back(path);
    if (!readFileBytes(path, bytes, reason)) {
      diagnostics_.error(key.line, readFailure(key.value, reason));
      return false;
    }
    if (bytes.empty()) {
      diagnostics_.error(key.line, Msg::fileEmpty, key.value);
      return false;
    }
    return true;
  }

  void addPicture(const SourceText& key, int id, bool solution) {
    std::vector<std::uint8_t> bytes;
    if (!read(key, bytes)) return;
    const PictureFormat format = pictureFormat(bytes);
    if (format == PictureFormat::none) {
      diagnostics_.error(key.line, Msg::notAPicture, key.value);
      return;
    }
    if (format == PictureFormat::png && !pngDecodes(bytes)) {
      diagnostics_.error(key.line, Msg::pngNotDecodable, key.value);
      return;
    }
    PictureFormat stored = format;
    Message problem;
    if (!pictures_.prepare(joinPath(folder_, key.value), bytes, stored, problem)) {
      problem.args.insert(problem.args.begin(), valueMessage(key.value));  // the picture it is about
      diagnostics_.error(key.line, problem);
      return;
    }
    // Solution pictures are stored with the halves of every byte exchanged, except PNG ones.
    if (solution && stored != PictureFormat::png) exchangeNibbles(bytes.data(), bytes.size());
    out_.push_back(resource(stored, id, std::move(bytes)));
  }

  void addClip(const SourceText& key, int id) {
    std::vector<std::uint8_t> bytes;
    if (!read(key, bytes)) return;
    if (pictureFormat(bytes) != PictureFormat::none) {
      diagnostics_.error(key.line, Msg::pictureAsClip, key.value);
      return;
    }
    if (std::strcmp(clipExtension(bytes.data(), bytes.size()), kUnknownClipExtension) == 0)
      diagnostics_.warning(key.line, Msg::clipNotRecognised, key.value);
    out_.push_back(resource(PictureFormat::jpeg, id, std::move(bytes)));
  }

  static bool pngDecodes(const std::vector<std::uint8_t>& bytes) {
    PngReader reader{};
    initPngReader(reader);
    const bool ok = loadPngFromMemory(reader, bytes.data(), bytes.size()) && decodePng(reader);
    releasePngReader(reader);
    return ok;
  }

  const QuizSource& source_;
  const std::string& folder_;
  std::vector<PeResourceEntry>& out_;
  Diagnostics& diagnostics_;
  std::vector<std::string>* readFiles_;
  PreparedPictures pictures_;
};

}  // namespace

bool isQuizResource(const PeResourceEntry& entry) {
  const auto typeIs = [&](const char* name) { return sameUpper(entry.typeName, name); };
  const bool pictureType = typeIs(kPictureType) || (entry.typeName.empty() && entry.typeNumber == kRtRcdata);
  const bool quizId = (entry.id > kFirstPictureResource && entry.id <= kFirstPictureResource + kMaxQuestions) ||
                      (entry.id > kFirstSolutionResource && entry.id <= kFirstSolutionResource + kMaxQuestions);
  if (!entry.idName.empty()) return false;
  if (typeIs(kContentResourceType)) return entry.id == kAnswersResourceId || entry.id == kCodesResourceId;
  return pictureType && quizId;
}

void collectMedia(const QuizSource& source, const std::string& folder, std::vector<PeResourceEntry>& out,
                  Diagnostics& diagnostics, std::vector<std::string>* readFiles, PictureStorage storage) {
  MediaCollector(source, folder, out, diagnostics, readFiles, storage).collect();
}

std::string mediaInputs(const QuizSource& source, const std::string& folder) {
  std::string inputs = folder + '\n' + std::to_string(source.mediaKind) + ' ' + std::to_string(source.commentKind) + '\n';
  for (const SourceQuestion& question : source.questions) {
    inputs += std::to_string(question.line) + '\n';
    for (const SourceText* key : {&question.picture, &question.solution, &question.clip})
      inputs += std::to_string(key->line) + (key->present ? "=" + key->value : "-") + '\n';
  }
  return inputs;
}

}  // namespace fenok::pack
