#include "quiz_document.h"

#include <filesystem>
#include <system_error>

#include "authoring/description_text.h"
#include "authoring/file_bytes.h"
#include "authoring/quiz_draft.h"
#include "authoring/quiz_program.h"
#include "authoring/quiz_source_writer.h"
#include "authoring/quiz_toml.h"
#include "quiz_edits.h"
#include "studio_texts.h"

namespace fenok::studio {
namespace {

namespace fs = std::filesystem;

// Every file key of a question, for the commands that rewrite them all.
constexpr pack::SourceText pack::SourceQuestion::*kFileKeys[] = {
    &pack::SourceQuestion::picture, &pack::SourceQuestion::solution, &pack::SourceQuestion::clip};

pack::SourceText present(std::string value) {
  pack::SourceText text;
  text.value = std::move(value);
  text.present = true;
  return text;
}

// A new question as `fenok-pack new` drafts one: the answer from the file's name.
pack::SourceQuestion questionOf(const std::string& key, const std::string& fileName, pack::DraftMedia media) {
  pack::SourceQuestion question;
  question.answer = present(pack::answerFromFileName(fileName));
  (media == pack::DraftMedia::pictures ? question.picture : question.clip) = present(key);
  return question;
}

int mediaKindOf(pack::DraftMedia media) {
  switch (media) {
    case pack::DraftMedia::pictures: return kMediaPictures;
    case pack::DraftMedia::audio: return kMediaAudio;
    case pack::DraftMedia::video: return kMediaVideo;
  }
  return kMediaPictures;
}

}  // namespace

QuizDocument::QuizDocument() {
  quiz_.mediaPresent = true;
  quiz_.accentMode = kAccentsTolerant;  // what `fenok-pack new` proposes too
  for (pack::SourceText* text : {&quiz_.title, &quiz_.author, &quiz_.explanation}) text->present = true;
}

bool QuizDocument::fromFolder(const std::string& folder, QuizDocument& document, std::string& reason,
                              std::vector<std::string>& leftOut) {
  pack::FolderDraft draft;
  pack::DraftFailure failure;
  pack::Message why;
  const bool made = pack::draftFolder(folder, nullptr, draft, failure, why);
  for (const pack::LeftOutFile& file : draft.leftOut) leftOut.push_back(pack::say(file.reason, texts::kLanguage));
  if (!made) {
    reason = failure == pack::DraftFailure::cannotList ? pack::say(why, texts::kLanguage) : std::string();
    return false;
  }
  // The draft's own text is read back, so the studio and `new` cannot drift apart.
  const std::string text = pack::draftDescription(draft.title, draft.media, draft.names);
  pack::Diagnostics diagnostics(folder);
  QuizDocument drafted;
  if (!pack::readQuizToml(text, drafted.quiz_, diagnostics)) return false;
  drafted.path_ = (pack::filePath(folder) / texts::kDescriptionName).u8string();
  drafted.history_ = EditHistory(false);  // not on disk until saved
  document = std::move(drafted);
  return true;
}

bool QuizDocument::open(const std::string& path, QuizDocument& document, std::vector<pack::Problem>& problems,
                        std::string& reason) {
  std::vector<std::uint8_t> bytes;
  pack::Message why;
  if (!pack::readFileBytes(path, bytes, why)) {
    reason = pack::say(why, texts::kLanguage);
    return false;
  }
  pack::Diagnostics diagnostics(path);
  std::string text;
  QuizDocument opened;
  if (!pack::descriptionText(bytes, text, diagnostics) || !pack::readQuizToml(text, opened.quiz_, diagnostics)) {
    why = diagnostics.problems().empty() ? pack::message(pack::Msg::notADescription)
                                         : diagnostics.problems().front().message;
    reason = pack::say(why, texts::kLanguage);
    return false;
  }
  opened.mediaDefaults();
  opened.path_ = fs::absolute(pack::filePath(path)).u8string();
  opened.saved_ = true;
  problems = diagnostics.problems();
  document = std::move(opened);
  return true;
}

void QuizDocument::mediaDefaults() {
  // A description without the key is one the author is still writing: it gets the default kind.
  if (quiz_.mediaKind == pack::kUnknownMedia) quiz_.mediaKind = kMediaPictures;
  quiz_.mediaPresent = true;
}

bool QuizDocument::saveAs(const std::string& path, std::string& error) {
  const std::string absolute = fs::absolute(pack::filePath(path)).u8string();
  const pack::QuizSource before = quiz_;
  const std::string beforePath = path_;
  const bool renamed = rebase(absolute);
  const std::string canonical = text();
  pack::Message failure;
  if (!pack::writeFileReplacing(absolute, std::vector<std::uint8_t>(canonical.begin(), canonical.end()), failure)) {
    error = pack::say(failure, texts::kLanguage);
    quiz_ = before;
    path_ = beforePath;
    return false;
  }
  saved_ = true;
  if (renamed) history_.forget();
  history_.markSaved();
  return true;
}

std::string QuizDocument::text() const { return pack::writeQuizSource(quiz_); }

std::string QuizDocument::folder() const {
  return path_.empty() ? std::string() : pack::filePath(path_).parent_path().u8string();
}

std::string QuizDocument::absolutePath(const std::string& file) const {
  if (file.empty()) return file;
  const fs::path path = pack::filePath(file);
  if (path.is_absolute() || path_.empty()) return path.u8string();
  return (pack::filePath(folder()) / path).lexically_normal().u8string();
}

std::string QuizDocument::displayName() const {
  return path_.empty() ? texts::kUntitled : pack::filePath(path_).filename().u8string();
}

std::string QuizDocument::fileKey(const std::string& absolute) const {
  if (path_.empty()) return absolute;
  const fs::path relative = pack::filePath(absolute).lexically_relative(pack::filePath(folder()));
  const std::string text = relative.generic_u8string();
  if (relative.empty() || text.rfind("..", 0) == 0) return absolute;
  return text;
}

bool QuizDocument::rebase(const std::string& newPath) {
  std::vector<std::string*> keys;
  for (pack::SourceQuestion& question : quiz_.questions)
    for (auto key : kFileKeys)
      if (!(question.*key).value.empty()) keys.push_back(&(question.*key).value);
  std::vector<std::string> absolute;
  for (std::string* key : keys) absolute.push_back(absolutePath(*key));
  path_ = newPath;
  bool renamed = false;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    std::string key = fileKey(absolute[i]);
    renamed = renamed || key != *keys[i];
    *keys[i] = std::move(key);
  }
  return renamed;
}

void QuizDocument::addFiles(const std::vector<std::string>& paths, std::vector<std::string>& refused) {
  std::vector<pack::SourceQuestion> added;
  int kind = quiz_.mediaKind;
  const bool empty = quiz_.questions.empty();
  for (const std::string& path : paths) {
    pack::DraftMedia media;
    pack::Message because;
    const bool usable = pack::draftMediaOf(path, media, because);
    // The first file of an empty quiz chooses its kind; later ones must be of the same family.
    if (usable && empty && added.empty()) kind = mediaKindOf(media);
    const bool picture = usable && media == pack::DraftMedia::pictures;
    const bool fits = usable && kind != kMediaText && picture == (kind == kMediaPictures);
    if (!fits) {
      refused.push_back(usable ? path : pack::say(because, texts::kLanguage));
      continue;
    }
    added.push_back(questionOf(fileKey(path), pack::filePath(path).filename().u8string(), media));
  }
  if (!added.empty()) apply(insertQuestions(questionCount(), std::move(added), kind));  // one step for all
}

void QuizDocument::addQuestion() {
  pack::SourceQuestion question;
  question.answer.present = true;
  apply(insertQuestions(questionCount(), {question}));
}

void QuizDocument::removeQuestion(int index) {
  if (index >= 0 && index < questionCount()) apply(studio::removeQuestion(index));
}

int QuizDocument::moveQuestion(int index, int delta) {
  const int target = index + delta;
  if (index < 0 || index >= questionCount() || target < 0 || target >= questionCount()) return index;
  apply(studio::moveQuestion(index, target));
  return target;
}

}  // namespace fenok::studio
