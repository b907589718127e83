// Starting the real program on a pad: until page 1 shows, until the first save, and the
// memory it took.
#include "start_up.h"

#include "check.h"
#include "pages_file.h"
#include "polling.h"
#include "process_memory.h"
#include "stopwatch.h"
#include "window_reading.h"

namespace {

void StartOnce(const WorkFolder& folder, const std::string& pad, const std::string& firstPage,
               StartFigures& figures) {
    const std::string padPath = folder / PagesFileName;
    if (pad.empty()) {
        DeleteFileA(padPath.c_str());
    } else {
        WriteBytes(padPath, pad);
    }
    const ULONGLONG prepared = WrittenAt(padPath);
    double savedMs = -1;
    const double started = NowMs();
    RunningProgram program(folder);
    HWND main = nullptr;
    const double shownMs = MsUntil(
        started,
        [&] {
            if (savedMs < 0 && WrittenAt(padPath) != prepared) {
                savedMs = NowMs() - started;
            }
            if (!main) {
                main = FindMainWindow(program.ProcessId());
            }
            return main && ControlText(main, PageText) == firstPage;
        },
        "the window to show page 1", WaitLimitMs);
    // The save at the first showing is done by the time the window is idle.
    DWORD_PTR ignored = 0;
    Expect(SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, WaitLimitMs, &ignored) != 0,
           "the window did not become idle after its start");
    if (savedMs < 0 && WrittenAt(padPath) != prepared) {
        savedMs = NowMs() - started;
    }
    figures.shownMs.push_back(shownMs);
    if (savedMs >= 0) {
        figures.savedMs.push_back(savedMs);
    }
    figures.peakMb.push_back(PeakWorkingSetMb(program.ProcessId()));
    PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    program.WaitForExit(WaitLimitMs);
}

} // namespace

StartFigures MeasureStarts(const WorkFolder& folder, const std::string& pad,
                           const std::string& firstPageShown, int runs) {
    StartFigures figures;
    for (int run = 0; run < runs; ++run) {
        StartOnce(folder, pad, firstPageShown, figures);
    }
    return figures;
}
