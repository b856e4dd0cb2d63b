#pragma once
// The one place where a typed answer meets what an answer box accepts: its expected answer and the
// forms the author added, judged under the quiz's accent mode. Every comparison of the player (the
// verdict of a box, the whole-question check) goes through here.
#include <cstdint>
#include <string>
#include <vector>

namespace fenok {

struct AnswerEntry;

// The forms box (1 or 2) of the entry accepts: its expected answer first, then the added ones.
std::vector<std::string> acceptedForms(const AnswerEntry& entry, int box);

// The verdict of the typed text: "BRAVO" when any form is right, else the best hint over the forms
// (the one of the earliest row of the verdict table, "FAUX" only when every form is "FAUX"). In
// tolerant mode (kAccentsTolerant) both texts are normalised as always and then folded (accent_fold.h)
// before the table runs; in strict mode each form is judged exactly as computeVerdict judges it.
const char* judgeTyped(const std::string& typed, const std::vector<std::string>& forms, std::int32_t accentMode);

// Whether the typed text, normalised (and folded in tolerant mode), equals some form upper-cased (and
// folded): what the whole-question check asks of every box.
bool typedMatches(const std::string& typed, const std::vector<std::string>& forms, std::int32_t accentMode);

// Of two verdict words, the one that tells the player more (see judgeTyped).
const char* betterVerdict(const char* first, const char* second);

}  // namespace fenok
