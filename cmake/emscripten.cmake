# The web preset's toolchain: emscripten's own CMake platform file, found beside the emcc on the path
# (Debian installs it under /usr/share/emscripten; an emsdk checkout keeps it in its emscripten folder).
find_program(FENOK_EMCC emcc REQUIRED)
get_filename_component(fenok_emcc_real "${FENOK_EMCC}" REALPATH)
get_filename_component(fenok_emscripten_root "${fenok_emcc_real}" DIRECTORY)
set(fenok_emscripten_platform "${fenok_emscripten_root}/cmake/Modules/Platform/Emscripten.cmake")
if(NOT EXISTS "${fenok_emscripten_platform}")
  message(FATAL_ERROR "emscripten's CMake platform file is not where emcc lives: ${fenok_emscripten_platform}")
endif()
include("${fenok_emscripten_platform}")
