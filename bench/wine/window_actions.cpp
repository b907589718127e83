// Timing what a user does in the running program's window: flips, an edit and a flip, moves,
// drags and a search to the last page.
#include "window_actions.h"

#include "check.h"
#include "input.h"
#include "more_actions.h"
#include "pad_writes.h"
#include "pages_file.h"
#include "polling.h"
#include "stopwatch.h"
#include "window_reading.h"

#include <string>

namespace {

long PageShown(HWND main) {
    return std::stol(ControlText(main, PageBox));
}

bool Shows(HWND main, long page) {
    return ControlText(main, PageBox) == std::to_string(page);
}

void FocusSearchBox(HWND main) {
    ClickControl(main, SearchBox);
    Settle(main);
    ExpectFocus(main, SearchBox, "a click into the search box");
}

} // namespace

FlipFigures TimePlainFlips(HWND main, const WorkFolder& folder, int runs) {
    FocusSearchBox(main);
    FlipFigures figures;
    PadWriteCounter counter(folder.Path());
    for (int run = 0; run < runs; ++run) {
        const long next = PageShown(main) + 1;
        const double started = NowMs();
        PressKey(VK_RIGHT);
        figures.shownMs.push_back(MsUntil(
            started, [&] { return Shows(main, next); }, "the flip to page " + std::to_string(next),
            WaitLimitMs));
        Settle(main);
    }
    figures.writes = counter.CountWhenQuiet();
    return figures;
}

EditFlipFigures TimeFlipsAfterEdit(HWND main, const WorkFolder& folder, int runs) {
    const std::string pad = folder / PagesFileName;
    EditFlipFigures figures;
    FocusSearchBox(main);
    for (int run = 0; run < runs; ++run) {
        // Keys rather than clicks: a second click on the same spot would be a double click,
        // which selects a word without taking the focus.
        PressKeys({VK_SHIFT, VK_TAB});
        Settle(main);
        ExpectFocus(main, PageText, "Shift+Tab from the search box");
        const ULONGLONG before = WrittenAt(pad);
        TypeText("x");
        PressKey(VK_TAB);
        Settle(main);
        ExpectFocus(main, SearchBox, "Tab from the page text field");
        Expect(WrittenAt(pad) == before,
               "the pad was written before the flip that stores the edit");
        const long next = PageShown(main) + 1;
        const double started = NowMs();
        PressKey(VK_RIGHT);
        double shownMs = -1;
        const double savedMs = MsUntil(
            started,
            [&] {
                if (shownMs < 0 && Shows(main, next)) {
                    shownMs = NowMs() - started;
                }
                return WrittenAt(pad) != before;
            },
            "the pad to be written after an edit and a flip", WaitLimitMs);
        if (shownMs < 0) {
            shownMs = MsUntil(
                started, [&] { return Shows(main, next); }, "the flip after an edit", WaitLimitMs);
        }
        figures.shownMs.push_back(shownMs);
        figures.savedMs.push_back(savedMs);
        Settle(main);
    }
    return figures;
}

MoveFigures TimeMoves(HWND main, const WorkFolder& folder, int runs) {
    const std::string pad = folder / PagesFileName;
    MoveFigures figures;
    PadWriteCounter counter(folder.Path());
    for (int run = 0; run < runs; ++run) {
        const RECT place = WindowRect(main);
        const int step = run % 2 == 0 ? 8 : -8;
        const ULONGLONG before = WrittenAt(pad);
        const double started = NowMs();
        SetWindowPos(main, nullptr, place.left + step, place.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        figures.savedMs.push_back(MsUntil(
            started, [&] { return WrittenAt(pad) != before; }, "the pad to be written after a move",
            WaitLimitMs));
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_NORMAL, WaitLimitMs, &ignored);
    }
    figures.writes = counter.CountWhenQuiet();
    return figures;
}

DragFigures TimeDrags(HWND main, const WorkFolder& folder, int runs, int steps) {
    DragFigures figures;
    BringToFront(main);
    const RECT work = WorkArea();
    for (int run = 0; run < runs; ++run) {
        const RECT before = WindowRect(main);
        const RECT client = ClientRectOnScreen(main);
        // Across the screen to its right edge, and back again on the next run.
        const int room = (work.right - work.left) - (before.right - before.left) - 2 * 20;
        const int dx = run % 2 == 0 ? room - (before.left - work.left - 20) : -room;
        const int dy = run % 2 == 0 ? 100 : -100;
        const POINT grip{before.left + (before.right - before.left) / 3,
                         (before.top + client.top) / 2};
        MoveMouseTo(grip);
        PadWriteCounter counter(folder.Path());
        const double started = NowMs();
        SendInputs({MouseInput(grip, MOUSEEVENTF_LEFTDOWN)});
        for (int step = 1; step <= steps; ++step) {
            Sleep(20);
            SendInputs({MouseInput({grip.x + dx * step / steps, grip.y + dy * step / steps},
                                   MOUSEEVENTF_MOVE)});
        }
        Sleep(20);
        SendInputs({MouseInput({grip.x + dx, grip.y + dy}, MOUSEEVENTF_LEFTUP)});
        MsUntil(
            started,
            [&] {
                const RECT after = WindowRect(main);
                return after.left == before.left + dx && after.top == before.top + dy;
            },
            "the window to follow the drag to the drop", WaitLimitMs);
        SettleByMouse(main);
        figures.totalMs.push_back(NowMs() - started);
        figures.writes.push_back(counter.CountWhenQuiet());
        figures.overflowed = figures.overflowed || counter.Overflowed();
    }
    return figures;
}

std::vector<double> TimeSearchesToLastPage(HWND main, const std::string& word, long pageCount,
                                           int runs) {
    PutInBox(main, SearchBox, word);
    std::vector<double> timings;
    for (int run = 0; run < runs; ++run) {
        EnterInPageBox(main, "1");
        Expect(Shows(main, 1), "the page box shows page 1 before the search");
        FocusSearchBox(main);
        const double started = NowMs();
        PressKeys({VK_SHIFT, VK_RIGHT});
        timings.push_back(MsUntil(
            started, [&] { return Shows(main, pageCount); }, "the search to reach the last page",
            WaitLimitMs));
        Settle(main);
    }
    return timings;
}
