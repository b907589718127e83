// The main window: its controls, where it goes on the screen, its own callbacks, and the
// page text field that help mode replaces.
#include "app/main_window.h"
#include "app/main_window_events.h"

#include "app/help_mode.h"
#include "app/window_placement.h"
#include "commands/flipping.h"
#include "commands/page_commands.h"
#include "store/page_store.h"
#include "store/pages_file.h"

#include <algorithm>
#include <vector>

WNDPROC EditClassProc = nullptr;

namespace {

constexpr DWORD BoxStyle = WS_TABSTOP | ES_AUTOHSCROLL;

// In creation order, which is also the tab order.
const ControlLayout Controls[] = {
    {"BUTTON", ID_PREV_BUTTON, "<", 4, 4, 12, 12, BS_CENTER, 0, OnPrevButton},
    {"EDIT", ID_SEARCH_BOX, "", 16, 4, 68, 12, BoxStyle, WS_EX_CLIENTEDGE, nullptr},
    {"BUTTON", ID_NEXT_BUTTON, ">", 84, 4, 12, 12, BS_CENTER, 0, OnNextButton},
    {"BUTTON", ID_NEW_PAGE, "&New Page", 104, 4, 52, 12, BS_CENTER, 0, NewPage},
    {"BUTTON", ID_DELETE_PAGE, "&Delete Page", 156, 4, 52, 12, BS_CENTER, 0, DeletePage},
    {"BUTTON", ID_INSERT_PAGE, "&Insert Page", 156, 16, 52, 12, BS_CENTER, 0, InsertPage},
    {"BUTTON", ID_HELP_BUTTON, "&Help", 104, 16, 52, 12, BS_CENTER, 0, OnHelpButton},
    {"STATIC", ID_PAGE_LABEL, "Page", 15, 20, 18, 8, SS_LEFT, 0, nullptr},
    // Page numbers and counts of six digits fit; the count never wraps out of sight.
    {"EDIT", ID_PAGE_BOX, "", 35, 19, 32, 11, BoxStyle, WS_EX_CLIENTEDGE, nullptr},
    {"STATIC", ID_OF_LABEL, "of", 69, 20, 8, 8, SS_LEFT, 0, nullptr},
    {"STATIC", ID_PAGE_COUNT, "", 77, 20, 27, 8, SS_LEFTNOWORDWRAP, 0, nullptr},
};

constexpr DWORD PageTextStyle = WS_TABSTOP | ES_MULTILINE | ES_WANTRETURN | PageTextScrolling;
// Posted at every change of the field, so that its fit is checked once the edit control
// has finished with the change.
constexpr UINT FitCheckMessage = WM_APP;
bool FitCheckPosted = false;
const ControlLayout PageTextLayout = {
    "EDIT", ID_PAGE_TEXT, "", 4, 32, 204, 244, PageTextStyle, WS_EX_CLIENTEDGE, OnPageTextCommand};

// Help mode's stand-in: read-only, no tab stop, no handler.
constexpr DWORD HelpTextStyle = ES_MULTILINE | ES_READONLY | ES_WANTRETURN;
const ControlLayout HelpTextLayout = {"EDIT",        ID_PAGE_TEXT,     "",     4, 32, 204, 244,
                                      HelpTextStyle, WS_EX_CLIENTEDGE, nullptr};

constexpr std::int64_t ScreenLimit = 1 << 24; // far beyond any screen, yet safe to add to

struct DialogScale {
    std::int64_t across; // pixels of 1000 horizontal dialog units
    std::int64_t down;
};

DialogScale ScaleOf(HWND window) {
    RECT thousand{0, 0, 1000, 1000};
    MapDialogRect(window, &thousand);
    return {thousand.right, thousand.bottom};
}

// The editable field with its filter, its scroll bar shown only when needed. The standard
// edit control caps what typing and pasting may add at about 30,000 characters; a long
// page must stay editable.
void AddPageTextField() {
    const HWND field = AddControl(MainWindow, PageTextLayout);
    SendMessageW(field, EM_SETLIMITTEXT, 0, 0);
    InstallFilter(field, PageTextFilter);
    FitPageTextField();
}

ScreenRect ScreenRectOf(const RECT& rect) {
    return {rect.left, rect.top, rect.right, rect.bottom};
}

RECT RectOf(const ScreenRect& rect) {
    return {static_cast<LONG>(rect.left), static_cast<LONG>(rect.top),
            static_cast<LONG>(rect.right), static_cast<LONG>(rect.bottom)};
}

BOOL CALLBACK AddWorkArea(HMONITOR monitor, HDC, LPRECT, LPARAM areas) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (GetMonitorInfoW(monitor, &info)) {
        reinterpret_cast<std::vector<ScreenRect>*>(areas)->push_back(ScreenRectOf(info.rcWork));
    }
    return TRUE;
}

std::vector<ScreenRect> WorkAreas() {
    std::vector<ScreenRect> areas;
    EnumDisplayMonitors(nullptr, nullptr, AddWorkArea, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

// The stored position is the outer corner; a template's position would place the client
// area instead and the window would creep down by its title bar at every start.
void PlaceAtStoredPosition() {
    const DialogScale scale = ScaleOf(MainWindow);
    RECT outer;
    GetWindowRect(MainWindow, &outer);
    POINT clientCorner{0, 0};
    ClientToScreen(MainWindow, &clientCorner);
    const auto onScreen = [](std::int64_t pixels) {
        return std::clamp(pixels, -ScreenLimit, ScreenLimit);
    };
    const std::int64_t left = onScreen(PixelsFromDialogUnits(WindowLeft, scale.across));
    const std::int64_t top = onScreen(PixelsFromDialogUnits(WindowTop, scale.down));
    const ScreenRect window{left, top, left + (outer.right - outer.left),
                            top + (outer.bottom - outer.top)};
    const ScreenRect titleBar{window.left, window.top, window.right,
                              window.top + (clientCorner.y - outer.top)};
    ScreenPoint corner{window.left, window.top};
    if (!TitleBarInReach(titleBar, WorkAreas())) {
        const RECT wanted = RectOf(window);
        MONITORINFO nearest{};
        nearest.cbSize = sizeof nearest;
        if (GetMonitorInfoW(MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST), &nearest)) {
            corner = MoveIntoWorkArea(window, ScreenRectOf(nearest.rcWork));
        }
    }
    SetWindowPos(MainWindow, nullptr, static_cast<int>(corner.x), static_cast<int>(corner.y), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Where the window comes back to: while it is minimised or maximised the system parks it
// elsewhere, and the place it will be restored to is what the user left it at.
RECT RestoredPlace() {
    RECT outer;
    GetWindowRect(MainWindow, &outer);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if ((!IsIconic(MainWindow) && !IsZoomed(MainWindow)) ||
        !GetWindowPlacement(MainWindow, &placement)) {
        return outer;
    }
    // That place is in workspace coordinates, which begin at the primary work area's corner.
    RECT place = placement.rcNormalPosition;
    MONITORINFO primary{};
    primary.cbSize = sizeof primary;
    if (GetMonitorInfoW(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY), &primary)) {
        OffsetRect(&place, primary.rcWork.left - primary.rcMonitor.left,
                   primary.rcWork.top - primary.rcMonitor.top);
    }
    return place;
}

// While the pad can't be saved the session is asked to wait, with the reason for the user
// to read; a dialog gives its answer through its message result.
int AnswerSessionQuestion() {
    if (SessionMayEnd()) {
        ShutdownBlockReasonDestroy(MainWindow);
        return 0;
    }
    ShutdownBlockReasonCreate(MainWindow, L"Quillpad could not save your latest changes");
    SetWindowLongPtrW(MainWindow, DWLP_MSGRESULT, FALSE);
    return TRUE;
}

} // namespace

void BuildMainWindow() {
    const DWORD style =
        WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | (NoStoredPosition == 1 ? DS_CENTER : 0);
    // The template's corner stays 0, 0: the stored position is applied to the outer corner.
    MainWindow = CreateDialogWindow({"Quillpad", 0, 0, 212, 281, style});
    for (const ControlLayout& control : Controls) {
        AddControl(MainWindow, control);
    }
    InstallFilter(GetDlgItem(MainWindow, ID_SEARCH_BOX), SearchBoxFilter);
    InstallFilter(GetDlgItem(MainWindow, ID_PAGE_BOX), PageBoxFilter);
    AddPageTextField();
    if (NoStoredPosition != 1) {
        PlaceAtStoredPosition();
    }
    ShowPage();
    MainWindowShowing();
    RunDialog(MainWindow, OnMainWindowEvent);
}

void MakePageTextField(bool readOnly) {
    DestroyWindow(GetDlgItem(MainWindow, ID_PAGE_TEXT));
    if (readOnly) {
        AddControl(MainWindow, HelpTextLayout);
        return;
    }
    AddPageTextField();
}

int OnMainWindowEvent(WindowHandle, unsigned message, std::uintptr_t wParam, std::intptr_t) {
    if (message == WM_MOVE) {
        // The message's own position is the client area's; the file keeps the outer corner.
        const RECT place = RestoredPlace();
        const DialogScale scale = ScaleOf(MainWindow);
        MainWindowMoved(DialogUnitsFromPixels(place.left, scale.across),
                        DialogUnitsFromPixels(place.top, scale.down));
    } else if (message == WM_ENTERSIZEMOVE) {
        MainWindowDragStarted();
    } else if (message == WM_EXITSIZEMOVE) {
        MainWindowDropped();
    } else if (IsCloseCommand(message, wParam)) {
        // A result other than 0 keeps the engine from ending the window.
        return MainWindowClosing() ? 0 : TRUE;
    } else if (message == WM_QUERYENDSESSION) {
        return AnswerSessionQuestion();
    } else if (message == WM_ENDSESSION && wParam != 0) {
        SessionEnding();
    } else if (message == FitCheckMessage) {
        FitCheckPosted = false;
        FitPageTextField();
    } else if (message == WindowPaintedMessage) {
        MainWindowPainted();
        // The icon is no part of page 1: set before the window was shown, it held the first
        // painting back.
        SendMessageW(MainWindow, WM_SETICON, ICON_BIG,
                     reinterpret_cast<LPARAM>(LoadIconW(GetModuleHandleW(nullptr), L"PROGRAM")));
    } else if (message == LookAtPadMessage) {
        LookAtPadOnDisk();
    } else if (message == WM_TIMER && wParam == WaitTimerId) {
        StopWaitTimer();
        TypingPaused();
    }
    return 0;
}

int OnPageTextCommand(WindowHandle, unsigned, std::uintptr_t wParam, std::intptr_t) {
    if (HIWORD(wParam) == EN_SETFOCUS) {
        PageTextGotFocus();
    } else if (HIWORD(wParam) == EN_CHANGE) {
        PageTextChanged();
        if (!FitCheckPosted) {
            FitCheckPosted = PostMessageW(MainWindow, FitCheckMessage, 0, 0) != FALSE;
        }
    }
    return 0;
}
