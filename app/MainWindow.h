// The clock window's logic: start-up, shutdown, the main tick and the event handlers. It owns
// the running state, the surfaces, the glyph maps and the components, builds them in
// dependency order and forwards the window's events to them. It never touches the platform
// except through the Host it is given.
#pragma once

#include "app/ClockState.h"
#include "host/Host.h"

#include <functional>
#include <memory>
#include <string>

namespace diglux {

class ClockFace;
class TextDisplay;
class PointerInput;

struct StartupResult {
    enum class Outcome {
        Running, // the window is shown and the timers run
        Ended,   // start-up ended the program on purpose (refusal, self-restart); exit 0
        Failed,  // the program cannot run (for example a broken glyph map); exit non-zero
    };
    Outcome outcome = Outcome::Running;
    std::string error; // for Failed: one line saying why
};

class MainWindow final : public ClockWindowEvents {
  public:
    explicit MainWindow(const Host& host);
    ~MainWindow() override;
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // The start-up sequence: checks, settings, maps, first drawing, timers, window shown.
    StartupResult Load();
    // True once the shutdown sequence has run; the event loop should then end.
    bool Ended() const;

    // ClockWindowEvents
    void OnKeyDown(Key key, int shift) override;
    void OnMouseDown(int button, int shift, Point client) override;
    void OnMouseMove(int button, int shift, Point client) override;
    void OnMouseUp(int button, int shift, Point client) override;
    void OnCloseRequest(UnloadReason reason) override;
    // The window's display has gone away (its server ended): the shutdown runs as at the
    // session's end, without the steps that only show something, and without touching the
    // window again.
    void OnDisplayLost();

    // Paints the clock face; what it repaints depends on DisplayValid and ColorDirty.
    void DrawTime();
    // The main tick, run by Timer1 every 100 ms.
    void Timer1_Timer();

    // Silences a ringing alarm (clicks and keys call it).
    void AlarmStop();

    // For tests and benchmarks: the running state, the surfaces and the text display.
    ClockState& State();
    ClockFace& Face();
    const TextDisplay& Text() const;

  private:
    struct Parts;
    void ChkOrientation();
    void AlarmTest();
    void OncePerSecond();
    void HourlySignal();
    void ForwardPointer(const std::function<void(PointerInput&)>& handler);

    std::unique_ptr<Parts> parts_;
};

} // namespace diglux
