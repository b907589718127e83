// Another computer's versions renamed over the pad, and the idle window's processor time.
#include "other_versions.h"

#include "check.h"
#include "pages_file.h"
#include "polling.h"
#include "stopwatch.h"
#include "window_reading.h"

#include <cstring>
#include <string>

namespace {

// Returns once the window's thread takes messages again: a version it is reading holds it.
void WaitUntilIdle(HWND main) {
    DWORD_PTR ignored = 0;
    Expect(SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, WaitLimitMs, &ignored) != 0,
           "the window did not become idle");
}

double ProcessorMs(HANDLE thread) {
    FILETIME created, ended, kernel, user;
    if (!GetThreadTimes(thread, &created, &ended, &kernel, &user)) {
        return -1;
    }
    const auto ticks = [](const FILETIME& time) {
        return static_cast<double>(static_cast<ULONGLONG>(time.dwHighDateTime) << 32 |
                                   time.dwLowDateTime);
    };
    return (ticks(kernel) + ticks(user)) / 10000.0;
}

} // namespace

std::vector<double> TimeRenamesUntilShown(HWND main, const WorkFolder& folder, const BenchPad& pad,
                                          int runs) {
    const std::string path = folder / PagesFileName;
    const std::string incoming = path + ".incoming";
    const std::size_t marker = pad.file.find(MarkerLine);
    Expect(marker != std::string::npos, "the bench pad has no marker line");
    const std::size_t firstPage = marker + std::strlen(MarkerLine) + 2;
    std::vector<double> timings;
    for (int run = 1; run <= runs; ++run) {
        const std::string prefix = "Version " + std::to_string(run) + " of the other computer. ";
        std::string version = pad.file;
        version.insert(firstPage, prefix);
        WriteBytes(incoming, version);
        WaitUntilIdle(main);
        const std::string shown = prefix + ShownForm(pad.pages.front());
        const double started = NowMs();
        Expect(MoveFileExA(incoming.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0,
               "cannot rename the other version over the pad");
        timings.push_back(MsUntil(
            started,
            [&] {
                WaitUntilIdle(main);
                return ControlText(main, PageText) == shown;
            },
            "the window to show version " + std::to_string(run), WaitLimitMs));
    }
    return timings;
}

// The window's thread runs the program: Wine 8 leaves GetProcessTimes of another process
// where it was, while it follows a thread's time.
double IdleProcessorMs(HWND main, int seconds) {
    HANDLE thread = OpenThread(THREAD_QUERY_LIMITED_INFORMATION, FALSE,
                               GetWindowThreadProcessId(main, nullptr));
    Expect(thread != nullptr, "cannot open the window's thread");
    WaitUntilIdle(main);
    const double before = ProcessorMs(thread);
    Sleep(static_cast<DWORD>(seconds) * 1000);
    const double after = ProcessorMs(thread);
    CloseHandle(thread);
    // The start took processor time: none at all would mean the times can't be read.
    Expect(before > 0 && after >= before, "the window thread's processor times can't be read");
    return after - before;
}
