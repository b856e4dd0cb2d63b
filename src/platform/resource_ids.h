#pragma once
// The player's own resources, numbered once: included by fenok.rc and by the C++ that loads them.
// Plain macros because the resource compiler reads this file too.

#define FENOK_QUIZ_PANEL_TEMPLATE 1001   // DIALOG: the quiz panel, scrolled
#define FENOK_HEADER_PANEL_TEMPLATE 1002 // DIALOG: the header strip
#define FENOK_LINK_CURSOR 1003           // CURSOR: the pointing hand over the link
#define FENOK_PLAY_ICON 1004             // ICON: a media question's play button
#define FENOK_STOP_ICON 1005             // ICON: a media question's stop button
