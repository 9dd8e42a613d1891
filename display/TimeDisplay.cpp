#include "TimeDisplay.h"

#include "display/Border.h"
#include "model/Calendar.h"

#include <algorithm>

namespace diglux {
namespace {

// x positions of the glyphs on PicClk and PicDat.
constexpr std::array<int, 6> kBigDigitX{0, 90, 220, 310, 440, 530};
constexpr int kLeftColonX = 183;
constexpr int kRightColonX = 403;
constexpr std::array<int, 8> kSmallDigitX{0, 45, 115, 160, 230, 275, 320, 365};
constexpr std::array<int, 2> kDatePointX{89, 204};
constexpr int kUnlitDigit = 10; // drawn with cell 11, a digit with every segment dark

std::uint8_t Clamp255(int value) {
    return static_cast<std::uint8_t>(std::clamp(value, 0, 255));
}

bool SameDate(const LocalDateTime& a, const LocalDateTime& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day;
}

} // namespace

TimeDisplay::TimeDisplay(const Settings& settings, ClockFace& face, GlyphMaps& maps,
                         const Clock& clock, TextDisplay& text, double unitsPerPixelX)
    : settings_(settings), face_(face), maps_(maps), clock_(clock), text_(text),
      unitsPerPixelX_(unitsPerPixelX) {}

void TimeDisplay::InvalidateColor() {
    colorDirty_ = true;
    displayValid_ = false;
}

void TimeDisplay::ShowBell(int state) {
    bellState_ = state;
    maps_.Draw(MapId::PicMapOpt, face_.PicMisc(), 0, 0, state + 1);
}

void TimeDisplay::DrawTime() {
    DrawTime(clock_.Now());
}

void TimeDisplay::DrawTime(const LocalDateTime& now) {
    if (!displayValid_ && colorDirty_) {
        Recolor(now);
    }
    if (!settings_.Blink) {
        colonPhase_ = 1;
    }
    if (alarmEntry_) {
        colonPhase_ = 0;
    }
    DrawColons();
    DrawIcons();
    DrawClockDigits(now);
    DrawDate(now);
    if (!alarmEntry_ && !alarmRinging_) {
        text_.ShowText1(GermanWeekdayUpper(DayOfWeek(now.year, now.month, now.day)), Force::No);
    }
    text_.DrawText2(now);
    displayValid_ = true;
}

void TimeDisplay::Recolor(const LocalDateTime& now) {
    colorDirty_ = false;
    const int offset = settings_.Color_Offset;
    effColor_ = {Clamp255(settings_.Color_R + offset), Clamp255(settings_.Color_G + offset),
                 Clamp255(settings_.Color_B + offset)};
    if (reloadDialogColors) {
        reloadDialogColors();
    }
    maps_.Recolor(effColor_);
    const Rgb background = maps_.ColorAt(MapId::PicMapDotsB, 0, 0);
    for (Surface* surface : {&face_.Form(), &face_.PicClk(), &face_.PicDat(), &face_.PicT1(),
                             &face_.PicT2(), &face_.PicMisc()}) {
        surface->SetBackColor(background);
    }
    DrawBorder(face_.Form(), unitsPerPixelX_);
    bellDrawn_ = 2;
    text_.DrawText2(now, {.initX = true});
}

void TimeDisplay::DrawColons() {
    Surface& clk = face_.PicClk();
    if (alarmEntry_) {
        maps_.Draw(MapId::PicMapDotsB, clk, kLeftColonX, 0, 4);
        maps_.Draw(MapId::PicMapDotsB, clk, kRightColonX, 0, 3);
        return;
    }
    if (displayValid_ && !settings_.Blink) {
        return;
    }
    const int cell = colonPhase_ + 3;
    maps_.Draw(MapId::PicMapDotsB, clk, kLeftColonX, 0, cell);
    maps_.Draw(MapId::PicMapDotsB, clk, kRightColonX, 0, cell);
}

void TimeDisplay::DrawIcons() {
    Surface& misc = face_.PicMisc();
    if (bellDrawn_ != bellState_) {
        bellDrawn_ = bellState_;
        maps_.Draw(MapId::PicMapOpt, misc, 0, 0, bellState_ + 1);
    }
    const bool keep = displayValid_ && !colorDirty_;
    if (!(noSignalMark_ == settings_.Signal && keep)) {
        noSignalMark_ = settings_.Signal;
        maps_.Draw(MapId::PicMapOpt, misc, 27, 0, settings_.Signal ? 4 : 3);
    }
    if (!(noSagZeitMark_ == settings_.SagZeit && keep)) {
        noSagZeitMark_ = settings_.SagZeit;
        maps_.Draw(MapId::PicMapOpt, misc, 54, 0, settings_.SagZeit ? 6 : 5);
    }
}

// Each pair is compared with the real time, also during the alarm entry, whose callers force
// the repaint.
void TimeDisplay::DrawClockDigits(const LocalDateTime& now) {
    std::array<int, 6> digits{now.hour / 10,   now.hour % 10,   now.minute / 10,
                              now.minute % 10, now.second / 10, now.second % 10};
    if (alarmEntry_) {
        std::copy(alarmEntry_->digits.begin(), alarmEntry_->digits.end(), digits.begin());
        if (bellState_ == 0) {
            digits[static_cast<std::size_t>(std::clamp(alarmEntry_->pos, 0, 3))] = kUnlitDigit;
        }
        digits[4] = kUnlitDigit;
        digits[5] = kUnlitDigit;
    }
    Surface& clk = face_.PicClk();
    auto drawPair = [&](int& lastDrawn, int value, std::size_t first) {
        if (displayValid_ && value == lastDrawn) {
            return;
        }
        lastDrawn = value;
        maps_.Draw(MapId::PicMap7B, clk, kBigDigitX[first], 0, digits[first] + 1);
        maps_.Draw(MapId::PicMap7B, clk, kBigDigitX[first + 1], 0, digits[first + 1] + 1);
    };
    drawPair(lastDrawnHour_, now.hour, 0);
    drawPair(lastDrawnMinute_, now.minute, 2);
    drawPair(lastDrawnSecond_, now.second, 4);
}

void TimeDisplay::DrawDate(const LocalDateTime& now) {
    if (displayValid_ && SameDate(now, lastDrawnDate_)) {
        return;
    }
    lastDrawnDate_ = {now.year, now.month, now.day, 0, 0, 0};
    const std::array<int, 8> digits{now.day / 10,         now.day % 10,    now.month / 10,
                                    now.month % 10,       now.year / 1000, (now.year / 100) % 10,
                                    (now.year / 10) % 10, now.year % 10};
    Surface& dat = face_.PicDat();
    for (std::size_t i = 0; i < digits.size(); ++i) {
        maps_.Draw(MapId::PicMap7S, dat, kSmallDigitX[i], 0, digits[i] + 1);
    }
    for (const int x : kDatePointX) {
        maps_.Draw(MapId::PicMapDotsS, dat, x, 0, 2);
    }
}

} // namespace diglux
