# Programs that authors ship (the players, the studio, fenok-pack.exe) carry no debug information:
# every quiz sent would carry it too. It goes into PROGRAM.exe.debug beside them in the build tree,
# linked by name and checksum, where a debugger finds it.
function(fenok_ship_stripped target)
  if(NOT WIN32)
    return()
  endif()
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:${target}> $<TARGET_FILE:${target}>.debug
    COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=$<TARGET_FILE:${target}>.debug $<TARGET_FILE:${target}>
    COMMENT "Debug information of ${target} kept apart"
    VERBATIM)
endfunction()
