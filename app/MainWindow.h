// The clock window's logic: start-up, shutdown and the event handlers. It builds the
// components in dependency order, owns them, and forwards the window's events and timers to
// them. It never touches the platform except through the Host it is given.
#pragma once

#include "host/Host.h"

#include <memory>
#include <string>

namespace diglux {

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

    // The components, for the tests and benchmarks that look inside (app/MainWindowParts.h).
    struct Parts;
    Parts& Inside() { return *parts_; }

  private:
    template <typename Handler> void Forward(bool beforeStart, Handler&& handler);

    std::unique_ptr<Parts> parts_;
};

} // namespace diglux
