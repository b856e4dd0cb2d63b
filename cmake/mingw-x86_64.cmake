# 64-bit Windows: the player for hosts that cannot run 32-bit programs.
set(FENOK_MINGW_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
