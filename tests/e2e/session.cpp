// One run of the program as a scenario sees it: started in a folder, its window found,
// looked at, and closed the way a user closes it.
#include "session.h"

#include "check.h"
#include "input.h"
#include "pages_file.h"
#include "window_reading.h"

Session::Session(const WorkFolder& folder, const std::string& arguments)
    : program_(folder, arguments), main_(WaitForMainWindow(program_.ProcessId())) {
    BringToFront(main_);
    Settle(main_);
}

POINT TitleBarButton(HWND main, LRESULT hitTest) {
    const RECT window = WindowRect(main);
    const RECT client = ClientRectOnScreen(main);
    const int y = (window.top + client.top) / 2;
    for (int x = window.right - 1; x > window.left; --x) {
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(main, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_NORMAL, 5000, &answer);
        if (static_cast<LRESULT>(answer) == hitTest) {
            // Step on to the button's middle.
            int left = x;
            do {
                --left;
                SendMessageTimeoutA(main, WM_NCHITTEST, 0, MAKELPARAM(left, y), SMTO_NORMAL, 5000,
                                    &answer);
            } while (left > window.left && static_cast<LRESULT>(answer) == hitTest);
            return POINT{(left + 1 + x) / 2, y};
        }
    }
    Fail("the title bar has no button answering hit test " + std::to_string(hitTest));
}

DWORD Close(Session& session, CloseBy how) {
    HWND main = session.Main();
    switch (how) {
    case CloseBy::CloseBox:
        BringToFront(main);
        ClickAt(TitleBarButton(main, HTCLOSE));
        break;
    case CloseBy::AltF4:
        BringToFront(main);
        PressKeys({VK_MENU, VK_F4});
        break;
    case CloseBy::SystemCommand:
        PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    }
    return session.Program().WaitForExit();
}

void ExpectPageShown(HWND main, long page, long count, std::string_view text) {
    ExpectBytes(ControlText(main, PageBox), std::to_string(page), "the page box");
    ExpectBytes(ControlText(main, PageCount), NumberText(count), "the page count label");
    ExpectBytes(ControlText(main, PageText), text, "the page text field");
}

POINT CornerInDialogUnits(HWND main) {
    const RECT window = WindowRect(main);
    const DialogScale scale = ScaleOf(main);
    return POINT{ToDialogUnits(window.left, scale.across), ToDialogUnits(window.top, scale.down)};
}

void ExpectTitleBarInReach(HWND main) {
    const RECT window = WindowRect(main);
    const RECT client = ClientRectOnScreen(main);
    const RECT work = WorkArea();
    if (window.left < work.left || window.right > work.right || window.top < work.top ||
        client.top > work.bottom) {
        Fail("the title bar is out of reach: the window spans " + std::to_string(window.left) +
             ", " + std::to_string(window.top) + " to " + std::to_string(window.right) + ", " +
             std::to_string(window.bottom) + " on a screen of " + std::to_string(work.right) +
             " by " + std::to_string(work.bottom));
    }
}

void ExpectWindowAt(HWND main, long left, long top, const std::string& why) {
    const RECT window = WindowRect(main);
    const DialogScale scale = ScaleOf(main);
    ExpectNear(window.left, ToPixels(left, scale.across), 1,
               "the window's left edge in pixels (" + why + ")");
    ExpectNear(window.top, ToPixels(top, scale.down), 1,
               "the window's top edge in pixels (" + why + ")");
}

const std::string& HeaderOfNewPad() {
    static const std::string header = [] {
        WorkFolder folder;
        Session session(folder);
        const DWORD exitCode = Close(session, CloseBy::SystemCommand);
        ExpectNumber(exitCode, 0, "the exit code of the run that made a new pad");
        return SplitPagesFile(ReadBytes(folder / PagesFileName)).header;
    }();
    return header;
}
