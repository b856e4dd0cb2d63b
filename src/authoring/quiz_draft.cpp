#include "quiz_draft.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "file_bytes.h"
#include "generic_names.h"
#include "quiz_checks.h"
#include "authoring/pictures/picture_source.h"
#include "quiz_media.h"
#include "quiz_toml_writer.h"
#include "text_encoding.h"

namespace fenok::pack {
namespace {


struct ClipExtension {
  const char* extension;
  DraftMedia media;
};

// Clips are told by their names: the player itself only guesses a clip's kind from its first bytes.
const ClipExtension kClipExtensions[] = {
    {".wav", DraftMedia::audio}, {".mp3", DraftMedia::audio}, {".wma", DraftMedia::audio},
    {".mid", DraftMedia::audio}, {".midi", DraftMedia::audio}, {".avi", DraftMedia::video},
    {".mpg", DraftMedia::video}, {".mpeg", DraftMedia::video}, {".wmv", DraftMedia::video},
    {".asf", DraftMedia::video}, {".mp4", DraftMedia::video},
};

const char* const kMediaKeys[] = {"pictures", "audio", "video"};

std::vector<std::uint8_t> leadingBytes(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::vector<std::uint8_t> bytes(kFormatSignatureBytes);
  file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(file ? bytes.size() : static_cast<std::size_t>(std::max<std::streamsize>(file.gcount(), 0)));
  return bytes;
}

// Whether this computer reads the picture: its whole file is read, but only its header decoded.
bool pictureReadable(const std::string& path, const std::string& name, PictureFormat format, Message& leftOutBecause) {
  std::vector<std::uint8_t> bytes;
  Message reason;
  if (!readFileBytes(path, bytes, reason)) {
    leftOutBecause = readFailure(name, reason);
    return false;
  }
  if (checkPicture(bytes, format, leftOutBecause) == PictureCheck::readable) return true;
  leftOutBecause.args.insert(leftOutBecause.args.begin(), valueMessage(name));
  return false;
}

const Msg kNotOfTheMedia[] = {Msg::notForPictureQuiz, Msg::notForAudioQuiz, Msg::notForVideoQuiz};

bool byName(const LeftOutFile& a, const LeftOutFile& b) { return a.name < b.name; }

// Windows-1252 upper case: ASCII, the accented letters of Latin-1, and š œ ž ÿ.
char upperCp1252(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte >= 'a' && byte <= 'z') return static_cast<char>(byte - 0x20);
  if (byte >= 0xE0 && byte <= 0xFE && byte != 0xF7) return static_cast<char>(byte - 0x20);
  switch (byte) {
    case 0x9A: return static_cast<char>(0x8A);
    case 0x9C: return static_cast<char>(0x8C);
    case 0x9E: return static_cast<char>(0x8E);
    case 0xFF: return static_cast<char>(0x9F);
    default: return c;
  }
}

// Words of the name separated by single spaces; the stored separator and control characters dropped.
std::string words(const std::string& stem) {
  std::string out;
  for (const char c : stem) {
    const auto byte = static_cast<unsigned char>(c);
    const bool gap = c == '-' || c == '_' || c == '.' || c == ' ' || c == '|' || byte < 0x20;
    if (!gap) out += c;
    else if (!out.empty() && out.back() != ' ') out += ' ';
  }
  if (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

std::string comment(const std::string& line, const std::string& what) {
  const std::size_t column = 28;
  return line + std::string(line.size() < column ? column - line.size() : 1, ' ') + "# " + what + "\n";
}

}  // namespace

bool draftMediaOf(const std::string& file, DraftMedia& media, Message& leftOutBecause) {
  const std::filesystem::path path = filePath(file);
  const std::string name = path.filename().u8string();
  const PictureFormat format = pictureFormat(leadingBytes(path));
  if (format != PictureFormat::none) {
    media = DraftMedia::pictures;
    return pictureReadable(file, name, format, leftOutBecause);
  }
  const std::string extension = lowerAscii(path.extension().u8string());
  for (const ClipExtension& clip : kClipExtensions) {
    if (extension != clip.extension) continue;
    media = clip.media;
    return true;
  }
  leftOutBecause = message(Msg::notMediaFile, name);
  return false;
}

bool draftFiles(const std::string& folder, std::vector<DraftFile>& files, std::vector<LeftOutFile>& leftOut,
                Message& reason) {
  std::error_code failure;
  std::filesystem::directory_iterator entries(filePath(folder), failure);
  if (failure) {
    reason = systemReason(failure);
    return false;
  }
  for (const auto& entry : entries) {
    std::error_code ignored;
    if (!entry.is_regular_file(ignored)) continue;  // folders are not files of the quiz
    DraftMedia media;
    Message because;
    const std::string name = entry.path().filename().u8string();
    if (draftMediaOf(entry.path().u8string(), media, because)) files.push_back({name, media});
    else leftOut.push_back({name, because});
  }
  std::sort(files.begin(), files.end(), [](const DraftFile& a, const DraftFile& b) { return a.name < b.name; });
  std::sort(leftOut.begin(), leftOut.end(), byName);
  return true;
}

bool defaultDraftMedia(const std::vector<DraftFile>& files, DraftMedia& media) {
  const auto count = [&](DraftMedia kind) {
    return std::count_if(files.begin(), files.end(), [&](const DraftFile& file) { return file.media == kind; });
  };
  if (files.empty()) return false;
  if (count(DraftMedia::pictures) > 0) media = DraftMedia::pictures;
  else media = count(DraftMedia::audio) >= count(DraftMedia::video) ? DraftMedia::audio : DraftMedia::video;
  return true;
}

std::string answerFromFileName(const std::string& name) {
  const std::string stem = filePath(name).stem().u8string();
  if (isGenericName(stem)) return {};
  const std::optional<std::string> converted = utf8ToCp1252(words(stem));
  // A name Windows-1252 cannot hold stays as it is: the check then names the character.
  if (!converted) return words(stem);
  std::string answer = *converted;
  std::transform(answer.begin(), answer.end(), answer.begin(), upperCp1252);
  if (answer.size() > kAnswerBoxLength) answer.resize(kAnswerBoxLength);
  while (!answer.empty() && answer.back() == ' ') answer.pop_back();
  return cp1252ToUtf8(answer);
}

bool draftFolder(const std::string& folder, const DraftMedia* media, FolderDraft& draft, DraftFailure& failure,
                 Message& reason) {
  std::vector<DraftFile> files;
  draft.leftOut.clear();
  failure = DraftFailure::none;
  if (!draftFiles(folder, files, draft.leftOut, reason)) failure = DraftFailure::cannotList;
  draft.media = media ? *media : DraftMedia::pictures;
  if (failure == DraftFailure::none && !media && !defaultDraftMedia(files, draft.media))
    failure = DraftFailure::nothingToAsk;
  if (failure != DraftFailure::none) return false;
  draft.names.clear();
  for (const DraftFile& file : files) {
    if (file.media == draft.media) draft.names.push_back(file.name);
    else draft.leftOut.push_back({file.name, message(kNotOfTheMedia[static_cast<int>(draft.media)], file.name)});
  }
  draft.filesFound = draft.names.size();
  if (draft.names.empty()) {
    failure = DraftFailure::nothingOfThatMedia;
    return false;
  }
  for (std::size_t i = kMaxQuestions; i < draft.names.size(); ++i)
    draft.leftOut.push_back({draft.names[i], message(Msg::beyondLastQuestion, draft.names[i], kMaxQuestions)});
  if (draft.names.size() > static_cast<std::size_t>(kMaxQuestions)) draft.names.resize(kMaxQuestions);
  std::sort(draft.leftOut.begin(), draft.leftOut.end(), byName);
  std::error_code ignored;
  std::filesystem::path path = std::filesystem::weakly_canonical(filePath(folder), ignored);
  if (path.filename().empty()) path = path.parent_path();
  draft.title = path.filename().u8string();
  return true;
}

std::string draftDescription(const std::string& title, DraftMedia media, const std::vector<std::string>& names) {
  const std::string mediaKey = kMediaKeys[static_cast<int>(media)];
  const std::string fileKey = media == DraftMedia::pictures ? "picture" : "clip";
  std::string out =
      "# Quiz préparé par « fenok-pack new » à partir des fichiers de ce dossier : une question par fichier,\n"
      "# la réponse attendue tirée du nom du fichier. Un nom qui ne dit rien (photo d'appareil ou de\n"
      "# téléphone, capture d'écran) laisse la réponse vide : tapez-la. Relisez-le, puis :\n"
      "#   fenok-pack check quiz.toml\n"
      "#   fenok-pack build quiz.toml -o quiz.exe\n"
      "# Chaque clé est expliquée dans le guide de l'auteur (docs/guide-auteur.md).\n\n";
  out += comment("title = " + tomlQuoted(title), "le titre, en haut de la fenêtre (obligatoire)");
  out += comment("author = \"\"", "votre nom, affiché après « Par : »");
  out += comment("explanation = \"\"", "une phrase sous le titre : ce qu'il faut trouver");
  out += comment("media = \"" + mediaKey + "\"", "\"pictures\", \"audio\", \"video\" ou \"text\"");
  out += comment("answers_per_question = 1", "1 ou 2 cases de réponse par question");
  out += comment("answer_labels = [\"\", \"\"]", "avec 2 cases : la légende de chacune");
  out += comment("comments = \"none\"", "ce que montre une question résolue (voir le guide)");
  out += comment("accents = \"tolerant\"",
                 "\"tolerant\" : ni accents ni majuscules ne comptent (été = ETE) ; \"strict\" : ils comptent");
  out += comment("background = \"#5A5F96\"", "la couleur du fond, \"#RRGGBB\"");
  out += comment("rewards = []", "un code par niveau de score, le premier pour 1 question résolue");
  out += "\n# Chaque question : answer (la réponse attendue) et son fichier ; au besoin second_answer,\n"
         "# comment (le commentaire montré une fois résolue) et solution (l'image qui remplace l'image\n"
         "# de la question résolue) ; also = [\"...\"] accepte d'autres réponses.\n";
  for (const std::string& name : names) {
    out += "\n[[question]]\n";
    out += "answer = " + tomlQuoted(answerFromFileName(name)) + "\n";
    out += fileKey + " = " + tomlQuoted(name) + "\n";
  }
  return out;
}

}  // namespace fenok::pack
