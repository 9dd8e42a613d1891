# FLTK through fltk-config (Debian's FLTKConfig.cmake insists on /usr/bin/fluid), linked
# statically: only the parts of FLTK the clock uses are loaded, and there is one library
# fewer to map and relocate at every start.
find_program(FLTK_CONFIG fltk-config REQUIRED)
execute_process(COMMAND ${FLTK_CONFIG} --cxxflags OUTPUT_VARIABLE FLTK_CXXFLAGS
                OUTPUT_STRIP_TRAILING_WHITESPACE)
execute_process(COMMAND ${FLTK_CONFIG} --ldstaticflags OUTPUT_VARIABLE FLTK_LDFLAGS
                OUTPUT_STRIP_TRAILING_WHITESPACE)
separate_arguments(FLTK_CXXFLAGS UNIX_COMMAND "${FLTK_CXXFLAGS}")
separate_arguments(FLTK_LDFLAGS UNIX_COMMAND "${FLTK_LDFLAGS}")
add_library(fltk_lib INTERFACE)
# FLTK's headers are system headers here: their warnings are not ours.
foreach(flag IN LISTS FLTK_CXXFLAGS)
    if(flag MATCHES "^-I(.*)")
        target_include_directories(fltk_lib SYSTEM INTERFACE "${CMAKE_MATCH_1}")
    else()
        target_compile_options(fltk_lib INTERFACE "${flag}")
    endif()
endforeach()
target_link_libraries(fltk_lib INTERFACE ${FLTK_LDFLAGS})
