#include "app/MainWindow.h"

#include "app/MainWindowParts.h"
#include "commands/Messages.h"
#include "window/WindowStyle.h"

namespace diglux {
namespace {

// Deletes a temporary sound file that exists and is not empty; failures are ignored.
void DeleteIfNotEmpty(Environment& environment, FileSystem& files, const std::string& path) {
    if (!path.empty() && environment.FileLength(path) > 0) {
        files.RemoveFile(path);
    }
}

} // namespace

MainWindow::Parts::Parts(const Host& h, MainWindow& window)
    : host(h), text(settings, face, maps, h.clock, h.timers, h.window, [this] { DoEvents(); }),
      time(settings, face, maps, h.clock, text, h.desktop.UnitsPerPixelX()),
      registryAccess(h.registry), store(registryAccess, kMakerName, kProductName),
      environment(h.system, h.desktop, h.clock, h.resources, &h.files),
      sound(h.sound, h.resources, &h.files),
      voice(sound, h.resources, h.desktop, environment, &h.files, wavFiles.sagZeit),
      mixer(h.mixer, settings),
      placement(store, h.window, h.desktop, settings, text, sound, [this] { DoEvents(); }),
      storage(settings, store, placement, [this] { return environment.WinVersion() < 6.0f; }),
      alarm(AlarmParts{settings, text, time, sound, mixer, voice, h.window, h.clock, environment,
                       wavFiles.alarm}),
      entry(settings, time, text, h.desktop),
      tick(TickParts{settings, h.clock, face, time, text, alarm, entry, placement, sound, mixer,
                     voice, h.window, h.desktop, [this] { DoEvents(); }}),
      keys(CommandParts{settings, text, time, alarm, entry, sound, voice, h.window, h.desktop,
                        h.clock, tick.TickNow(), versionText, [this] { DoEvents(); },
                        [&window](UnloadReason reason) { window.OnCloseRequest(reason); }}),
      pointer(PointerParts{settings, placement, face, maps, text, h.window, h.desktop,
                           [this] { DoEvents(); },
                           [this](Key key, int shift) { keys.Form_KeyDown(key, shift); },
                           [this] { alarm.AlarmStop(); },
                           [&window] { window.OnCloseRequest(UnloadReason::ProgramClose); }}),
      checks(StartupCheckParts{store, registryAccess, h.files, environment, h.system, h.desktop,
                               h.processes}) {}

MainWindow::MainWindow(const Host& host) : parts_(std::make_unique<Parts>(host, *this)) {
    Parts& p = *parts_;
    // Every timer's handler ends by pushing what it changed to the screen.
    const auto timer = [&p](int intervalMs, auto handler) {
        return p.host.timers.CreateTimer(intervalMs, [&p, handler] {
            handler();
            p.face.Present(p.host.window);
        });
    };
    p.timers.timer1 = timer(100, [&p] { p.tick.Timer1_Timer(); });
    p.timers.timerAlarm = timer(500, [&p] { p.alarm.TimerAlarm_Timer(p.entry.AlarmEntryMode()); });
    p.timers.timerSound = host.timers.CreateTimer(500, [] {});
    p.timers.timerScr = timer(5, [&p] { p.text.TimerScr_Timer(); });
    p.text.SetScrollTimer(p.timers.timerScr);
    // The ticks that would change nothing may be slept through.
    host.timers.SetIdleTicks(p.timers.timer1, {[&p](double ms, double interval) {
                                                   return p.tick.IdleTicksAhead(ms, interval);
                                               },
                                               [&p](long ticks) { p.tick.CountIdleTicks(ticks); }});
    host.timers.SetIdleTicks(p.timers.timerAlarm, {[&p](double, double) {
                                 return p.alarm.IdleTicksAhead(p.entry.AlarmEntryMode());
                             }});
    host.timers.SetIdleTicks(p.timers.timerScr, {[&p](double ms, double interval) {
                                 return p.text.IdleScrollTicks(ms, interval);
                             }});
    host.window.AttachFrame(&p.face.Frame());
    host.window.SetEventSink(this);
}

MainWindow::~MainWindow() {
    parts_->host.window.SetEventSink(nullptr);
}

StartupResult MainWindow::Load() {
    Parts& p = *parts_;
    const Host& host = p.host;
    p.versionText = MakeVersionText(host.system.Version());
    if (!p.checks.Run()) {
        return {StartupResult::Outcome::Ended, {}};
    }

    p.placement.LoadOrientation();
    p.placement.NoteOrientation();
    p.storage.Load();

    // The random colour's generator, seeded from the date and time.
    const LocalDateTime now = host.clock.Now();
    p.keys.SeedRandom(now);
    if (p.environment.ShadowSupported()) {
        DropShadow(host.window);
    }

    std::string error;
    if (!p.maps.LoadMasters(host.resources, host.images, error)) {
        return {StartupResult::Outcome::Failed, error};
    }

    p.wavFiles = p.environment.TempWavPaths();

    p.time.DrawTime(now);
    p.tick.Start(now);
    host.timers.SetEnabled(p.timers.timer1, true);
    host.timers.SetEnabled(p.timers.timerAlarm, true);
    ShowInTask(host.window, p.settings.ShowInTask);
    p.text.RollText2("", Align::Left, {.initX = true});
    p.face.Present(host.window);
    host.window.Show();
    ShowStartMsg(p.text, now, p.versionText, p.settings);
    p.text.DrawText2(now, {.steps = 0.25});
    p.face.Present(host.window);
    if (p.phase == Parts::Phase::Starting) { // a key may have closed it while the field rolled
        p.phase = Parts::Phase::Running;
    }
    return {};
}

bool MainWindow::Ended() const {
    return parts_->phase == Parts::Phase::Ended;
}

void MainWindow::OnCloseRequest(UnloadReason /*reason*/) {
    Parts& p = *parts_;
    const Parts::Phase before = p.phase;
    if (before == Parts::Phase::Closing || before == Parts::Phase::Ended) {
        return; // events run during the farewell; the shutdown runs once
    }
    p.phase = Parts::Phase::Closing;
    // The autostart bookkeeping that depends on the reason comes with the autostart work.
    const Host& host = p.host;
    p.sound.StopSound();
    if (!p.displayLost) {
        OnTop(host.window, Topmost::Leave);
    }
    p.entry.Leave();
    const Parts::Timers& t = p.timers;
    for (const TimerId id : {t.timer1, t.timerAlarm, t.timerSound, t.timerScr}) {
        host.timers.SetEnabled(id, false);
    }
    if (before == Parts::Phase::Running && !p.displayLost) {
        p.text.ShowText1("BYE BYE ...", Force::Yes);
        p.text.RollText2("", Align::Left, {.steps = 2.0});
        p.face.Present(host.window);
    }
    DeleteIfNotEmpty(p.environment, host.files, p.wavFiles.alarm);
    DeleteIfNotEmpty(p.environment, host.files, p.wavFiles.sagZeit);
    p.storage.SetSave();
    p.environment.WaitSeconds(0.25f);
    p.phase = Parts::Phase::Ended;
    if (!p.displayLost) {
        host.window.Destroy();
    }
}

void MainWindow::OnDisplayLost() {
    parts_->displayLost = true;
    OnCloseRequest(UnloadReason::SessionEnd);
}

// Runs an input handler until the clock has ended (pointer input only once it has started),
// then pushes what the handler changed to the screen. The next tick of every timer runs.
template <typename Handler> void MainWindow::Forward(bool beforeStart, Handler&& handler) {
    Parts& p = *parts_;
    if (p.phase != Parts::Phase::Running && (p.phase != Parts::Phase::Starting || !beforeStart)) {
        return;
    }
    p.host.timers.NoteEvent(); // whatever the input changed, every timer's next tick sees
    handler(p);
    if (p.phase != Parts::Phase::Ended) {
        p.face.Present(p.host.window);
    }
}

void MainWindow::OnKeyDown(Key key, int shift) {
    Forward(true, [&](Parts& p) { p.keys.Form_KeyDown(key, shift); });
}

void MainWindow::OnMouseDown(int button, int, Point client) {
    Forward(false, [&](Parts& p) { p.pointer.MouseDown(button, client); });
}

void MainWindow::OnMouseMove(int button, int, Point client) {
    Forward(false, [&](Parts& p) { p.pointer.MouseMove(button, client); });
}

void MainWindow::OnMouseUp(int button, int, Point client) {
    Forward(false, [&](Parts& p) { p.pointer.MouseUp(button, client); });
}

} // namespace diglux
