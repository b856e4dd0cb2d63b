#include "web/verdict_lines.h"

#include "content/quiz.h"
#include "judge/answer_match.h"
#include "web/program_text.h"

namespace fenok::web {

std::string judgeLines(const std::string& lines, bool tolerant, const std::vector<std::string>& also) {
  std::vector<std::string> forms{std::string()};
  for (const std::string& form : also) forms.push_back(programText(form));
  const std::int32_t accentMode = tolerant ? kAccentsTolerant : kAccentsStrict;
  std::string verdicts;
  std::size_t start = 0;
  while (start < lines.size()) {
    std::size_t end = lines.find('\n', start);
    if (end == std::string::npos) end = lines.size();
    std::string line = lines.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t tab = line.find('\t');
    forms[0] = programText(tab == std::string::npos ? std::string() : line.substr(tab + 1));
    verdicts += pageText(judgeTyped(programText(line.substr(0, tab)), forms, accentMode));
    verdicts += '\n';
    start = end + 1;
  }
  return verdicts;
}

}  // namespace fenok::web
