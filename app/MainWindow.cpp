#include "app/MainWindow.h"

#include "app/MainWindowParts.h"
#include "commands/Messages.h"
#include "display/Orientation.h"
#include "speech/Sentences.h"
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

MainWindow::MainWindow(const Host& host) : parts_(std::make_unique<Parts>(host)) {
    Parts& p = *parts_;
    p.timer1 = host.timers.CreateTimer(100, [this] {
        Timer1_Timer();
        parts_->face.Present(parts_->host.window);
    });
    p.timerAlarm = host.timers.CreateTimer(500, [this] {
        parts_->alarm.TimerAlarm_Timer();
        parts_->face.Present(parts_->host.window);
    });
    p.timerSound = host.timers.CreateTimer(500, [] {});
    p.timerScr = host.timers.CreateTimer(5, [this] {
        parts_->text.TimerScr_Timer();
        parts_->face.Present(parts_->host.window);
    });
    p.text.SetScrollTimer(p.timerScr);
    p.keys.emplace(CommandParts{p.state,
                                p.text,
                                p.time,
                                p.alarm,
                                p.sound,
                                p.voice,
                                host.window,
                                host.desktop,
                                host.clock,
                                p.random,
                                [this] { parts_->DoEvents(); },
                                [](const LocalDateTime& when, bool withSeconds) {
                                    return ZeitInWorten(when, withSeconds, false, false, false);
                                },
                                [](const LocalDateTime& when, bool withWeekday) {
                                    return DatumInWorten(when, withWeekday, false, false, false);
                                },
                                [this](UnloadReason reason) { OnCloseRequest(reason); },
                                {},
                                {},
                                {}});
    p.pointer.emplace(PointerParts{
        p.state, p.face, p.maps, p.text, host.window, host.desktop, [this] { parts_->DoEvents(); },
        [this](Key key, int shift) { parts_->keys->Form_KeyDown(key, shift); },
        [this] { parts_->alarm.AlarmStop(); },
        [this] { OnCloseRequest(UnloadReason::ProgramClose); }});
    host.window.AttachFrame(&p.face.Frame());
    host.window.SetEventSink(this);
}

MainWindow::~MainWindow() {
    parts_->host.window.SetEventSink(nullptr);
}

StartupResult MainWindow::Load() {
    Parts& p = *parts_;
    ClockState& s = p.state;
    const Host& host = p.host;

    s.VersionText = MakeVersionText(host.system.Version());
    if (!p.checks.Run()) {
        return {StartupResult::Outcome::Ended, {}};
    }

    s.TwipsPerPixelX = host.desktop.UnitsPerPixelX();
    s.TwipsPerPixelY = host.desktop.UnitsPerPixelY();
    p.settings.LoadOrientation();
    s.OrientationIndex = Orientation(host.desktop) != 0 ? 1 : 0;

    p.settings.Load();

    // The random colour's generator, seeded from the date and time.
    const LocalDateTime now = host.clock.Now();
    std::seed_seq seed{now.year, now.month, now.day, now.hour, now.minute, now.second};
    p.random.seed(seed);
    if (p.environment.ShadowSupported()) {
        DropShadow(host.window);
    }

    std::string error;
    if (!p.maps.LoadMasters(host.resources, host.images, error)) {
        return {StartupResult::Outcome::Failed, error};
    }

    s.DigitLimits = {2, 9, 5, 9};
    const std::string prefix = p.environment.TempDir() + ExeBaseName(p.environment.ExePath());
    s.AlarmWavPath = prefix + "Alarm.wav";
    s.SagZeitWavPath = prefix + "SagZeit.wav";
    s.VoiceResType = "VOICE1";
    s.SoundResType = "SOUNDS";

    p.time.DrawTime();
    host.timers.SetEnabled(p.timer1, true);
    host.timers.SetEnabled(p.timerAlarm, true);
    ShowInTask(host.window, s.ShowInTask);
    p.text.RollText2("", false, true, 0);
    p.face.Present(host.window);
    host.window.Show();
    ShowStartMsg(p.text, s);
    p.text.DrawText2(false, 0.25);
    p.face.Present(host.window);
    p.started = true;
    return {};
}

bool MainWindow::Ended() const {
    return parts_->ended;
}

void MainWindow::OnCloseRequest(UnloadReason /*reason*/) {
    Parts& p = *parts_;
    if (p.ended) {
        return;
    }
    // The autostart bookkeeping that depends on the reason comes with the autostart work.
    ClockState& s = p.state;
    const Host& host = p.host;
    p.sound.StopSound();
    if (!p.displayLost) {
        OnTop(host.window, false, false);
    }
    s.AlarmEntryMode = false;
    for (const TimerId id : {p.timer1, p.timerAlarm, p.timerSound, p.timerScr}) {
        host.timers.SetEnabled(id, false);
    }
    if (p.started && !p.displayLost) {
        p.text.ShowText1("BYE BYE ...", true);
        p.text.RollText2("", false, false, 2.0);
        p.face.Present(host.window);
    }
    DeleteIfNotEmpty(p.environment, host.files, s.AlarmWavPath);
    DeleteIfNotEmpty(p.environment, host.files, s.SagZeitWavPath);
    p.settings.SetSave();
    p.environment.WaitSeconds(0.25f);
    p.ended = true;
    if (!p.displayLost) {
        host.window.Destroy();
    }
}

void MainWindow::OnDisplayLost() {
    parts_->displayLost = true;
    OnCloseRequest(UnloadReason::SessionEnd);
}

void MainWindow::OnKeyDown(Key key, int shift) {
    Parts& p = *parts_;
    if (p.ended) {
        return;
    }
    p.keys->Form_KeyDown(key, shift);
    if (!p.ended) {
        p.face.Present(p.host.window);
    }
}

void MainWindow::OnMouseDown(int button, int, Point client) {
    ForwardPointer([&](PointerInput& pointer) { pointer.MouseDown(button, client); });
}

void MainWindow::OnMouseMove(int button, int, Point client) {
    ForwardPointer([&](PointerInput& pointer) { pointer.MouseMove(button, client); });
}

void MainWindow::OnMouseUp(int button, int, Point client) {
    ForwardPointer([&](PointerInput& pointer) { pointer.MouseUp(button, client); });
}

void MainWindow::ForwardPointer(const std::function<void(PointerInput&)>& handler) {
    Parts& p = *parts_;
    if (p.ended || !p.started) {
        return;
    }
    handler(*p.pointer);
    if (!p.ended) {
        p.face.Present(p.host.window);
    }
}

void MainWindow::DrawTime() {
    parts_->time.DrawTime();
}

void MainWindow::AlarmStop() {
    parts_->alarm.AlarmStop();
}

const TextDisplay& MainWindow::Text() const {
    return parts_->text;
}

ClockState& MainWindow::State() {
    return parts_->state;
}

ClockFace& MainWindow::Face() {
    return parts_->face;
}

} // namespace diglux
