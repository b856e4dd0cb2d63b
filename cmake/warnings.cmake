# Warnings are errors for our own code; third-party code is added before this applies.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  set(FENOK_WARNINGS -Wall -Wextra -Wshadow -Wno-unused-parameter -Werror)
else()
  set(FENOK_WARNINGS)
endif()
