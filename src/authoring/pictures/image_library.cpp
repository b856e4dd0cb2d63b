// The image library's own code, compiled once, here. It is third-party code: the build compiles this
// file without our warnings. Only the formats a quiz may hold are decoded; everything stays in memory.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_JPEG
#define STBI_ONLY_PNG
#define STBI_ONLY_GIF
#define STBI_NO_STDIO
#if defined(__EMSCRIPTEN__) && defined(__SSE2__)
// The library looks for an x86 target before it uses its SSE2 code; in WebAssembly that code runs on
// emscripten's mapping of those instructions, and is told so here, as the library would on x86.
#include <emmintrin.h>
#define STBI_SSE2
#define STBI_SIMD_ALIGN(type, name) type name __attribute__((aligned(16)))
static int stbi__sse2_available(void) { return 1; }
#endif
#include <stb/stb_image.h>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb/stb_image_write.h>

#define STB_IMAGE_RESIZE_IMPLEMENTATION
#include <stb/stb_image_resize.h>
