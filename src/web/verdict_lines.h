#pragma once
// Many verdicts at once, for checking the page's judge against fenok-pack's and for timing it: lines
// "typed<TAB>expected" in, one verdict a line out, judged as `fenok-pack verdict --batch` judges them.
#include <string>
#include <vector>

namespace fenok::web {

// Texts are UTF-8; also holds the answers accepted beside every expected one. A line without a tab is
// judged against an empty expected answer.
std::string judgeLines(const std::string& lines, bool tolerant, const std::vector<std::string>& also);

}  // namespace fenok::web
