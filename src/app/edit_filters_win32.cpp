// The window procedures put in front of the search box, the page box and the page text
// field: each hands its keys to the program first, then everything to the edit control.
#include "app/main_window.h"

#include "commands/flipping.h"
#include "stamps/stamps.h"

namespace {

LRESULT PassOn(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditClassProc));
    }
    return CallWindowProcW(EditClassProc, control, message, wParam, lParam);
}

// The messages that carry a key's code in their first parameter. Others may carry 13 by
// chance: reading the box's text with a buffer of 13 bytes sends WM_GETTEXT with 13, which
// would go to the page and read the box again without end.
bool CarriesKey(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || message == WM_GETDLGCODE;
}

} // namespace

LRESULT CALLBACK SearchBoxFilter(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN) {
        SearchBoxKeyDown(static_cast<int>(wParam));
    }
    return PassOn(control, message, wParam, lParam);
}

// The dialog manager turns Return into a command of the window, so the box sees the key's
// code only in the question which keys it wants and in the key's release.
LRESULT CALLBACK PageBoxFilter(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    if (wParam == VK_RETURN && CarriesKey(message)) {
        PageBoxReturn();
    }
    return PassOn(control, message, wParam, lParam);
}

// While the page fits the field, the field is a sheet of paper: what would need a line
// more than it shows is refused, a paste with a word to the user (WM_PASTE comes from
// Ctrl+V and the context menu, Shift+Insert may paste without one), anything else with a
// beep.
LRESULT CALLBACK PageTextFilter(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN) {
        PageTextKeyDown(static_cast<int>(wParam));
    } else if (message == WM_KEYUP) {
        PageTextKeyUp();
    }
    if (!TakesMoreThanTheSheet(control, message, wParam, lParam)) {
        return PassOn(control, message, wParam, lParam);
    }
    if (message == WM_PASTE || message == WM_KEYDOWN) {
        PasteDidNotFit();
    } else {
        MessageBeep(MB_OK);
    }
    return 0;
}
