#include "platform/portable/recording_graphics.h"

namespace fenok {

namespace {

// Fonts and brushes the caller creates are its own to delete; the stock font and icons are shared.
bool isOwned(GraphicsCallKind kind) {
  return kind == GraphicsCallKind::createFont || kind == GraphicsCallKind::createSolidBrush;
}

}  // namespace

Handle RecordingGraphics::nextHandle() {
  // Distinct, non-null, and far from any real object; spaced so that off-by-one mistakes stand out.
  ++counter_;
  return reinterpret_cast<Handle>(static_cast<std::uintptr_t>(0x7E000000u) + counter_ * 0x10u);
}

const RecordingGraphics::Object* RecordingGraphics::find(Handle handle) const {
  for (const Object& object : objects_) {
    if (object.made.handle == handle) return &object;
  }
  return nullptr;
}

Handle RecordingGraphics::recordNew(GraphicsCall call) {
  call.handle = nextHandle();
  objects_.push_back(Object{call, true});
  calls_.push_back(call);
  return call.handle;
}

Handle RecordingGraphics::recordShared(GraphicsCall call) {
  for (const Object& object : objects_) {
    if (object.made.kind == call.kind && object.made.resourceId == call.resourceId) {
      call.handle = object.made.handle;
      calls_.push_back(call);
      return call.handle;
    }
  }
  return recordNew(call);
}

Handle RecordingGraphics::createFont(const FontDescription& font) {
  GraphicsCall call;
  call.kind = GraphicsCallKind::createFont;
  call.font = font;
  return recordNew(call);
}

Handle RecordingGraphics::createSolidBrush(std::uint32_t colour) {
  GraphicsCall call;
  call.kind = GraphicsCallKind::createSolidBrush;
  call.colour = colour;
  return recordNew(call);
}

void RecordingGraphics::deleteObject(Handle handle) {
  GraphicsCall call;
  call.kind = GraphicsCallKind::deleteObject;
  call.handle = handle;
  calls_.push_back(call);
  if (handle == nullptr) return;
  for (Object& object : objects_) {
    if (object.made.handle != handle) continue;
    if (!isOwned(object.made.kind) || !object.live) {
      ++badDeletions_;
    } else {
      object.live = false;
    }
    return;
  }
  ++badDeletions_;
}

Handle RecordingGraphics::stockGuiFont() {
  GraphicsCall call;
  call.kind = GraphicsCallKind::stockGuiFont;
  return recordShared(call);
}

Handle RecordingGraphics::loadIcon(int resourceId) {
  GraphicsCall call;
  call.kind = GraphicsCallKind::loadIcon;
  call.resourceId = resourceId;
  return recordShared(call);
}

std::vector<Handle> RecordingGraphics::liveObjects() const {
  std::vector<Handle> result;
  for (const Object& object : objects_) {
    if (isOwned(object.made.kind) && object.live) result.push_back(object.made.handle);
  }
  return result;
}

bool RecordingGraphics::isLive(Handle handle) const {
  const Object* object = find(handle);
  return object != nullptr && object->live && isOwned(object->made.kind);
}

bool RecordingGraphics::isFont(Handle handle) const {
  const Object* object = find(handle);
  return object != nullptr &&
         (object->made.kind == GraphicsCallKind::createFont || object->made.kind == GraphicsCallKind::stockGuiFont);
}

bool RecordingGraphics::isBrush(Handle handle) const {
  const Object* object = find(handle);
  return object != nullptr && object->made.kind == GraphicsCallKind::createSolidBrush;
}

FontDescription RecordingGraphics::fontOf(Handle handle) const {
  const Object* object = find(handle);
  return object != nullptr ? object->made.font : FontDescription{};
}

std::uint32_t RecordingGraphics::colourOf(Handle handle) const {
  const Object* object = find(handle);
  return object != nullptr ? object->made.colour : 0;
}

}  // namespace fenok
