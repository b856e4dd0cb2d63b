# Warnings for our own code; third-party code is added before this applies. They become errors only
# where we build on purpose with them (the presets and CI: FENOK_WERROR), so that a plain
# `cmake -DCMAKE_BUILD_TYPE=Release` still builds with a newer or older compiler, warnings shown.
option(FENOK_WERROR "Treat warnings in our own code as errors" OFF)
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  set(FENOK_WARNINGS -Wall -Wextra -Wshadow)
  if(FENOK_WERROR)
    list(APPEND FENOK_WARNINGS -Werror)
  endif()
else()
  set(FENOK_WARNINGS)
endif()
