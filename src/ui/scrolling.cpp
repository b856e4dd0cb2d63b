// Scroll ranges from the content size, and the hiding of solved questions of a picture quiz.
// Controls sit at their displayed places (scrolling moves them), so every move here is relative.
#include "ui/scrolling.h"

#include "content/quiz.h"
#include "judge/answer_boxes.h"
#include "judge/score.h"
#include "platform/panel_ids.h"
#include "platform/ports/controls.h"
#include "ui/grid_geometry.h"

namespace fenok {

namespace {

enum ShiftMode { kHideSolved = 1, kCloseUp = 2, kShowAgain = 3, kShowRowEnd = 4, kOpenUp = 5 };

int rowHeight(const Quiz& quiz, int row) { return row < kMaxRows ? quiz.rowHeights[row] : 0; }

// What a closed row gives back: its picture height, and its comment height when there are comments.
int closedRowHeight(const Quiz& quiz, int row) {
  return rowHeight(quiz, row) + (showsCommentLabels(quiz.commentKind) ? kGrid.commentHeight : 0);
}

bool hideBoxChecked(const Quiz& quiz) {
  const Controls* header = quiz.headerPanel;
  return header && header->exists(kHideBoxId) && header->checkState(kHideBoxId) == 1;
}

void moveBy(Controls& panel, int id, int delta) {
  if (!panel.exists(id)) return;
  const Rect place = panel.rect(id);
  panel.move(id, place.x, place.y + delta);
}

bool anyOtherCommentShown(const Quiz& quiz, Controls& panel, int question) {
  for (int j = 1; j <= boundedQuestionCount(quiz); ++j) {
    if (j != question && panel.isVisible(commentLabelId(j))) return true;
  }
  return false;
}

// A comment comes back with its question only if judging would show it now: a question whose answer
// was changed since, or an all-at-end comment before the end, stays hidden.
bool commentBelongsOnScreen(const Quiz& quiz, Controls& panel, int question) {
  if (!questionSolvedOnScreen(quiz, panel, question - 1)) return false;
  switch (quiz.commentKind) {
    case kCommentText:
    case kCommentTextAndPicture:
      return true;
    case kCommentAllAtEnd:
      return quiz.allSolved == 1 || anyOtherCommentShown(quiz, panel, question);
    default:
      return false;
  }
}

void showOrHideMedia(const Quiz& quiz, Controls& panel, int showCommand, int question) {
  panel.show(pictureLabelId(question), showCommand);
  const int comment = commentLabelId(question);
  if (showCommand == kSwHide || commentBelongsOnScreen(quiz, panel, question)) panel.show(comment, showCommand);
}

void shiftQuestion(Quiz& quiz, int mode, int showCommand, Controls& panel, int distance, int direction,
                   int question) {
  const int delta = distance * direction;
  const bool movesWithGrid = mode == kCloseUp || mode == kOpenUp;
  const bool changesVisibility = mode == kHideSolved || mode == kShowAgain || mode == kShowRowEnd;
  if (movesWithGrid) {
    moveBy(panel, pictureLabelId(question), delta);
    // The comment belongs to the cell: it follows the rest of the grid.
    moveBy(panel, commentLabelId(question), delta);
  } else if (changesVisibility) {
    showOrHideMedia(quiz, panel, showCommand, question);
  } else {
    return;
  }
  const int boxes = boxesPerQuestion(quiz);
  if (boxes >= 1) {
    moveBy(panel, answerBoxId(quiz, question - 1, 1), delta);
    moveBy(panel, verdictLabelId(answerBoxId(quiz, question - 1, 1)), delta);
  }
  moveBy(panel, numberLabelId(question), delta);
  if (boxes == 2) {
    moveBy(panel, answerBoxId(quiz, question - 1, 2), delta);
    moveBy(panel, verdictLabelId(answerBoxId(quiz, question - 1, 2)), delta);
  }
}

void hideSolvedQuestions(Quiz& quiz, Controls& panel) {
  const int questions = boundedQuestionCount(quiz);
  int row = 0;
  int hiddenInRow = 0;
  for (int j = 1; j <= questions; ++j) {
    const int state = quiz.questionStates[j];
    if (state == kQuestionHidden) ++hiddenInRow;
    const AnswerEntry* entry = answerAt(quiz, j - 1);
    if (entry && entry->solved && state == kQuestionShown) {
      shiftQuestion(quiz, kHideSolved, kSwHide, panel, rowHeight(quiz, row), -1, j);
      ++hiddenInRow;
      quiz.questionStates[j] = kQuestionHidden;
    }
    if (j % 3 != 0) continue;
    if (hiddenInRow == 3) {
      const int closed = closedRowHeight(quiz, row);
      for (int later = j + 1; later <= questions; ++later) {
        shiftQuestion(quiz, kCloseUp, kSwHide, panel, closed, -1, later);
      }
      quiz.contentHeight -= closed;
      quiz.questionStates[j] = kQuestionRowClosed;
    }
    ++row;
    hiddenInRow = 0;
  }
}

void showHiddenQuestions(Quiz& quiz, Controls& panel) {
  const int questions = boundedQuestionCount(quiz);
  int row = 0;
  for (int j = 1; j <= questions; ++j) {
    const int state = quiz.questionStates[j];
    if (state == kQuestionHidden) {
      shiftQuestion(quiz, kShowAgain, kSwShowNormal, panel, rowHeight(quiz, row), +1, j);
    } else if (state == kQuestionRowClosed) {
      shiftQuestion(quiz, kShowRowEnd, kSwShowNormal, panel, rowHeight(quiz, row), +1, j);
      const int reopened = closedRowHeight(quiz, row);
      quiz.contentHeight += reopened;
      for (int later = j + 1; later <= questions; ++later) {
        shiftQuestion(quiz, kOpenUp, kSwShowNormal, panel, reopened, +1, later);
      }
    }
    quiz.questionStates[j] = kQuestionShown;
    if (j % 3 == 0) ++row;
  }
}

}  // namespace

void setupScrollBars(const Quiz& quiz, Controls& panel) {
  const Rect client = panel.clientRect();
  int visibleWidth = client.width;
  int visibleHeight = client.height;
  if (client.width >= quiz.contentWidth) {
    panel.setScrollPosition(ScrollBar::horizontal, 0, false);
    visibleWidth = quiz.contentWidth;
  }
  if (client.height >= quiz.contentHeight) {
    panel.setScrollPosition(ScrollBar::vertical, 0, false);
    visibleHeight = quiz.contentHeight;
  }
  panel.setScrollRange(ScrollBar::horizontal, quiz.contentWidth - 2, visibleWidth - 1, true);
  panel.setScrollRange(ScrollBar::vertical, quiz.contentHeight - 2, visibleHeight - 1, true);
}

void refreshScrollBars(const Quiz& quiz, Controls& panel) {
  const int oldVertical = panel.scrollState(ScrollBar::vertical).position;
  const int oldHorizontal = panel.scrollState(ScrollBar::horizontal).position;
  setupScrollBars(quiz, panel);
  const int newVertical = panel.scrollState(ScrollBar::vertical).position;
  const int newHorizontal = panel.scrollState(ScrollBar::horizontal).position;
  panel.scrollContent(oldHorizontal - newHorizontal, oldVertical - newVertical);
}

void updateHiddenQuestions(Quiz& quiz) {
  // During the quiz panel's construction there is no panel yet; its construction sets the bars itself.
  if (!quiz.quizPanel) return;
  Controls& panel = *quiz.quizPanel;
  if (hideBoxChecked(quiz)) {
    hideSolvedQuestions(quiz, panel);
  } else {
    showHiddenQuestions(quiz, panel);
  }
  refreshScrollBars(quiz, panel);
}


}  // namespace fenok
