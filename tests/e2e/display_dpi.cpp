// The screen's dots per inch that a run expects, and the checks that the program draws at it.
#include "display_dpi.h"

#include "check.h"
#include "window_reading.h"

#include <string>

namespace {

int expectedDpi = 96;

struct BaseUnits {
    long across;
    long down;
};

// The text's width in 8-point MS Sans Serif at the screen's DPI, and the font's height.
SIZE MeasureInDialogFont(std::string_view text) {
    HDC screen = GetDC(nullptr);
    LOGFONTA wanted{};
    wanted.lfHeight = -MulDiv(8, GetDeviceCaps(screen, LOGPIXELSY), 72);
    wanted.lfWeight = FW_NORMAL;
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpyA(wanted.lfFaceName, "MS Sans Serif");
    HFONT font = CreateFontIndirectA(&wanted);
    HGDIOBJ previous = SelectObject(screen, font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(screen, &metrics);
    SIZE size{};
    GetTextExtentPoint32A(screen, text.data(), static_cast<int>(text.size()), &size);
    SelectObject(screen, previous);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    return SIZE{size.cx, metrics.tmHeight};
}

// The dialog base units of that font, worked out the way the dialog manager does: the
// average width of the 52 letters, rounded, and the font's height.
BaseUnits BaseUnitsOfTheDialogFont() {
    const SIZE letters =
        MeasureInDialogFont("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    return BaseUnits{(letters.cx / 26 + 1) / 2, letters.cy};
}

} // namespace

long WidthInDialogFont(std::string_view text) {
    return MeasureInDialogFont(text).cx;
}

void SetExpectedDpi(int dpi) {
    expectedDpi = dpi;
}

int ExpectedDpi() {
    return expectedDpi;
}

void ExpectDrawnAtExpectedDpi(HWND main) {
    HDC screen = GetDC(nullptr);
    const int screenDpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    ExpectNumber(screenDpi, expectedDpi, "the screen's dots per inch");
    const BaseUnits font = BaseUnitsOfTheDialogFont();
    const DialogScale scale = ScaleOf(main);
    ExpectNumber(scale.across, font.across * 1000 / 4,
                 "pixels per 1000 dialog units across, from the font's average width " +
                     std::to_string(font.across));
    ExpectNumber(scale.down, font.down * 1000 / 8,
                 "pixels per 1000 dialog units down, from the font's height " +
                     std::to_string(font.down));
}
