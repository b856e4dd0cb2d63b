#pragma once
// The studio's resources, menu commands and controls, numbered once: included by studio.rc and by
// the C++ that drives them. Plain macros because the resource compiler reads this file too.

#define STUDIO_WINDOW_TEMPLATE 100  // DIALOG: the whole editing window
#define STUDIO_MENU 101             // MENU: Fichier, Édition, Quiz, Aide
#define STUDIO_ACCELERATORS 102     // ACCELERATORS: Ctrl+N, Ctrl+O, Ctrl+S, Ctrl+Z, Ctrl+Y, F5, F1
#define STUDIO_ICON 103             // ICON: the window's and the program's

// The thumbnails of the questions list, in pixels before DPI scaling.
#define STUDIO_THUMBNAIL_WIDTH 48
#define STUDIO_THUMBNAIL_HEIGHT 36

// Menu commands (also sent by accelerators and by the buttons of the same meaning).
#define STUDIO_CMD_NEW_FROM_FOLDER 40001
#define STUDIO_CMD_OPEN 40002
#define STUDIO_CMD_SAVE 40003
#define STUDIO_CMD_SAVE_AS 40004
#define STUDIO_CMD_EXIT 40005
#define STUDIO_CMD_TRY_QUIZ 40010
#define STUDIO_CMD_CREATE_QUIZ 40011
#define STUDIO_CMD_UNDO 40020
#define STUDIO_CMD_REDO 40021
#define STUDIO_CMD_GUIDE 40030
// Recent files: the menu items FIRST .. FIRST + COUNT - 1, built at run time under "Fichier".
#define STUDIO_CMD_RECENT_FIRST 40100
#define STUDIO_RECENT_COUNT 8

// Quiz settings (left column).
#define STUDIO_QUIZ_GROUP 1000           // group box: "Quiz"
#define STUDIO_TITLE 1001
#define STUDIO_AUTHOR 1002
#define STUDIO_EXPLANATION 1003
#define STUDIO_MEDIA 1004                // combo: Texte, Images, Sons, Vidéos (the stored kinds' order)
#define STUDIO_ANSWERS_PER_QUESTION 1005 // combo: 1, 2; the two boxes' captions beside it
#define STUDIO_FIRST_CAPTION 1007
#define STUDIO_SECOND_CAPTION 1008
#define STUDIO_COMMENTS 1009             // combo: the five comment kinds
#define STUDIO_ACCENTS 1010              // combo: strict, tolerant
#define STUDIO_BACKGROUND 1011           // button: the system colour picker
#define STUDIO_BACKGROUND_SAMPLE 1012    // label: a number label as the player paints it
#define STUDIO_REWARDS 1013              // list box: one row per score
#define STUDIO_REWARD_CODE 1014          // edit: the code of the selected score
#define STUDIO_REWARD_CODE_LABEL 1015

// Questions (middle column).
#define STUDIO_QUESTIONS 1020            // list view: thumbnail or text, answers
#define STUDIO_ADD_QUESTIONS 1021
#define STUDIO_REMOVE_QUESTION 1022
#define STUDIO_MOVE_UP 1023
#define STUDIO_MOVE_DOWN 1024

// The selected question (right column): as the player shows it on top, then its fields, each with its
// label, shown and hidden with it. A second answer box's fields share the row of the first's.
#define STUDIO_QUESTION_GROUP 1030       // group box: "Question 3"
#define STUDIO_PREVIEW 1055              // the picture, fitted into its box as the player fits it
#define STUDIO_SOLUTION_PREVIEW 1056     // the solution picture, smaller
#define STUDIO_PREVIEW_TEXT 1057         // instead of a picture: the question's text, a clip's name
#define STUDIO_PLAY_CLIP 1058            // button: the clip in the system's player
#define STUDIO_FILE_LABEL 1031           // "Image :", "Son :" or "Vidéo :"
#define STUDIO_FILE 1032
#define STUDIO_FILE_BROWSE 1033
#define STUDIO_TEXT_LABEL 1034
#define STUDIO_TEXT 1035
#define STUDIO_ANSWER_LABEL 1036
#define STUDIO_ANSWER 1037
#define STUDIO_ALSO_LABEL 1038
#define STUDIO_ALSO 1039
#define STUDIO_TRIAL_LABEL 1040
#define STUDIO_TRIAL 1041
#define STUDIO_TRIAL_VERDICT 1042
#define STUDIO_SECOND_ANSWER 1044
#define STUDIO_SECOND_ALSO 1046
#define STUDIO_SECOND_TRIAL 1048
#define STUDIO_SECOND_TRIAL_VERDICT 1049
#define STUDIO_COMMENT_LABEL 1050
#define STUDIO_COMMENT 1051
#define STUDIO_SOLUTION_LABEL 1052
#define STUDIO_SOLUTION 1053
#define STUDIO_SOLUTION_BROWSE 1054

// Problems and actions (bottom).
#define STUDIO_PROBLEMS_LABEL 1060       // "Problèmes : ..." with the counts
#define STUDIO_PROBLEMS 1061             // list box: one problem per row
// The buttons "Essayer le quiz" and "Créer le quiz…" carry STUDIO_CMD_TRY_QUIZ and STUDIO_CMD_CREATE_QUIZ.
