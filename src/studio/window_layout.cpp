#include "window_layout.h"

#include <algorithm>

#include "studio_ids.h"

namespace fenok::studio {
namespace {

LayoutRect placed(const LayoutRect& designed, const Follow& follow, int dx, int dy) {
  return {designed.left + follow.left * dx / 100, designed.top + follow.top * dy / 100,
          designed.right + follow.right * dx / 100, designed.bottom + follow.bottom * dy / 100};
}

int scaled(int value, int newDpi, int oldDpi) {
  return static_cast<int>((static_cast<long long>(value) * newDpi + oldDpi / 2) / oldDpi);
}

// The growth in width: the questions list takes this share, the selected question the rest; of the
// selected question's, the first answer box takes the part up to kSecondBox.
constexpr int kList = 40;
constexpr int kSecondBox = 70;
constexpr int kSolution = 85;  // the picture's share ends here, the solution picture's starts
// The growth in height: the upper part takes this share, the problems the rest.
constexpr int kUpper = 75;

}  // namespace

WindowLayout::WindowLayout(const std::vector<Follow>& follows, const std::vector<Fill>& fills, int designedWidth,
                           int designedHeight, std::map<int, LayoutRect> designed)
    : follows_(follows), fills_(fills), width_(designedWidth), height_(designedHeight), designed_(std::move(designed)) {}

std::vector<std::pair<int, LayoutRect>> WindowLayout::arrange(int width, int height,
                                                              const std::function<bool(int)>& shown) const {
  const int dx = std::max(width, width_) - width_;
  const int dy = std::max(height, height_) - height_;
  std::map<int, LayoutRect> places;
  for (const Follow& follow : follows_) {
    const auto designed = designed_.find(follow.id);
    if (designed != designed_.end()) places[follow.id] = placed(designed->second, follow, dx, dy);
  }
  for (const Fill& fill : fills_) {
    const auto room = places.find(fill.whenHidden);
    const auto control = places.find(fill.id);
    if (room == places.end() || control == places.end() || shown(fill.whenHidden)) continue;
    if (fill.wholePlace) control->second = room->second;
    else control->second.right = room->second.right;
  }
  return {places.begin(), places.end()};
}

void WindowLayout::rescale(int newDpi, int oldDpi) {
  if (newDpi <= 0 || oldDpi <= 0 || newDpi == oldDpi) return;
  width_ = scaled(width_, newDpi, oldDpi);
  height_ = scaled(height_, newDpi, oldDpi);
  for (auto& [id, rect] : designed_)
    rect = {scaled(rect.left, newDpi, oldDpi), scaled(rect.top, newDpi, oldDpi), scaled(rect.right, newDpi, oldDpi),
            scaled(rect.bottom, newDpi, oldDpi)};
}

const std::vector<Follow>& studioFollows() {
  static const std::vector<Follow> follows = {
      // The settings: their own width; the rewards list grows taller.
      {STUDIO_QUIZ_GROUP, 0, 0, 0, kUpper},
      {STUDIO_REWARDS, 0, 0, 0, kUpper},
      {STUDIO_REWARD_CODE_LABEL, 0, kUpper, 0, kUpper},
      {STUDIO_REWARD_CODE, 0, kUpper, 0, kUpper},
      // The questions.
      {STUDIO_QUESTIONS, 0, 0, kList, kUpper},
      {STUDIO_ADD_QUESTIONS, 0, kUpper, kList / 2, kUpper},
      {STUDIO_REMOVE_QUESTION, kList / 2, kUpper, kList, kUpper},
      {STUDIO_MOVE_UP, 0, kUpper, kList / 2, kUpper},
      {STUDIO_MOVE_DOWN, kList / 2, kUpper, kList, kUpper},
      // The selected question: its pictures grow, its fields go down with them and grow wider.
      {STUDIO_QUESTION_GROUP, kList, 0, 100, kUpper},
      {STUDIO_PREVIEW, kList, 0, kSolution, kUpper},
      {STUDIO_SOLUTION_PREVIEW, kSolution, 0, 100, kUpper},
      {STUDIO_PREVIEW_TEXT, kList, 0, 100, kUpper},
      {STUDIO_PLAY_CLIP, (kList + 100) / 2, kUpper / 2, (kList + 100) / 2, kUpper / 2},
      {STUDIO_FILE_LABEL, kList, kUpper, kList, kUpper},
      {STUDIO_FILE, kList, kUpper, 100, kUpper},
      {STUDIO_FILE_BROWSE, 100, kUpper, 100, kUpper},
      {STUDIO_TEXT_LABEL, kList, kUpper, kList, kUpper},
      {STUDIO_TEXT, kList, kUpper, 100, kUpper},
      {STUDIO_ANSWER_LABEL, kList, kUpper, kList, kUpper},
      {STUDIO_ANSWER, kList, kUpper, kSecondBox, kUpper},
      {STUDIO_SECOND_ANSWER, kSecondBox, kUpper, 100, kUpper},
      {STUDIO_ALSO_LABEL, kList, kUpper, kList, kUpper},
      {STUDIO_ALSO, kList, kUpper, kSecondBox, kUpper},
      {STUDIO_SECOND_ALSO, kSecondBox, kUpper, 100, kUpper},
      {STUDIO_TRIAL_LABEL, kList, kUpper, kList, kUpper},
      {STUDIO_TRIAL, kList, kUpper, kSecondBox, kUpper},
      {STUDIO_TRIAL_VERDICT, kSecondBox, kUpper, kSecondBox, kUpper},
      {STUDIO_SECOND_TRIAL, kSecondBox, kUpper, 100, kUpper},
      {STUDIO_SECOND_TRIAL_VERDICT, 100, kUpper, 100, kUpper},
      {STUDIO_COMMENT_LABEL, kList, kUpper, kList, kUpper},
      {STUDIO_COMMENT, kList, kUpper, 100, kUpper},
      {STUDIO_SOLUTION_LABEL, kList, kUpper, kList, kUpper},
      {STUDIO_SOLUTION, kList, kUpper, 100, kUpper},
      {STUDIO_SOLUTION_BROWSE, 100, kUpper, 100, kUpper},
      // The problems and the buttons under them.
      {STUDIO_PROBLEMS_LABEL, 0, kUpper, 100, kUpper},
      {STUDIO_PROBLEMS, 0, kUpper, 100, 100},
      {STUDIO_CMD_TRY_QUIZ, 100, 100, 100, 100},
      {STUDIO_CMD_CREATE_QUIZ, 100, 100, 100, 100},
  };
  return follows;
}

// With one answer box, the first box's fields take the second's room; without a solution picture,
// the picture takes the solution's.
const std::vector<Fill>& studioFills() {
  static const std::vector<Fill> fills = {
      {STUDIO_ANSWER, STUDIO_SECOND_ANSWER, false},
      {STUDIO_ALSO, STUDIO_SECOND_ALSO, false},
      {STUDIO_TRIAL, STUDIO_SECOND_TRIAL, false},
      {STUDIO_TRIAL_VERDICT, STUDIO_SECOND_TRIAL_VERDICT, true},
      {STUDIO_PREVIEW, STUDIO_SOLUTION_PREVIEW, false},
  };
  return fills;
}

}  // namespace fenok::studio
