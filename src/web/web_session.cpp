// The program inside the page: start-up in the program's order (the quiz initialised and loaded, the
// media support started, the header panel, then the quiz panel with the saved answers), and each
// event of the page handed to the program's handler of the same event.
#include "web/web_session.h"

#include <cstdio>
#include <utility>

#include "content/loader.h"
#include "judge/answer_boxes.h"
#include "persist/saved_answers.h"
#include "pictures/picture_fit.h"
#include "platform/panel_ids.h"
#include "platform/ports/resources.h"
#include "ui/main_layout.h"
#include "web/program_text.h"

namespace fenok::web {
namespace {

// The program's two panels as in its first window: only the hiding of solved questions moves
// controls, and the page lays out its own.
const MainLayout kFirstLayout = mainLayout(kMainWindowWidth, kMainWindowHeight);

// Virtual keys the answer boxes act on when released, by the page's key names.
struct KeyName {
  const char* name;
  unsigned virtualKey;
};
constexpr KeyName kKeys[] = {{"Enter", 0x0D}, {"F1", 0x70}, {"F2", 0x71}};

// FNV-1a, 64 bits: enough to tell quizzes apart in one browser's storage.
constexpr std::uint64_t kFnvOffset = 0xCBF29CE484222325ull;
constexpr std::uint64_t kFnvPrime = 0x100000001B3ull;

std::uint64_t hashBytes(std::uint64_t hash, const ByteView& bytes) {
  for (std::size_t i = 0; i < bytes.size; ++i) hash = (hash ^ bytes.data[i]) * kFnvPrime;
  return (hash ^ bytes.size) * kFnvPrime;
}

std::string contentIdentity(const Resources& resources) {
  const ResourceType patch = ResourceType::named(kContentResourceType);
  std::uint64_t hash = kFnvOffset;
  hash = hashBytes(hash, resources.find(patch, kAnswersResourceId));
  hash = hashBytes(hash, resources.find(patch, kCodesResourceId));
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

}  // namespace

WebSession::WebSession(const char* bundle, std::size_t size, const std::string& pageName)
    : files_(programNameForPage(pageName)),
      platform_{messages_, graphics_, files_, pictures_, shell_},
      header_(kFirstLayout.headerPanel.width, kFirstLayout.headerPanel.height),
      panel_(kFirstLayout.quizPanel.width, kFirstLayout.quizPanel.height) {
  bundle_ = decodePageBundle(bundle, size, resources_);
  identity_ = contentIdentity(resources_);
  load(messages_);
}

WebSession::~WebSession() {
  close();
  freeQuiz(*quiz_, graphics_);
}

void WebSession::load(Messages& messages) {
  if (quiz_) freeQuiz(*quiz_, graphics_);
  quiz_ = std::make_unique<Quiz>();
  initQuiz(*quiz_, graphics_);
  loadQuiz(ContentPorts{resources_, messages, graphics_}, *quiz_);
  media_ = std::make_unique<MediaHost>(MediaPorts{resources_, files_, messages_, players_}, *quiz_);
  media_->startMediaSupport();
  registerPictures();
}

// The pictures the page carries, for the construction pass and the judge to ask for; the page shows
// each at its own size, so the size given here only places controls nobody sees.
void WebSession::registerPictures() {
  const int questions = boundedQuestionCount(*quiz_);
  // A row's first question loads the whole row's three pictures.
  for (int question = 1; question <= questions + 2; ++question) {
    for (const int id : {kFirstPictureResource + question, kFirstSolutionResource + question}) {
      if (choosePictureSource(resources_, "IMG", id) != PictureSource::none)
        pictures_.add(id, kPictureBoxSide, kPictureBoxSide);
    }
  }
}

void WebSession::close() {
  if (!built_) return;
  quiz_->quizPanel = nullptr;
  quiz_->headerPanel = nullptr;
  closeQuizPanel(platform_, panelState_);
  destroyHeaderPanel(platform_, headerState_);
  media_->stopMediaSupport();
  header_ = MemoryControls(kFirstLayout.headerPanel.width, kFirstLayout.headerPanel.height);
  panel_ = MemoryControls(kFirstLayout.quizPanel.width, kFirstLayout.quizPanel.height);
  headerState_ = HeaderPanelState{};
  panelState_ = QuizPanelState{};
  built_ = false;
}

void WebSession::start(std::vector<std::uint8_t> answers) {
  if (built_) {
    close();
    MessageRecorder shownBefore;  // the loader's messages were shown at the first start
    load(shownBefore);
  }
  files_.put(answersFileName(), std::move(answers));
  panel_.onKillFocus([this](int boxId) { answerBoxKillFocus(platform_, *quiz_, panel_, boxId); });
  panel_.onSetFocus([this](int boxId) { answerBoxSetFocus(panel_, boxId); });
  panelState_.media = media_.get();
  quiz_->headerPanel = &header_;
  buildHeaderPanel(platform_, *quiz_, headerState_, header_);
  buildQuizPanel(platform_, *quiz_, panelState_, panel_);
  quiz_->quizPanel = &panel_;
  built_ = true;
}

std::string WebSession::answersFileName() const { return savedAnswersFileName(files_.moduleFileName()); }

void WebSession::setTyped(int boxId, const std::string& typed) {
  if (panel_.exists(boxId)) panel_.setText(boxId, programText(typed));
}

// The page's focus is in the box: the program's focus follows it, and the box it leaves judges itself.
void WebSession::focusBox(int boxId) {
  if (panel_.focusedId() != boxId) panel_.setFocus(boxId);
}

void WebSession::enterBox(int boxId) {
  if (built_ && panel_.exists(boxId)) focusBox(boxId);
}

void WebSession::leaveBox(int boxId, const std::string& typed) {
  BoxPlace place;
  if (!built_ || !locateAnswerBox(*quiz_, boxId, place) || !panel_.exists(boxId)) return;
  setTyped(boxId, typed);
  focusBox(boxId);
  panel_.setFocus(0);  // the focus leaves the panel's boxes: the box judges itself as it loses it
}

void WebSession::releaseKey(int boxId, const std::string& typed, const std::string& key) {
  BoxPlace place;
  if (!built_ || !locateAnswerBox(*quiz_, boxId, place) || !panel_.exists(boxId)) return;
  setTyped(boxId, typed);
  focusBox(boxId);
  for (const KeyName& known : kKeys) {
    if (key == known.name) answerBoxKeyReleased(platform_, *quiz_, panelState_, panel_, boxId, known.virtualKey);
  }
}

void WebSession::setBoxText(int boxId, const std::string& typed) {
  BoxPlace place;
  if (built_ && locateAnswerBox(*quiz_, boxId, place)) setTyped(boxId, typed);
}

void WebSession::clickHide(bool checked) {
  if (!built_ || !header_.exists(kHideBoxId)) return;
  header_.setCheck(kHideBoxId, checked ? 1 : 0);
  handleHeaderCommand(platform_, *quiz_, kHideBoxId);
}

void WebSession::clickSave() {
  if (built_) handleHeaderCommand(platform_, *quiz_, kSaveButtonId);
}

void WebSession::clickPlay(int question) {
  if (built_ && question >= 1 && question <= kMaxQuestions)
    handleQuizPanelCommand(*quiz_, panelState_, static_cast<std::uint32_t>(playButtonId(question)));
}

void WebSession::clickStop(int question) {
  if (built_ && question >= 1 && question <= kMaxQuestions)
    handleQuizPanelCommand(*quiz_, panelState_, static_cast<std::uint32_t>(stopButtonId(question)));
}

void WebSession::clipEnded(int question) { players_.clipEnded(question); }

std::vector<std::uint8_t> WebSession::answersFile() {
  if (!built_) return files_.bytesOf(answersFileName());
  const bool saveReported = files_.savePending();
  saveAnswers(files_, *quiz_);
  if (!saveReported) files_.takeSaved();  // kept in the browser, not a save the player asked for
  return files_.bytesOf(answersFileName());
}

std::vector<std::uint8_t> WebSession::pictureBytes(int resourceId) const {
  const PictureSource source = choosePictureSource(resources_, "IMG", resourceId);
  if (source == PictureSource::none) return {};
  const ByteView stored = source == PictureSource::encoded
                              ? resources_.find(ResourceType::named("IMG"), resourceId)
                              : resources_.find(ResourceType::numbered(kRtRcdata), resourceId);
  std::vector<std::uint8_t> bytes(stored.data, stored.data + stored.size);
  if (source == PictureSource::encoded && isScrambledPictureId(resourceId))
    exchangeNibbles(bytes.data(), bytes.size());
  return bytes;
}

const std::vector<std::uint8_t>& WebSession::clipBytes(int question) const {
  return files_.bytesOf(players_.clipFile(question));
}

std::vector<RecordedMessage> WebSession::takeMessages() {
  std::vector<RecordedMessage> taken = messages_.messages();
  messages_.clear();
  return taken;
}

}  // namespace fenok::web
