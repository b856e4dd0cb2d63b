#include "studio_screen.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <system_error>

#include "fenok-pack/file_bytes.h"
#include "fenok-pack/picture_thumbnail.h"
#include "live_check.h"
#include "quiz_document.h"
#include "quiz_making.h"
#include "recent_files.h"
#include "studio_ids.h"
#include "studio_texts.h"
#include "text_fields.h"
#include "trial_answer.h"
#include "ui/quiz_panel.h"

namespace fenok::studio {
namespace {

namespace fs = std::filesystem;
using pack::QuizSource;
using pack::SourceQuestion;

constexpr const char* kRecentFileName = "studio-recent.txt";
constexpr std::uint32_t kBlack = 0x000000;
constexpr std::uint32_t kWhite = 0xFFFFFF;

// "%s" and "%d" of a message replaced by the values, in order.
std::string say(const char* pattern, std::initializer_list<std::string> values) {
  std::string out;
  auto value = values.begin();
  for (const char* c = pattern; *c; ++c) {
    if (c[0] == '%' && (c[1] == 's' || c[1] == 'd') && value != values.end()) {
      out += *value++;
      ++c;
    } else {
      out += *c;
    }
  }
  return out;
}

std::vector<ListRow> rowsOf(const char* const* choices, std::size_t count) {
  std::vector<ListRow> rows;
  for (std::size_t i = 0; i < count; ++i) rows.push_back({{choices[i]}, nullptr});
  return rows;
}

std::uint32_t colourOf(const QuizSource& quiz) {
  return quiz.backRed | (std::uint32_t{quiz.backGreen} << 8) | (std::uint32_t{quiz.backBlue} << 16);
}

std::shared_ptr<const Thumbnail> thumbnailOf(const pack::Pixels& pixels) {
  if (pixels.width <= 0 || pixels.height <= 0) return nullptr;
  auto thumbnail = std::make_shared<Thumbnail>();
  thumbnail->width = pixels.width;
  thumbnail->height = pixels.height;
  thumbnail->bgra.resize(static_cast<std::size_t>(pixels.width) * pixels.height * 4);
  for (std::size_t p = 0, q = 0; q < thumbnail->bgra.size(); p += pixels.channels, q += 4) {
    thumbnail->bgra[q] = pixels.data[p + 2];
    thumbnail->bgra[q + 1] = pixels.data[p + 1];
    thumbnail->bgra[q + 2] = pixels.data[p];
    thumbnail->bgra[q + 3] = 0xFF;
  }
  return thumbnail;
}

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
  return fs::is_directory(file, ignored) || file.extension() == ".toml";
}

}  // namespace

struct StudioScreen::State {
  State(FormControls& controls_, StudioHost& host_) : controls(controls_), host(host_) {}

  FormControls& controls;
  StudioHost& host;
  QuizDocument document;
  LiveCheck check;
  RecentFiles recent{""};  // kept in the settings folder once started
  int question = -1;  // the selected one
  int reward = -1;    // the selected score level
  bool filling = false;  // the controls are being set from the document, not by the author
  std::map<std::string, std::shared_ptr<const Thumbnail>> thumbnails;  // by absolute path

  // Sets controls without taking their notifications for the author's edits.
  struct Filling {
    explicit Filling(State& state) : state_(state), was_(state.filling) { state.filling = true; }
    ~Filling() { state_.filling = was_; }
    State& state_;
    bool was_;
  };

  QuizSource& quiz() { return document.quiz(); }
  SourceQuestion* selected() {
    return question >= 0 && question < document.questionCount() ? &quiz().questions[static_cast<std::size_t>(question)]
                                                                 : nullptr;
  }

  // ---- showing the document ----

  void showAll() {
    showSettings();
    showQuestionList();
    showQuestion();
    recheck();
  }

  void showSettings() {
    Filling quiet(*this);
    const QuizSource& q = quiz();
    for (const QuizTextField& field : kQuizTextFields) controls.setText(field.control, (q.*field.text).value);
    controls.select(STUDIO_MEDIA, q.mediaKind);
    controls.select(STUDIO_ANSWERS_PER_QUESTION, q.answersPerQuestion - 1);
    controls.select(STUDIO_COMMENTS, q.commentKind);
    controls.select(STUDIO_ACCENTS, q.accentMode);
    controls.setText(STUDIO_BACKGROUND_SAMPLE, texts::kSampleNumber);
    controls.repaint(STUDIO_BACKGROUND_SAMPLE);
    const bool captions = q.answersPerQuestion == 2;
    for (int id : {STUDIO_CAPTIONS_LABEL, STUDIO_FIRST_CAPTION, STUDIO_SECOND_CAPTION}) controls.show(id, captions);
    showRewards();
  }

  void showRewards() {
    Filling quiet(*this);
    std::vector<ListRow> rows;
    for (int level = 1; level <= document.questionCount(); ++level)
      rows.push_back({{std::to_string(level) + texts::kRewardRow + rewardAt(level - 1)}, nullptr});
    controls.setRows(STUDIO_REWARDS, rows);
    if (reward >= document.questionCount()) reward = document.questionCount() - 1;
    controls.select(STUDIO_REWARDS, reward);
    controls.setText(STUDIO_REWARD_CODE, reward >= 0 ? rewardAt(reward) : std::string());
    controls.enable(STUDIO_REWARD_CODE, reward >= 0);
  }

  std::string rewardAt(int level) {
    const auto& rewards = quiz().rewards;
    return level >= 0 && static_cast<std::size_t>(level) < rewards.size() ? rewards[static_cast<std::size_t>(level)].value
                                                                         : std::string();
  }

  ListRow questionRow(int index) {
    const SourceQuestion& q = quiz().questions[static_cast<std::size_t>(index)];
    std::string summary = q.answer.value;
    if (quiz().answersPerQuestion == 2) summary += " / " + q.secondAnswer.value;
    if (quiz().mediaKind == kMediaText) summary = q.text.value + " : " + summary;
    ListRow row{{std::to_string(index + 1), summary}, nullptr};
    if (quiz().mediaKind == kMediaPictures && !q.picture.value.empty()) row.thumbnail = thumbnail(q.picture.value);
    return row;
  }

  std::shared_ptr<const Thumbnail> thumbnail(const std::string& key) {
    const std::string path = document.absolutePath(key);
    const auto found = thumbnails.find(path);
    if (found != thumbnails.end()) return found->second;
    pack::Pixels pixels;
    pack::pictureThumbnail(path, STUDIO_THUMBNAIL_WIDTH, STUDIO_THUMBNAIL_HEIGHT, pixels);
    return thumbnails[path] = thumbnailOf(pixels);
  }

  // The thumbnails not made yet, all at once on every core: opening a quiz of camera photos.
  void prepareThumbnails() {
    if (quiz().mediaKind != kMediaPictures) return;
    std::vector<std::string> missing;
    for (const SourceQuestion& q : quiz().questions) {
      const std::string path = document.absolutePath(q.picture.value);
      if (!path.empty() && thumbnails.count(path) == 0) {
        thumbnails[path] = nullptr;
        missing.push_back(path);
      }
    }
    const std::vector<pack::Pixels> pixels = pack::pictureThumbnails(missing, STUDIO_THUMBNAIL_WIDTH, STUDIO_THUMBNAIL_HEIGHT);
    for (std::size_t i = 0; i < missing.size(); ++i) thumbnails[missing[i]] = thumbnailOf(pixels[i]);
  }

  void showQuestionList() {
    Filling quiet(*this);
    prepareThumbnails();
    std::vector<ListRow> rows;
    for (int i = 0; i < document.questionCount(); ++i) rows.push_back(questionRow(i));
    controls.setRows(STUDIO_QUESTIONS, rows);
    if (question >= document.questionCount()) question = document.questionCount() - 1;
    if (question < 0 && document.questionCount() > 0) question = 0;
    controls.select(STUDIO_QUESTIONS, question);
    const int count = document.questionCount();
    controls.enable(STUDIO_REMOVE_QUESTION, question >= 0);
    controls.enable(STUDIO_MOVE_UP, question > 0);
    controls.enable(STUDIO_MOVE_DOWN, question >= 0 && question + 1 < count);
  }

  void showQuestionRow() {
    if (question < 0 || question >= document.questionCount()) return;
    Filling quiet(*this);
    controls.setRow(STUDIO_QUESTIONS, question, questionRow(question));
  }

  void showQuestion() {
    Filling quiet(*this);
    SourceQuestion* q = selected();
    const QuizSource& quizSource = quiz();
    controls.setText(STUDIO_QUESTION_GROUP, q ? texts::kQuestionGroup + std::to_string(question + 1) : texts::kNoQuestion);
    for (const QuestionField& field : kQuestionFields) {
      const bool shown = q && field.applies(quizSource);
      for (int id : {field.label, field.control, field.browse})
        if (id != 0) controls.show(id, shown);
      std::string value;
      if (q && field.text) value = field.text(quizSource, *q)->value;
      if (q && field.forms) value = joinForms(*field.forms(*q));
      controls.setText(field.control, value);
    }
    for (const TrialBox& box : kTrialBoxes) {
      const bool shown = q && trialApplies(box, quizSource);
      for (int id : {box.label, box.input, box.verdict}) controls.show(id, shown);
    }
    controls.setText(STUDIO_FILE_LABEL, texts::kFileLabels[quizSource.mediaKind >= 0 && quizSource.mediaKind < 4 ? quizSource.mediaKind : 1]);
    const bool two = quizSource.answersPerQuestion == 2;
    controls.setText(STUDIO_ANSWER_LABEL, two && !quizSource.firstAnswerLabel.value.empty()
                                               ? "&" + quizSource.firstAnswerLabel.value + " :"
                                               : texts::kAnswerLabel);
    controls.setText(STUDIO_SECOND_ANSWER_LABEL, two && !quizSource.secondAnswerLabel.value.empty()
                                                      ? "&" + quizSource.secondAnswerLabel.value + " :"
                                                      : texts::kSecondAnswerLabel);
    showTrials();
  }

  void showTrials() {
    Filling quiet(*this);
    const SourceQuestion* q = selected();
    for (const TrialBox& box : kTrialBoxes) {
      const std::string typed = controls.text(box.input);
      controls.setText(box.verdict, q ? trialVerdict(quiz(), *q, box.number, typed) : std::string());
      controls.repaint(box.verdict);
    }
  }

  void recheck() {
    Filling quiet(*this);
    const auto& problems = check.run(document);
    std::vector<ListRow> rows;
    for (const PlacedProblem& placed : problems)
      rows.push_back({{(placed.problem.severity == pack::Severity::error ? texts::kError : texts::kWarning) +
                       placed.problem.message},
                      nullptr});
    controls.setRows(STUDIO_PROBLEMS, rows);
    controls.setText(STUDIO_PROBLEMS_LABEL, problemsLabel());
    showTitle();
  }

  std::string problemsLabel() const {
    const int errors = check.errorCount(), warnings = check.warningCount();
    if (errors == 0 && warnings == 0) return texts::kNoProblems;
    std::string label = texts::kProblemsPrefix;
    if (errors > 0) label += std::to_string(errors) + (errors > 1 ? " erreurs" : " erreur");
    if (errors > 0 && warnings > 0) label += ", ";
    if (warnings > 0) label += std::to_string(warnings) + (warnings > 1 ? " avertissements" : " avertissement");
    if (errors > 0) label += " (le quiz ne peut pas être créé tant qu'il reste une erreur)";
    return label;
  }

  void showTitle() {
    host.setWindowTitle(document.displayName() + (document.modified() ? " *" : "") + " - " + texts::kProgramName);
  }

  // ---- the author's edits ----

  void changed() {
    document.markModified();
    recheck();
  }

  void edited(int id) {
    if (filling) return;
    if (const QuizTextField* field = quizTextField(id)) {
      (quiz().*field->text).value = controls.text(id);
      (quiz().*field->text).present = true;
      if (id == STUDIO_FIRST_CAPTION || id == STUDIO_SECOND_CAPTION) showQuestion();
      return changed();
    }
    if (id == STUDIO_REWARD_CODE) return editReward();
    for (const TrialBox& box : kTrialBoxes)
      if (id == box.input) return showTrials();
    SourceQuestion* q = selected();
    const QuestionField* field = questionField(id);
    if (!q || !field) return;
    if (field->forms) *field->forms(*q) = splitForms(controls.text(id));
    if (field->text) *field->text(quiz(), *q) = presentText(controls.text(id));
    showQuestionRow();
    showTrials();
    changed();
  }

  void editReward() {
    if (reward < 0) return;
    auto& rewards = quiz().rewards;
    if (rewards.size() <= static_cast<std::size_t>(reward)) rewards.resize(static_cast<std::size_t>(reward) + 1);
    rewards[static_cast<std::size_t>(reward)] = presentText(controls.text(STUDIO_REWARD_CODE));
    Filling quiet(*this);
    controls.setRow(STUDIO_REWARDS, reward, {{std::to_string(reward + 1) + texts::kRewardRow + rewardAt(reward)}, nullptr});
    changed();
  }

  void selectionChanged(int id) {
    if (filling) return;
    const int index = controls.selection(id);
    switch (id) {
      case STUDIO_QUESTIONS:
        question = index;
        showQuestionList();
        return showQuestion();
      case STUDIO_REWARDS:
        reward = index;
        return showRewards();
      case STUDIO_PROBLEMS: return goToProblem(index, false);
      default: break;
    }
    if (const KindChoice* choice = kindChoice(id)) {
      if (index < 0) return;
      quiz().*choice->kind = index + choice->offset;
      showSettings();
      showQuestionList();
      showQuestion();
      changed();
    }
  }

  void goToProblem(int index, bool focus) {
    const auto& problems = check.problems();
    if (index < 0 || static_cast<std::size_t>(index) >= problems.size()) return;
    const Place place = problems[static_cast<std::size_t>(index)].place;
    if (place.question >= 0 && place.question != question) {
      question = place.question;
      showQuestionList();
      showQuestion();
    }
    if (focus && place.control != 0 && controls.isVisible(place.control)) controls.setFocus(place.control);
  }

  void activated(int id) {
    if (id == STUDIO_PROBLEMS) goToProblem(controls.selection(id), true);
    if (id == STUDIO_QUESTIONS && selected()) controls.setFocus(quiz().mediaKind == kMediaText ? STUDIO_TEXT : STUDIO_ANSWER);
  }

  void enterPressed() {
    const int focused = controls.focusedId();
    for (const TrialBox& box : kTrialBoxes)
      if (focused == box.input) {
        showTrials();
        controls.selectAllText(box.input);  // the next try replaces this one
        return;
      }
    if (focused == STUDIO_PROBLEMS || focused == STUDIO_QUESTIONS) activated(focused);
  }

  // ---- commands ----

  bool confirmDiscard() {
    if (!document.modified()) return true;
    switch (host.ask(say(texts::kSaveChanges, {document.displayName()}))) {
      case Reply::yes: return save(false);
      case Reply::no: return true;
      case Reply::cancel: break;
    }
    return false;
  }

  void replaceDocument(QuizDocument next) {
    document = std::move(next);
    question = document.questionCount() > 0 ? 0 : -1;
    reward = -1;
    thumbnails.clear();
    showAll();
  }

  void newFromFolder() {
    if (!confirmDiscard()) return;
    std::string folder;
    if (host.chooseFolder(texts::kChooseFolder, folder)) openFolder(folder);
  }

  void openFolder(const std::string& folder) {
    const fs::path existing = pack::filePath(folder) / texts::kDescriptionName;
    std::error_code ignored;
    if (fs::exists(existing, ignored)) {
      host.tell(texts::kFolderHasQuiz, Tone::information);
      return openFile(existing.u8string());
    }
    QuizDocument next;
    std::string reason;
    if (!QuizDocument::fromFolder(folder, next, reason)) {
      host.tell(reason.empty() ? say(texts::kFolderEmpty, {folder}) : say(texts::kCannotListFolder, {folder, reason}),
                Tone::error);
      return;
    }
    replaceDocument(std::move(next));
  }

  void open() {
    if (!confirmDiscard()) return;
    std::vector<std::string> paths;
    if (host.chooseFilesToOpen(descriptionDialog(texts::kOpenTitle), paths) && !paths.empty()) openFile(paths.front());
  }

  void openFile(const std::string& path) {
    QuizDocument next;
    std::vector<pack::Problem> problems;
    std::string reason;
    if (!QuizDocument::open(path, next, problems, reason)) {
      host.tell(say(texts::kCannotOpen, {path, reason}), Tone::error);
      recent.remove(path);
      host.setRecentFiles(recent.paths());
      return;
    }
    replaceDocument(std::move(next));
    remember();
    if (!problems.empty()) {
      std::string list;
      for (const pack::Problem& problem : problems) list += "\n" + pack::formatProblem(problem);
      host.tell(say(texts::kOpenedWithProblems, {document.displayName(), list}), Tone::warning);
    }
  }

  void openPath(const std::string& path) {
    std::error_code ignored;
    if (fs::is_directory(pack::filePath(path), ignored)) openFolder(path);
    else openFile(path);
  }

  void remember() {
    recent.add(document.path());
    host.setRecentFiles(recent.paths());
  }

  bool save(bool askName) {
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
  bool readyToMake() {
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

  void createQuiz() {
    if (!readyToMake()) return;
    FileDialog dialog;
    dialog.title = texts::kCreateTitle;
    dialog.filters = {{texts::kProgram32Filter, "*.exe"}, {texts::kProgram64Filter, "*.exe"}};
    dialog.defaultExtension = "exe";
    dialog.initialFolder = document.folder();
    dialog.suggestedName = programName(document);
    std::string output;
    int filter = 0;
    if (!host.chooseFileToSave(dialog, output, filter)) return;
    host.setBusy(true);
    const MadeQuiz made = makeQuizProgram(document, output, filter == 1 ? pack::PlayerArch::x64 : pack::PlayerArch::x86,
                                          host.programFolder());
    host.setBusy(false);
    if (!made.error.empty()) return host.tell(say(texts::kCannotCreate, {failure(made)}), Tone::error);
    host.tell(say(texts::kCreated, {output, std::to_string(made.questionCount)}), Tone::information);
  }

  void tryQuiz() {
    if (!readyToMake()) return;
    host.setBusy(true);
    std::string error;
    const std::string program = trialProgramPath(host.temporaryFolder(), error);
    MadeQuiz made;
    if (error.empty())
      made = makeQuizProgram(document, program, host.runs64Bit() ? pack::PlayerArch::x64 : pack::PlayerArch::x86,
                             host.programFolder());
    host.setBusy(false);
    if (error.empty() && !made.error.empty()) error = failure(made);
    if (error.empty()) host.startProgram(program, error);
    if (!error.empty()) host.tell(say(texts::kCannotTry, {error}), Tone::error);
  }

  static std::string failure(const MadeQuiz& made) {
    return made.playerMissing ? say(texts::kNoPlayer, {made.error}) : made.error;
  }

  void addQuestions() {
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
    afterQuestionsChanged();
  }

  void addFiles(const std::vector<std::string>& paths) {
    std::vector<std::string> refused;
    const int before = document.questionCount();
    document.addFiles(paths, refused);
    if (document.questionCount() > before) question = before;
    afterQuestionsChanged();
    if (!refused.empty()) {
      std::string list;
      for (const std::string& path : refused) list += "\n" + path;
      host.tell(say(texts::kRefusedFiles, {list}), Tone::warning);
    }
  }

  void afterQuestionsChanged() {
    showSettings();
    showQuestionList();
    showQuestion();
    changed();
  }

  void removeQuestion() {
    if (!selected()) return;
    document.removeQuestion(question);
    afterQuestionsChanged();
  }

  void moveQuestion(int delta) {
    if (!selected()) return;
    question = document.moveQuestion(question, delta);
    afterQuestionsChanged();
  }

  void browse(int control) {
    SourceQuestion* q = selected();
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
    controls.setText(control, document.fileKey(paths.front()));
    edited(control);
  }

  void chooseBackground() {
    std::uint32_t colour = colourOf(quiz());
    if (!host.chooseColour(colour)) return;
    quiz().backRed = static_cast<std::uint8_t>(colour & 0xFF);
    quiz().backGreen = static_cast<std::uint8_t>((colour >> 8) & 0xFF);
    quiz().backBlue = static_cast<std::uint8_t>((colour >> 16) & 0xFF);
    controls.repaint(STUDIO_BACKGROUND_SAMPLE);
    changed();
  }

  void command(int id) {
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

  void filesDropped(const std::vector<std::string>& paths) {
    if (paths.size() == 1 && isDescriptionOrFolder(paths.front())) {
      if (confirmDiscard()) openPath(paths.front());
      return;
    }
    addFiles(paths);
  }

  FormColours colours(int id) const {
    if (id == STUDIO_BACKGROUND_SAMPLE) {
      const QuizSource& q = document.quiz();
      return FormColours{true, colourOf(q), labelsDrawnBlack(q.backRed, q.backGreen) ? kBlack : kWhite};
    }
    for (const TrialBox& box : kTrialBoxes)
      if (id == box.verdict) return verdictColours(controls.text(box.verdict));
    return {};
  }
};

StudioScreen::StudioScreen(FormControls& controls, StudioHost& host) : state_(std::make_unique<State>(controls, host)) {}
StudioScreen::~StudioScreen() = default;

void StudioScreen::start(const std::vector<std::string>& arguments) {
  State& s = *state_;
  const std::string settings = s.host.settingsFolder();
  // Without a settings folder the list lives only as long as the window.
  s.recent = RecentFiles(settings.empty() ? "" : (pack::filePath(settings) / kRecentFileName).u8string());
  s.recent.load();
  s.host.setRecentFiles(s.recent.paths());
  {
    State::Filling quiet(s);
    s.controls.setRows(STUDIO_MEDIA, rowsOf(texts::kMediaChoices, std::size(texts::kMediaChoices)));
    s.controls.setRows(STUDIO_ANSWERS_PER_QUESTION, rowsOf(texts::kAnswerCountChoices, std::size(texts::kAnswerCountChoices)));
    s.controls.setRows(STUDIO_COMMENTS, rowsOf(texts::kCommentChoices, std::size(texts::kCommentChoices)));
    s.controls.setRows(STUDIO_ACCENTS, rowsOf(texts::kAccentChoices, std::size(texts::kAccentChoices)));
  }
  s.showAll();
  if (!arguments.empty()) s.openPath(arguments.front());
  s.controls.setFocus(STUDIO_TITLE);
}

void StudioScreen::command(int id) { state_->command(id); }
void StudioScreen::enterPressed() { state_->enterPressed(); }
void StudioScreen::edited(int id) { state_->edited(id); }
void StudioScreen::selectionChanged(int id) { state_->selectionChanged(id); }
void StudioScreen::activated(int id) { state_->activated(id); }
void StudioScreen::filesDropped(const std::vector<std::string>& paths) { state_->filesDropped(paths); }
bool StudioScreen::mayClose() { return state_->confirmDiscard(); }
FormColours StudioScreen::colours(int id) const { return state_->colours(id); }

}  // namespace fenok::studio
