// Quoted texts of TOML: "basic" (backslash escapes, one line), 'literal' (one line), and their
// multi-line forms """...""" and '''...'''; a comment runs from '#' to the end of its line. A quote
// opens a text only where a key or a value may start (at the start of a line, after = [ , { or .);
// elsewhere, as in 2L'x', the parser reads it as part of a bad value and what follows is not quoted.
#include "toml_prescan.h"

namespace fenok::pack {
namespace {

enum class Context { plain, basic, literal, multiBasic, multiLiteral, comment };

class Scanner {
 public:
  explicit Scanner(const std::string& text) : text_(text) {}

  bool run(StrayCharacter& stray) {
    while (at_ < text_.size()) {
      const unsigned char c = static_cast<unsigned char>(text_[at_]);
      if (c >= 0x80 && context_ == Context::plain) {
        stray = {line_, characterAt(at_)};
        return false;
      }
      step(c);
    }
    return true;
  }

  // The line of the first text left open: a one-line text at its line's end, a multi-line one at the end.
  int unclosedLine() {
    while (at_ < text_.size()) step(static_cast<unsigned char>(text_[at_]));
    if (unclosedLine_ == 0 && (context_ == Context::multiBasic || context_ == Context::multiLiteral))
      unclosedLine_ = openedOn_;
    return unclosedLine_;
  }

 private:
  bool startsWith(const char* marker) const {
    return text_.compare(at_, std::char_traits<char>::length(marker), marker) == 0;
  }

  std::string characterAt(std::size_t at) const {
    std::size_t end = at + 1;
    while (end < text_.size() && (static_cast<unsigned char>(text_[end]) & 0xC0) == 0x80 && end - at < 4) ++end;
    return text_.substr(at, end - at);
  }

  void advance(std::size_t count) { at_ += count; }

  void step(unsigned char c) {
    if (c == '\n') return newLine();
    switch (context_) {
      case Context::plain: return stepPlain(c);
      case Context::basic: return stepQuoted(c, '"', true);
      case Context::literal: return stepQuoted(c, '\'', false);
      case Context::multiBasic: return stepMultiLine(c, "\"\"\"", true);
      case Context::multiLiteral: return stepMultiLine(c, "'''", false);
      case Context::comment: return advance(1);
    }
  }

  void newLine() {
    if ((context_ == Context::basic || context_ == Context::literal) && unclosedLine_ == 0) unclosedLine_ = line_;
    ++line_;
    if (context_ != Context::multiBasic && context_ != Context::multiLiteral) {
      context_ = Context::plain;  // a one-line text left open is the parser's error to report
      previous_ = '\n';
    }
    advance(1);
  }

  bool textMayStart() const {
    static const std::string openers = "\n=[,{.";
    return openers.find(static_cast<char>(previous_)) != std::string::npos;
  }

  void stepPlain(unsigned char c) {
    if (c == '#') return open(Context::comment, 1);
    if (textMayStart()) {
      if (startsWith("\"\"\"")) return open(Context::multiBasic, 3);
      if (startsWith("'''")) return open(Context::multiLiteral, 3);
      if (c == '"') return open(Context::basic, 1);
      if (c == '\'') return open(Context::literal, 1);
    }
    if (c != ' ' && c != '\t' && c != '\r') previous_ = c;
    advance(1);
  }

  void stepQuoted(unsigned char c, char quote, bool escapes) {
    if (escapes && c == '\\' && at_ + 1 < text_.size() && text_[at_ + 1] != '\n') return advance(2);
    if (c == static_cast<unsigned char>(quote)) close(c);
    advance(1);
  }

  void stepMultiLine(unsigned char c, const char* closing, bool escapes) {
    if (escapes && c == '\\' && at_ + 1 < text_.size() && text_[at_ + 1] != '\n') return advance(2);
    if (!startsWith(closing)) return advance(1);
    // Up to two more quotes may close it: """a"""" is the text a".
    std::size_t length = 3;
    while (length < 5 && at_ + length < text_.size() && text_[at_ + length] == closing[0]) ++length;
    close(static_cast<unsigned char>(closing[0]));
    advance(length);
  }

  void open(Context context, std::size_t length) {
    context_ = context;
    openedOn_ = line_;
    advance(length);
  }

  void close(unsigned char quote) {
    context_ = Context::plain;
    previous_ = quote;
  }

  const std::string& text_;
  std::size_t at_ = 0;
  int line_ = 1;
  Context context_ = Context::plain;
  unsigned char previous_ = '\n';  // the last character of the line outside texts, blanks aside
  int openedOn_ = 0;              // the line of the last opened text or comment
  int unclosedLine_ = 0;
};

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

}  // namespace

bool nonAsciiOnlyQuoted(const std::string& text, StrayCharacter& stray) { return Scanner(text).run(stray); }

int firstUnclosedText(const std::string& text) {
  // A last line without its line end still ends there.
  return Scanner(text + "\n").unclosedLine();
}

int firstSingleBracketTable(const std::string& text, const std::string& name) {
  int line = 1;
  for (std::size_t start = 0; start < text.size(); ++line) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string content;
    for (std::size_t i = start; i < end && text[i] != '#'; ++i)
      if (!isBlank(text[i])) content += text[i];
    if (content == "[" + name + "]") return line;
    start = end + 1;
  }
  return 0;
}

}  // namespace fenok::pack
