// fenok-pack new FOLDER [--media pictures|audio|video]: drafts FOLDER/quiz.toml from the files in it.
// An existing description is never overwritten. The summary says how many answers the file names
// could not give, so that the author knows what is left to type.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>

#include "authoring/file_bytes.h"
#include "authoring/quiz_draft.h"
#include "authoring/quiz_program.h"
#include "commands.h"
#include "content/quiz.h"
#include "telling.h"
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

bool parseMedia(const std::string& name, DraftMedia& media) {
  for (const MediaName& entry : kMediaNames) {
    if (name != entry.name) continue;
    media = entry.media;
    return true;
  }
  return false;
}

// What is wrong with the options, or nothing.
std::optional<Message> parseOptions(const Arguments& args, NewOptions& options) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--media") {
      options.mediaGiven = true;
      if (i + 1 >= args.size() || !parseMedia(args[++i], options.media)) return message(Msg::mediaOption);
    } else if (!args[i].empty() && args[i][0] == '-') {
      return message(Msg::unknownOption, args[i]);
    } else if (options.folder.empty()) {
      options.folder = args[i];
    } else {
      return message(Msg::moreThanOneFolder);
    }
  }
  if (options.folder.empty()) return message(Msg::noFolder);
  return std::nullopt;
}

Message draftFailure(DraftFailure failure, const std::string& folder, const Message& reason, DraftMedia media) {
  switch (failure) {
    case DraftFailure::cannotList: return message(Msg::cannotList, folder, reason);
    case DraftFailure::nothingToAsk: return message(Msg::nothingToAsk, folder);
    default: return message(Msg::nothingOfThatMedia, folder, kMediaNames[static_cast<int>(media)].name);
  }
}

// What was written, and what is left to type.
Message summary(const std::string& description, const FolderDraft& draft) {
  const auto unanswered = std::count_if(draft.names.begin(), draft.names.end(),
                                        [](const std::string& name) { return answerFromFileName(name).empty(); });
  const char* media = kMediaNames[static_cast<int>(draft.media)].name;
  const Message count = questionCount(static_cast<int>(draft.names.size()));
  if (unanswered == 0) return message(Msg::drafted, description, count, media);
  if (unanswered == 1) return message(Msg::draftedWithoutAnAnswer, description, count, media);
  return message(Msg::draftedWithoutAnswers, description, count, media, unanswered);
}

// Every file of the folder that the draft does not take, with the reason: none is left out unsaid.
void tellLeftOut(const FolderDraft& draft, Language language) {
  for (const LeftOutFile& file : draft.leftOut) tell("new", language, message(Msg::leftOut, file.reason));
}

}  // namespace

int runNew(const Arguments& args, Language language) {
  NewOptions options;
  if (const std::optional<Message> problem = parseOptions(args, options))
    return usageError("new", language, *problem);

  const std::filesystem::path description = filePath(options.folder) / kDescriptionName;
  const std::string descriptionName = description.u8string();
  std::error_code ignored;
  if (std::filesystem::exists(description, ignored)) {
    tell("new", language, message(Msg::descriptionExists, descriptionName));
    return kExitFailed;
  }
  FolderDraft draft;
  DraftFailure failure;
  Message reason;
  const bool drafted = draftFolder(options.folder, options.mediaGiven ? &options.media : nullptr, draft, failure, reason);
  tellLeftOut(draft, language);
  if (!drafted) {
    tell("new", language, draftFailure(failure, options.folder, reason, draft.media));
    return kExitFailed;
  }
  if (draft.filesFound > draft.names.size())
    tell("new", language, message(Msg::tooManyFiles, draft.filesFound, kMaxQuestions));

  const std::string text = draftDescription(draft.title, draft.media, draft.names);
  Message writing;
  if (!writeFileReplacing(descriptionName, std::vector<std::uint8_t>(text.begin(), text.end()), writing, false)) {
    tell("new", language, writing);
    return kExitFailed;
  }
  std::printf("%s\n", say(summary(descriptionName, draft), language).c_str());
  return kExitOk;
}

}  // namespace fenok::pack
