#pragma once
// Fills the Quiz from the built-in link text and the content resources "PATCH" 104 (answers) and 105
// (reward codes), decoding each as stored and, when that fails, descrambled.

namespace fenok {

struct Platform;
struct Quiz;

constexpr int kAnswersResourceId = 104;
constexpr int kCodesResourceId = 105;
extern const char* const kContentResourceType;  // "PATCH"

// Uses platform.resources, platform.messages (caption "Fenok") and platform.graphics (background brush).
void loadQuiz(Platform& platform, Quiz& quiz);

}  // namespace fenok
