# 32-bit Windows: the player authors ship.
set(FENOK_MINGW_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
# SSE2 arithmetic: the PNG reader's vector row paths are compiled in, and floating point rounds as it
# does on x86-64 (x87's 80-bit intermediates would fit some pictures one pixel wider).
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
