// The window procedures put in front of the search box, the page box and the page text
// field: each hands its keys to the program first, then everything to the edit control.
#include "app/main_window.h"

#include "commands/flipping.h"
#include "stamps/stamps.h"

namespace {

bool Pasting = false;
bool PasteRefused = false;

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

void PageTextRefusedText() {
    PasteRefused = PasteRefused || Pasting;
}

// A paste is WM_PASTE (Ctrl+V and the context menu send it) or Shift+Insert, which the edit
// control may carry out without one; the user hears of a refused paste once it is over.
LRESULT CALLBACK PageTextFilter(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN) {
        PageTextKeyDown(static_cast<int>(wParam));
    } else if (message == WM_KEYUP) {
        PageTextKeyUp();
    }
    const bool paste = message == WM_PASTE || (message == WM_KEYDOWN && wParam == VK_INSERT);
    if (Pasting || !paste) {
        return PassOn(control, message, wParam, lParam);
    }
    Pasting = true;
    PasteRefused = false;
    const LRESULT result = PassOn(control, message, wParam, lParam);
    Pasting = false;
    if (PasteRefused) {
        PasteDidNotFit();
    }
    return result;
}
