#pragma once
// JSON text for the page's script, built value by value: the commas and the escaping are done here
// and nowhere else. Strings are given in UTF-8.
#include <cstdint>
#include <string>
#include <vector>

namespace fenok::web {

class JsonWriter {
 public:
  void beginObject() { open('{'); }
  void endObject() { close('}'); }
  void beginArray() { open('['); }
  void endArray() { close(']'); }
  // The name of the next value, inside an object.
  void key(const char* name);

  void string(const std::string& utf8);
  void number(long long value);
  void boolean(bool value);
  void null();

  void field(const char* name, const std::string& utf8) { key(name); string(utf8); }
  void field(const char* name, const char* utf8) { key(name); string(utf8); }
  void field(const char* name, int value) { key(name); number(value); }
  void field(const char* name, bool value) { key(name); boolean(value); }

  const std::string& text() const { return out_; }

 private:
  void open(char bracket);
  void close(char bracket);
  void beforeValue();
  void quote(const std::string& utf8);

  std::string out_;
  std::vector<bool> empty_;  // per open object or array: nothing written in it yet
  bool afterKey_ = false;
};

}  // namespace fenok::web
