// The screen's dots per inch that a run expects, and the checks that the program draws at it.
#pragma once

#include <windows.h>

#include <string_view>

// 96 unless the driver was started with --dpi N.
void SetExpectedDpi(int dpi);
int ExpectedDpi();

// The screen has the expected dots per inch and the window's dialog base units are those of
// its 8-point font at them: the window and every control grow with the font. (Wine draws
// every program at the screen's DPI, so whether Windows would stretch it instead is the
// manifest's business, checked by reading the manifest.)
void ExpectDrawnAtExpectedDpi(HWND main);
// How many pixels the text takes across in the window's font at the screen's DPI.
long WidthInDialogFont(std::string_view text);
