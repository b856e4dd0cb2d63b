#include "content_findings.h"

#include "content/quiz.h"

namespace fenok::pack {

std::vector<Message> describeFindings(const ContentFindings& findings) {
  std::vector<Message> lines;
  const auto sayIf = [&lines](bool condition, Message line) {
    if (condition) lines.push_back(std::move(line));
  };
  sayIf(findings.answersRanShort, message(Msg::answersRanShort));
  sayIf(findings.answersLeftOver > 0, message(Msg::answersLeftOver, findings.answersLeftOver));
  sayIf(findings.codesRanShort, message(Msg::codesRanShort));
  sayIf(findings.codesLeftOver > 0, message(Msg::codesLeftOver, findings.codesLeftOver));
  sayIf(findings.mediaKindOutOfRange, message(Msg::mediaKindOutOfRange));
  sayIf(findings.commentKindOutOfRange, message(Msg::commentKindOutOfRange));
  sayIf(findings.questionCountOutOfRange, message(Msg::questionCountOutOfRange, kMaxQuestions));
  sayIf(findings.answersPerQuestionOutOfRange, message(Msg::answersPerQuestionOutOfRange));
  sayIf(findings.acceptedBlock == AcceptedBlock::damaged, message(Msg::acceptedBlockDamaged));
  sayIf(findings.acceptedBlock == AcceptedBlock::newer, message(Msg::acceptedBlockNewer));
  if (!lines.empty()) lines.push_back(message(Msg::contentDamaged));
  return lines;
}

}  // namespace fenok::pack
