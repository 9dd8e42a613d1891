#include "TimeDisplay.h"

#include "display/Border.h"
#include "display/Calendar.h"

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

TimeDisplay::TimeDisplay(ClockState& state, ClockFace& face, GlyphMaps& maps, const Clock& clock,
                         TextDisplay& text)
    : state_(state), face_(face), maps_(maps), clock_(clock), text_(text) {}

void TimeDisplay::DrawTime() {
    state_.TickNow = clock_.Now();
    const LocalDateTime& now = state_.TickNow;
    if (!state_.DisplayValid && state_.ColorDirty) {
        Recolor();
    }
    if (!state_.Blink) {
        state_.ColonPhase = 1;
    }
    std::array<int, 4> hourMinute{now.hour / 10, now.hour % 10, now.minute / 10, now.minute % 10};
    int secondTens = now.second / 10;
    int secondUnits = now.second % 10;
    if (state_.AlarmEntryMode) {
        DrawAlarmEntryDigits(hourMinute);
        secondTens = kUnlitDigit;
        secondUnits = kUnlitDigit;
        state_.ColonPhase = 0;
    }
    DrawColons();
    DrawIcons();
    DrawClockDigits(hourMinute, secondTens, secondUnits);
    DrawDate();
    if (!state_.AlarmEntryMode && !state_.AlarmRinging) {
        text_.ShowText1(GermanWeekdayUpper(DayOfWeek(now.year, now.month, now.day)), false);
    }
    text_.DrawText2(false, 0);
    state_.DisplayValid = true;
}

void TimeDisplay::Recolor() {
    state_.ColorDirty = false;
    const int offset = state_.Color_Offset;
    state_.EffColor = {Clamp255(state_.Color_R + offset), Clamp255(state_.Color_G + offset),
                       Clamp255(state_.Color_B + offset)};
    if (reloadDialogColors) {
        reloadDialogColors();
    }
    maps_.Recolor(state_.EffColor);
    const Rgb background = maps_.Working(MapId::PicMapDotsB).At(0, 0);
    for (Surface* surface : {&face_.Form(), &face_.PicClk(), &face_.PicDat(), &face_.PicT1(),
                             &face_.PicT2(), &face_.PicMisc()}) {
        surface->SetBackColor(background);
    }
    DrawBorder(face_.Form(), state_.TwipsPerPixelX);
    state_.BellDrawn = 2;
    if (!state_.AlarmEntryMode) {
        state_.EntryPos = 0;
    }
    text_.DrawText2(true, 0);
}

void TimeDisplay::DrawAlarmEntryDigits(std::array<int, 4>& hourMinute) {
    const std::string& alarm = state_.Alarm_Time;
    if (alarm.size() == 5) {
        for (std::size_t i = 0; i < 4; ++i) {
            const char c = alarm[i < 2 ? i : i + 1];
            // A character that is not a digit counts as 0, as a numeric conversion would give.
            state_.EntryDigits[i] = (c >= '0' && c <= '9') ? c - '0' : 0;
        }
    }
    hourMinute = state_.EntryDigits;
    if (state_.BellState == 0) {
        hourMinute[static_cast<std::size_t>(std::clamp(state_.EntryPos, 0, 3))] = kUnlitDigit;
    }
}

void TimeDisplay::DrawColons() {
    Surface& clk = face_.PicClk();
    if (state_.AlarmEntryMode) {
        maps_.Draw(MapId::PicMapDotsB, clk, kLeftColonX, 0, 4);
        maps_.Draw(MapId::PicMapDotsB, clk, kRightColonX, 0, 3);
        return;
    }
    if (state_.DisplayValid && !state_.Blink) {
        return;
    }
    const int cell = state_.ColonPhase + 3;
    maps_.Draw(MapId::PicMapDotsB, clk, kLeftColonX, 0, cell);
    maps_.Draw(MapId::PicMapDotsB, clk, kRightColonX, 0, cell);
}

void TimeDisplay::DrawIcons() {
    Surface& misc = face_.PicMisc();
    if (state_.BellDrawn != state_.BellState) {
        state_.BellDrawn = state_.BellState;
        maps_.Draw(MapId::PicMapOpt, misc, 0, 0, state_.BellState + 1);
    }
    const bool keep = state_.DisplayValid && !state_.ColorDirty;
    if (!(state_.NoSignalMark == state_.Signal && keep)) {
        state_.NoSignalMark = state_.Signal;
        maps_.Draw(MapId::PicMapOpt, misc, 27, 0, state_.Signal ? 4 : 3);
    }
    if (!(state_.NoSagZeitMark == state_.SagZeit && keep)) {
        state_.NoSagZeitMark = state_.SagZeit;
        maps_.Draw(MapId::PicMapOpt, misc, 54, 0, state_.SagZeit ? 6 : 5);
    }
}

void TimeDisplay::DrawClockDigits(const std::array<int, 4>& hourMinute, int secondTens,
                                  int secondUnits) {
    Surface& clk = face_.PicClk();
    const LocalDateTime& now = state_.TickNow;
    auto drawPair = [&](int& lastDrawn, int value, std::size_t firstGlyph, int tens, int units) {
        if (state_.DisplayValid && value == lastDrawn) {
            return;
        }
        lastDrawn = value;
        maps_.Draw(MapId::PicMap7B, clk, kBigDigitX[firstGlyph], 0, tens + 1);
        maps_.Draw(MapId::PicMap7B, clk, kBigDigitX[firstGlyph + 1], 0, units + 1);
    };
    drawPair(state_.LastDrawnHour, now.hour, 0, hourMinute[0], hourMinute[1]);
    drawPair(state_.LastDrawnMinute, now.minute, 2, hourMinute[2], hourMinute[3]);
    drawPair(state_.LastDrawnSecond, now.second, 4, secondTens, secondUnits);
}

void TimeDisplay::DrawDate() {
    const LocalDateTime& now = state_.TickNow;
    if (state_.DisplayValid && SameDate(now, state_.LastDrawnDate)) {
        return;
    }
    state_.LastDrawnDate = {now.year, now.month, now.day, 0, 0, 0};
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
