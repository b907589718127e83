// Starting the real program on a pad, and the least program that shows its page 1 beside
// it: until page 1 answers, until it is painted, until the first save, and the memory taken.
#include "start_up.h"

#include "check.h"
#include "pages_file.h"
#include "polling.h"
#include "process_memory.h"
#include "stopwatch.h"
#include "window_reading.h"

namespace {

// The program that RunningProgram starts, for as long as this lives.
struct ProgramPathFor {
    std::string kept = ProgramPath();
    explicit ProgramPathFor(const std::string& exe) { SetProgramPath(exe); }
    ~ProgramPathFor() { SetProgramPath(kept); }
    ProgramPathFor(const ProgramPathFor&) = delete;
    ProgramPathFor& operator=(const ProgramPathFor&) = delete;
};

// Beside the bench, which the least program is built with.
std::string LeastProgramPath() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    return folder.substr(0, folder.find_last_of('\\') + 1) + "quillpad_least.exe";
}

// `saves`: the start must write the pad (Quillpad without a stored place), which it does
// once page 1 is painted, while the window already answers messages.
void StartOnce(const std::string& exe, const WorkFolder& folder, const std::string& pad,
               const std::string& firstPage, bool saves, StartFigures& figures) {
    const std::string padPath = folder / PagesFileName;
    if (pad.empty()) {
        DeleteFileA(padPath.c_str());
    } else {
        WriteBytes(padPath, pad);
    }
    const ULONGLONG prepared = WrittenAt(padPath);
    double savedMs = -1;
    double shownMs = -1;
    const double started = NowMs();
    RunningProgram running = [&] {
        const ProgramPathFor starting(exe);
        return RunningProgram(folder);
    }();
    HWND main = nullptr;
    // The text is asked for only until it answered: each question is a message that the
    // program must take.
    const double paintedMs = MsUntil(
        started,
        [&] {
            if (savedMs < 0 && WrittenAt(padPath) != prepared) {
                savedMs = NowMs() - started;
            }
            if (!main) {
                main = FindMainWindow(running.ProcessId());
            }
            if (main && shownMs < 0 && ControlText(main, PageText) == firstPage) {
                shownMs = NowMs() - started;
            }
            return shownMs >= 0 && WindowPainted(main);
        },
        "the window to paint page 1", WaitLimitMs);
    if (saves && savedMs < 0) {
        savedMs = MsUntil(
            started, [&] { return WrittenAt(padPath) != prepared; },
            "the save at the first showing", WaitLimitMs);
    }
    DWORD_PTR ignored = 0;
    Expect(SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, WaitLimitMs, &ignored) != 0,
           "the window did not become idle after its start");
    if (savedMs < 0 && WrittenAt(padPath) != prepared) {
        savedMs = NowMs() - started;
    }
    figures.shownMs.push_back(shownMs);
    figures.paintedMs.push_back(paintedMs);
    if (savedMs >= 0) {
        figures.savedMs.push_back(savedMs);
    }
    figures.peakMb.push_back(PeakWorkingSetMb(running.ProcessId()));
    PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    running.WaitForExit(WaitLimitMs);
}

} // namespace

FloorFigures MeasureStartsBesideLeast(const WorkFolder& folder, const std::string& pad,
                                      const std::string& firstPageShown, bool saves, int runs) {
    FloorFigures figures;
    const std::string least = LeastProgramPath();
    for (int run = 0; run < runs; ++run) {
        StartOnce(ProgramPath(), folder, pad, firstPageShown, saves, figures.program);
        StartOnce(least, folder, pad, firstPageShown, false, figures.least);
    }
    return figures;
}

void StartInARow(const WorkFolder& folder, const std::string& pad,
                 const std::string& firstPageShown, int starts) {
    StartFigures ignored;
    for (int start = 1; start <= starts; ++start) {
        try {
            StartOnce(ProgramPath(), folder, pad, firstPageShown, false, ignored);
        } catch (const ScenarioFailure& failure) {
            Fail("start " + std::to_string(start) + " of " + std::to_string(starts) + ": " +
                 failure.what());
        }
    }
}
