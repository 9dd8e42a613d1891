// Four hundred days of the clock in Berlin's time zone, 1 Dec 2019 to 3 Jan 2021: across
// midnights, month ends, two year ends (week 1 of 2020 starts on 30 Dec 2019; 2020 ends in a
// week 53), a leap day and both clock changes. What each day should bring is taken from the C
// library's own time zone rules, not from the clock's code: an alarm rings at each occurrence of
// its time (02:30 is missing on the spring day and comes twice on the autumn day), the hourly
// signal sounds once for each full hour (23 and 25 on the change days), the face shows each
// day's date and calendar week, and the heap does not grow.
#include "tests/support/ClockFixture.h"

#include <cstdlib>
#include <ctime>
#include <malloc.h>
#include <map>

namespace diglux::test {
namespace {

struct Day {
    int signals = 0, rings = 0, expectedSignals = 0, expectedRings = 0;
};

std::tm LocalAt(std::time_t utc) {
    std::tm local{};
    localtime_r(&utc, &local);
    return local;
}

std::string Format(const std::tm& local, const char* format) {
    char text[32];
    return std::string(text, std::strftime(text, sizeof text, format, &local));
}

class LongRunTest : public ClockFixture, public ::testing::WithParamInterface<const char*> {
  protected:
    // Nothing else in these tests reads the local time zone.
    static void SetUpTestSuite() {
        setenv("TZ", "Europe/Berlin", 1);
        tzset();
    }
    // The tick that sees the second, then the one that redraws it; true when the alarm has
    // started ringing meanwhile.
    bool RunSecond(std::time_t utc) {
        SetClock(utc);
        const bool wasRinging = In().alarm.AlarmRinging();
        In().tick.Timer1_Timer();
        In().tick.Timer1_Timer();
        return !wasRinging && In().alarm.AlarmRinging();
    }
    void SetClock(std::time_t utc) {
        const std::tm t = LocalAt(utc);
        host.clock.now = {t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec};
    }
    void ExpectFaceShowsTheDay(const std::tm& local) {
        std::vector<int> cells;
        for (const char digit : Format(local, "%d%m%Y")) {
            cells.push_back(digit - '0' + 1);
        }
        EXPECT_TRUE(ShowsCells(In().face.PicDat(), {0, 45, 115, 160, 230, 275, 320, 365}, dateMap_,
                               MapId::PicMap7S, cells));
        const std::string week = "KW " + std::to_string(std::stoi(Format(local, "%V")));
        EXPECT_EQ(In().text.T2Shown(), std::string(7 - week.size(), ' ') + week)
            << Format(local, "%F");
    }

    static inline std::string savedZone_;
    const RgbImage dateMap_ = TintedMaster(MapId::PicMap7S, kDefaultGreen);
};

TEST_P(LongRunTest, EachDayRingsSignalsAndShowsAsTheTimeZoneSays) {
    const std::string alarm = GetParam();
    std::tm start{};
    start.tm_mday = 1; // 1 Dec 2019, midnight
    start.tm_mon = 11;
    start.tm_year = 119;
    start.tm_isdst = -1;
    const std::time_t first = std::mktime(&start);
    SetClock(first - 10);
    Start();
    Settings& s = In().settings;
    s.Alarm_Enabled = true;
    s.Alarm_Time = alarm;
    s.Alarm_SagZeit = false;
    s.SagZeit_Start = 0;
    s.SagZeit_Ende = 23;
    std::map<std::string, Day> days;
    std::size_t heapAfterAMonth = 0;
    // Local full and half hours fall on UTC's in Berlin; each is run from 3 s before to 3 s after.
    for (std::time_t mark = first; mark < first + 400 * 86400; mark += 1800) {
        const std::tm local = LocalAt(mark);
        Day& day = days[Format(local, "%F")];
        const bool alarmTime = Format(local, "%H:%M") == alarm;
        day.expectedSignals += local.tm_min == 0;
        day.expectedRings += alarmTime;
        if (local.tm_min != 0 && !alarmTime) {
            continue;
        }
        host.log.clear();
        host.window.refreshed.clear();
        for (std::time_t t = mark - 3; t <= mark + 3; ++t) {
            day.rings += RunSecond(t);
        }
        day.signals +=
            static_cast<int>(host.CallsStartingWith("sound.PlayWave SOUNDS/PIEP").size());
        if (local.tm_hour == 0 && local.tm_min == 0) {
            ExpectFaceShowsTheDay(local);
        }
        if (mark == first + 30 * 86400) {
            heapAfterAMonth = mallinfo2().uordblks;
        }
    }
    EXPECT_EQ(days.size(), 400u);
    std::map<int, int> daysWithSignals, daysWithRings; // how many days had how many
    for (const auto& [date, day] : days) {
        EXPECT_EQ(day.signals, day.expectedSignals) << date;
        EXPECT_EQ(day.rings, day.expectedRings) << date;
        ++daysWithSignals[day.expectedSignals];
        ++daysWithRings[day.expectedRings];
    }
    EXPECT_EQ(daysWithSignals, (std::map<int, int>{{23, 1}, {24, 398}, {25, 1}}));
    EXPECT_EQ(daysWithRings, alarm == "02:30" ? (std::map<int, int>{{0, 1}, {1, 398}, {2, 1}})
                                              : (std::map<int, int>{{1, 400}}));
    EXPECT_LT(mallinfo2().uordblks, heapAfterAMonth + 64 * 1024) << heapAfterAMonth;
}

INSTANTIATE_TEST_SUITE_P(Alarms, LongRunTest, ::testing::Values("02:30", "07:30"));

} // namespace
} // namespace diglux::test
