# The reference decoders are benchmark-only dependencies: never linked into the player.
find_package(PNG REQUIRED)
find_package(ZLIB REQUIRED)
find_library(FENOK_SPNG_LIBRARY spng REQUIRED)
find_path(FENOK_STB_INCLUDE stb_image.h PATHS /usr/include/stb REQUIRED)
target_link_libraries(bench_png PRIVATE PNG::PNG ZLIB::ZLIB ${FENOK_SPNG_LIBRARY})
target_include_directories(bench_png PRIVATE ${FENOK_STB_INCLUDE})
