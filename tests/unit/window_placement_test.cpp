// The main window's position: dialog units and pixels, and a title bar left out of reach.
#include "app/window_placement.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>

namespace {

// 8-point "MS Sans Serif" at 96 dpi: 1000 dialog units are 1500 pixels across, 1625 down.
constexpr std::int64_t Across = 1500;
constexpr std::int64_t Down = 1625;

TEST(DialogUnits, ConvertRoundingHalvesAwayFromZero) {
    EXPECT_EQ(PixelsFromDialogUnits(100, Across), 150);
    EXPECT_EQ(PixelsFromDialogUnits(8, Down), 13);
    EXPECT_EQ(PixelsFromDialogUnits(1, Across), 2);   // 1.5
    EXPECT_EQ(PixelsFromDialogUnits(-1, Across), -2); // -1.5
    EXPECT_EQ(PixelsFromDialogUnits(3, 1100), 3);     // 3.3
    EXPECT_EQ(PixelsFromDialogUnits(0, Across), 0);

    EXPECT_EQ(DialogUnitsFromPixels(150, Across), 100);
    EXPECT_EQ(DialogUnitsFromPixels(1, Across), 1);   // 0.67
    EXPECT_EQ(DialogUnitsFromPixels(-1, Across), -1); // -0.67
    EXPECT_EQ(DialogUnitsFromPixels(3, 2000), 2);     // 1.5
    EXPECT_EQ(DialogUnitsFromPixels(-3, 2000), -2);   // -1.5
    EXPECT_EQ(DialogUnitsFromPixels(5, 3000), 2);     // 1.67
    // A minimised window's corner, far off the screen.
    EXPECT_EQ(DialogUnitsFromPixels(-32000, Down), -19692);
}

TEST(DialogUnits, ExtremesDoNotOverflow) {
    EXPECT_EQ(DialogUnitsFromPixels(std::int64_t{1} << 40, 1000),
              std::numeric_limits<std::int32_t>::max());
    EXPECT_EQ(DialogUnitsFromPixels(-(std::int64_t{1} << 40), 1000),
              std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(PixelsFromDialogUnits(std::numeric_limits<std::int32_t>::max(), 2000),
              std::int64_t{4294967294});
    EXPECT_EQ(DialogUnitsFromPixels(100, 0), 0);
}

// A window left at a corner must come back there: no creeping at each start, whatever the
// font's size, as long as a dialog unit is at least a pixel.
TEST(DialogUnits, StoredCornerComesBackOnTheSamePixel) {
    for (const std::int64_t scale : {1000, 1250, 1500, 1625, 1750, 2000, 2250, 3000, 3125}) {
        for (std::int32_t units = -3000; units <= 6000; ++units) {
            const std::int64_t pixels = PixelsFromDialogUnits(units, scale);
            ASSERT_EQ(DialogUnitsFromPixels(pixels, scale), units) << "scale " << scale;
        }
        for (std::int64_t pixels = -3000; pixels <= 6000; ++pixels) {
            const std::int32_t units = DialogUnitsFromPixels(pixels, scale);
            const std::int64_t back = PixelsFromDialogUnits(units, scale);
            ASSERT_LE(std::llabs(back - pixels), scale / 1000) << "scale " << scale;
            // The second start puts it where the first one did.
            ASSERT_EQ(PixelsFromDialogUnits(DialogUnitsFromPixels(back, scale), scale), back);
        }
    }
}

const ScreenRect Left{0, 0, 1280, 1000};      // work area above a task bar
const ScreenRect Right{1280, 0, 2560, 1024};  // a second monitor to the right
const ScreenRect Above{-200, -1080, 1720, 0}; // one above, starting further left

ScreenRect TitleBarAt(std::int64_t left, std::int64_t top) {
    return {left, top, left + 324, top + 22};
}

TEST(TitleBar, IsInReachWhenAPieceToHoldLiesOnSomeWorkArea) {
    EXPECT_TRUE(TitleBarInReach(TitleBarAt(100, 100), {Left}));
    EXPECT_TRUE(TitleBarInReach(TitleBarAt(1200, 100), {Left})); // 80 pixels showing
    EXPECT_TRUE(TitleBarInReach(TitleBarAt(-300, 100), {Left})); // 24 showing on the left
    EXPECT_TRUE(TitleBarInReach(TitleBarAt(1400, 500), {Left, Right}));
    EXPECT_TRUE(TitleBarInReach(TitleBarAt(100, -500), {Left, Above}));
    EXPECT_TRUE(TitleBarInReach(TitleBarAt(100, 990), {Left})); // 10 pixels high showing

    EXPECT_FALSE(TitleBarInReach(TitleBarAt(1270, 100), {Left})); // a 10-pixel sliver
    EXPECT_FALSE(TitleBarInReach(TitleBarAt(100, 995), {Left}));  // under the task bar
    EXPECT_FALSE(TitleBarInReach(TitleBarAt(100, 1100), {Left, Right}));
    EXPECT_FALSE(TitleBarInReach(TitleBarAt(3000, 100), {Left, Right})); // monitor removed
    EXPECT_FALSE(TitleBarInReach(TitleBarAt(-32000, -32000), {Left, Right, Above}));
    EXPECT_FALSE(TitleBarInReach(TitleBarAt(100, 100), {}));
}

TEST(TitleBar, OutOfReachWindowMovesTheLeastDistanceOntoTheWorkArea) {
    const ScreenRect size{0, 0, 330, 460};
    const auto at = [&](std::int64_t left, std::int64_t top) {
        return ScreenRect{left, top, left + size.right, top + size.bottom};
    };
    const auto expectCorner = [](ScreenPoint corner, std::int64_t x, std::int64_t y) {
        EXPECT_EQ(corner.x, x);
        EXPECT_EQ(corner.y, y);
    };
    expectCorner(MoveIntoWorkArea(at(3000, 100), Left), 950, 100);
    expectCorner(MoveIntoWorkArea(at(100, 1100), Left), 100, 540);
    expectCorner(MoveIntoWorkArea(at(-500, -40), Left), 0, 0);
    expectCorner(MoveIntoWorkArea(at(200, 300), Left), 200, 300);
    expectCorner(MoveIntoWorkArea(at(100, -1500), Above), 100, -1080);
    expectCorner(MoveIntoWorkArea(at(-400, 50), Above), -200, -460);
    // A work area smaller than the window: its top-left corner stays reachable.
    expectCorner(MoveIntoWorkArea(at(500, 500), ScreenRect{0, 0, 320, 240}), 0, 0);
}

} // namespace
