// Searching with Shift: the arrow keys in the search box and Shift-clicks on "<" and ">",
// plain, "and" and "or" queries, the match left selected in the page text, and the focus.
#include "check.h"
#include "input.h"
#include "more_actions.h"
#include "pages_file.h"
#include "process.h"
#include "scenario_table.h"
#include "screenshot.h"
#include "session.h"
#include "window_reading.h"

#include <windows.h>

#include <algorithm>

namespace {

// Whether the page text field showed a selection on the screen while the search key was
// handled: the flash lasts 60 ms, so the field is looked at until it is seen or time is up.
bool FlashSeen(HWND main, WORD arrow) {
    const RECT field = WindowRect(Control(main, PageText));
    const COLORREF colour = GetSysColor(COLOR_HIGHLIGHT);
    const DWORD highlight = RGB(GetBValue(colour), GetGValue(colour), GetRValue(colour));
    PressKeys({VK_SHIFT, arrow});
    const bool seen = PollUntil(
        [&] {
            const std::vector<DWORD> pixels = CaptureScreen(field).pixels;
            return std::find(pixels.begin(), pixels.end(), highlight) != pixels.end();
        },
        2000);
    Settle(main);
    return seen;
}

void ShiftArrowsSearch() {
    WorkFolder folder;
    PreparePad(folder, {"index page", "a red car", "plain words", "first line<&CR&>the APPLE tree",
                        "pear and apple", "more"});
    Session session(folder);
    HWND main = session.Main();
    const std::string path = folder / PagesFileName;
    const std::string shown = ReadBytes(path);
    const ULONGLONG written = LastWriteTime(path);

    TypeText("apple");
    SearchKey(main, VK_RIGHT);
    // The match follows a line break, which the field counts as two characters.
    ExpectFound(main, "Shift+Right for apple", 4, 6, 16, 21);
    ExpectBytes(ControlText(main, PageText), "first line\r\nthe APPLE tree", "the page found");
    SearchKey(main, VK_RIGHT);
    ExpectFound(main, "a second Shift+Right for apple", 5, 6, 9, 14);
    SearchKey(main, VK_RIGHT);
    ExpectFound(main, "Shift+Right with no later match", 5, 6, 9, 14);
    SearchKey(main, VK_LEFT);
    ExpectFound(main, "Shift+Left for apple", 4, 6, 16, 21);
    SearchKey(main, VK_LEFT);
    ExpectFound(main, "Shift+Left with no earlier match", 4, 6, 16, 21);
    // The keys went on to the search box, which extended its own selection by two.
    ExpectSelection(main, SearchBox, 3, 5, "typing apple and Shift+Right thrice, Shift+Left twice");
    ExpectBytes(ControlText(main, SearchBox), "apple", "the search box after searching");

    // Both words on the page; the one that comes first on it is selected.
    PutInBox(main, SearchBox, "apple AND pear");
    SearchKey(main, VK_RIGHT);
    ExpectFound(main, "Shift+Right for apple AND pear", 5, 6, 0, 4);
    SearchKey(main, VK_LEFT);
    ExpectFound(main, "Shift+Left for apple AND pear", 5, 6, 0, 4);

    EnterInPageBox(main, "1");
    PutInBox(main, SearchBox, "car or tree");
    SearchKey(main, VK_RIGHT);
    ExpectFound(main, "Shift+Right for car or tree", 2, 6, 6, 9);
    SearchKey(main, VK_RIGHT);
    ExpectFound(main, "a second Shift+Right for car or tree", 4, 6, 22, 26);

    // The highlight reaches the screen; a busy machine may let one 60 ms pass unseen.
    int tries = 0;
    do {
        EnterInPageBox(main, "1");
        PutInBox(main, SearchBox, "apple");
    } while (!FlashSeen(main, VK_RIGHT) && ++tries < 5);
    Expect(tries < 5, "five searches never showed the match highlighted on the screen");
    ExpectFound(main, "Shift+Right for apple, looked at", 4, 6, 16, 21);

    ExpectFileUntouched(path, shown, written, "after searching without typing");
    ExpectNumber(Close(session, CloseBy::AltF4), 0, "the exit code");
}

void ShiftClickSearchesOrFlips() {
    WorkFolder folder;
    PreparePad(folder, {"start", "nothing", "The target word", "", "target again"});
    Session session(folder);
    HWND main = session.Main();

    // Without a search text Shift makes no difference to the buttons.
    ShiftClickControl(main, NextButton);
    Settle(main);
    ExpectPageShown(main, 2, 5, "nothing");
    ExpectFocus(main, SearchBox, "a Shift-click on \">\" with an empty search box");
    PutInBox(main, SearchBox, "   ");
    ShiftClickControl(main, NextButton);
    Settle(main);
    ExpectPageShown(main, 3, 5, "The target word");
    ShiftClickControl(main, PrevButton);
    Settle(main);
    ExpectPageShown(main, 2, 5, "nothing");
    ExpectFocus(main, SearchBox, "a Shift-click on \"<\" with blanks in the search box");

    PutInBox(main, SearchBox, "  target ");
    ShiftClickControl(main, NextButton);
    Settle(main);
    ExpectFound(main, "a Shift-click on \">\" for target", 3, 5, 4, 10);
    ShiftClickControl(main, NextButton);
    Settle(main);
    ExpectFound(main, "a second Shift-click on \">\" for target", 5, 5, 0, 6);
    ShiftClickControl(main, NextButton);
    Settle(main);
    ExpectFound(main, "a Shift-click on \">\" on the last page", 5, 5, 0, 6);
    ShiftClickControl(main, PrevButton);
    Settle(main);
    ExpectFound(main, "a Shift-click on \"<\" for target", 3, 5, 4, 10);
    ExpectBytes(ControlText(main, SearchBox), "  target ", "the search box after searching");

    // Without Shift the search text makes no difference.
    ClickControl(main, NextButton);
    Settle(main);
    ExpectPageShown(main, 4, 5, "");
    ExpectFocus(main, SearchBox, "a plain click on \">\" with a search text");

    // A search that finds nothing stays where it is.
    PutInBox(main, SearchBox, "zebra");
    SearchKey(main, VK_LEFT);
    ExpectPageShown(main, 4, 5, "");
    ExpectFocus(main, SearchBox, "Shift+Left for a word on no page");
    ShiftClickControl(main, NextButton);
    Settle(main);
    ExpectPageShown(main, 4, 5, "");
    ExpectFocus(main, SearchBox, "a Shift-click on \">\" for a word on no page");

    // The arrow keys search even for nothing: the nearest page with any text.
    EnterInPageBox(main, "5");
    PutInBox(main, SearchBox, "");
    SearchKey(main, VK_LEFT);
    ExpectFound(main, "Shift+Left with an empty search box", 3, 5, 0, 0);
    ExpectBytes(ControlText(main, PageText), "The target word", "the page found for nothing");
    ExpectNumber(Close(session, CloseBy::CloseBox), 0, "the exit code");
}

const bool registered = RegisterScenarios({
    {"shift_arrows_search", "Shift+Left/Right walk to matches; and/or; the match selected",
     ShiftArrowsSearch},
    {"shift_click_searches_or_flips", "Shift-clicks search with a text and flip without one",
     ShiftClickSearchesOrFlips},
});

} // namespace
