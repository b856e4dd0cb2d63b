// The quiz panel's construction pass: every question's controls, the restored answers judged once,
// and what the scrolling code needs (row heights, content size), then the scroll bars.
#include <algorithm>
#include <cstdio>
#include <string>

#include "content/field_text.h"
#include "content/quiz.h"
#include "content/quiz_colours.h"
#include "judge/answer_boxes.h"
#include "judge/judge_answer.h"
#include "judge/verdict.h"
#include "media/media_host.h"
#include "persist/saved_answers.h"
#include "platform/panel_ids.h"
#include "platform/ports/graphics.h"
#include "platform/ports/messages.h"
#include "platform/ports/pictures.h"
#include "platform/ports/platform.h"
#include "platform/resource_ids.h"
#include "ui/grid_geometry.h"
#include "ui/quiz_panel.h"
#include "ui/scrolling.h"

namespace fenok {

namespace {

// Styles of the panel's controls.
constexpr std::uint32_t kNumberStyle = 0x50000002;
constexpr std::uint32_t kVerdictStyle = 0x50800201;  // also question text labels
constexpr std::uint32_t kPictureStyle = 0x5080020E;
constexpr std::uint32_t kPlaceholderStyle = 0x50800000;
constexpr std::uint32_t kCaptionStyle = 0x50000000;
constexpr std::uint32_t kCommentStyle = 0x50000001;
constexpr std::uint32_t kGridBoxStyle = 0x50810081;
constexpr std::uint32_t kTextBoxStyle = 0x50810281;
constexpr std::uint32_t kMediaButtonStyle = 0x50010041;

// Everything the pass carries from one question to the next.
struct Builder {
  Builder(Platform& platform_, Quiz& quiz_, QuizPanelState& state_, Controls& panel_)
      : platform(platform_), quiz(quiz_), state(state_), panel(panel_) {}

  Platform& platform;
  Quiz& quiz;
  QuizPanelState& state;
  Controls& panel;
  SavedAnswersReader reader;
  Handle stockFont = nullptr;
  int rowTop = 5;
  int pictureRow = 0;
  Picture rowPictures[3];
  bool rowPictureUsed[3] = {false, false, false};
};

std::string numberText(int question) {
  char text[16];
  std::snprintf(text, sizeof text, "%d.", question);
  return text;
}

std::string questionTextOf(const Quiz& quiz, int question) {
  const AnswerEntry* entry = answerAt(quiz, question - 1);
  return entry ? fieldText(entry->question) : std::string();
}

std::string commentOf(const Quiz& quiz, int question) {
  const AnswerEntry* entry = answerAt(quiz, question - 1);
  return entry ? fieldText(entry->comment) : std::string();
}

void setStockFont(Builder& b, int id) { b.panel.setFont(id, b.stockFont, true); }

void buildTextRow(Builder& b, int question) {
  Controls& panel = b.panel;
  const int y = b.rowTop;
  const int boxId = answerBoxId(b.quiz, question - 1, 1);
  panel.create("Static", numberText(question), kNumberStyle, Rect{26, y + 2, 19, 17}, kNumberLabelBase);
  panel.create("Static", questionTextOf(b.quiz, question), kVerdictStyle, Rect{50, y, 550, 20}, kQuestionTextId);
  panel.setLastCreatedFont(kQuestionTextId, b.quiz.panelFont, false);
  const std::string restored = b.reader.nextLine();
  panel.create("Edit", restored, kTextBoxStyle, Rect{610, y, 170, 20}, boxId);
  panel.setFont(boxId, b.quiz.panelFont, false);
  panel.create("Static", kVerdictEmpty, kVerdictStyle, Rect{790, y, 100, 20}, verdictLabelId(boxId));
  judgeAnswer(b.platform, b.quiz, panel, boxId);
  panel.installAnswerBoxProcedure(boxId);
  b.rowTop = y + 25;
  b.quiz.contentWidth = 880;
  b.quiz.contentHeight = b.rowTop;
}

// Bitmaps of a row that no question took (an incomplete last row) would be lost: give them back.
void releaseUnusedRowPictures(Builder& b) {
  for (int c = 0; c < 3; ++c) {
    if (b.rowPictures[c].bitmap && !b.rowPictureUsed[c]) b.platform.graphics.deleteObject(b.rowPictures[c].bitmap);
    b.rowPictures[c] = Picture{};
    b.rowPictureUsed[c] = false;
  }
}

int loadRowPictures(Builder& b, int question) {
  releaseUnusedRowPictures(b);
  int tallest = 0;
  for (int c = 0; c < 3; ++c) {
    Picture picture =
        b.platform.pictures.loadPicture(kFirstPictureResource + question + c, "IMG", kPictureBoxSide, kPictureBoxSide);
    if (!picture.bitmap) picture = Picture{nullptr, kPictureBoxSide, 0};
    b.rowPictures[c] = picture;
    tallest = std::max(tallest, picture.height);
  }
  if (b.pictureRow < kMaxRows) b.quiz.rowHeights[b.pictureRow] = tallest;
  ++b.pictureRow;
  return tallest;
}

int currentRowHeight(const Builder& b) {
  const int row = b.pictureRow - 1;
  return (row >= 0 && row < kMaxRows) ? b.quiz.rowHeights[row] : 0;
}

struct Cell {
  int question;
  int left;        // x
  int answerTop;   // A
  int indent;      // D
  int boxWidth;    // W_b
  int verdictWidth;  // W_v
};

void createAnswerLines(Builder& b, const Cell& cell) {
  Controls& panel = b.panel;
  const int perQuestion = b.quiz.answersPerQuestion;
  for (int k = 1; k <= perQuestion; ++k) {
    const std::string restored = b.reader.nextLine();
    if (perQuestion != 1 && perQuestion != 2) continue;  // consumed, nothing built
    const int boxId = answerBoxId(b.quiz, cell.question - 1, k);
    const int labelId = verdictLabelId(boxId);
    const int x = cell.left + cell.indent;
    // One answer: the verdict label under the box. Two: each line below the last, with a narrow
    // verdict label at the end of its shortened box.
    const bool single = perQuestion == 1;
    const int y = cell.answerTop + kGrid.lineStep * (k - 1);
    const int h = kGrid.lineHeight;
    const Rect box = single ? Rect{x, y, cell.boxWidth, h} : Rect{x, y, cell.boxWidth - kGrid.twoAnswerBoxCut, h};
    const Rect label = single ? Rect{x, y + kGrid.lineStep, cell.verdictWidth, h}
                              : Rect{x + cell.boxWidth - kGrid.twoAnswerVerdictWidth, y, kGrid.twoAnswerVerdictWidth, h};
    panel.create("Edit", restored, kGridBoxStyle, box, boxId);
    panel.setFont(boxId, b.quiz.panelFont, false);
    panel.limitText(boxId, kGridBoxTextLimit);
    panel.create("Static", kVerdictEmpty, kVerdictStyle, label, labelId);
    if (!single) setStockFont(b, labelId);
    panel.installAnswerBoxProcedure(boxId);
    judgeAnswer(b.platform, b.quiz, panel, boxId);
    if (single) panel.setFocus(labelId);
  }
}

void createMediaButtons(Builder& b, const Cell& cell) {
  Controls& panel = b.panel;
  const int play = playButtonId(cell.question);
  const int stop = stopButtonId(cell.question);
  const int side = kGrid.buttonSide;
  panel.create("Button", "", kMediaButtonStyle, Rect{cell.left, cell.answerTop, side, side}, play);
  panel.setImage(play, ImageType::icon, b.state.playIcon);
  panel.create("Button", "", kMediaButtonStyle, Rect{cell.left, cell.answerTop + side, side, kGrid.stopButtonHeight},
               stop);
  panel.setImage(stop, ImageType::icon, b.state.stopIcon);
}

void reportFailedPlayer(Builder& b, int question) {
  char text[96];
  std::snprintf(text, sizeof text, "Impossible de cr\xE9" "er le lecteur de la question %d.", question);
  b.platform.messages.show(text, "Fenok", kMbOk | kMbIconError);
}

// Returns false when the pass must stop (a player that cannot be created).
bool buildGridCell(Builder& b, int question) {
  Quiz& quiz = b.quiz;
  Controls& panel = b.panel;
  const bool pictures = quiz.mediaKind == kMediaPictures;
  const bool twoAnswers = quiz.answersPerQuestion == 2;
  const int column = (question - 1) % 3;
  const int left = kGrid.columnPitch * column + (twoAnswers ? kGrid.firstLeftTwoAnswers : kGrid.firstLeftOneAnswer);
  const int y = b.rowTop;
  const int pictureId = pictureLabelId(question);

  int mediaHeight = 0;
  int indent = kGrid.mediaIndent;
  if (pictures) {
    const int tallest = column == 0 ? loadRowPictures(b, question) : currentRowHeight(b);
    mediaHeight = tallest + kGrid.pictureGap;
    indent = 0;
    const Picture& picture = b.rowPictures[column];
    panel.create("Static", "", kPictureStyle,
                 Rect{left + (kPictureBoxSide - picture.width) / 2, y + (tallest - picture.height) / 2, picture.width,
                      picture.height},
                 pictureId);
  } else {
    const bool video = quiz.mediaKind == kMediaVideo;
    mediaHeight = video ? kGrid.videoRowHeight : 0;
    panel.create("Static", "", kPlaceholderStyle,
                 Rect{left, y, video ? kGrid.videoPlaceholderWidth : 0, video ? kGrid.videoPlaceholderHeight : 0},
                 pictureId);
    if (b.state.media && !b.state.media->createPlayer(question, panel, pictureId)) {
      reportFailedPlayer(b, question);
      return false;
    }
  }

  const int boxWidth = pictures ? kGrid.pictureBoxWidth : kGrid.mediaBoxWidth;
  const Cell cell{question, left, y + mediaHeight, indent, boxWidth, boxWidth};
  if (twoAnswers && column == 0) {
    const int top = cell.answerTop + kGrid.captionTop;
    panel.create("Static", fieldText(quiz.firstAnswerLabel), kCaptionStyle,
                 Rect{kGrid.firstCaptionLeft, top, kGrid.captionWidth, kGrid.lineHeight}, kCaptionLabelId);
    panel.setLastCreatedFont(kCaptionLabelId, b.stockFont, true);
    panel.create("Static", fieldText(quiz.secondAnswerLabel), kCaptionStyle,
                 Rect{kGrid.secondCaptionLeft, top + kGrid.captionStep, kGrid.captionWidth, kGrid.lineHeight},
                 kCaptionLabelId);
    panel.setLastCreatedFont(kCaptionLabelId, b.stockFont, true);
  }
  panel.create("Static", numberText(question), kNumberStyle,
               Rect{left + kGrid.numberLeft, cell.answerTop + kGrid.numberTop, kGrid.numberWidth, kGrid.numberHeight},
               numberLabelId(question));
  if (showsCommentLabels(quiz.commentKind)) {
    const int commentId = commentLabelId(question);
    panel.create("Static", "", kCommentStyle,
                 Rect{left, cell.answerTop + kGrid.commentTop, kGrid.commentWidth, kGrid.commentHeight}, commentId);
    setStockFont(b, commentId);
    panel.setText(commentId, commentOf(quiz, question));
    panel.show(commentId, kSwHide);
  }
  createAnswerLines(b, cell);
  if (pictures) {
    if (!panel.image(pictureId) && b.rowPictures[column].bitmap) {
      panel.setImage(pictureId, ImageType::bitmap, b.rowPictures[column].bitmap);
      b.rowPictureUsed[column] = true;
    }
  } else {
    createMediaButtons(b, cell);
  }

  const int rowStep = showsCommentLabels(quiz.commentKind) ? kGrid.rowStepWithComments : kGrid.rowStepPlain;
  if (question % 3 == 1) {
    quiz.contentWidth = kGrid.contentWidth;
    quiz.contentHeight = cell.answerTop + rowStep;
  }
  if (question % 3 == 0) b.rowTop = cell.answerTop + rowStep;
  return true;
}

bool buildQuestion(Builder& b, int question) {
  switch (b.quiz.mediaKind) {
    case kMediaText:
      buildTextRow(b, question);
      return true;
    case kMediaPictures:
    case kMediaAudio:
    case kMediaVideo:
      return buildGridCell(b, question);
    default:
      return true;  // a kind the panel does not know builds nothing
  }
}

}  // namespace

void buildQuizPanel(Platform& platform, Quiz& quiz, QuizPanelState& state, Controls& panel) {
  Graphics& graphics = platform.graphics;
  state.successBrush = graphics.createSolidBrush(kSuccessColour);
  quiz.contentWidth = 0;
  quiz.contentHeight = 0;
  const bool media = quiz.mediaKind == kMediaAudio || quiz.mediaKind == kMediaVideo;
  if (media) {
    state.playIcon = graphics.loadIcon(FENOK_PLAY_ICON);
    state.stopIcon = graphics.loadIcon(FENOK_STOP_ICON);
  }
  Builder b(platform, quiz, state, panel);
  b.reader = SavedAnswersReader::open(platform.files);
  if (quiz.panelFont) graphics.deleteObject(quiz.panelFont);  // a second pass must not leak the first one's font
  FontDescription panelFont;
  panelFont.height = 15;
  panelFont.weight = 100;
  quiz.panelFont = graphics.createFont(panelFont);
  b.stockFont = graphics.stockGuiFont();

  const int questions = boundedQuestionCount(quiz);
  for (int question = 1; question <= questions; ++question) {
    if (!buildQuestion(b, question)) {
      releaseUnusedRowPictures(b);
      return;
    }
  }
  releaseUnusedRowPictures(b);
  quiz.contentWidth += quiz.answersPerQuestion == 2 ? 80 : 20;
  setupScrollBars(quiz, panel);
}

}  // namespace fenok
