// Waiting for what the program shows or writes, timed from a given moment.
#include "polling.h"

#include "check.h"
#include "stopwatch.h"

int WaitLimitMs = 120000;

double MsUntil(double since, const std::function<bool()>& condition, const std::string& what,
               int timeoutMs) {
    for (;;) {
        if (condition()) {
            return NowMs() - since;
        }
        if (NowMs() - since > timeoutMs) {
            Fail("timed out after " + std::to_string(timeoutMs) + " ms waiting for " + what);
        }
        Sleep(1);
    }
}

ULONGLONG WrittenAt(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) {
        return 0;
    }
    return static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32 |
           data.ftLastWriteTime.dwLowDateTime;
}
