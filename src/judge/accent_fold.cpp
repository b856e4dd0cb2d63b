// The folding table of Windows-1252 letters. Bytes not in the table keep their value.
#include "judge/accent_fold.h"

#include <array>

#include "judge/verdict.h"

namespace fenok {
namespace {

struct Fold {
  unsigned char byte;
  const char* plain;
  bool capital;  // a capital whose small form lies outside a-z
};

const Fold kFolds[] = {
    {0x8A, "S", true},        {0x8C, "OE", true},      {0x8E, "Z", true},       {0x9A, "S", false},
    {0x9C, "OE", false},      {0x9E, "Z", false},      {0x9F, "Y", true},       {0xC0, "A", true},
    {0xC1, "A", true},        {0xC2, "A", true},       {0xC3, "A", true},       {0xC4, "A", true},
    {0xC5, "A", true},        {0xC6, "AE", true},      {0xC7, "C", true},       {0xC8, "E", true},
    {0xC9, "E", true},        {0xCA, "E", true},       {0xCB, "E", true},       {0xCC, "I", true},
    {0xCD, "I", true},        {0xCE, "I", true},       {0xCF, "I", true},       {0xD0, "\xD0", true},
    {0xD1, "N", true},        {0xD2, "O", true},       {0xD3, "O", true},       {0xD4, "O", true},
    {0xD5, "O", true},        {0xD6, "O", true},       {0xD8, "O", true},       {0xD9, "U", true},
    {0xDA, "U", true},        {0xDB, "U", true},       {0xDC, "U", true},       {0xDD, "Y", true},
    {0xDE, "\xDE", true},     {0xDF, "SS", false},     {0xE0, "A", false},      {0xE1, "A", false},
    {0xE2, "A", false},       {0xE3, "A", false},      {0xE4, "A", false},      {0xE5, "A", false},
    {0xE6, "AE", false},      {0xE7, "C", false},      {0xE8, "E", false},      {0xE9, "E", false},
    {0xEA, "E", false},       {0xEB, "E", false},      {0xEC, "I", false},      {0xED, "I", false},
    {0xEE, "I", false},       {0xEF, "I", false},      {0xF0, "\xD0", false},   {0xF1, "N", false},
    {0xF2, "O", false},       {0xF3, "O", false},      {0xF4, "O", false},      {0xF5, "O", false},
    {0xF6, "O", false},       {0xF8, "O", false},      {0xF9, "U", false},      {0xFA, "U", false},
    {0xFB, "U", false},       {0xFC, "U", false},      {0xFD, "Y", false},      {0xFE, "\xDE", false},
    {0xFF, "Y", false},
};

// The table by byte value, built once.
const std::array<const Fold*, 256>& foldsByByte() {
  static const std::array<const Fold*, 256> table = [] {
    std::array<const Fold*, 256> byByte{};
    for (const Fold& fold : kFolds) byByte[fold.byte] = &fold;
    return byByte;
  }();
  return table;
}

}  // namespace

std::string foldAccents(const std::string& text) {
  const auto& folds = foldsByByte();
  std::string result;
  result.reserve(text.size());
  for (const char c : upperAscii(text)) {
    const Fold* fold = folds[static_cast<unsigned char>(c)];
    if (fold == nullptr) result += c;
    else result += fold->plain;
  }
  if (result.size() > static_cast<std::size_t>(kMaxTextBytes)) result.resize(kMaxTextBytes);
  return result;
}

bool hasCapitalBeyondAscii(const std::string& text) {
  const auto& folds = foldsByByte();
  for (const char c : text) {
    const Fold* fold = folds[static_cast<unsigned char>(c)];
    if (fold != nullptr && fold->capital) return true;
  }
  return false;
}

}  // namespace fenok
