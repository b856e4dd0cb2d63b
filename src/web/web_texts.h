#pragma once
// The page's own words, beside the program's (which come from the quiz and the program's logic).
// UTF-8, French.
namespace fenok::web::texts {

// Accessible names of the answer boxes and the media buttons; %d is the question's number.
constexpr const char* kBoxName = "Question %d";
constexpr const char* kSecondBoxName = "Question %d, 2e réponse";
constexpr const char* kPlayName = "Écouter ou regarder la question %d";
constexpr const char* kStopName = "Arrêter la question %d";

// A page whose quiz cannot be read whole; %d: the parts read, then the parts there should be.
constexpr const char* kPageCutShort =
    "Cette page est abîmée ou incomplète : %d des %d parties du quiz ont pu être lues, les autres manquent.";
constexpr const char* kPageWithoutQuiz = "Cette page ne contient pas de quiz lisible : elle est abîmée.";
constexpr const char* kPageTooNew =
    "Ce quiz a été fait par une version plus récente de fenok : cette page ne sait pas le lire.";

}  // namespace fenok::web::texts
