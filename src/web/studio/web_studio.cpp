#include "web/studio/web_studio.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "authoring/file_bytes.h"
#include "authoring/quiz_source_writer.h"
#include "web/json_writer.h"

namespace fenok::web {
namespace {

const char* toneName(studio::Tone tone) {
  switch (tone) {
    case studio::Tone::information: return "information";
    case studio::Tone::warning: return "warning";
    case studio::Tone::error: return "error";
  }
  return "information";
}

// 0x00BBGGRR as the page writes colours.
std::string cssColour(std::uint32_t colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
  return text;
}

const char* dialogKindName(WebStudioHost::DialogKind kind) {
  switch (kind) {
    case WebStudioHost::DialogKind::open: return "open";
    case WebStudioHost::DialogKind::save: return "save";
    case WebStudioHost::DialogKind::colour: return "colour";
  }
  return "open";
}

void writeAsked(JsonWriter& json, const WebStudioHost::Asked& asked) {
  json.beginObject();
  json.field("kind", dialogKindName(asked.kind));
  json.field("title", asked.dialog.title);
  json.field("multiple", asked.dialog.multiple);
  json.field("suggestedName", asked.dialog.suggestedName);
  json.field("colour", cssColour(asked.colour));
  json.key("filters");
  json.beginArray();
  for (const studio::FileFilter& filter : asked.dialog.filters) {
    json.beginObject();
    json.field("label", filter.label);
    json.field("patterns", filter.patterns);
    json.endObject();
  }
  json.endArray();
  json.endObject();
}

}  // namespace

// Pictures are made once and shared; a picture keeps its key while it lives, and a new picture never
// takes an old key, even where memory hands it the old one's address.
long long WebStudio::pictureKey(const std::shared_ptr<const FormPicture>& picture) {
  if (!picture) return 0;
  auto known = pictureKeys_.find(picture.get());
  if (known != pictureKeys_.end() && !known->second.first.expired()) return known->second.second;
  pictureKeys_[picture.get()] = {picture, ++lastPictureKey_};
  return lastPictureKey_;
}

void WebStudio::writeControl(JsonWriter& json, int id, const MemoryFormControl& control,
                             const FormColours& colours) {
  json.beginObject();
  json.field("id", id);
  json.field("text", control.text);
  json.field("visible", control.visible);
  json.field("enabled", control.enabled);
  json.field("cue", control.cue);
  json.field("selection", control.selection);
  json.key("rows");
  json.beginArray();
  for (const ListRow& row : control.rows) {
    json.beginArray();
    for (const std::string& cell : row.cells) json.string(cell);
    json.endArray();
  }
  json.endArray();
  json.key("pictures");
  json.beginArray();
  for (std::size_t i = 0; i < control.rows.size(); ++i)
    if (control.rows[i].thumbnail) {
      json.beginArray();
      json.number(static_cast<long long>(i));
      json.number(pictureKey(control.rows[i].thumbnail));
      json.endArray();
    }
  json.endArray();
  json.key("picture");
  json.number(pictureKey(control.picture));
  if (colours.custom) {
    json.field("background", cssColour(colours.background));
    json.field("color", cssColour(colours.text));
  }
  json.endObject();
}

WebStudio::WebStudio() : screen_(controls_, host_) {}

void WebStudio::typed(int id, const std::string& text) {
  controls_.setText(id, text);
  screen_.edited(id);
}

void WebStudio::picked(int id, int row) {
  controls_.select(id, row);
  screen_.selectionChanged(id);
}

std::string WebStudio::snapshot() {
  JsonWriter json;
  json.beginObject();
  json.field("title", host_.title());
  json.field("canUndo", host_.canUndo());
  json.field("canRedo", host_.canRedo());
  json.field("focus", controls_.focusedId());
  json.key("recent");
  json.beginArray();
  for (const std::string& path : host_.recentFiles()) json.string(path);
  json.endArray();
  json.key("told");
  json.beginArray();
  for (const WebStudioHost::Told& told : host_.takeTold()) {
    json.beginObject();
    json.field("message", told.message);
    json.field("tone", toneName(told.tone));
    json.endObject();
  }
  json.endArray();
  json.key("opened");
  json.beginArray();
  for (const std::string& path : host_.takeOpened()) json.string(path);
  json.endArray();
  json.key("asked");
  json.beginArray();
  for (const WebStudioHost::Asked& asked : host_.takeAsked()) writeAsked(json, asked);
  json.endArray();
  json.key("controls");
  json.beginArray();
  for (const int id : controls_.ids()) writeControl(json, id, controls_.control(id), screen_.colours(id));
  json.endArray();
  json.endObject();
  return json.text();
}

std::string WebStudio::keptDescription() const {
  const studio::QuizDocument& document = screen_.document();
  JsonWriter json;
  json.beginObject();
  json.field("folder", document.folder());
  json.field("description", pack::writeQuizSource(document.quiz()));
  // The folder's files, for the page to keep those the studio wrote there itself (a quiz made before,
  // taken apart).
  json.key("files");
  json.beginArray();
  std::error_code ignored;
  for (const auto& entry : std::filesystem::directory_iterator(pack::filePath(document.folder()), ignored))
    if (entry.is_regular_file(ignored) && entry.path() != pack::filePath(document.path()))
      json.string(entry.path().u8string());
  json.endArray();
  json.endObject();
  return json.text();
}

const FormPicture* WebStudio::picture(int id, int row) const {
  const MemoryFormControl& control = controls_.control(id);
  if (row < 0) return control.picture.get();
  if (static_cast<std::size_t>(row) >= control.rows.size()) return nullptr;
  return control.rows[static_cast<std::size_t>(row)].thumbnail.get();
}

}  // namespace fenok::web
