#include "platform/portable/recording_graphics.h"

namespace fenok {

Handle RecordingGraphics::nextHandle() {
  // Distinct, non-null, and far from any real object; spaced so that off-by-one mistakes stand out.
  ++counter_;
  return reinterpret_cast<Handle>(static_cast<std::uintptr_t>(0x7E000000u) + counter_ * 0x10u);
}

const RecordingGraphics::Object* RecordingGraphics::find(Handle handle) const {
  for (const Object& object : objects_) {
    if (object.handle == handle) return &object;
  }
  return nullptr;
}

Handle RecordingGraphics::createFont(const FontDescription& font) {
  Object object;
  object.handle = nextHandle();
  object.kind = GraphicsCallKind::createFont;
  object.font = font;
  objects_.push_back(object);
  GraphicsCall call;
  call.kind = GraphicsCallKind::createFont;
  call.handle = object.handle;
  call.font = font;
  calls_.push_back(call);
  return object.handle;
}

Handle RecordingGraphics::createSolidBrush(std::uint32_t colour) {
  Object object;
  object.handle = nextHandle();
  object.kind = GraphicsCallKind::createSolidBrush;
  object.colour = colour;
  objects_.push_back(object);
  GraphicsCall call;
  call.kind = GraphicsCallKind::createSolidBrush;
  call.handle = object.handle;
  call.colour = colour;
  calls_.push_back(call);
  return object.handle;
}

void RecordingGraphics::deleteObject(Handle handle) {
  GraphicsCall call;
  call.kind = GraphicsCallKind::deleteObject;
  call.handle = handle;
  calls_.push_back(call);
  if (handle == nullptr) return;
  for (Object& object : objects_) {
    if (object.handle != handle) continue;
    const bool owned = object.kind == GraphicsCallKind::createFont || object.kind == GraphicsCallKind::createSolidBrush;
    if (!owned || !object.live) {
      ++badDeletions_;
    } else {
      object.live = false;
    }
    return;
  }
  ++badDeletions_;
}

Handle RecordingGraphics::stockGuiFont() {
  Handle handle = nullptr;
  for (const Object& object : objects_) {
    if (object.kind == GraphicsCallKind::stockGuiFont) handle = object.handle;
  }
  if (handle == nullptr) {
    Object object;
    object.handle = nextHandle();
    object.kind = GraphicsCallKind::stockGuiFont;
    objects_.push_back(object);
    handle = object.handle;
  }
  GraphicsCall call;
  call.kind = GraphicsCallKind::stockGuiFont;
  call.handle = handle;
  calls_.push_back(call);
  return handle;
}

Handle RecordingGraphics::loadIcon(int resourceId) {
  Handle handle = nullptr;
  for (const Object& object : objects_) {
    if (object.kind == GraphicsCallKind::loadIcon && object.resourceId == resourceId) handle = object.handle;
  }
  if (handle == nullptr) {
    Object object;
    object.handle = nextHandle();
    object.kind = GraphicsCallKind::loadIcon;
    object.resourceId = resourceId;
    objects_.push_back(object);
    handle = object.handle;
  }
  GraphicsCall call;
  call.kind = GraphicsCallKind::loadIcon;
  call.handle = handle;
  call.resourceId = resourceId;
  calls_.push_back(call);
  return handle;
}

std::vector<Handle> RecordingGraphics::liveObjects() const {
  std::vector<Handle> result;
  for (const Object& object : objects_) {
    const bool owned = object.kind == GraphicsCallKind::createFont || object.kind == GraphicsCallKind::createSolidBrush;
    if (owned && object.live) result.push_back(object.handle);
  }
  return result;
}

bool RecordingGraphics::isLive(Handle handle) const {
  const Object* object = find(handle);
  return object != nullptr && object->live &&
         (object->kind == GraphicsCallKind::createFont || object->kind == GraphicsCallKind::createSolidBrush);
}

bool RecordingGraphics::isFont(Handle handle) const {
  const Object* object = find(handle);
  return object != nullptr &&
         (object->kind == GraphicsCallKind::createFont || object->kind == GraphicsCallKind::stockGuiFont);
}

bool RecordingGraphics::isBrush(Handle handle) const {
  const Object* object = find(handle);
  return object != nullptr && object->kind == GraphicsCallKind::createSolidBrush;
}

FontDescription RecordingGraphics::fontOf(Handle handle) const {
  const Object* object = find(handle);
  return object != nullptr ? object->font : FontDescription{};
}

std::uint32_t RecordingGraphics::colourOf(Handle handle) const {
  const Object* object = find(handle);
  return object != nullptr ? object->colour : 0;
}

}  // namespace fenok
