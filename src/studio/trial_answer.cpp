#include "trial_answer.h"

#include "authoring/text_encoding.h"
#include "content/quiz_colours.h"
#include "judge/answer_match.h"
#include "judge/verdict.h"

namespace fenok::studio {
namespace {

constexpr std::uint32_t kVerdictTextColour = 0x000000;  // the player leaves verdict text black

// The colour of each tint but the platform's own.
struct TintColour {
  VerdictTint tint;
  std::uint32_t colour;
};
constexpr TintColour kTintColours[] = {
    {VerdictTint::right, kSuccessColour},
    {VerdictTint::wrong, kRedColour},
    {VerdictTint::anagram, kOrangeColour},
    {VerdictTint::hint, kAmberColour},
};

void addForm(std::vector<std::string>& forms, const std::string& utf8) {
  if (const auto converted = pack::utf8ToCp1252(utf8)) forms.push_back(*converted);
}

}  // namespace

std::string trialVerdict(const pack::QuizSource& quiz, const pack::SourceQuestion& question, int box,
                         const std::string& typed) {
  if (typed.empty()) return {};
  std::vector<std::string> forms;
  addForm(forms, (box == 2 ? question.secondAnswer : question.answer).value);
  for (const pack::SourceText& also : box == 2 ? question.secondAlso : question.also) addForm(forms, also.value);
  const auto typedBytes = pack::utf8ToCp1252(typed);
  if (!typedBytes || forms.empty()) return kVerdictWrong;
  return pack::cp1252ToUtf8(judgeTyped(*typedBytes, forms, quiz.accentMode));
}

FormColours verdictColours(const std::string& verdict) {
  FormColours colours;
  const auto bytes = pack::utf8ToCp1252(verdict);
  if (verdict.empty() || !bytes) return colours;
  const VerdictTint tint = verdictTint(*bytes);
  for (const TintColour& entry : kTintColours) {
    if (entry.tint != tint) continue;
    colours.custom = true;
    colours.background = entry.colour;
    colours.text = kVerdictTextColour;
  }
  return colours;
}

}  // namespace fenok::studio
