#pragma once
// Every control identifier of the quiz panel and the header panel, and the resource numbers of a
// question's pictures and clips. Screen parts find each other's controls only by these numbers, so
// construction, judging, score, hiding, saving and the Win32 dialogs all read them from here.
// For question number j (1 to 96) and answer box number i (1 for the first box of the quiz).
namespace fenok {

// Quiz panel.
constexpr int kNumberLabelBase = 2000;   // 2000 + j; the rows of a text quiz all share 2000
constexpr int kQuestionTextId = 3000;    // every row of a text quiz
constexpr int kFirstAnswerBoxId = 4001;  // 4000 + i, in question order
constexpr int kVerdictLabelOffset = 1000;  // a box's verdict label is the box's identifier + 1000
constexpr int kPlayButtonBase = 6000;    // 6000 + j
constexpr int kStopButtonBase = 7000;    // 7000 + j
constexpr int kCommentLabelBase = 8000;  // 8000 + j
constexpr int kPictureLabelBase = 9900;  // 9900 + j: the picture label, or the media placeholder
constexpr int kCaptionLabelId = 156;     // both answer captions of every grid row

inline int numberLabelId(int question) { return kNumberLabelBase + question; }
inline int verdictLabelId(int boxId) { return boxId + kVerdictLabelOffset; }
inline int commentLabelId(int question) { return kCommentLabelBase + question; }
inline int pictureLabelId(int question) { return kPictureLabelBase + question; }
inline int playButtonId(int question) { return kPlayButtonBase + question; }
inline int stopButtonId(int question) { return kStopButtonBase + question; }

// Header panel.
constexpr int kLinkId = 24;
constexpr int kByLabelId = 25;
constexpr int kAuthorId = 26;
constexpr int kSaveButtonId = 27;
constexpr int kExplanationId = 28;
constexpr int kTitleId = 29;
constexpr int kCodeBoxId = 30;
constexpr int kCodeCaptionId = 31;
constexpr int kScoreCounterId = 32;
constexpr int kHideBoxId = 33;
constexpr int kScoreSeparatorId = 120;  // under the counter
constexpr int kLeftSeparatorId = 121;   // right of the counter and code box
constexpr int kRightSeparatorId = 122;  // left of the link, author and buttons
// Labels asking for colours with an identifier in this range get the header's own background.
constexpr int kFirstColouredHeaderId = 20;
constexpr int kLastColouredHeaderId = kHideBoxId;

// Resources of question j ("IMG").
constexpr int kFirstPictureResource = 400;     // 400 + j: picture or clip of question j
constexpr int kFirstSolutionResource = 10400;  // 10400 + j: solution picture of question j

// Read limits of the texts the logic reads back (GetDlgItemTextA / GetWindowTextA buffer sizes).
constexpr int kVerdictReadBuffer = 255;
constexpr int kBoxReadBuffer = 260;

}  // namespace fenok
