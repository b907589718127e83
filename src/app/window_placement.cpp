// Where the main window goes on the screen: dialog units to pixels and back, and keeping
// its title bar within the user's reach.
#include "app/window_placement.h"

#include <algorithm>
#include <limits>

namespace {

// A piece of title bar smaller than this is too small to drag the window back by.
constexpr std::int64_t GrabWidth = 24;
constexpr std::int64_t GrabHeight = 8;

// numerator / denominator (denominator > 0), a half going away from zero.
std::int64_t RoundedQuotient(std::int64_t numerator, std::int64_t denominator) {
    if (numerator >= 0) {
        return (2 * numerator + denominator) / (2 * denominator);
    }
    return -((-2 * numerator + denominator) / (2 * denominator));
}

} // namespace

std::int64_t PixelsFromDialogUnits(std::int64_t units, std::int64_t pixelsPerThousand) {
    return RoundedQuotient(units * pixelsPerThousand, 1000);
}

std::int32_t DialogUnitsFromPixels(std::int64_t pixels, std::int64_t pixelsPerThousand) {
    if (pixelsPerThousand <= 0) {
        return 0;
    }
    const std::int64_t units = RoundedQuotient(pixels * 1000, pixelsPerThousand);
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        units, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

bool TitleBarInReach(const ScreenRect& titleBar, const std::vector<ScreenRect>& workAreas) {
    const std::int64_t needWidth = std::min(GrabWidth, titleBar.right - titleBar.left);
    const std::int64_t needHeight = std::min(GrabHeight, titleBar.bottom - titleBar.top);
    for (const ScreenRect& area : workAreas) {
        const std::int64_t width =
            std::min(titleBar.right, area.right) - std::max(titleBar.left, area.left);
        const std::int64_t height =
            std::min(titleBar.bottom, area.bottom) - std::max(titleBar.top, area.top);
        if (width > 0 && height > 0 && width >= needWidth && height >= needHeight) {
            return true;
        }
    }
    return false;
}

ScreenPoint MoveIntoWorkArea(const ScreenRect& window, const ScreenRect& workArea) {
    const auto into = [](std::int64_t start, std::int64_t size, std::int64_t low,
                         std::int64_t high) { return std::max(std::min(start, high - size), low); };
    return {into(window.left, window.right - window.left, workArea.left, workArea.right),
            into(window.top, window.bottom - window.top, workArea.top, workArea.bottom)};
}
