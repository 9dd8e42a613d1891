#include "Sentences.h"

#include "model/Calendar.h"
#include "speech/Numbers.h"

#include <array>

namespace diglux {
namespace {

const std::array<const char*, 7> kWeekdays{"Montag",  "Dienstag", "Mittwoch", "Donnerstag",
                                           "Freitag", "Samstag",  "Sonntag"};
const std::array<const char*, 12> kMonths{"Januar",    "Februar", "März",     "April",
                                          "Mai",       "Juni",    "Juli",     "August",
                                          "September", "Oktober", "November", "Dezember"};

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

// Shared ending of both sentences: "und" in full unless the voice wants its clip "un",
// fragments joined unless kept, no trailing blanks, one full stop.
std::string Finish(std::string text, const SentenceForm& form) {
    if (!form.keepUn) {
        ReplaceAll(text, "-un-", "-und-");
    }
    if (!form.keepHyphens) {
        ReplaceAll(text, "-", "");
    }
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    return text + ".";
}

// 1999 "neun-zehn-hundert-neun-un-neun-zig", 2022 "zwei-tausend-zwei-un-zwan-zig".
std::string YearInWords(int year) {
    const int century = year / 100;
    const int yy = year % 100;
    const std::string last = ZahlInWorten(yy, kOneInYear, 0);
    if (century == 0) {
        return last;
    }
    if (century < 20 && century != 10) {
        return ZahlInWorten(century, kOneCounted, 0) + "-hundert-" + last;
    }
    std::string out = ZahlInWorten(century / 10, kOneCounted, 0) + "-tausend-";
    if (century % 10 != 0) {
        out += ZahlInWorten(century % 10, kOneCounted, 0) + "-hundert-";
    }
    return out + last;
}

} // namespace

std::string ZeitInWorten(const LocalDateTime& when, TimeSentence options) {
    const SentenceForm& form = options.form;
    std::string text = "Es ist ";
    if (form.pauses) {
        text += "~ ";
    }
    text += ZahlInWorten(when.hour, kOneBeforeNoun, 0) + " Uhr";
    if (when.minute >= 1) {
        text += " " + ZahlInWorten(when.minute, kOneCounted, 0);
    }
    if (options.withSeconds && when.second >= 1) {
        text += form.pauses ? " ~ und ~ " : " und ";
        text += ZahlInWorten(when.second, kOneFeminine, 0) + " Sekunde";
        if (when.second != 1) {
            text += "n";
        }
    }
    return Finish(text, form);
}

std::string DatumInWorten(const LocalDateTime& when, DateSentence options) {
    const SentenceForm& form = options.form;
    std::string text = "Heute ist ";
    if (options.withWeekday) {
        const int weekday = (DayOfWeek(when.year, when.month, when.day) + 6) % 7; // Monday 0
        text += kWeekdays[static_cast<std::size_t>(weekday)];
        text += form.pauses ? ", ~ " : ", ";
    }
    text += "der " + ZahlInWorten(when.day, kOneCounted, 1) + " ";
    text += kMonths[static_cast<std::size_t>(when.month - 1)];
    text += " " + YearInWords(when.year);
    return Finish(text, form);
}

} // namespace diglux
