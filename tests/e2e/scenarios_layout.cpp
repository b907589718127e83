// The main window's make-up: its style, its twelve controls in creation order with their
// classes, texts, styles and places in dialog units, and what the first start shows.
#include "check.h"
#include "display_dpi.h"
#include "input.h"
#include "more_actions.h"
#include "process.h"
#include "scenario_table.h"
#include "screenshot.h"
#include "session.h"
#include "window_reading.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct ControlRow {
    int id;
    const char* kind;
    const char* text; // null: the text depends on the pad
    int x, y, width, height;
    DWORD style;   // bits that must be set besides WS_CHILD and WS_VISIBLE
    DWORD exStyle; // extended bits that must be set
};

const ControlRow kControls[] = {
    {PrevButton, "Button", "<", 4, 4, 12, 12, BS_CENTER, 0},
    {SearchBox, "Edit", nullptr, 16, 4, 68, 12, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
    {NextButton, "Button", ">", 84, 4, 12, 12, BS_CENTER, 0},
    {NewPageButton, "Button", "&New Page", 104, 4, 52, 12, BS_CENTER, 0},
    {DeletePageButton, "Button", "&Delete Page", 156, 4, 52, 12, BS_CENTER, 0},
    {InsertPageButton, "Button", "&Insert Page", 156, 16, 52, 12, BS_CENTER, 0},
    {HelpButton, "Button", "&Help", 104, 16, 52, 12, BS_CENTER, 0},
    {PageLabel, "Static", "Page", 15, 20, 18, 8, SS_LEFT, 0},
    {PageBox, "Edit", nullptr, 35, 19, 32, 11, WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE},
    {OfLabel, "Static", "of", 69, 20, 8, 8, SS_LEFT, 0},
    {PageCount, "Static", nullptr, 77, 20, 27, 8, SS_LEFTNOWORDWRAP, 0},
    // It scrolls a page taller than itself; the empty page shows no scroll bar.
    {PageText, "Edit", nullptr, 4, 32, 204, 244,
     WS_TABSTOP | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL, WS_EX_CLIENTEDGE},
};

LONG_PTR StyleOf(HWND window, int which) {
    return GetWindowLongPtrA(window, which);
}

void ExpectStyle(HWND window, DWORD wanted, DWORD unwanted, const std::string& what) {
    const auto style = static_cast<DWORD>(StyleOf(window, GWL_STYLE));
    Expect((style & wanted) == wanted, what + " lacks style bits " + std::to_string(wanted) +
                                           " (style " + std::to_string(style) + ")");
    Expect((style & unwanted) == 0,
           what + " has style bits it must not have: " + std::to_string(style & unwanted));
}

void CheckControl(HWND main, const ControlRow& row, const DialogScale& scale, const RECT& client) {
    const std::string name = ControlName(row.id);
    HWND control = Control(main, row.id);
    ExpectBytes(ClassOf(control), row.kind, "the class of " + name);
    if (row.text) {
        ExpectBytes(TextOf(control), row.text, "the text of " + name);
    }
    const RECT place = WindowRect(control);
    const auto edge = [&](long units, int per1000, long origin) {
        return origin + ToPixels(units, per1000);
    };
    ExpectNear(place.left, edge(row.x, scale.across, client.left), 1, "the left of " + name);
    ExpectNear(place.top, edge(row.y, scale.down, client.top), 1, "the top of " + name);
    ExpectNear(place.right, edge(row.x + row.width, scale.across, client.left), 1,
               "the right of " + name);
    ExpectNear(place.bottom, edge(row.y + row.height, scale.down, client.top), 1,
               "the bottom of " + name);

    DWORD unwanted = 0;
    if (std::string(row.kind) == "Button") {
        unwanted = WS_TABSTOP;
    } else if (row.id == PageText) {
        unwanted = WS_HSCROLL | WS_VSCROLL | ES_AUTOHSCROLL | ES_READONLY;
    } else if (std::string(row.kind) == "Edit") {
        unwanted = ES_MULTILINE | ES_READONLY;
    }
    ExpectStyle(control, WS_CHILD | WS_VISIBLE | row.style, unwanted, name);
    if (std::string(row.kind) == "Static") {
        ExpectNumber(StyleOf(control, GWL_STYLE) & SS_TYPEMASK, row.style & SS_TYPEMASK,
                     "the static type of " + name);
    }
    const auto exStyle = static_cast<DWORD>(StyleOf(control, GWL_EXSTYLE));
    Expect((exStyle & row.exStyle) == row.exStyle,
           name + " lacks its extended style (" + std::to_string(exStyle) + ")");
    Expect(ControlEnabled(main, row.id), name + " is disabled");
}

// Six digits fit the page box's formatting rectangle with room for the caret, and a blank
// with six digits the page count label, in the window's font.
void ExpectNumbersFit(HWND main) {
    long digits = 0;
    for (char digit = '0'; digit <= '9'; ++digit) {
        digits = std::max(digits, WidthInDialogFont(std::string(6, digit)));
    }
    const auto fits = [](long needed, long room, const std::string& what) {
        Expect(needed <= room,
               what + " take " + std::to_string(needed) + " pixels of " + std::to_string(room));
    };
    RECT box{};
    SendMessageA(Control(main, PageBox), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&box));
    fits(digits + 2, box.right - box.left, "six digits and the caret in the page box");
    RECT label{};
    GetClientRect(Control(main, PageCount), &label);
    fits(WidthInDialogFont(" ") + digits, label.right, "a blank and six digits in the count");
}

void WindowLayoutMatchesTheTable() {
    WorkFolder folder;
    Session session(folder);
    HWND main = session.Main();
    ExpectStyle(main, WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                WS_THICKFRAME | WS_MAXIMIZEBOX | WS_MAXIMIZE | WS_CHILD, "the main window");
    Expect(GetWindow(main, GW_OWNER) == nullptr, "the main window has an owner");

    ExpectDrawnAtExpectedDpi(main);
    const DialogScale scale = ScaleOf(main);
    RECT client{};
    GetClientRect(main, &client);
    ExpectNumber(client.right, ToPixels(212, scale.across), "the client width in pixels");
    ExpectNumber(client.bottom, ToPixels(281, scale.down), "the client height in pixels");
    const RECT clientOnScreen = ClientRectOnScreen(main);

    // Creation order is the order of the children, and so the tab order.
    std::vector<int> order;
    for (HWND child = GetWindow(main, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        order.push_back(GetDlgCtrlID(child));
    }
    std::vector<int> expected;
    for (const ControlRow& row : kControls) {
        expected.push_back(row.id);
    }
    std::string seen;
    for (int id : order) {
        seen += std::to_string(id) + " ";
    }
    Expect(order == expected, "the controls are not the twelve in creation order: " + seen);
    for (const ControlRow& row : kControls) {
        CheckControl(main, row, scale, clientOnScreen);
    }
    ExpectPageShown(main, 1, 1, "");
    ExpectBytes(ControlText(main, SearchBox), "", "the search box at the start");

    // A picture of the window in use, for a person to look at (docs/ holds the 96 DPI one).
    ClickControl(main, PageText);
    TypeText("[tel] Garage: 555 0142\n[msg] John rang at 9:07am: call back\nabout the "
             "brakes before Friday.\n");
    Settle(main);
    SaveWindowScreenshot(main, "window");
    ExpectNumber(Close(session, CloseBy::CloseBox), 0, "the exit code");

    std::vector<std::string> pages(100000);
    for (size_t page = 0; page < pages.size(); ++page) {
        pages[page] = "page " + std::to_string(page + 1);
    }
    PreparePad(folder, pages);
    Session large(folder);
    EnterInPageBox(large.Main(), "100000");
    ExpectPageShown(large.Main(), 100000, 100000, "page 100000");
    ExpectNumbersFit(large.Main());
    SaveWindowScreenshot(large.Main(), "page_100000_of_100000");
    ExpectNumber(Close(large, CloseBy::CloseBox), 0, "the exit code with 100,000 pages");
}

const bool registered = RegisterScenarios({
    {"window_layout_matches_the_table", "style, controls, order, places and texts",
     WindowLayoutMatchesTheTable},
});

} // namespace
