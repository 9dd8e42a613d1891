// Preloaded into the clock by bench/sound-latency.sh (LD_PRELOAD) to time the way from a key
// to the first sound it makes, without any help from the clock itself. Each step below appends
// a line "NAME MONOTONIC_NS VALUE" to the file named by DIGLUX_SOUNDWATCH_LOG (CLOCK_MONOTONIC in
// nanoseconds; X's server time is the same clock in milliseconds, cut to 32 bits):
//
//   key     the clock reads a key press from the X connection   VALUE: the server's time (ms)
//   dlopen  a library is being loaded (SDL or ALSA)              VALUE: 0 before, 1 after
//   connect a sound-server connection is started                 VALUE: 0
//   stream  a playback stream is being connected                 VALUE: 0 before, 1 after
//   sound   the first samples above silence go to the server     VALUE: bytes of silence before
//
// The calls are caught where the clock or SDL reaches them through the dynamic linker:
// XNextEvent (libX11, which the clock links), dlopen (libc), and libpulse's functions, which
// libSDL2 and ALSA's pulse plugin link (libpulse itself, loaded with RTLD_LOCAL, is reached
// through its handle). Only signed 16-bit streams are watched, which is what the clock plays.
#include <X11/Xlib.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <mutex>

namespace {

int LogFile() {
    static const int fd = [] {
        const char* path = std::getenv("DIGLUX_SOUNDWATCH_LOG");
        return path == nullptr ? -1 : open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    }();
    return fd;
}

void Mark(const char* name, unsigned long value) {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    char line[96];
    const int length =
        std::snprintf(line, sizeof line, "%s %lld %lu\n", name,
                      static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec, value);
    if (length > 0 && LogFile() >= 0) {
        [[maybe_unused]] const ssize_t written =
            write(LogFile(), line, static_cast<std::size_t>(length));
    }
}

// The next definition of a function: in the global scope, else in libpulse, which SDL or ALSA
// loaded locally.
void* Next(const char* name) {
    if (void* function = dlsym(RTLD_NEXT, name)) {
        return function;
    }
    void* pulse = dlopen("libpulse.so.0", RTLD_NOW | RTLD_NOLOAD);
    return pulse == nullptr ? nullptr : dlsym(pulse, name);
}

template <typename Function> Function NextFunction(const char* name) {
    Function function = reinterpret_cast<Function>(Next(name));
    if (function == nullptr) {
        std::fprintf(stderr, "soundwatch: %s not found\n", name);
        std::abort();
    }
    return function;
}

// The stream whose first sound is still awaited (the clock plays one at a time).
std::mutex watchMutex;
const void* awaited = nullptr;
std::size_t silentBytes = 0; // written to the awaited stream before its first sound

bool Audible(const void* data, std::size_t bytes) {
    const auto* samples = static_cast<const std::int16_t*>(data);
    for (std::size_t i = 0; i < bytes / sizeof(std::int16_t); ++i) {
        if (samples[i] != 0) {
            return true;
        }
    }
    return false;
}

} // namespace

extern "C" {

int XNextEvent(Display* display, XEvent* event) {
    static const auto next = NextFunction<int (*)(Display*, XEvent*)>("XNextEvent");
    const int result = next(display, event);
    if (event->type == KeyPress) {
        Mark("key", event->xkey.time);
    }
    return result;
}

void* dlopen(const char* file, int flags) {
    static const auto next =
        reinterpret_cast<void* (*)(const char*, int)>(dlsym(RTLD_NEXT, "dlopen"));
    const bool watched = file != nullptr && (std::strstr(file, "libSDL2") != nullptr ||
                                             std::strstr(file, "libasound.so") != nullptr);
    const bool loaded = watched && next(file, flags | RTLD_NOLOAD) != nullptr;
    if (watched && !loaded) {
        Mark("dlopen", 0);
    }
    void* library = next(file, flags);
    if (watched && !loaded) {
        Mark("dlopen", 1);
    }
    return library;
}

int pa_context_connect(void* context, const char* server, int flags, const void* api) {
    static const auto next =
        NextFunction<int (*)(void*, const char*, int, const void*)>("pa_context_connect");
    Mark("connect", 0);
    return next(context, server, flags, api);
}

int pa_stream_connect_playback(void* stream, const char* device, const void* attributes, int flags,
                               const void* volume, void* syncWith) {
    static const auto next =
        NextFunction<int (*)(void*, const char*, const void*, int, const void*, void*)>(
            "pa_stream_connect_playback");
    {
        std::lock_guard lock(watchMutex);
        awaited = stream;
        silentBytes = 0;
    }
    Mark("stream", 0);
    const int result = next(stream, device, attributes, flags, volume, syncWith);
    Mark("stream", 1);
    return result;
}

int pa_stream_write(void* stream, const void* data, std::size_t bytes, void (*freeData)(void*),
                    std::int64_t offset, int seek) {
    static const auto next =
        NextFunction<int (*)(void*, const void*, std::size_t, void (*)(void*), std::int64_t, int)>(
            "pa_stream_write");
    {
        std::lock_guard lock(watchMutex);
        if (stream == awaited && data != nullptr && Audible(data, bytes)) {
            awaited = nullptr;
            Mark("sound", silentBytes);
        } else if (stream == awaited) {
            silentBytes += bytes;
        }
    }
    return next(stream, data, bytes, freeData, offset, seek);
}

} // extern "C"
