#pragma once
// The quiz panel's identifier scheme, for question number j (1 to 96). Construction, judging, score,
// hiding and events all find controls by these numbers; the answer boxes and their verdict labels
// are numbered in judge/answer_boxes.h.
namespace fenok {

constexpr int kNumberLabelBase = 2000;  // 2000 + j; the rows of a text quiz all share 2000
constexpr int kQuestionTextId = 3000;   // every row of a text quiz
constexpr int kPlayButtonBase = 6000;   // 6000 + j
constexpr int kStopButtonBase = 7000;   // 7000 + j
constexpr int kCommentLabelBase = 8000; // 8000 + j
constexpr int kPictureLabelBase = 9900; // 9900 + j: the picture label, or the media placeholder
constexpr int kCaptionLabelId = 156;    // both answer captions of every grid row

constexpr int kFirstPictureResource = 400;    // "IMG" 400 + j: picture or clip of question j
constexpr int kFirstSolutionResource = 10400; // "IMG" 10400 + j: solution picture of question j

// Read limits of the texts the logic reads back (GetDlgItemTextA / GetWindowTextA buffer sizes).
constexpr int kVerdictReadBuffer = 255;
constexpr int kBoxReadBuffer = 260;

inline int numberLabelId(int question) { return kNumberLabelBase + question; }
inline int commentLabelId(int question) { return kCommentLabelBase + question; }
inline int pictureLabelId(int question) { return kPictureLabelBase + question; }
inline int playButtonId(int question) { return kPlayButtonBase + question; }
inline int stopButtonId(int question) { return kStopButtonBase + question; }

}  // namespace fenok
