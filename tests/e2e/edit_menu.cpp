// An edit control's own context menu, used with the mouse alone. Another process's menu
// can't be asked where its items are, so they are found in a picture of the open menu:
// Undo, a separator, Cut, Copy, Paste, Delete, a separator, Select All.
#include "edit_menu.h"

#include "check.h"
#include "input.h"
#include "screenshot.h"
#include "window_reading.h"

#include <vector>

namespace {

HWND OpenMenuOf(DWORD processId) {
    for (HWND window : TopLevelWindows(processId)) {
        if (ClassOf(window) == "#32768") {
            return window;
        }
    }
    return nullptr;
}

DWORD AsPixel(COLORREF colour) {
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

// Rows (from the menu's top) of the separators: rows drawn almost across the whole menu
// in one colour other than the menu's own, away from its border.
std::vector<int> SeparatorRows(const ScreenPixels& menu) {
    const DWORD menuColour = AsPixel(GetSysColor(COLOR_MENU));
    const int margin = 6;
    std::vector<int> rows;
    for (int y = 3; y < menu.height - 3; ++y) {
        const DWORD first = menu.At(margin, y);
        if (first == menuColour) {
            continue;
        }
        int same = 0;
        for (int x = margin; x < menu.width - margin; ++x) {
            same += menu.At(x, y) == first ? 1 : 0;
        }
        if (same * 10 >= (menu.width - 2 * margin) * 9) {
            if (rows.empty() || y > rows.back() + 3) {
                rows.push_back(y);
            }
        }
    }
    return rows;
}

// Whether the row is drawn in the colour of a highlighted item.
bool Highlighted(const ScreenPixels& menu, int row) {
    const DWORD highlight = AsPixel(GetSysColor(COLOR_HIGHLIGHT));
    const DWORD flatHighlight = AsPixel(GetSysColor(COLOR_MENUHILIGHT));
    int lit = 0;
    for (int x = 0; x < menu.width; ++x) {
        const DWORD pixel = menu.At(x, row);
        lit += pixel == highlight || pixel == flatHighlight ? 1 : 0;
    }
    return lit * 2 >= menu.width;
}

// The row of the item's middle, from the two separators: Undo above the first, four items
// of equal height between them, Select All below the second.
int RowOf(EditMenuItem item, const std::vector<int>& separators, int height) {
    const int top = separators[0];
    const int bottom = separators[1];
    switch (item) {
    case EditMenuItem::Undo:
        return top / 2;
    case EditMenuItem::SelectAll:
        return (bottom + height) / 2;
    default: {
        const int index = static_cast<int>(item) - static_cast<int>(EditMenuItem::Cut);
        return top + (bottom - top) * (2 * index + 1) / 8;
    }
    }
}

} // namespace

void ChooseFromEditMenu(HWND main, int id, EditMenuItem item) {
    DWORD processId = 0;
    GetWindowThreadProcessId(main, &processId);
    RightClickAt(CentreOf(WindowRect(Control(main, id))));
    HWND menu = nullptr;
    WaitUntil([&] { return (menu = OpenMenuOf(processId)) != nullptr; },
              "the context menu of " + ControlName(id));
    // The menu is placed and drawn after it appears: wait until two looks agree.
    RECT area{};
    std::vector<int> separators;
    WaitUntil(
        [&] {
            const RECT before = WindowRect(menu);
            separators = SeparatorRows(CaptureScreen(before));
            area = WindowRect(menu);
            return EqualRect(&before, &area) && separators.size() == 2;
        },
        "the context menu to show its two separators");
    const int row = RowOf(item, separators, area.bottom - area.top);
    const POINT target{(area.left + area.right) / 2, area.top + row};
    // Point at the item first and see it lit, so that the click lands on the right one.
    const auto lit = [&] { return Highlighted(CaptureScreen(area), row); };
    MoveMouseTo(target);
    if (!PollUntil(lit, 1000)) {
        // The menu may have caught up with an older place of the pointer: point again.
        MoveMouseTo(target);
        WaitUntil(lit, "the context menu to light the item under the mouse");
    }
    ClickAt(target);
    WaitUntil([&] { return OpenMenuOf(processId) == nullptr; },
              "the context menu to close after the click");
    SettleByMouse(main);
}
