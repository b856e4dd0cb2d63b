#pragma once
// Test helpers for the content resources: decoded answers and codes texts, and a loader harness over
// in-memory resources with recorded messages and graphics.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "content/content_key.h"
#include "content/loader.h"
#include "content/lzw.h"
#include "content/quiz.h"
#include "platform/portable/memory_resources.h"
#include "platform/portable/message_recorder.h"
#include "platform/portable/recording_graphics.h"
#include "platform/ports/platform.h"

namespace fenok::testing {

using Bytes = std::vector<std::uint8_t>;

// Appends raw bytes and '|'-ended texts.
class ContentText {
 public:
  ContentText& byte(int value) {
    bytes_.push_back(static_cast<std::uint8_t>(value));
    return *this;
  }
  ContentText& text(const std::string& value) { return raw(value + "|"); }
  ContentText& raw(const std::string& value) {
    bytes_.insert(bytes_.end(), value.begin(), value.end());
    return *this;
  }
  const Bytes& bytes() const { return bytes_; }

 private:
  Bytes bytes_;
};

// The answers text of the worked example: two picture questions, one answer each, comments.
inline Bytes workedExampleAnswers() {
  ContentText content;
  content.byte(0).byte(2).byte(2).byte(1);
  content.text("Animaux").text("Moi").text("Trouvez les animaux").text("").text("");
  content.text("CHAT").text("Quel animal ?").text("CHIEN").text("Et celui-ci ?");
  content.byte(2).text("Il miaule").text("Il aboie");
  content.byte(0x33).byte(0x66).byte(0xFF);
  return content.bytes();
}

inline Bytes workedExampleCodes() {
  const std::string text = "BIEN\r\nTRES BIEN\r\n";
  return Bytes(text.begin(), text.end());
}

inline Bytes bytesOfText(const std::string& text) { return Bytes(text.begin(), text.end()); }

inline Bytes encoded(const Bytes& decoded) { return lzwEncode(decoded); }

inline Bytes scrambled(const Bytes& decoded) {
  Bytes stream = lzwEncode(decoded);
  descramble(stream.data(), stream.size());
  return stream;
}

// The Windows-1252 texts of the loader's messages.
inline const std::string kLinkTextMessage = "Erreur dans le d\xE9" "cryptage";
inline const std::string kAnswersMissingMessage = "Reponses non trouv\xE9" "es";
inline const std::string kAnswersErrorMessage = "Erreur dans le d\xE9" "cryptage des reponses";
inline const std::string kCodesErrorMessage = "Erreur dans le d\xE9" "cryptage des codes";

// One Quiz with its ports; initQuiz at construction, freeQuiz at destruction.
struct LoaderHarness {
  std::unique_ptr<Quiz> quiz = std::make_unique<Quiz>();
  RecordingGraphics graphics;
  MessageRecorder messages;
  MemoryResources resources;
  ContentPorts ports{resources, messages, graphics};

  LoaderHarness() {
    initQuiz(*quiz, graphics);
  }
  ~LoaderHarness() { freeQuiz(*quiz, graphics); }

  void setAnswers(const Bytes& stored) { resources.add("PATCH", kAnswersResourceId, stored); }
  void setCodes(const Bytes& stored) { resources.add("PATCH", kCodesResourceId, stored); }
  LoadOutcome load() { return loadQuiz(ports, *quiz); }

  int entryCount() const {
    int count = 0;
    for (const AnswerEntry* entry = quiz->firstAnswer; entry != nullptr; entry = entry->next) ++count;
    return count;
  }
};

}  // namespace fenok::testing
