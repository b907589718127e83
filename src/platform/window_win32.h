// The Windows side of the window seam as the main window's own code sees it: the window's
// handle, its one wait timer, and how the page text field fits its text.
#pragma once

#include <windows.h>

// Set once the main window exists; every call of the seam reaches the window through it.
extern HWND MainWindow;
// The themed common controls are loaded on a helper thread, started first thing in WinMain;
// everything that makes a window or a message box waits for it first.
void StartLoadingVisualStyles();
void WaitForVisualStyles();

// The id of the main window's one wait timer.
constexpr UINT_PTR WaitTimerId = 1;

// The editable page text field keeps its text, caret, selection and undo for as long as the
// window lives: it scrolls (WS_VSCROLL | ES_AUTOVSCROLL) and shows its scroll bar only while
// its text is taller than the field. While the text fits, the bar is hidden and the field
// is a sheet of paper.
constexpr DWORD PageTextScrolling = WS_VSCROLL | ES_AUTOVSCROLL;
// Shows or hides the bar for the text the field holds now; nothing for help's read-only
// field.
void FitPageTextField();
// Whether the message (a typed character, a replaced selection) would add text
// that the field, a sheet of paper now, has no line left for. Undoing and deleting always
// go through: they bring back or leave what the user had.
bool TakesMoreThanTheSheet(HWND field, UINT message, WPARAM wParam, LPARAM lParam);
