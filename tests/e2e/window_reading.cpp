// Reading what the program's windows show: texts, focus, selections, places on screen.
#include "window_reading.h"

#include "check.h"
#include "platform/wide_text.h"

#include <cmath>

namespace {

constexpr UINT kReplyTimeoutMs = 5000;

LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kReplyTimeoutMs,
                             &result)) {
        Fail("the program did not answer message " + std::to_string(message));
    }
    return static_cast<LRESULT>(result);
}

struct ProcessWindows {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM context) {
    auto* windows = reinterpret_cast<ProcessWindows*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == windows->processId && IsWindowVisible(window)) {
        windows->found.push_back(window);
    }
    return TRUE;
}

} // namespace

std::vector<HWND> TopLevelWindows(DWORD processId) {
    ProcessWindows windows{processId, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
    return windows.found;
}

bool IsMainWindow(HWND window) {
    HWND field = GetDlgItem(window, PageText);
    return field && ClassOf(field) == "Edit" && TextOf(window).rfind("Quillpad", 0) == 0;
}

HWND FindMainWindow(DWORD processId) {
    for (HWND window : TopLevelWindows(processId)) {
        if (IsMainWindow(window)) {
            return window;
        }
    }
    return nullptr;
}

namespace {

BOOL CALLBACK FindUnpainted(HWND child, LPARAM unpainted) {
    if (GetUpdateRect(child, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(unpainted) = true;
        return FALSE;
    }
    return TRUE;
}

} // namespace

bool WindowPainted(HWND main) {
    if (!IsWindowVisible(main) || GetUpdateRect(main, nullptr, FALSE)) {
        return false;
    }
    bool unpainted = false;
    EnumChildWindows(main, FindUnpainted, reinterpret_cast<LPARAM>(&unpainted));
    return !unpainted;
}

HWND WaitForMainWindow(DWORD processId, int timeoutMs) {
    HWND main = nullptr;
    WaitUntil([&] { return (main = FindMainWindow(processId)) != nullptr; },
              "the window titled \"Quillpad\"", timeoutMs);
    return main;
}

std::string ClassOf(HWND window) {
    char name[256];
    const int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? length : 0);
}

std::string TextOf(HWND window) {
    const auto length = static_cast<size_t>(Ask(window, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(length + 1, L'\0');
    const auto copied = static_cast<size_t>(
        Ask(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data())));
    text.resize(copied < length ? copied : length);
    return Utf8(text);
}

HWND Control(HWND main, int id) {
    HWND control = GetDlgItem(main, id);
    if (!control) {
        Fail("the window has no control " + ControlName(id));
    }
    return control;
}

std::string ControlText(HWND main, int id) {
    return TextOf(Control(main, id));
}

bool ControlEnabled(HWND main, int id) {
    return IsWindowEnabled(Control(main, id)) != FALSE;
}

int FocusedControl(HWND main) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &info) || !info.hwndFocus) {
        return -1;
    }
    if (info.hwndFocus == main) {
        return 0;
    }
    if (GetParent(info.hwndFocus) != main) {
        return -1;
    }
    return GetDlgCtrlID(info.hwndFocus);
}

std::string ControlName(int id) {
    switch (id) {
    case -1:
        return "nothing of the window";
    case 0:
        return "the main window itself";
    case PrevButton:
        return "the \"<\" button";
    case SearchBox:
        return "the search box";
    case NextButton:
        return "the \">\" button";
    case NewPageButton:
        return "the New Page button";
    case DeletePageButton:
        return "the Delete Page button";
    case InsertPageButton:
        return "the Insert Page button";
    case HelpButton:
        return "the Help button";
    case PageLabel:
        return "the \"Page\" label";
    case PageBox:
        return "the page box";
    case OfLabel:
        return "the \"of\" label";
    case PageCount:
        return "the page count label";
    case PageText:
        return "the page text field";
    default:
        return "control " + std::to_string(id);
    }
}

Selection SelectionOf(HWND main, int id) {
    const auto packed = static_cast<DWORD>(Ask(Control(main, id), EM_GETSEL, 0, 0));
    return Selection{static_cast<long>(LOWORD(packed)), static_cast<long>(HIWORD(packed))};
}

RECT WindowRect(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

RECT ClientRectOnScreen(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

POINT CentreOf(const RECT& rect) {
    return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

RECT WorkArea() {
    RECT area{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area;
}

DialogScale ScaleOf(HWND main) {
    RECT client{};
    GetClientRect(main, &client);
    // The client area is 212 x 281 dialog units; the dialog base units are whole pixels,
    // so they come back exactly from the rounded sizes.
    const long baseX = std::lround(client.right * 4.0 / 212.0);
    const long baseY = std::lround(client.bottom * 8.0 / 281.0);
    return DialogScale{static_cast<int>(baseX * 1000 / 4), static_cast<int>(baseY * 1000 / 8)};
}

long ToDialogUnits(long pixels, int per1000) {
    const double units = pixels * 1000.0 / per1000;
    return static_cast<long>(units < 0 ? -std::floor(-units + 0.5) : std::floor(units + 0.5));
}

long ToPixels(long dialogUnits, int per1000) {
    return MulDiv(dialogUnits, per1000, 1000);
}

POINT DialogPointOnScreen(HWND main, int x, int y) {
    const DialogScale scale = ScaleOf(main);
    const RECT client = ClientRectOnScreen(main);
    return POINT{client.left + ToPixels(x, scale.across), client.top + ToPixels(y, scale.down)};
}
