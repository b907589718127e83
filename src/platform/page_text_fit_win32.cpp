// How the page text field fits its text: its scroll bar while the text is taller than the
// field, and the sheet of paper while it fits. The field is never made anew for either, so
// that its undo stays.
#include "platform/wide_text.h"
#include "platform/window.h"
#include "platform/window_win32.h"

#include <algorithm>
#include <string>
#include <string_view>

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

// How many lines the field shows at once.
LONG LinesShown(HWND field, RECT& format) {
    SendMessageW(field, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&format));
    const HDC dc = GetDC(field);
    const HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(field, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, previous);
    ReleaseDC(field, dc);
    return std::max<LONG>(1, (format.bottom - format.top) / std::max<LONG>(1, metrics.tmHeight));
}

// Whether the field's text takes no more lines than the field shows at once.
bool TextFitsField(HWND field) {
    RECT format{};
    return SendMessageW(field, EM_GETLINECOUNT, 0, 0) <= LinesShown(field, format);
}

// Text that no sheet could hold, told without laying it out (a megabyte would take the edit
// control many seconds): more lines than the field shows, or more ink than its lines hold
// together. Blanks and tabs are left out of the ink, since a line may end in them; the ink
// is measured a piece at a time, until it is known to be too wide.
bool TooLongForAnySheet(HWND field, std::wstring_view text) {
    RECT format{};
    const LONG shown = LinesShown(field, format);
    const long long room = static_cast<long long>(shown) * (format.right - format.left);
    LONG lines = 1;
    long long width = 0;
    std::wstring ink;
    const HDC dc = GetDC(field);
    const HGDIOBJ previous =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(field, WM_GETFONT, 0, 0)));
    for (std::size_t at = 0; at <= text.size() && lines <= shown && width <= room; ++at) {
        const wchar_t c = at < text.size() ? text[at] : L'\0';
        lines += c == L'\n' ? 1 : 0;
        if (c != L'\r' && c != L'\n' && c != L' ' && c != L'\t' && c != L'\0') {
            ink += c;
        }
        if (ink.size() == 4096 || (at == text.size() && !ink.empty())) {
            SIZE extent{};
            GetTextExtentPoint32W(dc, ink.data(), static_cast<int>(ink.size()), &extent);
            width += extent.cx;
            ink.clear();
        }
    }
    SelectObject(dc, previous);
    ReleaseDC(field, dc);
    return lines > shown || width > room;
}

// The editable field scrolls; help's read-only one never does.
bool Scrolling(LONG_PTR style) {
    return (style & ES_AUTOVSCROLL) != 0 && (style & ES_READONLY) == 0;
}

// Control characters other than line breaks and tabs add nothing; undo and deletions are
// not asked about. Pastes are tried by the text they put in.
bool AddsText(UINT message, WPARAM wParam) {
    switch (message) {
    case WM_CHAR:
    case WM_IME_CHAR:
        return wParam >= L' ' || wParam == L'\r' || wParam == L'\n' || wParam == L'\t';
    case EM_REPLACESEL:
        return true;
    default:
        return false;
    }
}

// The field as a sheet of paper: editable, its scroll bar hidden.
bool IsSheet(HWND field) {
    const LONG_PTR style = GetWindowLongPtrW(field, GWL_STYLE);
    return field != nullptr && Scrolling(style) && (style & WS_VSCROLL) == 0;
}

// The trial field given the field's text and selection, or left empty.
HWND LoadTrial(HWND field, bool withText) {
    const HWND trial = TrialField(field);
    if (!withText) {
        SetWindowTextW(trial, L"");
        return trial;
    }
    const int length = GetWindowTextLengthW(field);
    std::wstring text(static_cast<std::size_t>(std::max(length, 0)) + 1, L'\0');
    GetWindowTextW(field, text.data(), length + 1);
    SetWindowTextW(trial, text.c_str());
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                 reinterpret_cast<LPARAM>(&end));
    SendMessageW(trial, EM_SETSEL, start, end);
    return trial;
}

// A page taller than the field takes any text that one page could hold; more would keep the
// edit control busy for seconds, a megabyte for longer than showing the page takes.
bool SheetTakes(bool withText, std::string_view text) {
    const HWND field = GetDlgItem(MainWindow, ID_PAGE_TEXT);
    const LONG_PTR style = GetWindowLongPtrW(field, GWL_STYLE);
    if (field == nullptr || !Scrolling(style)) {
        return true;
    }
    const std::wstring wide = Wide(text);
    if (TooLongForAnySheet(TrialField(field), wide)) {
        return false;
    }
    if (withText && (style & WS_VSCROLL) != 0) {
        return true;
    }
    const HWND trial = LoadTrial(field, withText);
    SendMessageW(trial, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(wide.c_str()));
    return TextFitsField(trial);
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
    if (!IsSheet(field) || !AddsText(message, wParam)) {
        return false;
    }
    if (message == EM_REPLACESEL && lParam != 0 &&
        TooLongForAnySheet(TrialField(field), reinterpret_cast<const wchar_t*>(lParam))) {
        return true;
    }
    const HWND trial = LoadTrial(field, true);
    SendMessageW(trial, message, wParam, lParam);
    return !TextFitsField(trial);
}

bool FitsPageTextField(std::string_view text) {
    return SheetTakes(true, text);
}

bool FitsEmptyPageTextField(std::string_view text) {
    return SheetTakes(false, text);
}
