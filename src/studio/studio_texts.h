#pragma once
// The studio's own words, in French (UTF-8: the window is ours and shows UTF-8 through its port).
// Problems are those of `fenok-pack check`, asked of the packer's table of messages in French.

#include <initializer_list>
#include <string>

#include "authoring/messages.h"

namespace fenok::studio::texts {

// The language the studio asks the packer's messages in.
constexpr pack::Language kLanguage = pack::Language::french;

// "%s" and "%d" of a message replaced by the values, in order.
inline std::string say(const char* pattern, std::initializer_list<std::string> values) {
  std::string out;
  auto value = values.begin();
  for (const char* c = pattern; *c; ++c) {
    if (c[0] == '%' && (c[1] == 's' || c[1] == 'd') && value != values.end()) {
      out += *value++;
      ++c;
    } else {
      out += *c;
    }
  }
  return out;
}

constexpr const char* kProgramName = "fenok studio";
constexpr const char* kUntitled = "Sans titre";
constexpr const char* kDescriptionName = "quiz.toml";

// Choices of the quiz settings, in the order of the stored kinds.
constexpr const char* kMediaChoices[] = {"Texte", "Images", "Sons", "Vidéos"};
constexpr const char* kAnswerCountChoices[] = {"1", "2"};
constexpr const char* kCommentChoices[] = {
    "Aucun",
    "Image solution à la place de l'image",
    "Commentaire sous la question",
    "Commentaire et image solution",
    "Commentaires, montrés à la fin",
};
constexpr const char* kAccentChoices[] = {"Stricts : é et E diffèrent (règle du lecteur)",
                                          "Tolérés : été = ETE, majuscules libres"};

// The file field's label, by media kind (text quizzes have none). Each kind's letter is free in the
// window while that kind's fields are shown ("Image solution" only shows in a picture quiz).
constexpr const char* kFileLabels[] = {"", "&Image :", "&Son :", "V&idéo :"};
constexpr const char* kAnswerLabel = "&Réponse :";
constexpr const char* kAnswersLabel = "&Réponses :";  // two boxes, side by side
// Hints in empty boxes: the captions' own, and the answers' when the quiz gives them no caption.
constexpr const char* kCaptionCues[] = {"Intitulé 1", "Intitulé 2"};
constexpr const char* kAnswerCues[] = {"Réponse 1", "Réponse 2"};
constexpr const char* kAlsoCue = "autres réponses justes, séparées par ;";

// What the question shows in the picture's place.
constexpr const char* kNoPicture = "Pas encore d'image : choisissez-en une avec « Parcourir… ».";
constexpr const char* kUnreadablePicture = "Image introuvable ou illisible :\n%s";
constexpr const char* kNoClip = "Pas encore de son ni de vidéo : choisissez-en un avec « Parcourir… ».";
constexpr const char* kMissingClip = "Fichier introuvable :\n%s";
constexpr const char* kPlayAudio = "\u25B6 Écouter";
constexpr const char* kPlayVideo = "\u25B6 Regarder";
constexpr const char* kQuestionGroup = "Question ";  // + its number
constexpr const char* kNoQuestion = "Aucune question choisie";
constexpr const char* kRewardRow = " résolue(s) : ";  // "3 résolue(s) : CODE"
constexpr const char* kSampleNumber = "12";

constexpr const char* kNoProblems = "Probl&èmes : aucun, le quiz peut être créé";
constexpr const char* kProblemsPrefix = "Probl&èmes : ";
constexpr const char* kError = "Erreur : ";
constexpr const char* kWarning = "Attention : ";

// Dialogs.
constexpr const char* kChooseFolder = "Choisir le dossier des images ou des sons du quiz";
constexpr const char* kOpenTitle = "Ouvrir un quiz";
constexpr const char* kSaveTitle = "Enregistrer le quiz";
constexpr const char* kCreateTitle = "Créer le quiz : un programme ou une page web";
constexpr const char* kAddTitle = "Ajouter des questions (images ou sons)";
constexpr const char* kPictureTitle = "Choisir l'image";
constexpr const char* kClipTitle = "Choisir le son ou la vidéo";
constexpr const char* kSolutionTitle = "Choisir l'image solution";
constexpr const char* kDescriptionFilter = "Quiz fenok (*.toml)";
constexpr const char* kOpenableFilter = "Quiz fenok : description, programme ou page web";
constexpr const char* kPictureFilter = "Images (JPEG, GIF, PNG, WebP, HEIC, AVIF)";
constexpr const char* kClipFilter = "Sons et vidéos";
constexpr const char* kMediaFilter = "Images, sons et vidéos";
constexpr const char* kAllFilesFilter = "Tous les fichiers";
constexpr const char* kProgram32Filter = "Programme 32 bits, pour tout Windows (*.exe)";
constexpr const char* kProgram64Filter = "Programme 64 bits (*.exe)";
constexpr const char* kPageFilter = "Page web, pour tout appareil (*.html)";

// Messages.
constexpr const char* kSaveChanges = "Enregistrer les modifications de « %s » ?";
constexpr const char* kCannotOpen = "Impossible d'ouvrir « %s » : %s";
constexpr const char* kOpenedWithProblems = "« %s » est ouvert, mais sa lecture a signalé :\n%s";
constexpr const char* kCannotSave = "Impossible d'enregistrer : %s";
constexpr const char* kUnpacked =
    "« %s » est ouvert pour être modifié : sa description et ses fichiers sont dans le dossier « %s ».";
constexpr const char* kUnpackedInBrowser =
    "« %s » est ouvert pour être modifié : sa description et ses images sont gardées dans ce navigateur.";
constexpr const char* kFolderHasQuiz = "Ce dossier a déjà un quiz.toml : il est ouvert tel quel.";
constexpr const char* kCannotListFolder = "Impossible de lire le dossier « %s » : %s";
constexpr const char* kFolderEmpty =
    "Le dossier « %s » ne contient ni images (JPEG, GIF, PNG, WebP, HEIC, AVIF) ni sons ou vidéos.";
constexpr const char* kLeftOutFiles = "Ces fichiers du dossier ne sont pas dans le quiz :%s";
constexpr const char* kFolderTruncated = "Le dossier contient %d fichiers ; un quiz a au plus %d questions : les %d premiers sont pris.";
constexpr const char* kRefusedFiles =
    "Ces fichiers ne vont pas dans ce quiz (des images pour un quiz d'images, des sons ou des vidéos pour un "
    "quiz de sons ou de vidéos, aucun fichier pour un quiz de texte) :\n%s";
constexpr const char* kStillErrors = "Le quiz a encore %d erreur(s) : corrigez-les d'abord (voir la liste des problèmes en bas).";
constexpr const char* kNoPlayer = "Le lecteur fenok est introuvable : %s";
constexpr const char* kCannotCreate = "Impossible de créer le quiz : %s";
constexpr const char* kCreated = "Le quiz est créé : %s (%d questions).";
constexpr const char* kCannotTry = "Impossible de lancer l'essai : %s";
constexpr const char* kCannotOpenFile = "Impossible d'ouvrir « %s » : %s";

// The author's guide, made into HTML beside the studio when its archive is made.
constexpr const char* kGuideName = "guide-auteur.html";
constexpr const char* kNoGuide = "Le guide de l'auteur est introuvable : il devrait être à côté du studio, ici :\n%s";

}  // namespace fenok::studio::texts
