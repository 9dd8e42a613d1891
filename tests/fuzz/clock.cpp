// The whole clock on the fake host. The bytes up to the first zero are the settings file (the
// registry's .reg text); the rest give the date and time it starts at, then drive a minute of
// 100 ms ticks, each with a key, a button pressed or let go, or a pointer move, or nothing.
#include "app/MainWindowParts.h"
#include "store/RegFileFormat.h"
#include "tests/support/FakeHost.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

namespace {

using namespace diglux;

using Bytes = std::span<const std::uint8_t>;

// The next byte, 0 once they are used up.
int Next(Bytes& bytes) {
    const int next = bytes.empty() ? 0 : bytes.front();
    bytes = bytes.subspan(bytes.empty() ? 0 : 1);
    return next;
}

// One tick's input. The first byte picks what happens (by its value modulo 5: nothing, a key,
// a button pressed, let go, or a move), the modifiers and the button; the next name the key
// or the point.
void Input(MainWindow& clock, test::FakeHost& host, Bytes& bytes) {
    const int op = Next(bytes);
    const int shift = op / 5 % 8;
    const int button = std::array{0, 1, 2, 4}[op / 40 % 4];
    if (op % 5 == 1) {
        clock.OnKeyDown(static_cast<Key>(Next(bytes) % (static_cast<int>(Key::Z) + 1)), shift);
    } else if (op % 5 >= 2) {
        const Point at{Next(bytes) * 3 - 64, Next(bytes) - 8}; // around the window's 654 x 238
        host.desktop.pointer = {host.window.rect.left + at.x, host.window.rect.top + at.y};
        (clock.*std::array{&MainWindow::OnMouseDown, &MainWindow::OnMouseUp,
                           &MainWindow::OnMouseMove}[op % 5 - 2])(button, shift, at);
    }
}

// 100 ms of time: the main tick, the alarm's every fifth, the text's 5 ms scroll steps.
void Tick(MainWindow& clock, test::FakeHost& host, int tick) {
    host.clock.fraction = tick % 10 / 10.0;
    if (tick % 10 == 0) {
        host.clock.AdvanceSeconds(1);
    }
    const MainWindow::Parts::Timers& timers = clock.Inside().timers;
    host.timers.Fire(timers.timer1);
    if (tick % 5 == 0) {
        host.timers.Fire(timers.timerAlarm);
    }
    for (int step = 0; step < 20 && host.timers.Fire(timers.timerScr); ++step) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::uint8_t* end = data + size;
    const std::uint8_t* zero = std::find(data, end, 0);
    RegFileError error;
    auto tree = ParseRegFile(
        {reinterpret_cast<const char*>(data), static_cast<std::size_t>(zero - data)}, error);
    if (!tree) {
        return 0;
    }
    test::FakeHost host;
    host.registry.tree = std::move(*tree);
    Bytes bytes(std::min(zero + 1, end), end);
    LocalDateTime& now = host.clock.now;
    now.month = 1 + Next(bytes) % 12;
    now.day = 1 + Next(bytes) % 28;
    now.hour = Next(bytes) % 24;
    now.minute = Next(bytes) % 60;
    now.second = Next(bytes) % 60;
    MainWindow clock(host.Bundle());
    if (clock.Load().outcome != StartupResult::Outcome::Running) {
        return 0;
    }
    for (int tick = 1; tick <= 600 && !clock.Ended(); ++tick) {
        host.log.clear();
        Input(clock, host, bytes);
        Tick(clock, host, tick);
    }
    clock.OnCloseRequest(UnloadReason::UserClose);
    return 0;
}
