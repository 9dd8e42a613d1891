# Sound and mixer libraries of the Linux host: SDL2 (audio only) plays the sounds, ALSA's
# simple mixer reads and sets the volumes. Defines the INTERFACE target `audio_libs`.
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)
pkg_check_modules(DIGLUX_SDL2 REQUIRED IMPORTED_TARGET sdl2)
pkg_check_modules(DIGLUX_ALSA REQUIRED IMPORTED_TARGET alsa)

add_library(audio_libs INTERFACE)
target_link_libraries(audio_libs INTERFACE PkgConfig::DIGLUX_SDL2 PkgConfig::DIGLUX_ALSA
                      Threads::Threads)
