// Where the main window goes on the screen: dialog units to pixels and back, and keeping
// its title bar within the user's reach.
#pragma once

#include <cstdint>
#include <vector>

// Screen pixels; right and bottom lie just outside the rectangle.
struct ScreenRect {
    std::int64_t left = 0;
    std::int64_t top = 0;
    std::int64_t right = 0;
    std::int64_t bottom = 0;
};

struct ScreenPoint {
    std::int64_t x = 0;
    std::int64_t y = 0;
};

// Conversions given how many pixels 1000 dialog units make on that axis; both round to the
// nearest whole number, a half away from zero, so that a corner stored in dialog units
// comes back on the same pixel whenever a dialog unit is at least one pixel.
std::int64_t PixelsFromDialogUnits(std::int64_t units, std::int64_t pixelsPerThousand);
std::int32_t DialogUnitsFromPixels(std::int64_t pixels, std::int64_t pixelsPerThousand);

// Whether some work area holds a piece of the title bar big enough to take hold of.
bool TitleBarInReach(const ScreenRect& titleBar, const std::vector<ScreenRect>& workAreas);

// The window's top-left corner after the least move that puts the window inside the work
// area; a window larger than the area keeps its top-left corner inside it.
ScreenPoint MoveIntoWorkArea(const ScreenRect& window, const ScreenRect& workArea);
