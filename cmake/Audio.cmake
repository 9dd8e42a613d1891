# Sound and mixer libraries of the Linux host: SDL2 (audio only, loaded at run time) plays
# the sounds, ALSA's simple mixer reads and sets the volumes. Defines the INTERFACE target `audio_libs`.
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)
pkg_check_modules(DIGLUX_SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(DIGLUX_ALSA REQUIRED IMPORTED_TARGET alsa)

add_library(audio_libs INTERFACE)
# SDL2 is not linked: host/linux/SdlLibrary loads it on the first sound. Only its headers.
target_include_directories(audio_libs SYSTEM INTERFACE ${DIGLUX_SDL2_INCLUDE_DIRS})
target_compile_options(audio_libs INTERFACE ${DIGLUX_SDL2_CFLAGS_OTHER})
target_link_libraries(audio_libs INTERFACE PkgConfig::DIGLUX_ALSA Threads::Threads
                      ${CMAKE_DL_LIBS})
