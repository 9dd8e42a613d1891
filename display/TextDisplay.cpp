#include "TextDisplay.h"

#include "model/Calendar.h"
#include "model/GermanText.h"

#include <array>
#include <cmath>
#include <cstdlib>

namespace diglux {
namespace {

constexpr int kLineLength = 13;
constexpr int kFieldLength = 7;
constexpr int kLineFirstX = 4;
constexpr int kCharPitch = 14;
constexpr int kRollPauseMs = 12; // 0.0125 s in whole milliseconds

// The code of a UTF-8 sequence starting at text[i], and its length in bytes.
std::pair<unsigned, std::size_t> DecodeUtf8(const std::string& text, std::size_t i) {
    const auto c = static_cast<unsigned char>(text[i]);
    const std::size_t length = c < 0x80 ? 1 : c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
    if (i + length > text.size()) {
        return {0xFFFD, 1};
    }
    unsigned code = length == 1 ? c : c & (0x7Fu >> length);
    for (std::size_t k = 1; k < length; ++k) {
        code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3Fu);
    }
    return {code, length};
}

std::string PadRight(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

} // namespace

std::string PrepareDisplayText(const std::string& text, bool iSerifOff) {
    const std::string spelled = ReplUmlaut(text);
    std::string out;
    out.reserve(spelled.size());
    for (std::size_t i = 0; i < spelled.size();) {
        const auto [code, length] = DecodeUtf8(spelled, i);
        i += length;
        if (code < 32 || code > 127) {
            out += '?';
        } else if (code == 'I' && iSerifOff) {
            out += '|';
        } else {
            out += static_cast<char>(code);
        }
    }
    return out;
}

TextDisplay::TextDisplay(const Settings& settings, ClockFace& face, const GlyphMaps& maps,
                         Clock& clock, TimerService& timers, const ClockWindowHost& window,
                         std::function<void()> doEvents)
    : settings_(settings), face_(face), maps_(maps), clock_(clock), timers_(timers),
      window_(window), doEvents_(std::move(doEvents)) {}

void TextDisplay::SetScrollTimerEnabled(bool enabled) {
    if (timerScr_ != 0) {
        timers_.SetEnabled(timerScr_, enabled);
    }
}

void TextDisplay::DrawLine(const std::string& thirteen) {
    for (int i = 0; i < kLineLength; ++i) {
        const auto code = static_cast<unsigned char>(thirteen[static_cast<std::size_t>(i)]);
        maps_.Draw(MapId::PicMap16S, face_.PicT1(), kLineFirstX + i * kCharPitch, 0, code - 31);
    }
}

void TextDisplay::DrawFieldChar(int position, int code) {
    maps_.Draw(MapId::PicMap16S, face_.PicT2(), position * kCharPitch, 0, code - 31);
}

void TextDisplay::ShowText1(const std::string& text, Force force) {
    if (force == Force::Yes) {
        scrolling_ = false;
        SetScrollTimerEnabled(false);
    }
    if (scrolling_) {
        return;
    }
    const std::string prepared = PrepareDisplayText(text, settings_.ISerifOff);
    const double now = clock_.SecondsSinceMidnight();
    // The line holds any text for at least a second; after midnight (now < t1Time_) it shows.
    if (t1Time_ + 1 >= now && now >= t1Time_ && force == Force::No) {
        return;
    }
    t1Time_ = now;
    text1Shown_ = PadRight(prepared, kLineLength);
    DrawLine(text1Shown_);
    doEvents_();
}

void TextDisplay::ScrollText1(const std::string& text, double delay, const std::string& afterText) {
    if (!text.empty()) {
        scrollText_ = PrepareDisplayText(std::string(kLineLength, ' ') + text, settings_.ISerifOff);
        afterText_ = afterText;
        scrollPos_ = 0;
        scrolling_ = true;
        SetScrollTimerEnabled(true);
    }
    scrollDelay_ = delay > 0 ? delay : 0.125;
}

void TextDisplay::ScrollStep() {
    const double now = clock_.SecondsSinceMidnight();
    if (!(now < scrollLast_ || scrollLast_ + scrollDelay_ < now)) {
        return;
    }
    scrollLast_ = now;
    ++scrollPos_;
    const auto start = static_cast<std::size_t>(scrollPos_ - 1);
    const std::string visible =
        start < scrollText_.size() ? scrollText_.substr(start, kLineLength) : std::string();
    DrawLine(PadRight(visible, kLineLength));
    doEvents_();
    if (scrollPos_ > static_cast<int>(scrollText_.size())) {
        scrolling_ = false;
        SetScrollTimerEnabled(false);
        ShowText1(afterText_.empty() ? text1Shown_ : afterText_, Force::Yes);
    }
}

void TextDisplay::TimerScr_Timer() {
    if (scrolling_) {
        ScrollStep();
    }
}

long TextDisplay::IdleScrollTicks(double msToNextTick, double intervalMs) const {
    if (!scrolling_) {
        return kIdleForever;
    }
    const double now = clock_.SecondsSinceMidnight();
    // A step is due once the delay has passed, or when the clock went back (midnight).
    const double room = (scrollLast_ + scrollDelay_ - now) * 1000 - kIdleMarginMs - msToNextTick;
    if (now < scrollLast_ || room < 0) {
        return 0;
    }
    return static_cast<long>(std::floor(room / intervalMs)) + 1;
}

std::string TextDisplay::FieldContent(const LocalDateTime& today) const {
    const auto week = [&today] {
        return "KW " + std::to_string(IsoWeek(today.year, today.month, today.day));
    };
    const auto alarm = [this] {
        return settings_.Alarm_Enabled ? settings_.Alarm_Time + " " : std::string();
    };
    switch (settings_.Text_2) {
    case 1:
        return week();
    case 2:
        return alarm();
    case 3:
        return settings_.Alarm_Enabled ? alarm() : week();
    default:
        return {};
    }
}

void TextDisplay::DrawText2(const LocalDateTime& today, FieldChange change) {
    RollText2(FieldContent(today), Align::Right, change);
}

void TextDisplay::DrawText2(FieldChange change) {
    DrawText2(clock_.Now(), change);
}

void TextDisplay::RollText2(const std::string& text, Align align, FieldChange change) {
    const bool initX = change.initX;
    const double steps = change.steps <= 0 ? 1 : change.steps;
    const std::string prepared = PrepareDisplayText(text, settings_.ISerifOff);
    const std::string blanks(kFieldLength, ' ');
    const std::string aligned =
        align == Align::Right
            ? (blanks + prepared).substr(blanks.size() + prepared.size() - kFieldLength)
            : (prepared + blanks).substr(0, kFieldLength);
    if (t2Shown_.empty()) {
        t2Shown_ = blanks;
    }
    if (aligned == t2Shown_ && !initX) {
        return;
    }
    if (!initX) {
        const std::string from = t2Shown_;
        t2Shown_ = aligned;
        AnimateRoll(from, aligned, steps);
        if (steps <= 1) {
            t2Shown_ = aligned;
            doEvents_();
            return;
        }
    }
    for (int i = 0; i < kFieldLength; ++i) {
        DrawFieldChar(i, static_cast<unsigned char>(aligned[static_cast<std::size_t>(i)]));
    }
    doEvents_();
    t2Shown_ = aligned;
    doEvents_();
}

void TextDisplay::AnimateRoll(const std::string& from, const std::string& to, double steps) {
    // table[frame][position]: the code shown at each frame, 0 where a run has not begun.
    constexpr int kFrames = 257;
    std::array<std::array<int, kFieldLength>, kFrames> table{};
    std::array<int, kFieldLength> runLength{};
    int n = 0;
    for (int i = 0; i < kFieldLength; ++i) {
        const int a = static_cast<unsigned char>(to[static_cast<std::size_t>(i)]);
        const int b = static_cast<unsigned char>(from[static_cast<std::size_t>(i)]);
        runLength[static_cast<std::size_t>(i)] = std::abs(a - b) + 1;
        n = std::max(n, runLength[static_cast<std::size_t>(i)]);
    }
    for (int i = 0; i < kFieldLength; ++i) {
        const int a = static_cast<unsigned char>(to[static_cast<std::size_t>(i)]);
        const int b = static_cast<unsigned char>(from[static_cast<std::size_t>(i)]);
        const int d = runLength[static_cast<std::size_t>(i)];
        // Rising runs end on the last frame; falling and unchanged ones start on the first.
        const int first = b < a ? n - d : 0;
        const int direction = b < a ? 1 : -1;
        for (int k = 0; k < d; ++k) {
            table[static_cast<std::size_t>(first + k)][static_cast<std::size_t>(i)] =
                b + direction * k;
        }
    }
    for (double t = 0; t <= n - 1; t += steps) {
        const int f = steps < 1 ? static_cast<int>(t) + 1 : static_cast<int>(std::nearbyint(t));
        if (f != t2Frame_ && f < kFrames) {
            t2Frame_ = f;
            auto& row = table[static_cast<std::size_t>(f)];
            for (int i = 0; i < kFieldLength; ++i) {
                auto& code = row[static_cast<std::size_t>(i)];
                if (f > 0 && code == 0) {
                    code = table[static_cast<std::size_t>(f - 1)][static_cast<std::size_t>(i)];
                }
                if (code != 0) {
                    DrawFieldChar(i, code);
                }
            }
            doEvents_();
        }
        if (window_.IsVisible()) {
            clock_.Sleep(kRollPauseMs);
        }
    }
}

} // namespace diglux
