// The window procedures put in front of the search box, the page box and the page text
// field: each hands its keys to the program first, then everything to the edit control.
#include "app/main_window.h"

#include "commands/flipping.h"
#include "stamps/stamps.h"
#include "text/line_breaks.h"

#include <string>
#include <string_view>

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

// WM_PASTE comes from Ctrl+V and the field's menu; Shift+Insert may paste without one, with
// Ctrl held as well.
bool Pastes(UINT message, WPARAM wParam) {
    return message == WM_PASTE ||
           (message == WM_KEYDOWN && wParam == VK_INSERT && GetKeyState(VK_SHIFT) < 0);
}

// A character or a caret key taken, or an edit from the field's menu: what ends the title's
// word that the page is full.
bool TakesKey(UINT message, WPARAM wParam) {
    switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
        return true;
    case WM_KEYDOWN:
        return (wParam >= VK_PRIOR && wParam <= VK_DOWN) || wParam == VK_DELETE;
    default:
        return false;
    }
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
// more than it shows is refused, a paste with a word to the user, anything else with a beep.
// Text put in by a paste or a message comes with CR LF for every line break, so that the
// field shows the lines that the page will keep.
LRESULT CALLBACK PageTextFilter(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN) {
        PageTextKeyDown(static_cast<int>(wParam));
    } else if (message == WM_KEYUP) {
        PageTextKeyUp();
    }
    if (Pastes(message, wParam)) {
        PasteIntoPageText();
        return 0;
    }
    if (message == EM_REPLACESEL && lParam != 0) {
        const std::wstring_view text = reinterpret_cast<const wchar_t*>(lParam);
        const std::wstring broken = WithCrLfBreaks(text);
        if (broken.size() != text.size()) {
            return PageTextFilter(control, message, wParam,
                                  reinterpret_cast<LPARAM>(broken.c_str()));
        }
    }
    if (TakesMoreThanTheSheet(control, message, wParam, lParam)) {
        MessageBeep(MB_OK);
        PageTextRefused();
        return 0;
    }
    if (TakesKey(message, wParam)) {
        PageTextTookKey();
    }
    return PassOn(control, message, wParam, lParam);
}
