// The local date as "06 Dec 2026".
#include "platform/clock.h"
#include "text/bytes.h"

#include <cstdio>

std::string DateText() {
    static constexpr char MonthTable[] = "JanFebMarAprMayJunJulAugSepOctNovDec";
    const LocalTime now = LocalNow();
    const int month = now.month >= 1 && now.month <= 12 ? now.month : 1;
    const int day = now.day >= 0 && now.day <= 99 ? now.day : 0;
    const int year = now.year >= 0 ? now.year % 10000 : 0;
    char text[16];
    std::snprintf(text, sizeof text, "%02d %.3s %04d", day, MonthTable + 3 * month - 3, year);
    return text;
}
