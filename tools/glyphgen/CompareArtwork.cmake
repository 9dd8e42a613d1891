# Runs the artwork generator into SCRATCH_DIR and checks that it reproduces the committed
# files under SOURCE_DIR byte for byte, and that nothing committed is missing from its output.
# cmake -DGLYPHGEN=<exe> -DSOURCE_DIR=<repo> -DSCRATCH_DIR=<folder> -P CompareArtwork.cmake
file(REMOVE_RECURSE "${SCRATCH_DIR}")
execute_process(COMMAND "${GLYPHGEN}" "${SCRATCH_DIR}" RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "glyphgen failed: ${result}")
endif()

file(GLOB_RECURSE generated RELATIVE "${SCRATCH_DIR}" "${SCRATCH_DIR}/*")
file(GLOB committed RELATIVE "${SOURCE_DIR}"
     "${SOURCE_DIR}/display/maps/*.png" "${SOURCE_DIR}/display/icons/*.png"
     "${SOURCE_DIR}/docs/glyphs.png")
list(SORT generated)
list(SORT committed)
if(NOT generated STREQUAL committed)
    message(FATAL_ERROR "generated files:\n  ${generated}\ndiffer from committed files:\n  ${committed}")
endif()

set(differing "")
foreach(path IN LISTS generated)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files
                    "${SCRATCH_DIR}/${path}" "${SOURCE_DIR}/${path}" RESULT_VARIABLE same)
    if(NOT same EQUAL 0)
        list(APPEND differing "${path}")
    endif()
endforeach()
if(differing)
    message(FATAL_ERROR "the generator no longer reproduces: ${differing}\n"
                        "run glyphgen <repository root> and commit the result")
endif()
list(LENGTH generated count)
message(STATUS "all ${count} artwork files reproduced byte for byte")
