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

// What a file can be the question of: a picture by its first bytes, a clip by its extension; false
// for anything else.
bool draftMediaOf(const std::string& path, DraftMedia& media);

// The files of the folder that can make questions, sorted by name; others (the description, notes)
// are left out. False, with a reason, when the folder cannot be listed.
bool draftFiles(const std::string& folder, std::vector<DraftFile>& files, Message& reason);

// Pictures when there are any, else the more numerous kind of clip; false when there is neither.
bool defaultDraftMedia(const std::vector<DraftFile>& files, DraftMedia& media);

// What a folder gives a new quiz: its title (the folder's name), its kind and the names of the files
// that become questions (at most the questions a quiz holds; filesFound tells how many there were).
struct FolderDraft {
  std::string title;
  DraftMedia media = DraftMedia::pictures;
  std::vector<std::string> names;
  std::size_t filesFound = 0;
};

enum class DraftFailure { none, cannotList, nothingToAsk, nothingOfThatMedia };

// The draft of a folder, of the given media or the default one (media null). On failure, why, with
// the system's words in reason when the folder cannot be listed.
bool draftFolder(const std::string& folder, const DraftMedia* media, FolderDraft& draft, DraftFailure& failure,
                 Message& reason);

// "tour-eiffel.jpg" -> "TOUR EIFFEL": the name without its extension, dashes and underscores as
// spaces, upper-cased (accented letters too), cut to what an answer box takes. Empty for a name that
// names nothing ("IMG_20240612_101530.jpg") or has no letters or digits at all.
std::string answerFromFileName(const std::string& name);

// The description's text, every key present with a comment on what it does.
std::string draftDescription(const std::string& title, DraftMedia media, const std::vector<std::string>& names);

}  // namespace fenok::pack
