#pragma once
// An opaque platform object (font, brush, bitmap, icon). Portable code stores and passes it, never looks inside.

namespace fenok {
using Handle = void*;
}  // namespace fenok
