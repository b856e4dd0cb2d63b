// fenok-pack new FOLDER [--media pictures|audio|video]: drafts FOLDER/quiz.toml from the files in it.
// An existing description is never overwritten.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "authoring/file_bytes.h"
#include "authoring/quiz_draft.h"
#include "commands.h"
#include "content/quiz.h"
#include "usage.h"

namespace fenok::pack {
namespace {

constexpr const char* kDescriptionName = "quiz.toml";

struct MediaName {
  const char* name;
  DraftMedia media;
};

const MediaName kMediaNames[] = {
    {"pictures", DraftMedia::pictures}, {"audio", DraftMedia::audio}, {"video", DraftMedia::video}};

struct NewOptions {
  std::string folder;
  DraftMedia media = DraftMedia::pictures;
  bool mediaGiven = false;
};

int usage(const std::string& problem) {
  std::fprintf(stderr, "fenok-pack new: %s\n%s", problem.c_str(), commandHelp("new").c_str());
  return kExitFailed;
}

bool parseMedia(const std::string& name, DraftMedia& media) {
  for (const MediaName& entry : kMediaNames) {
    if (name != entry.name) continue;
    media = entry.media;
    return true;
  }
  return false;
}

bool parseOptions(const Arguments& args, NewOptions& options, std::string& problem) {
  for (std::size_t i = 0; i < args.size() && problem.empty(); ++i) {
    if (args[i] == "--media") {
      options.mediaGiven = true;
      if (i + 1 >= args.size() || !parseMedia(args[++i], options.media)) problem = "--media takes pictures, audio or video";
    } else if (!args[i].empty() && args[i][0] == '-') {
      problem = "unknown option " + args[i];
    } else if (options.folder.empty()) {
      options.folder = args[i];
    } else {
      problem = "more than one folder given";
    }
  }
  if (problem.empty() && options.folder.empty()) problem = "no folder given";
  return problem.empty();
}

}  // namespace

int runNew(const Arguments& args) {
  NewOptions options;
  std::string problem;
  if (!parseOptions(args, options, problem)) return usage(problem);

  const std::filesystem::path description = filePath(options.folder) / kDescriptionName;
  const std::string descriptionName = description.u8string();
  std::error_code ignored;
  if (std::filesystem::exists(description, ignored)) {
    std::fprintf(stderr, "fenok-pack new: %s exists already; it is left as it is\n", descriptionName.c_str());
    return kExitFailed;
  }
  FolderDraft draft;
  DraftFailure failure;
  std::string reason;
  if (!draftFolder(options.folder, options.mediaGiven ? &options.media : nullptr, draft, failure, reason)) {
    if (failure == DraftFailure::cannotList)
      std::fprintf(stderr, "fenok-pack new: cannot list %s: %s\n", options.folder.c_str(), reason.c_str());
    else if (failure == DraftFailure::nothingToAsk)
      std::fprintf(stderr, "fenok-pack new: %s holds no pictures (JPEG, GIF, PNG) and no clips\n", options.folder.c_str());
    else
      std::fprintf(stderr, "fenok-pack new: %s holds no files for --media %s\n", options.folder.c_str(),
                   kMediaNames[static_cast<int>(draft.media)].name);
    return kExitFailed;
  }
  if (draft.filesFound > draft.names.size())
    std::fprintf(stderr, "fenok-pack new: warning: %zu files; a quiz holds %d questions, so the draft takes the first %d\n",
                 draft.filesFound, kMaxQuestions, kMaxQuestions);
  const DraftMedia media = draft.media;
  const std::vector<std::string>& names = draft.names;

  std::ofstream out(description, std::ios::binary);
  out << draftDescription(draft.title, media, names);
  out.close();
  if (!out) {
    std::filesystem::remove(description, ignored);
    std::fprintf(stderr, "fenok-pack new: cannot write %s\n", descriptionName.c_str());
    return kExitFailed;
  }
  std::printf("%s: %zu questions (%s); check it with: fenok-pack check %s\n", descriptionName.c_str(), names.size(),
              kMediaNames[static_cast<int>(media)].name, descriptionName.c_str());
  return kExitOk;
}

}  // namespace fenok::pack
