# Layers the build enforces. Each portable module sees, on its include path, only its own folder and
# the folders of the modules it links: the folder is staged as a link under <build>/include/<module>/
# and that staged root is the module's usage requirement. An include of a folder the module does not
# depend on finds no file and fails to compile, so the dependency graph has one home: the
# target_link_libraries of each module. (The whole src/ stays on the path only for the layers above
# every module: the Win32 edge, the player, the tools and the tests.)
set(FENOK_STAGED_INCLUDE ${CMAKE_BINARY_DIR}/include)

# fenok_stage(root path): makes src/<path> (a folder or one header) visible as <root>/<path>.
function(fenok_stage root path)
  set(link ${root}/${path})
  if(IS_SYMLINK ${link})
    return()
  endif()
  get_filename_component(parent ${link} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${path} ${link} SYMBOLIC)
endfunction()

# fenok_module(name [DIR folder] [SOURCES file...] [DEPENDS target...] [HEADERS header...])
# An object library of SOURCES (relative to the calling folder), or a header-only library without
# them. HEADERS stages single headers from outside the module, each one named, for a module that
# still reaches into a folder it does not depend on: no other header of that folder becomes visible.
function(fenok_module name)
  cmake_parse_arguments(ARG "" "DIR" "SOURCES;DEPENDS;HEADERS" ${ARGN})
  set(root ${FENOK_STAGED_INCLUDE}/${name})
  if(ARG_DIR)
    fenok_stage(${root} ${ARG_DIR})
  endif()
  foreach(header ${ARG_HEADERS})
    fenok_stage(${root} ${header})
  endforeach()
  if(ARG_SOURCES)
    add_library(fenok_${name} OBJECT ${ARG_SOURCES})
    target_include_directories(fenok_${name} PUBLIC ${root})
    target_link_libraries(fenok_${name} PUBLIC ${ARG_DEPENDS})
    target_compile_options(fenok_${name} PRIVATE ${FENOK_WARNINGS})
  else()
    add_library(fenok_${name} INTERFACE)
    target_include_directories(fenok_${name} INTERFACE ${root})
    target_link_libraries(fenok_${name} INTERFACE ${ARG_DEPENDS})
  endif()
endfunction()

# Judging, decoding pictures and reading the quiz: compiled for speed in the builds compiled for size
# (the Windows programs), placed after those builds' own size option so that it wins.
function(fenok_compiled_for_speed target)
  if(WIN32)
    target_compile_options(${target} PRIVATE -O3)
  endif()
endfunction()
