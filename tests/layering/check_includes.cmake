# Fails when a source file includes a header from a folder above its own.
# Every library exports the repository root, so the linker alone would not
# notice a header-only arrow pointing up; this check does.
#   cmake -DSOURCE_DIR=<repo root> -P check_includes.cmake

# What each folder may include besides itself, lowest layer first.
set(allowed_task "")
set(allowed_input "")
set(allowed_data "")
set(allowed_gfx task input data)
set(allowed_audio data)
set(allowed_globe gfx audio task input data)
set(allowed_game globe gfx audio task input data)
set(allowed_records game globe gfx audio task input data)
set(allowed_title records game globe gfx audio task input data)
set(allowed_app title records game globe gfx audio task input data)
set(layers task input data gfx audio globe game records title app)

set(violations 0)
foreach(layer ${layers})
  file(GLOB files ${SOURCE_DIR}/${layer}/*.h ${SOURCE_DIR}/${layer}/*.cpp)
  foreach(file ${files})
    file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]+\"[a-z]+/")
    foreach(line ${includes})
      string(REGEX REPLACE "^[^\"]*\"([a-z]+)/.*$" "\\1" target "${line}")
      list(FIND layers ${target} known)
      if(known EQUAL -1 OR target STREQUAL layer)
        continue()
      endif()
      list(FIND allowed_${layer} ${target} permitted)
      if(permitted EQUAL -1)
        file(RELATIVE_PATH shown ${SOURCE_DIR} ${file})
        message(SEND_ERROR "${shown}: ${layer}/ must not include ${target}/ (${line})")
        math(EXPR violations "${violations} + 1")
      endif()
    endforeach()
  endforeach()
endforeach()

if(violations GREATER 0)
  message(FATAL_ERROR "${violations} include(s) reach a higher layer")
endif()
message(STATUS "every include points down")
