// The menu's and the buttons' commands: quizzes made, opened, saved, tried and created; questions
// added, removed and moved.
#include <filesystem>
#include <system_error>

#include "authoring/file_bytes.h"
#include "authoring/quiz_unpacking.h"
#include "quiz_making.h"
#include "screen_state.h"
#include "studio_ids.h"
#include "studio_texts.h"
#include "text_fields.h"

namespace fenok::studio {
namespace {

namespace fs = std::filesystem;
using texts::say;

FileDialog descriptionDialog(const char* title) {
  FileDialog dialog;
  dialog.title = title;
  dialog.filters = {{texts::kDescriptionFilter, "*.toml"}, {texts::kAllFilesFilter, "*.*"}};
  dialog.defaultExtension = "toml";
  return dialog;
}

bool isDescriptionOrFolder(const std::string& path) {
  std::error_code ignored;
  const fs::path file = pack::filePath(path);
  return fs::is_directory(file, ignored) || file.extension() == ".toml" || pack::isMadeQuizPath(path);
}

std::string failure(const MadeQuiz& made) {
  return made.playerMissing ? say(texts::kNoPlayer, {made.error}) : made.error;
}

}  // namespace

bool ScreenState::confirmDiscard() {
  if (!document.modified()) return true;
  switch (host.ask(say(texts::kSaveChanges, {document.displayName()}))) {
    case Reply::yes: return save(false);
    case Reply::no: return true;
    case Reply::cancel: break;
  }
  return false;
}

void ScreenState::replaceDocument(QuizDocument next) {
  document = std::move(next);
  question = document.questionCount() > 0 ? 0 : -1;
  reward = -1;
  pictures.clear();
  showAll();
}

void ScreenState::newFromFolder() {
  if (!confirmDiscard()) return;
  std::string folder;
  if (host.chooseFolder(texts::kChooseFolder, folder)) openFolder(folder);
}

void ScreenState::openFolder(const std::string& folder) {
  const fs::path existing = pack::filePath(folder) / texts::kDescriptionName;
  std::error_code ignored;
  if (fs::exists(existing, ignored)) {
    host.tell(texts::kFolderHasQuiz, Tone::information);
    return openFile(existing.u8string());
  }
  QuizDocument next;
  std::string reason;
  std::vector<std::string> leftOut;
  const bool drafted = QuizDocument::fromFolder(folder, next, reason, leftOut);
  std::string list;
  for (const std::string& line : leftOut) list += "\n• " + line;
  if (!drafted) {
    const std::string shown = host.shownPath(folder);
    host.tell(reason.empty() ? say(texts::kFolderEmpty, {shown}) + list : say(texts::kCannotListFolder, {shown, reason}),
              Tone::error);
    return;
  }
  replaceDocument(std::move(next));
  if (!leftOut.empty()) host.tell(say(texts::kLeftOutFiles, {list}), Tone::warning);
}

void ScreenState::open() {
  if (!confirmDiscard()) return;
  FileDialog dialog = descriptionDialog(texts::kOpenTitle);
  dialog.filters.insert(dialog.filters.begin(), {texts::kOpenableFilter, "*.toml;*.exe;*.html;*.htm"});
  std::vector<std::string> paths;
  if (host.chooseFilesToOpen(dialog, paths) && !paths.empty()) openFile(paths.front());
}

void ScreenState::openFile(const std::string& path) {
  if (pack::isMadeQuizPath(path)) return openMadeQuiz(path);
  QuizDocument next;
  std::vector<pack::Problem> problems;
  std::string reason;
  if (!QuizDocument::open(path, next, problems, reason)) {
    host.tell(say(texts::kCannotOpen, {host.shownPath(path), reason}), Tone::error);
    recent.remove(path);
    host.setRecentFiles(recent.paths());
    return;
  }
  replaceDocument(std::move(next));
  remember();
  if (!problems.empty()) {
    std::string list;
    for (const pack::Problem& problem : problems) list += "\n" + pack::formatProblem(problem, texts::kLanguage);
    host.tell(say(texts::kOpenedWithProblems, {document.displayName(), list}), Tone::warning);
  }
}

// A program or a page made before: taken apart beside it, then its description opened.
void ScreenState::openMadeQuiz(const std::string& path) {
  const UnpackedQuiz unpacked = unpackForEditing(path, host);
  if (unpacked.description.empty()) return host.tell(unpacked.message, Tone::error);
  openFile(unpacked.description);
  if (document.path() == fs::absolute(pack::filePath(unpacked.description)).u8string())
    host.tell(unpacked.message, Tone::information);
}

void ScreenState::openPath(const std::string& path) {
  std::error_code ignored;
  if (fs::is_directory(pack::filePath(path), ignored)) openFolder(path);
  else openFile(path);
}

void ScreenState::remember() {
  recent.add(document.path());
  host.setRecentFiles(recent.paths());
}

bool ScreenState::save(bool askName) {
  std::string path = document.path();
  if (askName || path.empty()) {
    FileDialog dialog = descriptionDialog(texts::kSaveTitle);
    dialog.suggestedName = texts::kDescriptionName;
    dialog.initialFolder = document.folder();
    int filter = 0;
    if (!host.chooseFileToSave(dialog, path, filter)) return false;
  }
  std::string error;
  if (!document.saveAs(path, error)) {
    host.tell(say(texts::kCannotSave, {error}), Tone::error);
    return false;
  }
  remember();
  showQuestion();  // file names may now be relative
  recheck();
  return true;
}

// Refuses, with the problem list brought to the first error, while the quiz has errors.
bool ScreenState::readyToMake() {
  if (check.errorCount() == 0) return true;
  const auto& problems = check.problems();
  for (std::size_t i = 0; i < problems.size(); ++i)
    if (problems[i].problem.severity == pack::Severity::error) {
      controls.select(STUDIO_PROBLEMS, static_cast<int>(i));
      goToProblem(static_cast<int>(i), false);
      break;
    }
  host.tell(say(texts::kStillErrors, {std::to_string(check.errorCount())}), Tone::warning);
  controls.setFocus(STUDIO_PROBLEMS);
  return false;
}

void ScreenState::createQuiz() {
  if (!readyToMake()) return;
  FileDialog dialog;
  dialog.title = texts::kCreateTitle;
  dialog.filters = {{texts::kProgram32Filter, "*.exe"}, {texts::kProgram64Filter, "*.exe"}, {texts::kPageFilter, "*.html"}};
  dialog.defaultExtension = "exe";
  dialog.initialFolder = document.folder();
  dialog.suggestedName = programName(document);
  std::string output;
  int filter = 0;
  if (!host.chooseFileToSave(dialog, output, filter)) return;
  const bool page = filter == 2;
  if (page) output = pagePath(output);
  host.setBusy(true);
  const MadeQuiz made =
      page ? makeQuizPage(document, output, host.programFolder())
           : makeQuizProgram(document, output, filter == 1 ? pack::PlayerArch::x64 : pack::PlayerArch::x86,
                             host.programFolder());
  host.setBusy(false);
  if (!made.error.empty()) return host.tell(say(texts::kCannotCreate, {failure(made)}), Tone::error);
  host.tell(say(texts::kCreated, {host.shownPath(output), std::to_string(made.questionCount)}), Tone::information);
}

void ScreenState::tryQuiz() {
  if (!readyToMake()) return;
  host.setBusy(true);
  std::string error;
  const std::string program = trialProgramPath(host.temporaryFolder(), error);
  const bool page = host.triesQuizAsPage();
  const std::string trial = page ? pagePath(program) : program;
  MadeQuiz made;
  if (error.empty())
    made = page ? makeQuizPage(document, trial, host.programFolder())
                : makeQuizProgram(document, trial, host.runs64Bit() ? pack::PlayerArch::x64 : pack::PlayerArch::x86,
                                  host.programFolder());
  host.setBusy(false);
  if (error.empty() && !made.error.empty()) error = failure(made);
  if (error.empty() && page) host.openFile(trial, error);
  else if (error.empty()) host.startProgram(trial, error);
  if (!error.empty()) host.tell(say(texts::kCannotTry, {error}), Tone::error);
}


void ScreenState::addQuestions() {
  FileDialog dialog;
  dialog.title = texts::kAddTitle;
  dialog.filters = {{texts::kMediaFilter, kMediaPatterns}, {texts::kAllFilesFilter, "*.*"}};
  dialog.multiple = true;
  dialog.initialFolder = document.folder();
  std::vector<std::string> paths;
  if (quiz().mediaKind == kMediaText && document.questionCount() > 0) {
    document.addQuestion();
  } else if (host.chooseFilesToOpen(dialog, paths)) {
    addFiles(paths);
    return;
  } else {
    return;
  }
  question = document.questionCount() - 1;
  quizChanged();
}

void ScreenState::addFiles(const std::vector<std::string>& paths) {
  std::vector<std::string> refused;
  const int before = document.questionCount();
  document.addFiles(paths, refused);
  if (document.questionCount() > before) question = before;
  quizChanged();
  if (!refused.empty()) {
    std::string list;
    for (const std::string& path : refused) list += "\n" + path;
    host.tell(say(texts::kRefusedFiles, {list}), Tone::warning);
  }
}

void ScreenState::quizChanged() { showAll(); }

void ScreenState::removeQuestion() {
  if (!selected()) return;
  document.removeQuestion(question);
  quizChanged();
}

void ScreenState::moveQuestion(int delta) {
  if (!selected()) return;
  question = document.moveQuestion(question, delta);
  quizChanged();
}

void ScreenState::browse(int control) {
  const SourceQuestion* q = selected();
  if (!q) return;
  const bool solution = control == STUDIO_SOLUTION;
  const bool picture = solution || quiz().mediaKind == kMediaPictures;
  FileDialog dialog;
  dialog.title = solution ? texts::kSolutionTitle : picture ? texts::kPictureTitle : texts::kClipTitle;
  dialog.filters = {{picture ? texts::kPictureFilter : texts::kClipFilter, picture ? kPicturePatterns : kClipPatterns},
                    {texts::kAllFilesFilter, "*.*"}};
  dialog.initialFolder = document.folder();
  std::vector<std::string> paths;
  if (!host.chooseFilesToOpen(dialog, paths) || paths.empty()) return;
  // A file chosen is a step of its own, not part of what was typed in the field.
  document.endTyping();
  controls.setText(control, document.fileKey(paths.front()));
  edited(control);
  document.endTyping();
}

void ScreenState::chooseBackground() {
  std::uint32_t colour = backgroundColour(quiz());
  if (!host.chooseColour(colour)) return;
  document.apply(setBackground(colour));
  for (int id : {STUDIO_BACKGROUND_SAMPLE, STUDIO_PREVIEW, STUDIO_SOLUTION_PREVIEW}) controls.repaint(id);
  changed();
}

void ScreenState::playClip() {
  const SourceQuestion* q = selected();
  if (!q || q->clip.value.empty()) return;
  const std::string path = document.absolutePath(q->clip.value);
  std::string error;
  if (!host.openFile(path, error)) host.tell(say(texts::kCannotOpenFile, {host.shownPath(path), error}), Tone::error);
}

// The guide lies beside the studio, as the archive has it.
void ScreenState::openGuide() {
  const std::string path = (pack::filePath(host.programFolder()) / texts::kGuideName).u8string();
  std::error_code ignored;
  if (!fs::is_regular_file(pack::filePath(path), ignored)) return host.tell(say(texts::kNoGuide, {path}), Tone::warning);
  std::string error;
  if (!host.openFile(path, error)) host.tell(say(texts::kCannotOpenFile, {path, error}), Tone::error);
}

void ScreenState::command(int id) {
  if (id >= STUDIO_CMD_RECENT_FIRST && id < STUDIO_CMD_RECENT_FIRST + STUDIO_RECENT_COUNT) {
    const std::size_t index = static_cast<std::size_t>(id - STUDIO_CMD_RECENT_FIRST);
    if (index < recent.paths().size() && confirmDiscard()) openFile(recent.paths()[index]);
    return;
  }
  switch (id) {
    case STUDIO_CMD_NEW_FROM_FOLDER: return newFromFolder();
    case STUDIO_CMD_OPEN: return open();
    case STUDIO_CMD_SAVE: save(false); return;
    case STUDIO_CMD_SAVE_AS: save(true); return;
    case STUDIO_CMD_TRY_QUIZ: return tryQuiz();
    case STUDIO_CMD_CREATE_QUIZ: return createQuiz();
    case STUDIO_CMD_UNDO: return undo(false);
    case STUDIO_CMD_REDO: return undo(true);
    case STUDIO_CMD_GUIDE: return openGuide();
    case STUDIO_PLAY_CLIP: return playClip();
    case STUDIO_ADD_QUESTIONS: return addQuestions();
    case STUDIO_REMOVE_QUESTION: return removeQuestion();
    case STUDIO_MOVE_UP: return moveQuestion(-1);
    case STUDIO_MOVE_DOWN: return moveQuestion(1);
    case STUDIO_FILE_BROWSE: return browse(STUDIO_FILE);
    case STUDIO_SOLUTION_BROWSE: return browse(STUDIO_SOLUTION);
    case STUDIO_BACKGROUND: return chooseBackground();
    default: return;
  }
}

void ScreenState::filesDropped(const std::vector<std::string>& paths) {
  if (paths.size() == 1 && isDescriptionOrFolder(paths.front())) {
    if (confirmDiscard()) openPath(paths.front());
    return;
  }
  addFiles(paths);
}

}  // namespace fenok::studio
