# Every build goes through ccache when the machine has it: the test run builds five configurations,
# and a second run, or another clone on the same machine, then compiles only what changed. Paths
# under the source folder are hashed relative to it, so clones share one cache.
option(FENOK_CCACHE "Compile through ccache when it is installed" ON)
find_program(FENOK_CCACHE_PROGRAM ccache)
if(FENOK_CCACHE AND FENOK_CCACHE_PROGRAM)
  set(launcher ${CMAKE_COMMAND} -E env CCACHE_BASEDIR=${PROJECT_SOURCE_DIR} CCACHE_NOHASHDIR=1
      ${FENOK_CCACHE_PROGRAM})
  set(CMAKE_C_COMPILER_LAUNCHER ${launcher})
  set(CMAKE_CXX_COMPILER_LAUNCHER ${launcher})
endif()
