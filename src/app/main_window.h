// The Windows side of the main window: its handle, the dialog engine that runs it, the
// main window's callbacks and the three edit-control filters.
#pragma once

#include "platform/window.h"
#include "platform/window_win32.h"

#include <windows.h>

#include <string_view>

// The edit class's own window procedure, which every filter passes its messages to.
extern WNDPROC EditClassProc;

// The dialog engine. Geometry is in dialog units of the window's font.
struct DialogLayout {
    std::string_view caption;
    short x;
    short y;
    short width;
    short height;
    DWORD style;
};
HWND CreateDialogWindow(const DialogLayout& layout);

struct ControlLayout {
    const char* className;
    int id;
    const char* text;
    int x;
    int y;
    int width;
    int height;
    DWORD style; // WS_CHILD and WS_VISIBLE are added
    DWORD extendedStyle;
    Handler handler; // or none
};
HWND AddControl(HWND dialog, const ControlLayout& layout);

// Calls the callback once with WM_INITDIALOG, records it for every later message, shows
// the window and handles messages until the window is gone. The callback also gets
// LookAtPadMessage, from the loop itself, after the window became active or something
// changed in the working folder, and WindowPaintedMessage once, when the window is first
// painted and before any input is taken.
void RunDialog(HWND dialog, Handler callback);
constexpr UINT LookAtPadMessage = WM_APP + 1;
constexpr UINT WindowPaintedMessage = WM_APP + 2;

// The system's close command (close box, Alt+F4, Close in the window menu): the only
// message that ends the window.
bool IsCloseCommand(UINT message, WPARAM wParam);

// Puts a filter in front of an edit control's own window procedure.
void InstallFilter(HWND control, WNDPROC filter);

int OnMainWindowEvent(WindowHandle window, unsigned message, std::uintptr_t wParam,
                      std::intptr_t lParam);
int OnPageTextCommand(WindowHandle window, unsigned message, std::uintptr_t wParam,
                      std::intptr_t lParam);

LRESULT CALLBACK SearchBoxFilter(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK PageBoxFilter(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK PageTextFilter(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
