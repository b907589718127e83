// The local clock, read through one call so that tests can set the time.
#pragma once

struct LocalTime {
    int year;
    int month; // 1 to 12
    int day;
    int hour; // 0 to 23
    int minute;
    int second;
};

LocalTime LocalNow();
