#pragma once
// Helpers of the fenok-pack tests: a scratch folder for quiz descriptions and their files, and the
// player's own loader run over a packed program (what `inspect` does).
#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "authoring/messages.h"
#include "content/loader.h"
#include "content/quiz.h"
#include "pe_fixtures.h"
#include "platform/portable/message_recorder.h"
#include "platform/portable/pe_resources.h"
#include "platform/portable/recording_graphics.h"
#include "platform/ports/platform.h"

namespace fenok::testing {

class QuizFolder {
 public:
  QuizFolder() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("fenok-pack-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
  }
  ~QuizFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  QuizFolder(const QuizFolder&) = delete;
  QuizFolder& operator=(const QuizFolder&) = delete;

  std::string write(const std::string& name, const std::string& bytes) const {
    const std::filesystem::path file = path_ / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out << bytes;
    return file.string();
  }
  std::string path(const std::string& name) const { return (path_ / name).string(); }
  bool exists(const std::string& name) const { return std::filesystem::exists(path_ / name); }
  std::vector<std::string> names() const {
    std::vector<std::string> result;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) result.push_back(entry.path().filename().string());
    return result;
  }

 private:
  std::filesystem::path path_;
};

// A packed program loaded by the player's own loader.
struct LoadedQuiz {
  PeResources resources;
  RecordingGraphics graphics;
  MessageRecorder messages;
  std::unique_ptr<Quiz> quiz = std::make_unique<Quiz>();

  ~LoadedQuiz() { freeQuiz(*quiz, graphics); }

  bool load(const std::vector<std::uint8_t>& program, std::string& error) {
    *quiz = Quiz{};
    initQuiz(*quiz, graphics);
    if (!resources.load(program, error)) return false;
    loadQuiz(ContentPorts{resources, messages, graphics}, *quiz);
    return true;
  }
};

// A message of the packer as the tests read it: in English, whatever the machine's language.
inline std::string english(const pack::Message& message) { return pack::say(message, pack::Language::english); }

inline std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string sourceFile(const std::string& relative) {
  return fileText(std::string(FENOK_SOURCE_DIR) + "/" + relative);
}

}  // namespace fenok::testing
