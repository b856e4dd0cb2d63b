#pragma once
// A first quiz description drafted from a folder of pictures or clips: one question per file, in name
// order, each expected answer taken from its file name, or left empty when the name names nothing (a
// camera's or a phone's, generic_names.h). `fenok-pack new` writes it and the studio starts from it;
// the author then types what the names could not say.
#include <string>
#include <vector>

#include "messages.h"

namespace fenok::pack {

enum class DraftMedia { pictures, audio, video };

struct DraftFile {
  std::string name;  // the file name in the folder, UTF-8
  DraftMedia media;
};

// A file of the folder that is not in the draft, and why: the reason names the file.
struct LeftOutFile {
  std::string name;
  Message reason;
};

// What a file can be the question of: a picture by its first bytes (one this computer reads), a clip
// by its extension. False, with the reason, for anything else.
bool draftMediaOf(const std::string& path, DraftMedia& media, Message& leftOutBecause);

// The files of the folder that can make questions, sorted by name, and the others with their reasons,
// also sorted. False, with a reason, when the folder cannot be listed.
bool draftFiles(const std::string& folder, std::vector<DraftFile>& files, std::vector<LeftOutFile>& leftOut,
                Message& reason);

// Pictures when there are any, else the more numerous kind of clip; false when there is neither.
bool defaultDraftMedia(const std::vector<DraftFile>& files, DraftMedia& media);

// What a folder gives a new quiz: its title (the folder's name), its kind, the names of the files that
// become questions (at most the questions a quiz holds; filesFound tells how many there were) and every
// other file of the folder with the reason it is not in the quiz, in name order.
struct FolderDraft {
  std::string title;
  DraftMedia media = DraftMedia::pictures;
  std::vector<std::string> names;
  std::size_t filesFound = 0;
  std::vector<LeftOutFile> leftOut;
};

enum class DraftFailure { none, cannotList, nothingToAsk, nothingOfThatMedia };

// The draft of a folder, of the given media or the default one (media null). On failure, why, with
// the system's words in reason when the folder cannot be listed; draft.leftOut is filled all the same,
// so that a folder of pictures this computer cannot read says which and why.
bool draftFolder(const std::string& folder, const DraftMedia* media, FolderDraft& draft, DraftFailure& failure,
                 Message& reason);

// "tour-eiffel.jpg" -> "TOUR EIFFEL": the name without its extension, dashes and underscores as
// spaces, upper-cased (accented letters too), cut to what an answer box takes. Empty for a name that
// names nothing ("IMG_20240612_101530.jpg") or has no letters or digits at all.
std::string answerFromFileName(const std::string& name);

// The description's text, every key present with a comment on what it does.
std::string draftDescription(const std::string& title, DraftMedia media, const std::vector<std::string>& names);

}  // namespace fenok::pack
