// The local clock on Windows.
#include "platform/clock.h"

#include <windows.h>

LocalTime LocalNow() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}
