#include "web/json_writer.h"

#include <cstdio>

namespace fenok::web {

void JsonWriter::beforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!empty_.empty()) {
    if (!empty_.back()) out_ += ',';
    empty_.back() = false;
  }
}

void JsonWriter::open(char bracket) {
  beforeValue();
  out_ += bracket;
  empty_.push_back(true);
}

void JsonWriter::close(char bracket) {
  out_ += bracket;
  if (!empty_.empty()) empty_.pop_back();
}

void JsonWriter::key(const char* name) {
  beforeValue();
  quote(name);
  out_ += ':';
  afterKey_ = true;
}

void JsonWriter::string(const std::string& utf8) {
  beforeValue();
  quote(utf8);
}

void JsonWriter::quote(const std::string& utf8) {
  out_ += '"';
  for (const char c : utf8) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out_ += '\\';
      out_ += c;
    } else if (byte < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      out_ += escaped;
    } else {
      out_ += c;
    }
  }
  out_ += '"';
}

void JsonWriter::number(long long value) {
  beforeValue();
  out_ += std::to_string(value);
}

void JsonWriter::boolean(bool value) {
  beforeValue();
  out_ += value ? "true" : "false";
}

void JsonWriter::null() {
  beforeValue();
  out_ += "null";
}

}  // namespace fenok::web
