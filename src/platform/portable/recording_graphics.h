#pragma once
// A Graphics port that hands out distinct, never-null handles and records every call in order
// (tests and tools). Handles are tokens, not pointers: never dereference them.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/ports/graphics.h"

namespace fenok {

enum class GraphicsCallKind { createFont, createSolidBrush, deleteObject, stockGuiFont, loadIcon };

struct GraphicsCall {
  GraphicsCallKind kind = GraphicsCallKind::createFont;
  Handle handle = nullptr;    // the handle returned, or the one deleted
  FontDescription font;              // createFont
  std::uint32_t colour = 0;   // createSolidBrush, 0x00BBGGRR
  int resourceId = 0;         // loadIcon
};

class RecordingGraphics : public Graphics {
 public:
  Handle createFont(const FontDescription& font) override;
  Handle createSolidBrush(std::uint32_t colour) override;
  void deleteObject(Handle object) override;  // recorded even for null, which deletes nothing
  Handle stockGuiFont() override;             // the same handle every time; deleting it is a misuse
  Handle loadIcon(int resourceId) override;   // the same handle for the same id (shared, as LoadIcon)

  const std::vector<GraphicsCall>& calls() const { return calls_; }
  void clear() { calls_.clear(); }

  // Objects created by createFont/createSolidBrush and not deleted yet, in creation order.
  std::vector<Handle> liveObjects() const;
  bool isLive(Handle handle) const;
  bool isFont(Handle handle) const;
  bool isBrush(Handle handle) const;
  // The font or colour an object was created with (default values for an unknown handle).
  FontDescription fontOf(Handle handle) const;
  std::uint32_t colourOf(Handle handle) const;

  // Deletions of handles that were never created here, were already deleted, or are shared
  // (stock font, icons). Null deletions are not counted.
  int badDeletions() const { return badDeletions_; }

 private:
  struct Object {
    GraphicsCall made;  // the call that made it, with its handle
    bool live = true;
  };
  Handle nextHandle();
  const Object* find(Handle handle) const;
  Handle recordNew(GraphicsCall call);     // a fresh object the caller owns
  Handle recordShared(GraphicsCall call);  // the same object for the same request (stock font, icons)

  std::vector<GraphicsCall> calls_;
  std::vector<Object> objects_;
  std::uintptr_t counter_ = 0;
  int badDeletions_ = 0;
};

}  // namespace fenok
