# Sound and mixer libraries of the Linux host: SDL2 (audio only) plays the sounds, ALSA's
# simple mixer reads and sets the volumes. Both are loaded at run time, on first use, so only
# their headers are needed here. Defines the INTERFACE target `audio_libs`.
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)
pkg_check_modules(DIGLUX_SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(DIGLUX_ALSA REQUIRED IMPORTED_TARGET alsa)

add_library(audio_libs INTERFACE)
# Neither is linked: host/linux/SdlLibrary loads SDL2 on the first sound, AlsaLibrary loads
# libasound on the first volume change.
target_include_directories(audio_libs SYSTEM INTERFACE ${DIGLUX_SDL2_INCLUDE_DIRS}
                                                       ${DIGLUX_ALSA_INCLUDE_DIRS})
target_compile_options(audio_libs INTERFACE ${DIGLUX_SDL2_CFLAGS_OTHER} ${DIGLUX_ALSA_CFLAGS_OTHER})
target_link_libraries(audio_libs INTERFACE Threads::Threads ${CMAKE_DL_LIBS})
