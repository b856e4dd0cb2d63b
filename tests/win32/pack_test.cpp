// Programs packed by fenok-pack's PE writer, read back by Windows itself: LoadLibraryExA as a data
// file and FindResourceA find the quiz's resources and the stub's own, and the packed program runs.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "authoring/pe_writer.h"
#include "authoring/quiz_build.h"

namespace fenok {
namespace {

std::string sourcePath(const std::string& relative) { return std::string(FENOK_SOURCE_DIR) + "/" + relative; }

std::vector<std::uint8_t> readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string tempProgram(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string path = std::string(folder) + name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return path;
}

// The bytes of a resource as Windows finds it; empty when it is not found.
std::vector<std::uint8_t> resourceBytes(HMODULE module, const char* type, int id) {
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), type);
  if (!found) return {};
  HGLOBAL loaded = LoadResource(module, found);
  const auto* data = static_cast<const std::uint8_t*>(LockResource(loaded));
  return data ? std::vector<std::uint8_t>(data, data + SizeofResource(module, found)) : std::vector<std::uint8_t>{};
}

class PackedProgram : public ::testing::TestWithParam<const char*> {};
// A packed program is started by this suite, so it must be of the suite's own kind: a 64-bit host may
// be unable to run 32-bit programs at all.
class PackedProgramRun : public ::testing::TestWithParam<const char*> {};

TEST_P(PackedProgram, WindowsFindsTheQuizAndTheStubsOwnResources) {
  const std::string quiz = sourcePath("samples/demo/quiz.toml");
  pack::Diagnostics diagnostics(quiz);
  std::vector<PeResourceEntry> resources;
  ASSERT_TRUE(pack::quizResources(quiz, false, resources, diagnostics))
      << (diagnostics.errors(pack::Language::english).empty() ? "" : diagnostics.errors(pack::Language::english).front());
  std::vector<std::uint8_t> packed;
  std::string error;
  ASSERT_TRUE(pack::packIntoPlayer(readFile(sourcePath(std::string("tests/unit/pack/fixtures/") + GetParam())),
                                   resources, packed, error))
      << error;
  const std::string path = tempProgram(std::string("packed-") + GetParam(), packed);

  HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr) << GetLastError();
  int checked = 0;
  for (const PeResourceEntry& entry : resources) {
    const char* type = entry.typeName.empty() ? MAKEINTRESOURCEA(entry.typeNumber) : entry.typeName.c_str();
    EXPECT_EQ(resourceBytes(module, type, entry.id), entry.bytes) << entry.typeName << " " << entry.id;
    ++checked;
  }
  EXPECT_EQ(checked, 2 + 10 + 10);  // content, pictures, solution pictures
  EXPECT_FALSE(resourceBytes(module, MAKEINTRESOURCEA(10), 406).empty());  // the PNG, as RCDATA
  EXPECT_TRUE(resourceBytes(module, "IMG", 406).empty());
  if (std::string(GetParam()) != "bare32.exe") {
    EXPECT_FALSE(resourceBytes(module, MAKEINTRESOURCEA(16), 1).empty());  // the stub's version
    const std::vector<std::uint8_t> own = resourceBytes(module, MAKEINTRESOURCEA(10), 1003);
    EXPECT_EQ(std::string(own.begin(), own.end()), "cursor stand-in");
  }
  FreeLibrary(module);
  DeleteFileA(path.c_str());
}

TEST_P(PackedProgramRun, StillRuns) {
  std::vector<std::uint8_t> packed;
  std::string error;
  const std::vector<PeResourceEntry> added = {{"PATCH", 0, "", 104, 0, 0, std::vector<std::uint8_t>(70000, 7)}};
  ASSERT_TRUE(pack::addResources(readFile(sourcePath(std::string("tests/unit/pack/fixtures/") + GetParam())), added,
                                 packed, error))
      << error;
  const std::string path = tempProgram(std::string("running-") + GetParam(), packed);
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::string commandLine = "\"" + path + "\"";
  ASSERT_TRUE(CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &process))
      << GetLastError();
  ASSERT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
  DWORD exitCode = 0;
  GetExitCodeProcess(process.hProcess, &exitCode);
  EXPECT_EQ(exitCode, 42u);  // what the stand-in stub returns
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  DeleteFileA(path.c_str());
}

// Windows reads the resources of a program of either kind as data.
INSTANTIATE_TEST_SUITE_P(Stubs, PackedProgram, ::testing::Values("stub32.exe", "middle32.exe", "bare32.exe", "stub64.exe"));
#ifdef _WIN64
INSTANTIATE_TEST_SUITE_P(Stubs, PackedProgramRun, ::testing::Values("stub64.exe"));
#else
INSTANTIATE_TEST_SUITE_P(Stubs, PackedProgramRun, ::testing::Values("stub32.exe", "middle32.exe", "bare32.exe"));
#endif

}  // namespace
}  // namespace fenok
