// Pictures of the screen, captured through GDI; saved as BMP files.
#include "screenshot.h"

#include <cstdio>

namespace {

std::string screenshotFolder;
std::string failureName;

BITMAPINFOHEADER TopDown32(int width, int height) {
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = -height;
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biCompression = BI_RGB;
    return info;
}

} // namespace

ScreenPixels CaptureScreen(const RECT& area) {
    ScreenPixels shot;
    shot.width = area.right - area.left;
    shot.height = area.bottom - area.top;
    shot.pixels.resize(static_cast<size_t>(shot.width) * shot.height);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, shot.width, shot.height);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, shot.width, shot.height, screen, area.left, area.top, SRCCOPY);
    SelectObject(memory, previous);
    BITMAPINFOHEADER info = TopDown32(shot.width, shot.height);
    GetDIBits(memory, bitmap, 0, shot.height, shot.pixels.data(),
              reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    for (DWORD& pixel : shot.pixels) {
        pixel &= 0x00FFFFFF;
    }
    return shot;
}

void SetScreenshotFolder(const std::string& folder) {
    screenshotFolder = folder;
}

void SaveScreenshot(const std::string& name) {
    SaveScreenshotOf({0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, name);
}

void SaveWindowScreenshot(HWND window, const std::string& name) {
    RECT place{};
    GetWindowRect(window, &place);
    SaveScreenshotOf(place, name);
}

void SaveScreenshotOf(const RECT& area, const std::string& name) {
    if (screenshotFolder.empty()) {
        return;
    }
    const ScreenPixels shot = CaptureScreen(area);
    BITMAPINFOHEADER info = TopDown32(shot.width, shot.height);
    const DWORD pixelBytes = static_cast<DWORD>(shot.pixels.size() * sizeof(DWORD));
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + pixelBytes;
    const std::string path = screenshotFolder + "\\" + name + ".bmp";
    HANDLE out = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) {
        // A picture is for looking at; not getting one fails no scenario.
        std::fprintf(stderr, "cannot write the screenshot %s\n", path.c_str());
        return;
    }
    DWORD written = 0;
    WriteFile(out, &file, sizeof file, &written, nullptr);
    WriteFile(out, &info, sizeof info, &written, nullptr);
    WriteFile(out, shot.pixels.data(), pixelBytes, &written, nullptr);
    CloseHandle(out);
}

void SetFailureScreenshotName(const std::string& name) {
    failureName = name;
}

void SaveFailureScreenshot() {
    if (!failureName.empty()) {
        const std::string name = failureName;
        failureName.clear();
        SaveScreenshot(name);
    }
}
