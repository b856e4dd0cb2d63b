#pragma once
// Messages for people, in English or French. Each message has a name (Msg), and its texts live in one
// table, messages.def, one column a language. Code asks for a message by its name with its arguments
// and a front end says it in its author's language: fenok-pack in the locale's, the studio in French.
// A Message is kept as its name and arguments, so that a problem found once can be shown in either
// language.
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

namespace fenok::pack {

enum class Language { english, french };

enum class Msg : int {
  value,  // not in the table: a value shown as it is (a file name, a number, a character)
#define FENOK_MESSAGE(name, english, french) name,
#include "messages.def"
#undef FENOK_MESSAGE
};

struct Message {
  Msg id = Msg::value;
  std::string text;            // the value, for Msg::value
  std::vector<Message> args;   // {1}, {2}...: values, or messages said in the same language
  bool operator==(const Message& other) const { return id == other.id && text == other.text && args == other.args; }
  bool operator!=(const Message& other) const { return !(*this == other); }
};

inline Message valueMessage(std::string text) { return Message{Msg::value, std::move(text), {}}; }

inline Message argument(Message message) { return message; }
inline Message argument(std::string text) { return valueMessage(std::move(text)); }
inline Message argument(const char* text) { return valueMessage(text); }
template <typename Number, typename = std::enable_if_t<std::is_integral_v<Number>>>
Message argument(Number number) {
  return valueMessage(std::to_string(number));
}

template <typename... Args>
Message message(Msg id, Args&&... args) {
  return Message{id, {}, {argument(std::forward<Args>(args))...}};
}

// The message's text in the language, its arguments in place.
std::string say(const Message& message, Language language);

template <typename... Args>
std::string say(Language language, Msg id, Args&&... args) {
  return say(message(id, std::forward<Args>(args)...), language);
}

// "1 question", "12 questions": a count said in either language.
Message questionCount(int count);

// One row of the table, for the tests that read it whole.
struct MessageTexts {
  Msg id;
  const char* name;
  const char* english;
  const char* french;
};

const std::vector<MessageTexts>& messageTable();

}  // namespace fenok::pack
