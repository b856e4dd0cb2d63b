#include "content_findings.h"

#include "content/quiz.h"

namespace fenok::pack {
namespace {

constexpr const char* kAnswers = "the questions resource (PATCH 104)";
constexpr const char* kCodes = "the rewards resource (PATCH 105)";

std::string leftOver(const char* what, std::size_t bytes) {
  return std::string(what) + " has " + std::to_string(bytes) + " bytes left over after what the player reads";
}

}  // namespace

std::vector<std::string> describeFindings(const ContentFindings& findings) {
  std::vector<std::string> lines;
  const auto sayIf = [&lines](bool condition, const std::string& line) {
    if (condition) lines.push_back(line);
  };
  sayIf(findings.answersRanShort, std::string(kAnswers) + " ran short: the player read empty texts and zero bytes past its end");
  sayIf(findings.answersLeftOver > 0, leftOver(kAnswers, findings.answersLeftOver));
  sayIf(findings.codesRanShort, std::string(kCodes) + " ran short: some rewards are missing or cut");
  sayIf(findings.codesLeftOver > 0, leftOver(kCodes, findings.codesLeftOver));
  sayIf(findings.mediaKindOutOfRange, "the media kind is none of text, pictures, audio and video");
  sayIf(findings.commentKindOutOfRange, "the comments kind is none of the five the player knows");
  sayIf(findings.questionCountOutOfRange, "the question count is above " + std::to_string(kMaxQuestions) +
                                              "; the player keeps " + std::to_string(kMaxQuestions));
  sayIf(findings.answersPerQuestionOutOfRange, "the answers per question are neither 1 nor 2; the player takes 1");
  sayIf(findings.acceptedBlock == AcceptedBlock::damaged,
        "the accepted answers and the accent mode are damaged: the player ignores them and accepts only the "
        "expected answers, accents strict");
  sayIf(findings.acceptedBlock == AcceptedBlock::newer,
        "the accepted answers and the accent mode were written by a later fenok-pack: this player ignores them "
        "and accepts only the expected answers, accents strict");
  if (!lines.empty()) lines.push_back("the content is damaged: what is shown may not be the quiz that was packed");
  return lines;
}

}  // namespace fenok::pack
