// The snapshot reads the panels as the program left them: texts, visibility and images of the
// controls, found by the panels' identifiers, and their colours asked of the program's own colour
// handlers. Texts go out in UTF-8.
#include "web/screen_snapshot.h"

#include <cstdio>
#include <cstdlib>

#include "content/field_text.h"
#include "content/quiz.h"
#include "judge/answer_boxes.h"
#include "pictures/picture_fit.h"
#include "platform/panel_ids.h"
#include "ui/grid_geometry.h"
#include "ui/main_layout.h"
#include "web/json_writer.h"
#include "web/program_text.h"
#include "web/web_session.h"
#include "web/web_texts.h"

namespace fenok::web {
namespace {

constexpr int kHeaderReadBuffer = 260;  // the code box shows a whole reward text
constexpr int kColumns = 3;             // questions a row of the program's grid

std::string cssColour(std::uint32_t colour) {  // 0x00BBGGRR
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
  return text;
}

std::string brushColour(const WebSession& session, Handle brush) {
  return brush ? cssColour(session.graphics().colourOf(brush)) : std::string();
}

std::string formatted(const char* format, int number) {
  char text[128];
  std::snprintf(text, sizeof text, format, number);
  return text;
}

const char* kindName(std::int32_t mediaKind) {
  switch (mediaKind) {
    case kMediaText: return "text";
    case kMediaPictures: return "pictures";
    case kMediaAudio: return "audio";
    case kMediaVideo: return "video";
    default: return "none";
  }
}

const char* clipStateName(ClipState state) {
  switch (state) {
    case ClipState::playing: return "playing";
    case ClipState::paused: return "paused";
    case ClipState::stopped: break;
  }
  return "stopped";
}

// The n-th control (from 0) carrying an identifier that several controls share, or null.
const MemoryControl* nthWithId(const MemoryControls& panel, int id, int n) {
  for (const MemoryControl& control : panel.controls()) {
    if (control.id == id && n-- == 0) return &control;
  }
  return nullptr;
}

void writeHeader(JsonWriter& json, const WebSession& session) {
  const MemoryControls& header = session.header();
  const auto text = [&](int id) { return pageText(header.text(id, kHeaderReadBuffer)); };
  json.field("title", text(kTitleId));
  json.field("explanation", text(kExplanationId));
  json.field("by", text(kByLabelId));
  json.field("author", text(kAuthorId));
  json.field("link", text(kLinkId));
  json.field("href", webAddress(fieldText(session.quiz().linkAddress)));
  json.field("save", text(kSaveButtonId));
  json.field("codeCaption", text(kCodeCaptionId));
  json.field("score", text(kScoreCounterId));
  json.field("code", text(kCodeBoxId));
  json.key("hide");
  if (header.exists(kHideBoxId)) {
    json.beginObject();
    json.field("label", text(kHideBoxId));
    json.field("checked", header.checkState(kHideBoxId) == 1);
    json.endObject();
  } else {
    json.null();
  }
}

void writeColours(JsonWriter& json, const WebSession& session) {
  const Quiz& quiz = session.quiz();
  const LabelColours label = quizLabelColours(quiz, session.panelState(), kNumberLabelBase, "");
  const LabelColours question = quizLabelColours(quiz, session.panelState(), kQuestionTextId, "");
  const HeaderColours headerLabel = headerLabelColours(session.headerState(), kTitleId);
  const HeaderColours link = headerLabelColours(session.headerState(), kLinkId);
  json.key("colours");
  json.beginObject();
  json.field("panel", brushColour(session, quiz.backBrush));
  json.field("label", cssColour(label.textColour));
  json.field("question", brushColour(session, question.brush));
  json.field("questionInk", cssColour(question.textColour));
  json.field("header", brushColour(session, headerLabel.brush));
  json.field("link", cssColour(link.textColour));
  json.endObject();
}

// The width of the first control of a text row carrying this identifier, 0 in a grid.
int textRowWidth(const WebSession& session, int id) {
  const MemoryControl* control = session.quiz().mediaKind == kMediaText ? session.panel().find(id) : nullptr;
  return control ? control->rect.width : 0;
}

void writeLayout(JsonWriter& json, const WebSession& session) {
  json.key("layout");
  json.beginObject();
  json.field("box", kPictureBoxSide);
  json.field("pitch", kGrid.columnPitch);
  json.field("columns", kColumns);
  json.field("numberGap", -kGrid.numberLeft);
  json.field("pictureGap", kGrid.pictureGap);
  json.field("line", kGrid.lineHeight);
  json.field("pairVerdict", kGrid.twoAnswerVerdictWidth);
  json.field("button", kGrid.buttonSide);
  json.field("videoWidth", kGrid.videoPlaceholderWidth);
  json.field("videoHeight", kGrid.videoPlaceholderHeight);
  json.field("commentHeight", kGrid.commentHeight);
  json.field("window", kMainWindowWidth);
  const int firstBox = kFirstAnswerBoxId;
  json.field("textQuestion", textRowWidth(session, kQuestionTextId));
  json.field("textBox", textRowWidth(session, firstBox));
  json.field("textVerdict", textRowWidth(session, verdictLabelId(firstBox)));
  // The program's own fonts, by their heights (a negative height is the characters' own).
  const Quiz& quiz = session.quiz();
  json.field("counterFont", std::abs(session.graphics().fontOf(quiz.counterFont).height));
  json.field("titleFont", std::abs(session.graphics().fontOf(quiz.titleFont).height));
  json.field("boxFont", std::abs(session.graphics().fontOf(quiz.panelFont).height));
  json.endObject();
}

void writeBox(JsonWriter& json, const WebSession& session, int question, int box) {
  const MemoryControls& panel = session.panel();
  const int boxId = answerBoxId(session.quiz(), question - 1, box);
  const int labelId = verdictLabelId(boxId);
  const MemoryControl* control = panel.find(boxId);
  const std::string verdict = panel.text(labelId, kVerdictReadBuffer);
  json.beginObject();
  json.field("id", boxId);
  json.field("name", formatted(box == 1 ? texts::kBoxName : texts::kSecondBoxName, question));
  json.field("text", pageText(panel.text(boxId, kBoxReadBuffer)));
  json.field("limit", control->textLimit == kDefaultEditLimit ? 0 : control->textLimit);
  json.field("verdict", pageText(verdict));
  json.field("tint", brushColour(session, quizLabelColours(session.quiz(), session.panelState(), labelId, verdict).brush));
  json.endObject();
}

void writeClip(JsonWriter& json, const WebSession& session, int question) {
  const WebMediaPlayers& players = session.players();
  json.key("clip");
  json.beginObject();
  json.field("state", clipStateName(players.state(question)));
  json.field("starts", players.starts(question));
  json.field("play", formatted(texts::kPlayName, question));
  json.field("stop", formatted(texts::kStopName, question));
  json.endObject();
}

// False when the program built nothing for the question (a media quiz whose construction stopped).
bool writeQuestion(JsonWriter& json, const WebSession& session, int question) {
  const Quiz& quiz = session.quiz();
  const MemoryControls& panel = session.panel();
  const bool textRow = quiz.mediaKind == kMediaText;
  const MemoryControl* number =
      textRow ? nthWithId(panel, kNumberLabelBase, question - 1) : panel.find(numberLabelId(question));
  const int boxes = boxesPerQuestion(quiz);
  if (!number || boxes == 0 || !panel.exists(answerBoxId(quiz, question - 1, boxes))) return false;

  json.beginObject();
  json.field("number", pageText(number->text));
  if (const MemoryControl* text = textRow ? nthWithId(panel, kQuestionTextId, question - 1) : nullptr)
    json.field("text", pageText(text->text));
  const int pictureId = pictureLabelId(question);
  if (quiz.mediaKind == kMediaPictures && panel.exists(pictureId)) {
    json.field("picture", session.pictures().resourceOf(panel.image(pictureId)));
    json.field("pictureShown", panel.isVisible(pictureId));
  }
  if (panel.exists(playButtonId(question))) writeClip(json, session, question);
  if (const MemoryControl* comment = panel.find(commentLabelId(question))) {
    json.field("comment", pageText(comment->text));
    json.field("commentShown", comment->visible);
  }
  json.key("boxes");
  json.beginArray();
  for (int box = 1; box <= boxes; ++box) writeBox(json, session, question, box);
  json.endArray();
  json.endObject();
  return true;
}

void writeQuestions(JsonWriter& json, const WebSession& session) {
  const MemoryControls& panel = session.panel();
  json.key("captions");
  json.beginArray();
  for (int n = 0; n < 2; ++n) {
    if (const MemoryControl* caption = nthWithId(panel, kCaptionLabelId, n)) json.string(pageText(caption->text));
  }
  json.endArray();
  json.key("questions");
  json.beginArray();
  const int questions = boundedQuestionCount(session.quiz());
  for (int question = 1; question <= questions; ++question) {
    if (!writeQuestion(json, session, question)) break;
  }
  json.endArray();
}

std::string damageText(const BundleReading& bundle) {
  switch (bundle.damage) {
    case BundleDamage::none: return {};
    case BundleDamage::notABundle: return texts::kPageWithoutQuiz;
    case BundleDamage::newer: return texts::kPageTooNew;
    case BundleDamage::notBase64:
    case BundleDamage::cutShort: break;
  }
  char text[256];
  std::snprintf(text, sizeof text, texts::kPageCutShort, bundle.resourcesRead, bundle.resourcesDeclared);
  return text;
}

void writeHappenings(JsonWriter& json, WebSession& session) {
  json.key("messages");
  json.beginArray();
  for (const RecordedMessage& message : session.takeMessages()) {
    json.beginObject();
    json.field("caption", pageText(message.caption));
    json.field("text", pageText(message.text));
    json.endObject();
  }
  json.endArray();
  json.field("damage", damageText(session.bundle()));
  json.field("saved", session.takeSaved());
}

}  // namespace

std::string screenSnapshot(WebSession& session) {
  JsonWriter json;
  json.beginObject();
  json.field("kind", kindName(session.quiz().mediaKind));
  json.field("identity", session.identity());
  writeHeader(json, session);
  writeColours(json, session);
  writeLayout(json, session);
  writeQuestions(json, session);
  writeHappenings(json, session);
  json.endObject();
  return json.text();
}

}  // namespace fenok::web
