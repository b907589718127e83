// quillpad_bench: times the real Quillpad.exe on big pads, and the system's notepad on the
// same text, and prints one table.
#include "bench_pads.h"
#include "check.h"
#include "notepad_peer.h"
#include "other_versions.h"
#include "pages_file.h"
#include "polling.h"
#include "process.h"
#include "results_table.h"
#include "session.h"
#include "start_up.h"
#include "stopwatch.h"
#include "window_actions.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int DragSteps = 20;
// Starts in a row on the first pad, 3 in a smoke run.
constexpr int StartsInARow = 500;
constexpr int IdleSeconds = 3;
// The code-page pad of this size is measured again written in UTF-8.
constexpr int Utf8PadMb = 10;
bool anyFailed = false;
// A smoke run (--smoke): every measure twice, waits cut short, and the first failure ends it.
bool smoke = false;
// Only the start-ups (--start-up-only), for comparing builds side by side.
bool startUpOnly = false;
constexpr int SmokeWaitLimitMs = 20000;
// Ends a smoke run at its first failure, reported where it happened.
struct SmokeEnded {};

int Runs(int usual) {
    return smoke ? 2 : usual;
}

// Runs one measure; a failure is reported, marks the cell and leaves the others to run (in a
// smoke run it ends the run).
template <typename Measure>
void Try(ResultsTable& table, const std::string& row, std::size_t column, Measure measure,
         const std::string& doing = "") {
    std::fprintf(stderr, "bench:   %s\n", (doing.empty() ? row : doing).c_str());
    try {
        measure();
    } catch (const ScenarioFailure& failure) {
        std::fprintf(stderr, "bench:   %s failed: %s\n", row.c_str(), failure.what());
        table.Set(row, column, "failed");
        anyFailed = true;
        if (smoke) {
            throw SmokeEnded();
        }
    }
}

std::vector<int> SizesFrom(const char* list) {
    std::vector<int> sizes;
    for (const char* at = list; *at;) {
        char* end = nullptr;
        const long size = std::strtol(at, &end, 10);
        if (end == at || size <= 0) {
            return {};
        }
        sizes.push_back(static_cast<int>(size));
        at = *end == ',' ? end + 1 : end;
    }
    return sizes;
}

std::string CountCell(long count) {
    return std::to_string(count);
}

// How many times the least program's figure Quillpad's is, from the medians.
std::string TimesCell(const std::vector<double>& program, const std::vector<double>& least) {
    if (program.empty() || least.empty() || Median(least) <= 0) {
        return "-";
    }
    char cell[32];
    std::snprintf(cell, sizeof cell, "%.2f", Median(program) / Median(least));
    return cell;
}

// Quillpad's starts beside the least program's, one after the other, on the pad with the
// window's place stored and on the same pad without one (the window comes up centred and
// the first showing writes its place).
void MeasureStartsAtFloor(ResultsTable& table, std::size_t column, const WorkFolder& folder,
                          const std::string& stored, const std::string& withoutPlace,
                          const std::string& firstPage, int runs) {
    const std::pair<std::string, const std::string*> variants[] = {
        {"stored place", &stored}, {"no stored place", &withoutPlace}};
    for (const auto& [variant, pad] : variants) {
        const std::string painted = "start-up, " + variant + ": page 1 painted (ms)";
        Try(table, painted, column, [&] {
            const FloorFigures starts =
                MeasureStartsBesideLeast(folder, *pad, firstPage, pad == &withoutPlace, Runs(runs));
            const StartFigures& program = starts.program;
            const StartFigures& least = starts.least;
            const std::string start = "start-up, " + variant + ": ";
            table.Set(start + "page 1 answers (ms)", column, MedianCell(program.shownMs));
            table.Set(painted, column, MedianCell(program.paintedMs));
            table.Set(start + "least program, answers (ms)", column, MedianCell(least.shownMs));
            table.Set(start + "least program, painted (ms)", column, MedianCell(least.paintedMs));
            table.Set(start + "answers, times the least program's", column,
                      TimesCell(program.shownMs, least.shownMs));
            table.Set(start + "painted, times the least program's", column,
                      TimesCell(program.paintedMs, least.paintedMs));
            table.Set(start + "until its first save (ms)", column, MedianCell(program.savedMs));
            table.Set(start + "peak working set (MB)", column, MedianCell(program.peakMb));
        });
    }
}

void MeasureEmptyPad(ResultsTable& table) {
    std::fprintf(stderr, "bench: an empty pad (the program makes it without a stored place)\n");
    WorkFolder folder;
    table.Set("pages", 0, "1");
    MeasureStartsAtFloor(table, 0, folder, PagesFile(HeaderOfNewPad(), PositionLine(20, 10), {""}),
                         "", "", 5);
}

// Quillpad started many times in a row on the pad, each start painting page 1: the helper
// thread that loads the common controls must never leave a start hanging.
void MeasureStartsInARow(ResultsTable& table, std::size_t column, const BenchPad& pad) {
    const int starts = smoke ? 3 : StartsInARow;
    const std::string row = "starts in a row, each painting page 1";
    Try(
        table, row, column,
        [&] {
            WorkFolder folder;
            StartInARow(folder, pad.file, ShownForm(pad.pages.front()), starts);
            table.Set(row, column, std::to_string(starts) + " of " + std::to_string(starts));
        },
        "starting the program " + std::to_string(starts) + " times in a row");
}

// Moves and drags of the window in a running program.
void MeasureMoves(ResultsTable& table, std::size_t column, HWND main, const WorkFolder& folder) {
    Try(table, "one move until the pad is written (ms)", column, [&] {
        const MoveFigures moves = TimeMoves(main, folder, Runs(5));
        table.Set("one move until the pad is written (ms)", column, MedianCell(moves.savedMs));
        table.Set("pad writes in 5 moves", column, CountCell(moves.writes));
    });
    Try(table, "drag across the screen, 20 steps (ms)", column, [&] {
        const DragFigures drags = TimeDrags(main, folder, Runs(3), DragSteps);
        table.Set("drag across the screen, 20 steps (ms)", column, MedianCell(drags.totalMs));
        table.Set("pad writes per drag", column,
                  RangeCell(drags.writes) + (drags.overflowed ? "+" : ""));
    });
}

// The actions in one run of the program's window; each figure is measured on its own. Moves
// and drags only where `allActions` is set, to keep the run short.
void MeasureInWindow(ResultsTable& table, std::size_t column, const WorkFolder& folder,
                     const BenchPad& pad, bool allActions) {
    Session session(folder);
    const HWND main = session.Main();
    const std::string idle =
        "processor time of the idle window in " + std::to_string(IdleSeconds) + " s (ms)";
    Try(table, idle, column,
        [&] { table.Set(idle, column, MedianCell({IdleProcessorMs(main, IdleSeconds)})); });
    Try(table, "another version renamed in: until shown (ms)", column, [&] {
        table.Set("another version renamed in: until shown (ms)", column,
                  MedianCell(TimeRenamesUntilShown(main, folder, pad, Runs(5))));
    });
    Try(table, "plain flip (ms)", column, [&] {
        const FlipFigures flips = TimePlainFlips(main, folder, Runs(5));
        table.Set("plain flip (ms)", column, MedianCell(flips.shownMs));
        table.Set("pad writes in 5 plain flips", column, CountCell(flips.writes));
    });
    Try(table, "flip after an edit: page shown (ms)", column, [&] {
        const EditFlipFigures flips = TimeFlipsAfterEdit(main, folder, Runs(3));
        table.Set("flip after an edit: page shown (ms)", column, MedianCell(flips.shownMs));
        table.Set("flip after an edit: pad written (ms)", column, MedianCell(flips.savedMs));
    });
    if (allActions) {
        MeasureMoves(table, column, main, folder);
    }
    Try(table, "Shift+Right to the last page (ms)", column, [&] {
        table.Set("Shift+Right to the last page (ms)", column,
                  MedianCell(TimeSearchesToLastPage(main, pad.searchWord,
                                                    static_cast<long>(pad.pages.size()), Runs(3))));
    });
    Close(session, CloseBy::SystemCommand);
}

void MeasureQuillpad(ResultsTable& table, std::size_t column, const BenchPad& pad, int startRuns,
                     bool allActions) {
    WorkFolder folder;
    MeasureStartsAtFloor(table, column, folder, pad.file, pad.fileWithoutPlace,
                         ShownForm(pad.pages.front()), startRuns);
    if (startUpOnly) {
        return;
    }
    const auto inWindow = [&] {
        WriteBytes(folder / PagesFileName, pad.file);
        MeasureInWindow(table, column, folder, pad, allActions);
    };
    Try(table, "plain flip (ms)", column, inWindow, "starting the program for its window");
}

void MeasurePeer(ResultsTable& table, std::size_t column, const std::vector<std::string>& pages,
                 int runs, int capS) {
    WorkFolder folder;
    const std::string text = PlainText(pages);
    const std::string path = folder / "pad.txt";
    WriteBytes(path, text);
    Try(table, "notepad: start-up until the text shows (ms)", column, [&] {
        const NotepadFigures peer = MeasureNotepad(path, text.size(), Runs(runs), capS * 1000);
        table.Set("notepad: start-up until the text shows (ms)", column,
                  peer.timedOut ? "> " + std::to_string(capS * 1000) : MedianCell(peer.shownMs));
        table.Set("notepad: peak working set (MB)", column,
                  (peer.timedOut ? ">= " : "") + MedianCell(peer.peakMb));
    });
}

// The empty pad, then every size: the program's figures and the system notepad's.
void MeasureAll(ResultsTable& table, const std::vector<int>& sizes, int notepadCapS) {
    MeasureEmptyPad(table);
    std::size_t column = 0;
    for (int size : sizes) {
        const BenchPad pad = CodePagePad(static_cast<std::size_t>(size) << 20);
        std::fprintf(stderr, "bench: a %d MB pad of %zu pages\n", size, pad.pages.size());
        table.Set("pages", ++column, CountCell(static_cast<long>(pad.pages.size())));
        const bool big = size > 10;
        MeasureQuillpad(table, column, pad, big ? 3 : 5, true);
        if (column == 1 && !startUpOnly) {
            MeasureStartsInARow(table, column, pad);
        }
        if (!startUpOnly) {
            std::fprintf(stderr, "bench: the system's notepad on the same text\n");
            MeasurePeer(table, column, pad.pages, big ? 1 : 3, notepadCapS);
        }
        if (size == Utf8PadMb) {
            const BenchPad utf8 = Utf8Pad(static_cast<std::size_t>(size) << 20);
            std::fprintf(stderr, "bench: a %d MB UTF-8 pad of %zu pages\n", size,
                         utf8.pages.size());
            table.Set("pages", ++column, CountCell(static_cast<long>(utf8.pages.size())));
            MeasureQuillpad(table, column, utf8, 5, false);
        }
    }
}

int Usage() {
    std::fprintf(stderr, "usage: quillpad_bench [--exe PATH] [--sizes MB,MB,...] "
                         "[--notepad-cap SECONDS] [--start-up-only] [--smoke]\n");
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    std::vector<int> sizes{1, 10, 100};
    int notepadCapS = 60;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--exe") == 0 && i + 1 < argc) {
            SetProgramPath(argv[++i]);
        } else if (std::strcmp(argv[i], "--sizes") == 0 && i + 1 < argc) {
            sizes = SizesFrom(argv[++i]);
        } else if (std::strcmp(argv[i], "--notepad-cap") == 0 && i + 1 < argc) {
            notepadCapS = std::atoi(argv[++i]);
        } else if (std::strcmp(argv[i], "--start-up-only") == 0) {
            startUpOnly = true;
        } else if (std::strcmp(argv[i], "--smoke") == 0) {
            smoke = true;
            WaitLimitMs = SmokeWaitLimitMs;
        } else {
            return Usage();
        }
    }
    if (sizes.empty() || notepadCapS <= 0) {
        return Usage();
    }
    if (GetFileAttributesA(ProgramPath().c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::fprintf(stderr, "bench: the program %s is not there\n", ProgramPath().c_str());
        return 1;
    }

    std::vector<std::string> columns{"empty"};
    for (int size : sizes) {
        columns.push_back(std::to_string(size) + " MB");
        if (size == Utf8PadMb) {
            columns.push_back(std::to_string(size) + " MB UTF-8");
        }
    }
    ResultsTable table(columns);
    // The pads need the header of a new pad; making one also warms up Wine for the first start.
    try {
        HeaderOfNewPad();
    } catch (const ScenarioFailure& failure) {
        std::fprintf(stderr, "bench: cannot make a new pad: %s\n", failure.what());
        return 1;
    }
    try {
        MeasureAll(table, sizes, notepadCapS);
    } catch (const SmokeEnded&) {
    }
    if (smoke) {
        table.AddNote("A smoke run: every measure runs twice (not as the next note says), a wait "
                      "fails after " +
                      std::to_string(SmokeWaitLimitMs / 1000) +
                      " s, and the first failure ends the run.");
    }
    table.AddNote("Medians: start-up of 5 runs of each program (3 above 10 MB), 5 flips, "
                  "3 flips after an edit, 5 moves, 3 drags, 3 searches; notepad 3 runs (1 above "
                  "10 MB), given up after " +
                  std::to_string(notepadCapS) + " s.");
    table.AddNote("Start-up counts from CreateProcess: \"answers\" until the page text field "
                  "answers with page 1's text, \"painted\" until, besides, the window is visible "
                  "and neither it nor any of its controls has a region left to paint "
                  "(GetUpdateRect, polled every ms). The least program (quillpad_least.exe) reads "
                  "the whole pad, counts its pages and shows page 1 in a plain window of the "
                  "same size with a page box, the count and the text field, without a manifest; "
                  "it is started after each start of Quillpad, on the same pad. \"Times the "
                  "least program's\" divides the medians. Peak working set is read once the "
                  "window is idle after its start.");
    table.AddNote("Starts in a row: " + std::to_string(StartsInARow) +
                  " starts of Quillpad on the first pad, each until page 1 is painted, then "
                  "closed (3 in a smoke run).");
    table.AddNote("A flip after an edit goes to the page with Shift+Tab, types one character, Tab, "
                  "then Right. One move is "
                  "SetWindowPos by 8 pixels from the bench.");
    table.AddNote("A drag is a real press on the title bar, 20 mouse moves 20 ms apart across "
                  "the screen, and the release; its time runs until the window is idle at the "
                  "drop. Writes are counted with ReadDirectoryChangesW (a + means more changes "
                  "than it could count).");
    table.AddNote("Wall-clock figures of a shared machine: other work on it shows in them, so "
                  "compare runs made side by side.");
    table.AddNote("The UTF-8 pad holds as many pages of Latin with accents, Cyrillic, CJK and "
                  "emoji, begins with EF BB BF, and gets start-up, the idle and renamed-in "
                  "figures, flips and the search only; its search types a lower-case Cyrillic "
                  "word that its last page holds with a capital.");
    table.AddNote("Another version: the pad with page 1 (the page shown) changed, written beside "
                  "it and renamed over it as sync clients do (MoveFileEx); timed from the rename "
                  "until the window shows the new page 1, with no input; median of 5.");
    table.AddNote(
        "Processor time: GetThreadTimes (user and kernel) of the window's thread "
        "before and after those seconds in which the window, just started, waits for input and "
        "its folder's change notification; Wine counts it in 10 ms steps.");
    table.AddNote("Shift+Right includes the program's 60 ms highlight of the match, as the "
                  "window answers only after it.");
    table.Print("Quillpad.exe under Wine, and the system's notepad on the same text (ms, MB)");
    return anyFailed ? 1 : 0;
}
