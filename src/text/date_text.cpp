// A date as "06 Dec 2026".
#include "text/bytes.h"

#include <cstdio>

std::string DateText(int year, int month, int day) {
    static constexpr char MonthTable[] = "JanFebMarAprMayJunJulAugSepOctNovDec";
    month = month >= 1 && month <= 12 ? month : 1;
    day = day >= 0 && day <= 99 ? day : 0;
    year = year >= 0 ? year % 10000 : 0;
    char text[16];
    std::snprintf(text, sizeof text, "%02d %.3s %04d", day, MonthTable + 3 * month - 3, year);
    return text;
}
