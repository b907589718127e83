// Flipping with "<" and ">" and with the arrow keys in the search box, going to a page
// typed into the page box, and what a flip keeps of the page and of the pages file.
#include "check.h"
#include "input.h"
#include "more_actions.h"
#include "pages_file.h"
#include "process.h"
#include "scenario_table.h"
#include "session.h"
#include "window_reading.h"

#include <windows.h>

namespace {

void ClickAndExpectPage(HWND main, int button, long page, long count, const std::string& text) {
    ClickControl(main, button);
    Settle(main);
    const std::string what = "a click on " + ControlName(button);
    ExpectPageShown(main, page, count, text);
    ExpectFocus(main, SearchBox, what);
}

void KeyAndExpectPage(HWND main, WORD key, const std::string& name, long page, long caret) {
    PressKey(key);
    Settle(main);
    ExpectBytes(ControlText(main, PageBox), std::to_string(page), "the page box after " + name);
    ExpectFocus(main, SearchBox, name);
    ExpectSelection(main, SearchBox, caret, caret, name + " in the search box");
}

void FlippingByButtonsAndKeys() {
    WorkFolder folder;
    PreparePad(folder, {"first", "second<&CR&>line", "third"});
    Session session(folder);
    HWND main = session.Main();
    const std::string path = folder / PagesFileName;
    const std::string shown = ReadBytes(path);
    const ULONGLONG written = LastWriteTime(path);

    ClickAndExpectPage(main, NextButton, 2, 3, "second\r\nline");
    ClickAndExpectPage(main, NextButton, 3, 3, "third");
    ClickAndExpectPage(main, NextButton, 3, 3, "third");
    ClickAndExpectPage(main, PrevButton, 2, 3, "second\r\nline");
    ClickAndExpectPage(main, PrevButton, 1, 3, "first");
    ClickAndExpectPage(main, PrevButton, 1, 3, "first");

    // The arrow keys flip and then move the search box's caret as usual.
    TypeText("abcd");
    PressKey(VK_HOME);
    Settle(main);
    ExpectSelection(main, SearchBox, 0, 0, "typing abcd and Home");
    KeyAndExpectPage(main, VK_RIGHT, "Right", 2, 1);
    KeyAndExpectPage(main, VK_RIGHT, "a second Right", 3, 2);
    KeyAndExpectPage(main, VK_RIGHT, "Right on the last page", 3, 3);
    KeyAndExpectPage(main, VK_LEFT, "Left", 2, 2);
    ExpectPageShown(main, 2, 3, "second\r\nline");
    ExpectBytes(ControlText(main, SearchBox), "abcd", "the search box after the arrow keys");

    const WORD still[] = {VK_UP, VK_DOWN, VK_UP};
    for (WORD key : still) {
        PressKey(key);
        Settle(main);
        ExpectPageShown(main, 2, 3, "second\r\nline");
        ExpectFocus(main, SearchBox, "Up or Down in the search box");
    }

    ExpectFileUntouched(path, shown, written, "after flipping without typing");
    ExpectNumber(Close(session, CloseBy::CloseBox), 0, "the exit code");
    ExpectFileUntouched(path, shown, written, "after flipping without typing and closing");
}

void TypedTextSurvivesFlips() {
    WorkFolder folder;
    PreparePad(folder, {"one", "two", "three"});
    Session session(folder);
    HWND main = session.Main();
    ClickControl(main, PageText);
    PressKeys({VK_CONTROL, VK_END});
    TypeText(" more\nnext");
    Settle(main);
    ClickAndExpectPage(main, NextButton, 2, 3, "two");
    ExpectPagesInFile(folder, {"one more<&CR&>next", "two", "three"}, "after typing and a flip");

    // The arrow key stores the page as well, though the focus is elsewhere when it is pressed.
    ClickControl(main, PageText);
    PressKeys({VK_CONTROL, VK_END});
    TypeText("!");
    ClickControl(main, SearchBox);
    PressKey(VK_RIGHT);
    Settle(main);
    ExpectPageShown(main, 3, 3, "three");
    ExpectPagesInFile(folder, {"one more<&CR&>next", "two!", "three"}, "after typing and Right");

    ClickAndExpectPage(main, PrevButton, 2, 3, "two!");
    ClickAndExpectPage(main, PrevButton, 1, 3, "one more\r\nnext");
    ExpectNumber(Close(session, CloseBy::AltF4), 0, "the exit code");
    ExpectPagesInFile(folder, {"one more<&CR&>next", "two!", "three"}, "after closing");
}

// Return in the page box, starting each time from page 2 of 5.
void PageBoxValues() {
    WorkFolder folder;
    PreparePad(folder, {"one", "two", "three", "four", "five"});
    Session session(folder);
    HWND main = session.Main();
    const std::string path = folder / PagesFileName;
    const std::string shown = ReadBytes(path);
    const ULONGLONG written = LastWriteTime(path);
    const auto expectPage = [&](long page, const std::string& typed) {
        static const char* const texts[] = {"", "one", "two", "three", "four", "five"};
        const std::string what = "Return with " + Visible(typed) + " in the page box";
        ExpectBytes(ControlText(main, PageBox), std::to_string(page), "the page box after " + what);
        ExpectBytes(ControlText(main, PageCount), " 5", "the page count after " + what);
        ExpectBytes(ControlText(main, PageText), texts[page], "the page text after " + what);
        ExpectFocus(main, PageBox, what);
    };

    EnterInPageBox(main, "2");
    expectPage(2, "2");

    // A caret placed in the page text shows whether the page was loaded again.
    ClickControl(main, PageText);
    PressKeys({VK_CONTROL, VK_END});
    Settle(main);
    ExpectSelection(main, PageText, 3, 3, "Ctrl+End in the page text");
    EnterInPageBox(main, "2");
    expectPage(2, "2");
    ExpectSelection(main, PageText, 3, 3, "Return on the page already shown");

    struct Case {
        long page;
        const char* typed;
    };
    const Case cases[] = {
        {3, "3"},  {4, " 4"},  {2, "6"},   {2, "0"},   {2, "abc"},  {2, ""},
        {2, "-1"}, {3, "2.6"}, {2, "2.5"}, {4, "&H4"}, {3, "3xyz"}, {5, "5"},
    };
    for (const Case& c : cases) {
        EnterInPageBox(main, c.typed);
        expectPage(c.page, c.typed);
        if (c.page != 2) {
            EnterInPageBox(main, "2");
            expectPage(2, "2");
        }
    }
    ExpectFileUntouched(path, shown, written, "after going to pages without typing");
    ExpectNumber(Close(session, CloseBy::SystemCommand), 0, "the exit code");
}

const bool registered = RegisterScenarios({
    {"flipping_by_buttons_and_keys", "< > and Left Right flip; Up Down don't; file untouched",
     FlippingByButtonsAndKeys},
    {"typed_text_survives_flips", "a flip by button or key stores the typed page first",
     TypedTextSurvivesFlips},
    {"page_box_values", "Return in the page box with 3, \" 4\", 6, 0, abc, 2.5, &H4 and more",
     PageBoxValues},
});

} // namespace
