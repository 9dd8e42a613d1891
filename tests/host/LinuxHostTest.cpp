// The Linux host against the real thing: X, files, processes and sound.
//
// The FLTK host. The clock window on a real X display: placement, input as the core sees it,
// the close request, the taskbar state and repaints that touch only the area asked for. The
// translation of keys and buttons: FLTK key codes are X keysyms, written out here as the X
// protocol numbers them, so the table is checked against an independent source. The event
// loop (no display needed): timers tick while enabled, stay silent while disabled, start a
// fresh interval on enabling and none on enabling twice, and a handler may stop or restart
// its own timer; SIGTERM and SIGHUP reach the loop as one "session ends" call, never from
// inside the signal handler.
//
// Files and processes. Files in a shared temporary folder: links, FIFOs and folders under a
// file's name are never opened, and the two ways of writing. Processes: programs start
// without a shell, what cannot or must not be started is refused, and the single-instance
// lock holds between processes, with its private fallback folder. The settings file on disk:
// what it holds after writes, changes made by others, the Run key in the autostart folder,
// and a store that cannot be used; then under stress, with real processes: a writer killed
// at random moments never leaves a broken file nor loses a write it had finished, and two
// processes writing at the same time lose nothing of each other's.
//
// Sound and mixer. With SDL's disk driver, which writes exactly the samples the device plays
// into a file: a sound arrives sample for sample, the output gain scales it, a sound ends by
// itself and takes SDL's audio thread with it, Stop or a new sound cuts a sound short, and
// unreadable sounds or a missing audio driver fail quietly. Without a sound card the ALSA
// mixer finds and changes nothing. Against the private PulseAudio server that
// tests/e2e/test-sound-pulse.sh starts (it sets DIGLUX_PULSE_TEST): a synchronous sound
// returns after its length, and no stream or client of the clock is left; raising and
// restoring the volume are seen by pactl, and the wave line is the program's own gain (the
// server has no "PCM" control). That the whole of a synchronous sound, its end included, is
// heard on the server's null sink is proven end to end: the hourly signal's beep is played
// so, and tests/e2e/test-hourly-announcement.sh measures its length on the sink.
#include "host/EmbeddedResources.h"
#include "host/linux/AlsaMixer.h"
#include "host/linux/FltkClockWindow.h"
#include "host/linux/FltkDesktop.h"
#include "host/linux/FltkEventPump.h"
#include "host/linux/FltkInputMap.h"
#include "host/linux/FltkMessageBox.h"
#include "host/linux/FltkTimerService.h"
#include "host/linux/LinuxSystemInfo.h"
#include "host/linux/PngCodec.h"
#include "host/linux/PosixFileSystem.h"
#include "host/linux/PosixProcesses.h"
#include "host/linux/RegFileStore.h"
#include "host/linux/SdlSoundDevice.h"
#include "host/linux/SessionEndSignals.h"
#include "host/linux/X11Display.h"
#include "model/Settings.h"
#include "speech/SndMixer.h"
#include "speech/WaveImage.h"
#include "store/RegFileFormat.h"
#include "store/RegistryAccess.h"
#include "store/SettingsStore.h"

#include <gtest/gtest.h>

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <span>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace diglux {
namespace {

// Temporary folders and environment variables that are put back after a test, whole files,
// shell commands, child processes, and the event loop run for a while.
namespace fs = std::filesystem;
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// A fresh folder under base, removed with everything in it at the end.
struct TempFolder {
    explicit TempFolder(std::string base = "/tmp")
        : path(mkdtemp((base += "/diglux-test-XXXXXX").data()) != nullptr ? base : "") {}
    ~TempFolder() { fs::remove_all(path, ignored); }
    fs::path path;
    std::error_code ignored;
};

// Sets an environment variable (removes it for nullptr) and restores it at the end.
struct ScopedEnv {
    ScopedEnv(const char* name, const char* value)
        : had(std::getenv(name) != nullptr), name(name), old(had ? std::getenv(name) : "") {
        value != nullptr ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedEnv() { had ? setenv(name.c_str(), old.c_str(), 1) : unsetenv(name.c_str()); }
    bool had;
    std::string name, old;
};

std::span<const std::uint8_t> Bytes(const std::string& text) {
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

std::string ReadText(const fs::path& path) {
    return {std::istreambuf_iterator<char>(std::ifstream(path, std::ios::binary).rdbuf()), {}};
}

// Writes the file, creating its folder first.
void WriteText(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << text;
}

// Runs a shell command and returns what it printed on stdout.
std::string RunCommand(const std::string& command) {
    std::string output;
    const std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    for (int c = 0; pipe && (c = std::fgetc(pipe.get())) != EOF;) {
        output += static_cast<char>(c);
    }
    return output;
}

// Whether what the command prints contains `part`.
bool Says(const std::string& command, const std::string& part) {
    return RunCommand(command).find(part) != std::string::npos;
}

// Runs body in a child process, which ends with body's result; returns the child's pid.
pid_t InChild(const std::function<int()>& body) {
    const pid_t pid = fork();
    return pid != 0 ? pid : (_exit(body()), 0);
}

// Waits for a child process: its exit status, or 128 + the signal that ended it.
int WaitFor(pid_t child) {
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Runs the event loop until condition holds or timeoutMs have passed; returns condition().
bool PumpUntil(const std::function<bool()>& condition, int timeoutMs = 3000) {
    const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!condition() && Clock::now() < end) {
        FltkEventPump().DoEvents();
        std::this_thread::sleep_for(5ms);
    }
    return condition();
}

void PumpFor(int milliseconds) {
    PumpUntil([] { return false; }, milliseconds);
}

// The FLTK host.

using Events = std::vector<std::string>;

// An event as text: its kind and numbers ("down 1 0 100 50": button, shift, x, y).
std::string Event(std::string event, auto... numbers) {
    ((event += " " + std::to_string(numbers)), ...);
    return event;
}

// What the window tells the core, one text per event.
struct RecordingSink final : ClockWindowEvents {
    void OnKeyDown(Key key, int s) override { events.push_back(Event("key", int(key), s)); }
    void OnMouseDown(int b, int s, Point p) override { Add("down", b, s, p); }
    void OnMouseMove(int b, int s, Point p) override { Add("move", b, s, p); }
    void OnMouseUp(int b, int s, Point p) override { Add("up", b, s, p); }
    void OnCloseRequest(UnloadReason r) override { events.push_back(Event("close", int(r))); }
    void Add(const char* k, int b, int s, Point p) { events.push_back(Event(k, b, s, p.x, p.y)); }
    Events events;
};

// True when wanted appears in events in this order, other events in between allowed.
bool ContainsInOrder(const Events& events, const Events& wanted) {
    auto next = wanted.begin();
    for (const std::string& event : events) {
        next += next != wanted.end() && event == *next ? 1 : 0;
    }
    return next == wanted.end();
}

// The clock window on a real X display, showing a red frame. The first paint fills the
// window; two areas repainted in blue, one reaching past the window, change exactly those
// areas (as far as they lie in the window) and nothing else.
//
// A size fixed by the size hints (the class is what the end-to-end tests find the window by,
// the caption what the close request below finds it by), and the taskbar button: the clock
// sets it before it shows the window, so a state set while the window is unmapped must hold
// once it is mapped, and a later change must reach the window manager (borderless windows
// start without one; topmost is seen by the alarm's end-to-end test). A move in logical units
// puts halves on the even pixel.
//
// Keys arrive as the program's keys, a bare modifier as none; Escape does not close the
// window. The window manager's close, sent the way FltkDesktop sends it to a window by
// caption, is only reported: the core decides to close.
//
// FLTK holds a pointer motion back and delivers it after the events read with it, so a
// move and a release read in one go would arrive as a move without the button. A real hand
// leaves the loop time between them: each step waits here until its events have arrived.
// And FLTK hands a held-back motion over after the release it was read with, without the
// button: the window reports the drag's last step before the release all the same. A
// destroyed window stays closed.
TEST(FltkClockWindow, PaintsMovesAndReportsInputAndCloseRequestsToTheCoreOnly) {
    if (std::string error; !OpenX11Display(error)) {
        GTEST_SKIP() << "needs an X display (DISPLAY)";
    }
    constexpr Rgb kRed{255, 0, 0}, kBlue{0, 0, 255};
    RgbImage frame(FltkClockWindow::kWidth, FltkClockWindow::kHeight, kRed);
    RecordingSink sink;
    FltkClockWindow window;
    window.SetEventSink(&sink);
    window.AttachFrame(&frame);
    // The X window's id, which changes when the window is shown again.
    const auto Id = [&window] { return std::to_string(window.NativeId()); };
    const auto Viewable = [&] { return Says("xwininfo -id " + Id(), "IsViewable"); };
    const auto SkipsTaskbar = [&] { return Says("xprop -id " + Id() + " _NET_WM_STATE", "SKIP"); };
    const auto Screenshot = [&] {
        std::string error, png = RunCommand("import -window " + Id() + " png:- 2>/dev/null");
        return LibPngDecoder().DecodePng(Bytes(png), error);
    };
    window.Show();
    ASSERT_TRUE(PumpUntil(Viewable));
    PumpFor(150); // let the window manager settle and the first paint happen
    // The screenshots are compared with what the window should show, whole.
    RgbImage expected = frame;
    EXPECT_TRUE(Screenshot() == expected) << "the first paint does not fill the window";
    frame.Fill(kBlue);
    for (const Rect area : {Rect{0, 0, 100, 100}, Rect{600, 200, 100, 100}}) {
        window.Refresh(area);
        expected.FillRect(area, kBlue);
    }
    PumpFor(100);
    EXPECT_TRUE(Screenshot() == expected) << "not exactly the areas asked for were repainted";

    const std::string hints = "xprop -id " + Id() + " WM_NORMAL_HINTS";
    EXPECT_TRUE(Says(hints, "minimum size: 654 by 238") && Says(hints, "maximum size: 654 by 238"))
        << RunCommand(hints);
    EXPECT_TRUE(SkipsTaskbar());
    window.Hide();
    window.SetTaskbarButton(true);
    window.Show();
    EXPECT_TRUE(PumpUntil([&] { return Viewable() && !SkipsTaskbar(); }));
    window.SetTaskbarButton(false);
    EXPECT_TRUE(PumpUntil(SkipsTaskbar));
    window.Move(100.5, 201.5);
    EXPECT_EQ(window.ScreenRect(), (Rect{100, 202, 654, 238}));
    const std::string geometry = "xdotool getwindowgeometry " + Id(); // "Position: x,y (...)"
    EXPECT_TRUE(PumpUntil([&] { return Says(geometry, "Position: 100,202 "); }));

    RunCommand("xdotool key --window " + Id() +
               " Escape a shift+b F4 alt+F4 Control_L ctrl+Return Tab");
    ASSERT_TRUE(PumpUntil([&] { return sink.events.size() >= 7; }));
    EXPECT_TRUE(FltkDesktop().CloseWindowWithCaption("Diglux"));
    ASSERT_TRUE(PumpUntil([&] { return sink.events.size() >= 8; }));
    PumpFor(100);
    const auto key = [](Key k, int shift = 0) { return Event("key", int(k), shift); };
    EXPECT_EQ(sink.events, (Events{key(Key::Escape), key(Key::A), key(Key::B, kShift), key(Key::F4),
                                   key(Key::F4, kAlt), key(Key::Return, kCtrl), key(Key::Other),
                                   Event("close", 0)}));
    EXPECT_TRUE(window.IsVisible());
    const std::pair<std::string, Events> steps[] = {
        {"mousemove --window " + Id() + " 100 50 mousedown 1", {"down 1 0 100 50"}},
        {"mousemove --window " + Id() + " 110 60", {"move 1 0 110 60"}},
        {"mouseup 1", {"up 1 0 110 60"}},
        {"click 3", {"down 2 0 110 60", "up 2 0 110 60"}}};
    for (const auto& [command, wanted] : steps) {
        sink.events.clear();
        RunCommand("xdotool " + command);
        EXPECT_TRUE(PumpUntil([&] { return ContainsInOrder(sink.events, wanted); }))
            << command << ": " << ::testing::PrintToString(sink.events);
    }
    sink.events.clear();
    const int sent[][4] = {{FL_PUSH, 100, 50, FL_BUTTON1},
                           {FL_RELEASE, 110, 60, 0},
                           {FL_MOVE, 110, 60, 0},
                           {FL_PUSH, 110, 60, FL_BUTTON1},
                           {FL_RELEASE, 110, 60, 0}};
    for (const auto& [event, x, y, state] : sent) {
        Fl::e_x = x, Fl::e_y = y, Fl::e_state = state, Fl::e_keysym = FL_Button + 1;
        Fl::first_window()->handle(event);
    }
    EXPECT_EQ(sink.events, (Events{"down 1 0 100 50", "move 1 0 110 60", "up 1 0 110 60",
                                   "move 0 0 110 60", "down 1 0 110 60", "up 1 0 110 60"}));
    window.Destroy();
    EXPECT_FALSE(window.IsVisible());
    window.Show();
    EXPECT_FALSE(window.IsVisible());
}

// Both ends of the letter, digit and function key ranges, a keysym with Shift (it still
// names the key), keypad Enter; keys the commands do not name (keypad digits, F13, Tab,
// Delete, the German layout's u umlaut) are Other. Bare modifiers and locks are no keys:
// Shift_L, Control_R, Alt_L, Caps_Lock, Num_Lock, Super_L, ISO_Level3_Shift; nor is nothing.
// Shift, Ctrl and Alt and the left and right buttons come through in the real-display test
// above; here what those do not reach: lock states and held buttons are no modifiers (Caps
// Lock, Num Lock, button 1 and Alt give Alt alone), the middle button, no button and the
// buttons held during a move. Closing a message box gives Cancel where it has that button,
// else its one way out (OK, No).
TEST(FltkInputMap, KeysButtonsAndClosedBoxesLandOnTheProgramsTerms) {
    const std::pair<int, std::optional<Key>> cases[] = {
        {'a', Key::A},         {'z', Key::Z},         {'0', Key::D0},       {'9', Key::D9},
        {0xffbe, Key::F1},     {0xffc9, Key::F12},    {'Q', Key::Q},        {' ', Key::Space},
        {0xff1b, Key::Escape}, {0xff8d, Key::Return}, {0xff08, Key::Back},  {0xff51, Key::Left},
        {0xff52, Key::Up},     {0xff53, Key::Right},  {0xff54, Key::Down},  {0xffb0, Key::Other},
        {0xffca, Key::Other},  {0xff09, Key::Other},  {0xffff, Key::Other}, {0xfc, Key::Other},
        {0xffe1, {}},          {0xffe4, {}},          {0xffe9, {}},         {0xffe5, {}},
        {0xff7f, {}},          {0xffeb, {}},          {0xfe03, {}},         {0, {}}};
    for (const auto& [keysym, key] : cases) {
        EXPECT_EQ(KeyFromFltk(keysym), key) << std::hex << keysym;
    }
    constexpr int kShiftState = 0x10000, kButton1 = 0x1000000, kButton2 = 0x2000000;
    EXPECT_EQ(ShiftMaskFromFltk(0x20000 | 0x100000 | kButton1 | 0x80000), kAlt);
    EXPECT_EQ(MouseButtonFromFltk(2), kMiddleButton);
    EXPECT_EQ(MouseButtonFromFltk(8), 0);
    EXPECT_EQ(HeldButtonsFromFltk(kButton1 | 0x4000000), kLeftButton | kRightButton);
    EXPECT_EQ(HeldButtonsFromFltk(kButton2 | kShiftState), kMiddleButton);
    EXPECT_EQ(MessageBoxClosedResult(MessageButtons::Ok), MessageResult::Ok);
    EXPECT_EQ(MessageBoxClosedResult(MessageButtons::OkCancel), MessageResult::Cancel);
    EXPECT_EQ(MessageBoxClosedResult(MessageButtons::YesNo), MessageResult::No);
}

// Six timers: one never enabled stays silent; a plain one ticks at about its interval and
// stops when disabled; one that stops itself from its handler ticks once; one that restarts
// itself from its handler keeps ticking. Two are due at 400 ms; at 290 ms one is disabled
// and enabled again, which moves its tick to 690 ms, the other is only enabled again, which
// keeps its tick at 400 ms.
TEST(FltkTimerService, TicksOnlyWhileEnabledWithAFreshIntervalOnEnablingEvenFromItsHandler) {
    FltkTimerService timers;
    int idleTicks = 0, plainTicks = 0, stopperTicks = 0, restarterTicks = 0;
    int restartedTicks = 0, keptTicks = 0;
    TimerId stopper = 0, restarter = 0;
    const auto set = [&timers](TimerId id, bool enabled) { timers.SetEnabled(id, enabled); };
    timers.CreateTimer(30, [&] { ++idleTicks; });
    const TimerId plain = timers.CreateTimer(50, [&] { ++plainTicks; });
    stopper = timers.CreateTimer(30, [&] { ++stopperTicks, set(stopper, false); });
    restarter = timers.CreateTimer(
        30, [&] { ++restarterTicks, set(restarter, false), set(restarter, true); });
    const TimerId restarted = timers.CreateTimer(400, [&] { ++restartedTicks; });
    const TimerId kept = timers.CreateTimer(400, [&] { ++keptTicks; });
    for (const TimerId id : {plain, stopper, restarter, restarted, kept}) {
        set(id, true);
    }
    PumpFor(290);
    EXPECT_EQ(idleTicks, 0) << "a new timer starts disabled";
    EXPECT_TRUE(plainTicks >= 3 && plainTicks <= 6) << plainTicks;
    EXPECT_TRUE(stopperTicks == 1 && !timers.IsEnabled(stopper)) << stopperTicks;
    EXPECT_TRUE(restarterTicks >= 3 && timers.IsEnabled(restarter))
        << "a restart from the handler must not lose the timer: " << restarterTicks;
    set(plain, false), set(restarted, false), set(restarted, true), set(kept, true);
    const int ticksWhenDisabled = plainTicks;
    PumpFor(210);
    EXPECT_EQ(std::pair(restartedTicks, keptTicks), std::pair(0, 1)) << "(moved, kept)";
    PumpFor(350);
    EXPECT_EQ(std::pair(restartedTicks, plainTicks), std::pair(1, ticksWhenDisabled));
}

TEST(SessionEndSignals, EachSignalArrivesThroughTheEventLoopOnce) {
    for (const int signal : {SIGTERM, SIGHUP}) {
        int calls = 0;
        SessionEndSignals signals([&calls] { ++calls; });
        ASSERT_TRUE(signals.Installed());
        raise(signal);
        EXPECT_EQ(calls, 0) << "nothing may run inside the signal handler";
        FltkEventPump().DoEvents();
        EXPECT_EQ(calls, 1) << signal;
        raise(SIGHUP), raise(SIGTERM);
        FltkEventPump().DoEvents();
        EXPECT_EQ(calls, 1) << "the session ends only once";
    }
}

// Files, processes and the settings file.

using fs::path;

// A plain write overwrites from the start and keeps the rest; a replace leaves only the new
// bytes. Files and folders are private to the user. An atomic write replaces the whole file
// (with a temporary name given, as the settings store writes, it is seen in the store's test
// below); a folder in the file's place cannot be replaced, nor can a file in a missing folder
// be written, and no temporary file is left behind. Nothing is read or written through a link
// (the file it points to is left alone, a dangling one is not created), a FIFO (which would
// block) or a folder.
TEST(PosixFileSystem, WritesOverwriteReplaceOrSwapWholeNeverThroughLinksFifosOrFolders) {
    TempFolder dir;
    PosixFileSystem files;
    const auto At = [&dir](const std::string& name) { return (dir.path / name).string(); };
    const auto Mode = [&](const char* name) { return fs::status(At(name)).permissions(); };
    std::string read, error;
    EXPECT_EQ(files.FileLength(At("a.wav")), -1);
    EXPECT_TRUE(files.WriteFile(At("a.wav"), Bytes("0123456789")));
    EXPECT_EQ(files.FileLength(At("a.wav")), 10);
    EXPECT_TRUE(files.WriteFile(At("a.wav"), Bytes("RIFF")));
    EXPECT_EQ(ReadText(At("a.wav")), "RIFF456789");
    EXPECT_TRUE(files.ReplaceFile(At("a.wav"), Bytes("new")) && files.ReadFile(At("a.wav"), read));
    EXPECT_EQ(read, "new");
    EXPECT_EQ(Mode("a.wav") & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_TRUE(files.RemoveFile(At("a.wav")));
    EXPECT_FALSE(files.RemoveFile(At("a.wav")));
    EXPECT_TRUE(files.CreateFolder(At("private"), 0700));
    EXPECT_FALSE(files.CreateFolder(At("private"), 0700)) << "exists already";
    EXPECT_EQ(Mode("private") & fs::perms::all, fs::perms::owner_all);
    WriteText(At("store"), "old content that is longer");
    EXPECT_TRUE(WriteFileAtomically(At("store"), "new", "", error)) << error;
    EXPECT_EQ(ReadText(At("store")), "new");
    fs::create_directories(At("taken/inner"));
    EXPECT_FALSE(WriteFileAtomically(At("taken"), "x", "", error));
    EXPECT_TRUE(error.starts_with("cannot rename")) << error;
    EXPECT_FALSE(WriteFileAtomically(At("nofolder/store"), "x", "", error));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), {}), 3) << "no temporary file";
    WriteText(At("victim"), "precious");
    fs::create_symlink(At("victim"), At("link.wav"));
    fs::create_symlink(At("nowhere"), At("dangling.wav"));
    ASSERT_EQ(mkfifo(At("pipe.wav").c_str(), 0600), 0);
    fs::create_directory(At("folder.wav"));
    for (const char* name : {"link.wav", "dangling.wav", "pipe.wav", "folder.wav"}) {
        read = "x";
        EXPECT_EQ(files.FileLength(At(name)), -1) << name;
        EXPECT_FALSE(files.WriteFile(At(name), Bytes("evil"))) << name;
        EXPECT_FALSE(files.ReplaceFile(At(name), Bytes("evil"))) << name;
        EXPECT_FALSE(files.ReadFile(At(name), read)) << name;
        EXPECT_EQ(read, "") << name;
    }
    EXPECT_EQ(ReadText(At("victim")), "precious");
    EXPECT_FALSE(fs::exists(At("nowhere")));
    EXPECT_TRUE(files.IsFolder(At("folder.wav")));
}

// Asks in a child process whether another instance runs.
bool ChildSeesAnother() {
    return WaitFor(InChild([] { return int(LinuxSystemInfo().OtherInstanceRunning()); })) == 1;
}

// Programs start without a shell: "$HOME" and ";" would be expanded or split by one. A
// missing program, one that is not in PATH and an empty name are refused. The single-instance
// lock: the child's lock ends with it; asking again must not refuse ourselves. A lock folder
// that cannot be used does not refuse the start. Without an absolute runtime folder the lock
// lives in a private folder under /tmp.
TEST(PosixProcesses, StartWithoutAShellAndTheInstanceLockHoldsWhileItsProcessRuns) {
    TempFolder folder;
    const fs::path out = folder.path / "args";
    PosixProcesses processes;
    ASSERT_TRUE(processes.Start(
        "/bin/sh", {"-c", "printf '%s|' \"$@\" >\"$0\"", out.string(), "a b", "$HOME", ";"}));
    EXPECT_TRUE(PumpUntil([&out] { return ReadText(out) == "a b|$HOME|;|"; })) << ReadText(out);
    for (const char* program : {"/nonexistent/diglux-helper", "diglux-no-such-program", ""}) {
        EXPECT_FALSE(processes.Start(program, {})) << program;
    }

    ScopedEnv missing("XDG_RUNTIME_DIR", (folder.path / "missing").c_str());
    EXPECT_FALSE(LinuxSystemInfo().OtherInstanceRunning());
    ScopedEnv env("XDG_RUNTIME_DIR", folder.path.c_str());
    ASSERT_FALSE(ChildSeesAnother());
    LinuxSystemInfo first;
    EXPECT_FALSE(first.OtherInstanceRunning());
    EXPECT_FALSE(first.OtherInstanceRunning()) << "asking again must not refuse ourselves";
    EXPECT_TRUE(fs::exists(folder.path / "diglux.lock"));
    EXPECT_TRUE(ChildSeesAnother());
    for (const char* runtime : {static_cast<const char*>(nullptr), "relative"}) {
        ScopedEnv env("XDG_RUNTIME_DIR", runtime);
        const std::string folder = InstanceLock::LockDirectory();
        EXPECT_EQ(folder, "/tmp/diglux-" + std::to_string(getuid()));
        struct stat info {};
        ASSERT_EQ(lstat(folder.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & (S_IFMT | 0777), S_IFDIR | 0700u) << "a private folder, no link";
        EXPECT_EQ(info.st_uid, getuid());
    }
}

const std::string kV = "HKCU\\Software\\X\\v"; // a value for any test

// A store in a fresh home folder, with what it says collected in log.
struct StoreUnderTest {
    path File() const { return home / "diglux" / "registry.reg"; }
    TempFolder folder;
    const path home = folder.path;
    std::ostringstream log;
    RegFileStore store{home.string(), log};
    RegistryAccess access{store};
    SettingsStore settings{access, "Tandemark", "Diglux"};
};

class RegFileStoreTest : public ::testing::Test, protected StoreUnderTest {};

// Reading creates nothing; a deleted value leaves no trace; the folder is private; a new
// store reads the file back, names in any case; nothing was said and no temporary file left.
// Values of the Run key are autostart entries (their own format and names are checked with
// AutostartEntry; here, where they go): the entry comes and goes with the value, not in the
// settings file; only texts can be autostart commands, and the Run key is never deleted.
// The clock's store lives in $XDG_CONFIG_HOME when that is an absolute path, else in
// ~/.config.
TEST_F(RegFileStoreTest, WritesRegedit4ReadsItBackKeepsRunValuesAsAutostartEntriesUnderXdgConfig) {
    EXPECT_EQ(settings.GetSettingText("Blink", "0"), "0");
    EXPECT_FALSE(fs::exists(home / "diglux"));
    settings.SaveSettingValue("Blink", "1");
    settings.SaveSettingValue("Alarm.Time", "07:30");
    settings.SaveSettingValue("Reload", "1");
    settings.SaveSettingValue("Dock", std::int32_t{5});
    settings.DeleteSettingValue("Reload");
    EXPECT_EQ(ReadText(File()),
              "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software]\n\n"
              "[HKEY_CURRENT_USER\\Software\\Tandemark]\n\n"
              "[HKEY_CURRENT_USER\\Software\\Tandemark\\Diglux]\n"
              "\"Blink\"=\"1\"\n\"Alarm.Time\"=\"07:30\"\n\"Dock\"=dword:00000005\n");
    EXPECT_EQ(fs::status(home / "diglux").permissions() & fs::perms::all, fs::perms::owner_all);
    RegFileStore again(home.string(), log);
    RegistryAccess read(again);
    EXPECT_EQ(read.RegistryValue("hkcu\\software\\tandemark\\diglux\\BLINK"), DynamicValue("1"));
    EXPECT_EQ(read.RegistryValue("HKCU\\Software\\Tandemark\\Diglux\\Dock"), DynamicValue(5));
    EXPECT_EQ(log.str(), "");
    EXPECT_FALSE(fs::exists(File().string() + ".tmp"));
    const std::string run = "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    const path entry = home / "autostart" / "diglux.desktop";
    access.RegistrySet(run + "\\Diglux", "/usr/bin/diglux");
    EXPECT_TRUE(fs::exists(entry));
    EXPECT_EQ(access.RegistryValue(run + "\\Diglux"), DynamicValue("/usr/bin/diglux"));
    EXPECT_EQ(ReadText(File()).find("/usr/bin/diglux"), std::string::npos);
    EXPECT_TRUE(access.RegDeleteValuePath(run + "\\Diglux"));
    EXPECT_FALSE(fs::exists(entry));
    EXPECT_FALSE(access.RegDeleteValuePath(run + "\\Diglux"));
    access.RegistrySet(run + "\\Diglux", DynamicValue(std::int32_t{1}));
    EXPECT_FALSE(fs::exists(entry));
    EXPECT_FALSE(access.RegDeleteKeyPath(run));
    ScopedEnv someone("HOME", "/home/someone");
    const std::pair<const char*, const char*> cases[] = {
        {"relative", "/home/someone/.config"}, {nullptr, "/home/someone/.config"}, {"/x", "/x"}};
    for (const auto& [config, expected] : cases) {
        ScopedEnv env("XDG_CONFIG_HOME", config);
        EXPECT_EQ(RegFileStore::DefaultConfigHome(), expected);
    }
}

// The settings file here is a link to a file elsewhere, as a dotfiles folder would have it;
// the link stays a link when the store writes. A value written behind the store's back is
// read (that it is kept when the store writes another, the two writers of the stress test
// below prove). Names the file could not hold are refused rather than written, and a key
// deleted behind an open handle takes no more values.
TEST_F(RegFileStoreTest, EveryOperationSeesChangesMadeByOthersThroughALink) {
    const path dotfile = home / "dotfiles" / "registry.reg";
    WriteText(dotfile, "REGEDIT4\n");
    fs::create_directories(File().parent_path());
    fs::create_symlink(dotfile, File());
    const auto key = store.CreateKey(RegistryRoot::CurrentUser, "Software\\X");
    ASSERT_TRUE(key);
    WriteText(File(), "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\X]\n\"v\"=\"edited\"\n");
    EXPECT_EQ(access.RegistryValue(kV), DynamicValue("edited"));
    EXPECT_TRUE(store.SetValue(*key, "w", ToStored(DynamicValue("1"))));
    EXPECT_TRUE(fs::is_symlink(File()));
    EXPECT_TRUE(ReadText(dotfile).ends_with("\"w\"=\"1\"\n"));
    EXPECT_FALSE(store.SetValue(*key, "two\nlines", ToStored(DynamicValue(""))));
    EXPECT_FALSE(store.CreateKey(RegistryRoot::CurrentUser, "A\nB"));
    WriteText(File(), "REGEDIT4\n");
    EXPECT_FALSE(store.SetValue(*key, "w", ToStored(DynamicValue("2"))));
    store.CloseKey(*key);
}

// An unreadable file: the clock says so once and starts with empty settings; a second bad
// file does not replace the first one. A folder where the file belongs, or a file where its
// folder belongs: the clock keeps its defaults, says so once, and leaves what is in the way
// alone.
TEST_F(RegFileStoreTest, UnreadableFileIsKeptAsBadAndAnUnusableStoreLeavesTheDefaults) {
    const std::string broken = "REGEDIT4\n[HKEY_CURRENT_USER\\Software\\X]\n\"v\"=garbage\n";
    const std::string bad = File().string() + ".bad";
    WriteText(File(), broken);
    EXPECT_TRUE(access.RegistryValue(kV).IsEmpty());
    EXPECT_EQ(ReadText(bad), broken);
    EXPECT_FALSE(fs::exists(File()));
    EXPECT_EQ(log.str(), "diglux: " + File().string() +
                             " cannot be read (line 3: unknown kind of value); kept as " + bad +
                             ", the clock starts with empty settings\n");
    WriteText(File(), "not a registry file");
    access.RegistrySet(kV, "new");
    EXPECT_EQ(ReadText(bad + "2"), "not a registry file");
    EXPECT_EQ(ReadText(bad), broken);
    EXPECT_EQ(access.RegistryValue(kV), DynamicValue("new"));
    for (const bool folderInTheFilesPlace : {true, false}) {
        StoreUnderTest s;
        const path inTheWay = folderInTheFilesPlace ? s.File() : s.File().parent_path();
        folderInTheFilesPlace ? (void)fs::create_directories(inTheWay) : WriteText(inTheWay, "");
        s.access.RegistrySet(kV, "1");
        s.access.RegistrySet(kV + "2", "1");
        EXPECT_TRUE(s.access.RegistryValue(kV).IsEmpty());
        const std::string log = s.log.str(), way = inTheWay.string();
        const std::string notAFile = " is not a file; settings are neither read nor saved\n";
        EXPECT_EQ(log.starts_with("diglux: " + way + notAFile), folderInTheFilesPlace) << log;
        EXPECT_EQ(log.starts_with("diglux: cannot create " + way), !folderInTheFilesPlace) << log;
        EXPECT_EQ(std::count(log.begin(), log.end(), '\n'), 1) << log;
        EXPECT_EQ(fs::is_directory(inTheWay), folderInTheFilesPlace);
    }
}

// Value i of a writer: its name and the text it holds.
std::string Name(int writer, int i) {
    return "w" + std::to_string(writer) + "." + std::to_string(i);
}

// Saves values first..last-1 of a writer through the settings layer, each save opening or
// creating the key, writing and closing. Each save is told on reportFd (when given) only
// after it has returned: that one must survive. Returns the writer process's exit status.
int Writer(const path& home, int writer, int first, int last, int reportFd = -1) {
    RegFileStore store(home.string());
    RegistryAccess access(store);
    SettingsStore settings(access, "Tandemark", "Diglux");
    for (int i = first; i < last; ++i) {
        settings.SaveSettingValue(Name(writer, i), "value " + Name(writer, i));
        if (reportFd >= 0 && write(reportFd, &i, sizeof i) != sizeof i) {
            return 2;
        }
    }
    return 0;
}

// The settings file under stress, in memory where the machine has it: what is tested here
// is the order of the steps and the lock, which a RAM file system keeps exactly; the disk's
// flushes would only add time. Writer 0 is killed at random moments and started again with
// the saves it has not finished, while writer 1 writes 1000 values beside it. The file must
// parse after every kill and hold every save writer 0 had finished, and in the end all of
// writer 1's. The kill moment is tied to the writer's own pace, not to a fixed delay: wait
// for 0 to 3 finished saves, then for 0 to 1.5 times the time one save took. That lands
// inside a save on any machine, however fast it writes.
TEST(Reliability, AWriterKilledAtRandomMomentsLosesNothingItFinishedNorDoesOneBesideIt) {
    const TempFolder folder{fs::is_directory("/dev/shm") ? "/dev/shm" : "/tmp"};
    const path& home = folder.path;
    // How many of the writer's values below `count` the file holds as written.
    const auto kept = [&home](int writer, int count) {
        const std::string bytes = ReadText(home / "diglux" / "registry.reg");
        RegFileError error;
        const std::optional<RegistryTree> tree = ParseRegFile(bytes, error);
        int values = 0;
        for (int i = 0; tree && i < count; ++i) {
            const auto* value =
                tree->Find("HKEY_CURRENT_USER\\Software\\Tandemark\\Diglux", Name(writer, i));
            values += value && *value == ToStored(DynamicValue("value " + Name(writer, i)));
        }
        EXPECT_TRUE(tree) << "line " << error.line << ": " << error.reason << "\n" << bytes;
        return values;
    };
    constexpr int kSaves = 400;
    const unsigned seed = std::random_device{}();
    std::mt19937 random(seed);
    SCOPED_TRACE("seed " + std::to_string(seed));
    const pid_t beside = InChild([&] { return Writer(home, 1, 0, 1000); });
    std::chrono::duration<double, std::micro> oneSave{500};
    int finished = 0, killedAtWork = 0, rounds = 0;
    for (int fds[2]; finished < kSaves && rounds < 1000; ++rounds) {
        ASSERT_EQ(pipe(fds), 0);
        const pid_t child = InChild([&] { return Writer(home, 0, finished, kSaves, fds[1]); });
        close(fds[1]);
        auto lastReport = Clock::now();
        for (int wait = std::uniform_int_distribution(0, 3)(random), done = 0;
             wait > 0 && read(fds[0], &done, sizeof done) == sizeof done; --wait) {
            oneSave = Clock::now() - std::exchange(lastReport, Clock::now());
        }
        std::this_thread::sleep_for(oneSave * std::uniform_real_distribution(0.0, 1.5)(random));
        kill(child, SIGKILL);
        const int status = WaitFor(child);
        ASSERT_TRUE(status == 0 || status == 128 + SIGKILL) << "the writer failed: " << status;
        killedAtWork += status == 128 + SIGKILL;
        for (int done = 0; read(fds[0], &done, sizeof done) == sizeof done;) {
            finished = done + 1;
        }
        close(fds[0]);
        ASSERT_EQ(kept(0, finished), finished) << "lost saves after " << rounds + 1 << " rounds";
    }
    EXPECT_EQ(finished, kSaves);
    EXPECT_GE(killedAtWork, 20) << "the writer should have been killed in the middle of its work";
    EXPECT_EQ(WaitFor(beside), 0);
    EXPECT_EQ(kept(1, 1000), 1000);
    EXPECT_FALSE(fs::exists(home / "diglux" / "registry.reg.bad"));
    std::cout << "[          ] " << kSaves << " saves survived " << killedAtWork << " kills\n";
}

// Sound and mixer.

using Samples = std::vector<std::int16_t>;
constexpr int kMax = SdlOutputGain::kMaximum;

// The samples of a wave file after its header, or of raw 16-bit audio (skip 0).
Samples SamplesOf(std::span<const std::uint8_t> bytes, std::size_t skip = kWaveHeaderSize) {
    Samples samples((bytes.size() - skip) / 2);
    std::memcpy(samples.data(), bytes.data() + skip, samples.size() * 2);
    return samples;
}

// Any sample but silence.
constexpr auto Audible = [](std::int16_t sample) { return sample != 0; };

// The samples without the silence at their end.
Samples Sounding(Samples samples) {
    samples.erase(std::find_if(samples.rbegin(), samples.rend(), Audible).base(), samples.end());
    return samples;
}

// A beep of 200 ms.
const auto Piep = [] { return EmbeddedResources().Load("SOUNDS", "PIEP"); };

// SDL's audio thread runs while an asynchronous sound plays, from a file deleted meanwhile,
// and is gone once it has ended. Stop returns at once, the thread gone and four seconds of
// the alarm cut short; stopping a silent device does nothing. A new sound replaces a playing
// one: at half volume the file then holds the new sound alone, every sample the exact scaled
// one, followed only by silence; muted, the sound's length of silence is written. (A joined
// announcement through a sound server is checked end to end.) Unreadable sounds and a missing audio
// driver fail quietly.
TEST(SdlSoundDevice, PlaysSampleForSampleScaledByTheGainEndsByItselfOrIsCutAndFailsQuietly) {
    TempFolder folder;
    const fs::path output = folder.path / "disk.raw";
    ScopedEnv driver{"SDL_AUDIODRIVER", "disk"}, file{"SDL_DISKAUDIOFILE", output.c_str()};
    SdlOutputGain gain;
    SdlSoundDevice device{gain};
    // What the device wrote; and that without the silent buffers (1024 frames, mono) it may
    // write between opening and starting to play.
    const auto File = [&output] { return SamplesOf(Bytes(ReadText(output)), 0); };
    const auto Written = [&File] {
        Samples samples = File();
        const long silence = std::ranges::find_if(samples, Audible) - samples.begin();
        samples.erase(samples.begin(), samples.begin() + silence / 1024 * 1024);
        return samples;
    };
    const auto Tasks = [] { return std::distance(fs::directory_iterator("/proc/self/task"), {}); };
    const auto idle = Tasks(); // the process's threads
    WriteText(folder.path / "piep.wav", std::string(Piep().begin(), Piep().end()));
    ASSERT_TRUE(device.PlayFile(folder.path / "piep.wav", SoundFlags{.async = true}));
    fs::remove(folder.path / "piep.wav");
    EXPECT_GT(Tasks(), idle);
    std::this_thread::sleep_for(800ms);
    EXPECT_EQ(Tasks(), idle);
    EXPECT_EQ(Sounding(Written()), Sounding(SamplesOf(Piep())));

    WaveImage alarm;
    for (int i = 0; i < 8; ++i) {
        alarm.Append(EmbeddedResources().Load("SOUNDS", "ALARM"));
    }
    const std::vector<std::uint8_t> longSound = alarm.Finish();
    ASSERT_TRUE(device.PlayWave(longSound, SoundFlags{.async = true}));
    std::this_thread::sleep_for(300ms);
    const auto stopped = Clock::now();
    device.Stop();
    EXPECT_LT((Clock::now() - stopped) / 1ms, 200);
    EXPECT_EQ(Tasks(), idle);
    EXPECT_LT(Written().size(), SamplesOf(longSound).size() / 2);

    ASSERT_TRUE(device.PlayWave(longSound, SoundFlags{.async = true}));
    gain.SetVolume(kMax / 2);
    ASSERT_TRUE(device.PlayWave(Piep(), SoundFlags{})); // replaces the alarm
    Samples expected = SamplesOf(Piep());
    std::ranges::transform(expected, expected.begin(),
                           [](int s) { return static_cast<std::int16_t>(s * (kMax / 2) / kMax); });
    EXPECT_EQ(Sounding(Written()), Sounding(expected));
    gain.SetMuted(true);
    ASSERT_TRUE(device.PlayWave(Piep(), SoundFlags{}));
    EXPECT_GE(File().size(), expected.size());
    EXPECT_TRUE(Sounding(File()).empty());
    EXPECT_FALSE(device.PlayWave(std::vector<std::uint8_t>(100, 7), SoundFlags{}));
    EXPECT_FALSE(device.PlayWave({}, SoundFlags{}));
    EXPECT_FALSE(device.PlayFile("/nonexistent/diglux.wav", SoundFlags{.async = true}));
    ScopedEnv noDriver("SDL_AUDIODRIVER", "no-such-driver");
    SdlSoundDevice silent(gain);
    EXPECT_FALSE(silent.Usable());
    EXPECT_FALSE(silent.PlayWave(Piep(), SoundFlags{}));
    silent.Stop();
}

TEST(AlsaMixer, WithoutACardNothingIsFoundOrChanged) {
    SdlOutputGain gain;
    AlsaMixer mixer(gain, "no-such-card");
    for (MixerOutput line : {MixerOutput::Master, MixerOutput::Wave}) {
        for (MixerControl control : {MixerControl::Volume, MixerControl::Mute}) {
            EXPECT_FALSE(mixer.Bounds(line, control) || mixer.Get(line, control));
            EXPECT_FALSE(mixer.Set(line, control, 1));
        }
        EXPECT_EQ(mixer.OutputName(line), "");
    }
    EXPECT_TRUE(gain.Volume() == kMax && !gain.Muted());
}

// Runs only inside tests/e2e/test-sound-pulse.sh, with its private server and null sink.
//
// Playback: the call returns after the beep (200 ms), with the device, stream and client
// closed.
//
// The mixer: the sink starts at 30 % and muted, the program's gain at 30 % (19660, which the
// percent scale gives back unchanged); the alarm's volumes (master 80 %, wave 100 %) are set
// and then the old ones restored. The sink's state shows that the old ones were read right,
// the gain that the wave line is the program's own.
TEST(SdlAndAlsaOnPulse, PlaybackReturnsAfterItsLengthAndTheMixerRaisesAndRestores) {
    if (std::getenv("DIGLUX_PULSE_TEST") == nullptr) {
        GTEST_SKIP() << "runs in tests/e2e/test-sound-pulse.sh (private PulseAudio)";
    }
    SdlOutputGain gain;
    SdlSoundDevice device(gain);
    ASSERT_TRUE(device.Usable());
    const auto started = Clock::now();
    EXPECT_TRUE(device.PlayWave(Piep(), SoundFlags{}));
    const auto took = (Clock::now() - started) / 1ms;
    EXPECT_TRUE(took >= 200 && took < 1000) << took << " ms";
    EXPECT_FALSE(Says("pactl list sink-inputs; pactl list clients", "Diglux"));

    const std::string sink = "pactl get-sink-volume nullsink; pactl get-sink-mute nullsink";
    RunCommand("pactl set-sink-volume nullsink 30%; pactl set-sink-mute nullsink 1");
    gain.SetVolume(19660);
    AlsaMixer mixer(gain);
    ASSERT_TRUE(mixer.Bounds(MixerOutput::Master, MixerControl::Volume).has_value());
    Settings state{.Volume_Set = true, .Volume_Master = 80, .Volume_Wave = 100};
    SndMixer volumes(mixer, state);
    volumes.SetVolNew();
    EXPECT_TRUE(Says(sink, " 80% ") && Says(sink, "Mute: no")) << RunCommand(sink);
    EXPECT_EQ(gain.Volume(), kMax);
    volumes.SetVolOld();
    EXPECT_TRUE(Says(sink, " 30% ") && Says(sink, "Mute: yes")) << RunCommand(sink);
    EXPECT_EQ(gain.Volume(), 19660);
}

} // namespace
} // namespace diglux
