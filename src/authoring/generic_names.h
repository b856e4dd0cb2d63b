#pragma once
// File names that name nothing: what cameras, phones, screenshot tools and messaging apps call their
// files ("IMG_20240612_101530", "DSC01234", "WhatsApp Image 2024-06-12 at 10.15.30", "Capture d’écran
// 2024-01-01 à 10.10.10"), counters ("image (3)", "Photo 12") and numbers. A quiz drafted from a
// folder leaves such a question's answer empty rather than asking players to type a file name.
#include <string>

namespace fenok::pack {

// The rule, on a name without its extension, cut into letters and digits (anything else separates):
// - a name that starts as a screenshot tool names it ("Screenshot_…", "Screen Shot …", "Capture
//   d'écran …") names nothing, whatever app name follows;
// - otherwise it names something when it holds a word: two letters or more in a row that are not one
//   of the words cameras and apps put around their numbers (IMG, DSC, PXL, Photo, Image, WhatsApp, at,
//   de, copy...), and not inside a long run of letters and digits mixed (a hash or a camera's serial
//   such as "IMG20240612WA0003"). "Paris 2024", "Mai 1968", "2CV" and "Photo de Paris" keep their words;
// - or when it is a short code of a few letters and digits, such as "R2D2", "B52", "A380" or "K2";
// - a name of digits and separators only ("20240612_101530", "1984") names nothing: most are dates,
//   times and counters, and an author can still type a number as an answer.
bool isGenericName(const std::string& stem);

}  // namespace fenok::pack
