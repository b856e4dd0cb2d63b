#pragma once
// The geometry of a picture or media quiz's grid: three questions a row, each a cell of a picture (or
// clip placeholder), its number, its answer line(s) and, with comments, a comment label below them.
// Every offset of a cell is here, named once; construction and hiding both read it.
#include "pictures/picture_fit.h"

namespace fenok {

struct GridGeometry {
  int columnPitch = 290;          // from one column's left edge to the next
  int firstLeftOneAnswer = 46;    // left edge of column 1 with one answer per question
  int firstLeftTwoAnswers = 106;  // ... and with two, leaving room for the answer captions
  int pictureGap = 10;            // below a row's tallest picture
  int videoPlaceholderWidth = 260;
  int videoPlaceholderHeight = 200;
  int videoRowHeight = 210;       // a video placeholder and its gap
  int mediaIndent = 20;           // the answer line starts right of the play and stop buttons
  int pictureBoxWidth = kPictureBoxSide;  // answer box and verdict width under a picture
  int mediaBoxWidth = 240;        // ... and beside a media question's buttons
  int numberLeft = -28;           // the number label, relative to the cell
  int numberTop = 2;
  int numberWidth = 27;
  int numberHeight = 17;
  int lineHeight = 20;            // an answer box or verdict label
  int lineStep = 19;              // from one answer line to the next
  int twoAnswerVerdictWidth = 60; // the verdict at the end of a shortened box
  int twoAnswerBoxCut = 59;       // what the box gives up for it
  int captionWidth = 95;
  int firstCaptionLeft = 4;
  int secondCaptionLeft = 3;
  int captionTop = 2;
  int captionStep = 20;
  int buttonSide = 20;
  int stopButtonHeight = 19;
  int commentTop = 46;            // below the answer top
  int commentWidth = kPictureBoxSide;
  int commentHeight = 65;
  int rowStepWithComments = 140;  // from a row's answer top to the next row's top
  int rowStepPlain = 60;
  int contentWidth = 890;         // before the margin added at the end
};

constexpr GridGeometry kGrid{};

// What a picture or media quiz's answer box takes.
constexpr int kGridBoxTextLimit = 40;

}  // namespace fenok
