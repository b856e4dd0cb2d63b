#include "messages.h"

namespace fenok::pack {
namespace {

// Rows in the order of Msg, after its first member (Msg::value, which has no text).
const std::vector<MessageTexts> kTable = {
#define FENOK_MESSAGE(name, english, french) {Msg::name, #name, english, french},
#include "messages.def"
#undef FENOK_MESSAGE
};

const MessageTexts* row(Msg id) {
  const auto index = static_cast<std::size_t>(id) - 1;
  return id != Msg::value && index < kTable.size() ? &kTable[index] : nullptr;
}

}  // namespace

std::string say(const Message& message, Language language) {
  const MessageTexts* texts = row(message.id);
  if (!texts) return message.text;
  const char* pattern = language == Language::french ? texts->french : texts->english;
  std::string out;
  for (const char* c = pattern; *c; ++c) {
    // {1} to {9}: the argument of that number; one that was not given says nothing.
    const bool slot = c[0] == '{' && c[1] >= '1' && c[1] <= '9' && c[2] == '}';
    if (!slot) {
      out += *c;
      continue;
    }
    const auto index = static_cast<std::size_t>(c[1] - '1');
    if (index < message.args.size()) out += say(message.args[index], language);
    c += 2;
  }
  return out;
}

const std::vector<MessageTexts>& messageTable() { return kTable; }

Message questionCount(int count) { return count == 1 ? message(Msg::oneQuestion) : message(Msg::questions, count); }

}  // namespace fenok::pack
