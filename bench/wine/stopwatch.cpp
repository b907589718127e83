// Timing with the performance counter, and the median of repeated timings.
#include "stopwatch.h"

#include <windows.h>

#include <algorithm>

double NowMs() {
    static const double ticksPerMs = [] {
        LARGE_INTEGER frequency;
        QueryPerformanceFrequency(&frequency);
        return static_cast<double>(frequency.QuadPart) / 1000.0;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / ticksPerMs;
}

double Median(std::vector<double> timings) {
    if (timings.empty()) {
        return 0;
    }
    std::sort(timings.begin(), timings.end());
    const size_t middle = timings.size() / 2;
    return timings.size() % 2 ? timings[middle] : (timings[middle - 1] + timings[middle]) / 2;
}
