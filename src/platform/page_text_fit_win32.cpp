// How the page text field fits its text: its scroll bar while the text is taller than the
// field, and the sheet of paper while it fits. The field is never made anew for either, so
// that its undo stays.
#include "platform/window.h"
#include "platform/window_win32.h"

#include <algorithm>
#include <string>

namespace {

// A hidden edit control of the field's place, font and style, without the scroll bar, that
// tries an input out on a copy of the field's text: the edit control's own layout says
// whether the result still fits.
HWND Trial = nullptr;

HWND TrialField(HWND field) {
    if (IsWindow(Trial)) {
        return Trial;
    }
    RECT place;
    GetWindowRect(field, &place);
    MapWindowPoints(nullptr, MainWindow, reinterpret_cast<POINT*>(&place), 2);
    Trial = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                            WS_CHILD | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL, place.left,
                            place.top, place.right - place.left, place.bottom - place.top,
                            MainWindow, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(Trial, WM_SETFONT, static_cast<WPARAM>(SendMessageW(field, WM_GETFONT, 0, 0)),
                 FALSE);
    SendMessageW(Trial, EM_SETLIMITTEXT, 0, 0);
    return Trial;
}

// Whether the field's text takes no more lines than the field shows at once.
bool TextFitsField(HWND field) {
    RECT format{};
    SendMessageW(field, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    const HDC dc = GetDC(field);
    const HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(field, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(field, dc);
    const LONG shown =
        std::max<LONG>(1, (format.bottom - format.top) / std::max<LONG>(1, metrics.tmHeight));
    return SendMessageW(field, EM_GETLINECOUNT, 0, 0) <= shown;
}

// The editable field scrolls; help's read-only one never does.
bool Scrolling(LONG_PTR style) {
    return (style & ES_AUTOVSCROLL) != 0 && (style & ES_READONLY) == 0;
}

// Shift+Insert pastes without a WM_PASTE. Control characters other than line breaks and
// tabs add nothing; undo and deletions are not asked about.
bool AddsText(UINT message, WPARAM wParam) {
    switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR:
        return wParam >= L' ' || wParam == L'\r' || wParam == L'\n' || wParam == L'\t';
    case WM_PASTE:
    case EM_REPLACESEL:
        return true;
    case WM_KEYDOWN:
        return wParam == VK_INSERT && GetKeyState(VK_SHIFT) < 0 && GetKeyState(VK_CONTROL) >= 0;
    default:
        return false;
    }
}

} // namespace

// A bar that the edit control showed by itself (Windows may, when its text outgrows it) is
// hidden again once the text fits; one shown here scrolls the caret into sight.
void FitPageTextField() {
    const HWND field = GetDlgItem(MainWindow, ID_PAGE_TEXT);
    const LONG_PTR style = GetWindowLongPtrW(field, GWL_STYLE);
    if (field == nullptr || !Scrolling(style)) {
        return;
    }
    const bool barShown = (style & WS_VSCROLL) != 0;
    if (TextFitsField(field) != barShown) {
        return;
    }
    ShowScrollBar(field, SB_VERT, !barShown);
    if (!barShown) {
        SendMessageW(field, EM_SCROLLCARET, 0, 0);
    }
}

// The edit control, having a scroll bar, would take anything; so while the bar is hidden
// the input is first tried on the trial field, as long as the field with no bar.
bool TakesMoreThanTheSheet(HWND field, UINT message, WPARAM wParam, LPARAM lParam) {
    const LONG_PTR style = GetWindowLongPtrW(field, GWL_STYLE);
    if (!Scrolling(style) || (style & WS_VSCROLL) != 0 || !AddsText(message, wParam)) {
        return false;
    }
    const HWND trial = TrialField(field);
    const int length = GetWindowTextLengthW(field);
    std::wstring text(static_cast<std::size_t>(std::max(length, 0)) + 1, L'\0');
    GetWindowTextW(field, text.data(), length + 1);
    SetWindowTextW(trial, text.c_str());
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    SendMessageW(trial, EM_SETSEL, start, end);
    SendMessageW(trial, message, wParam, lParam);
    return !TextFitsField(trial);
}
