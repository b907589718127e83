// Pictures of the screen: for a person to look at, and for finding things drawn on it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The pixels of a part of the screen, row by row from the top, as 0x00RRGGBB.
struct ScreenPixels {
    int width = 0;
    int height = 0;
    std::vector<DWORD> pixels;

    DWORD At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
ScreenPixels CaptureScreen(const RECT& area);

// Where pictures go; none are saved while this is empty.
void SetScreenshotFolder(const std::string& folder);
// Saves the whole screen as NAME.bmp in that folder (the test script turns it into PNG).
void SaveScreenshot(const std::string& name);
// Only the window, as it stands on the screen, or any part of the screen.
void SaveWindowScreenshot(HWND window, const std::string& name);
void SaveScreenshotOf(const RECT& area, const std::string& name);
// The first failed check saves the screen under this name, before the program is ended.
void SetFailureScreenshotName(const std::string& name);
void SaveFailureScreenshot();
