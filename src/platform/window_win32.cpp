// What the program asks of its main window, answered by Windows: every control is found
// through the main window and its id, since help mode replaces the page text field.
#include "platform/window_win32.h"
#include "platform/wide_text.h"
#include "platform/window.h"

#include <cwchar>
#include <string>

HWND MainWindow = nullptr;

namespace {

HWND Control(int id) {
    return GetDlgItem(MainWindow, id);
}

// Message boxes belong to the main window while it exists, so that nothing in it can
// change under an open question.
HWND BoxOwner() {
    return IsWindow(MainWindow) ? MainWindow : nullptr;
}

int ShowBox(std::string_view text, std::string_view caption, UINT flags) {
    WaitForVisualStyles();
    return MessageBoxW(BoxOwner(), Wide(text).c_str(), Wide(caption).c_str(), flags);
}

} // namespace

std::string ControlText(int id) {
    const HWND control = Control(id);
    const int length = GetWindowTextLengthW(control);
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(control, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return Utf8(text);
}

void SetControlText(int id, std::string_view text) {
    SetWindowTextW(Control(id), Wide(text).c_str());
    if (id == ID_PAGE_TEXT) {
        FitPageTextField();
    }
}

void FocusControl(int id) {
    SetFocus(Control(id));
}

void EnableControl(int id, bool enabled) {
    EnableWindow(Control(id), enabled ? TRUE : FALSE);
}

void SelectText(int id, long start, long end) {
    SendMessageW(Control(id), EM_SETSEL, static_cast<WPARAM>(start), static_cast<LPARAM>(end));
}

void ReplaceSelection(int id, std::string_view text) {
    SendMessageW(Control(id), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Wide(text).c_str()));
}

// The text ends at its first NUL, or where the clipboard's memory does, should a program
// have left the NUL out.
std::optional<std::string> ClipboardText() {
    if (OpenClipboard(MainWindow) == FALSE) {
        return std::nullopt;
    }
    std::optional<std::string> text;
    const HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const auto* units = static_cast<const wchar_t*>(data ? GlobalLock(data) : nullptr);
    if (units != nullptr) {
        text = Utf8(std::wstring_view(units, wcsnlen(units, GlobalSize(data) / sizeof(wchar_t))));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return text;
}

bool AskYesNo(std::string_view text, std::string_view caption) {
    return ShowBox(text, caption, MB_YESNO) == IDYES;
}

bool AskYesNoDefaultNo(std::string_view text, std::string_view caption) {
    return ShowBox(text, caption, MB_YESNO | MB_DEFBUTTON2) == IDYES;
}

void Tell(std::string_view text, std::string_view caption) {
    ShowBox(text, caption, MB_OK);
}

void SetWindowTitle(std::string_view title) {
    SetWindowTextW(MainWindow, Wide(title).c_str());
}

bool ShiftHeld() {
    return GetKeyState(VK_SHIFT) < 0;
}

bool CtrlHeld() {
    return GetKeyState(VK_CONTROL) < 0;
}

void RepaintNow() {
    RedrawWindow(MainWindow, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void Pause(int milliseconds) {
    Sleep(static_cast<DWORD>(milliseconds));
}

void StartWaitTimer(int milliseconds) {
    SetTimer(MainWindow, WaitTimerId, static_cast<UINT>(milliseconds), nullptr);
}

void StopWaitTimer() {
    KillTimer(MainWindow, WaitTimerId);
}
