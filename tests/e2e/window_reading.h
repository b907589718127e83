// Reading what the program's windows show: texts, focus, selections, places on screen.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The program's control ids, as its window uses them.
enum QuillpadControl {
    PrevButton = 10,
    SearchBox = 20,
    NextButton = 30,
    NewPageButton = 40,
    DeletePageButton = 50,
    InsertPageButton = 52,
    HelpButton = 54,
    PageLabel = 60,
    PageBox = 70,
    OfLabel = 80,
    PageCount = 90,
    PageText = 100,
};

// The visible top-level windows of a process.
std::vector<HWND> TopLevelWindows(DWORD processId);
// The main window: titled "Quillpad", holding the page text field. Null when not there.
bool IsMainWindow(HWND window);
HWND FindMainWindow(DWORD processId);
HWND WaitForMainWindow(DWORD processId, int timeoutMs = 10000);
// The window is visible, and neither it nor any control in it has a region left to paint.
// Showing a window gives it and its controls such regions, and only their own painting
// (BeginPaint) takes them away; at most the last control's drawing may still be running.
bool WindowPainted(HWND main);

std::string ClassOf(HWND window);
// A window's text through WM_GETTEXT, so it works across processes and at any length; read
// as Unicode and given as UTF-8, so that every character comes through as it is.
std::string TextOf(HWND window);
HWND Control(HWND main, int id);
std::string ControlText(HWND main, int id);
bool ControlEnabled(HWND main, int id);

// The id of the control that has the keyboard focus in the window's thread; 0 when the
// focus is on the main window itself, -1 when nothing of it has the focus.
int FocusedControl(HWND main);
std::string ControlName(int id);

// In UTF-16 units, as the field counts: a character beyond the BMP (an emoji) is two.
struct Selection {
    long start;
    long end;
};
Selection SelectionOf(HWND main, int id);

RECT WindowRect(HWND window);
RECT ClientRectOnScreen(HWND window);
POINT CentreOf(const RECT& rect);
RECT WorkArea();

// Pixels per 1000 dialog units across and down, worked out from the client area, which
// is 212 by 281 dialog units.
struct DialogScale {
    int across;
    int down;
};
DialogScale ScaleOf(HWND main);
// A pixel position in dialog units, rounded half away from zero, as the program stores it.
long ToDialogUnits(long pixels, int per1000);
long ToPixels(long dialogUnits, int per1000);
// A point inside the client area given in dialog units, on the screen.
POINT DialogPointOnScreen(HWND main, int x, int y);
