// The main window's keyboard and mouse behaviour: tab order, typing and pasting kept at
// the close, closing while minimised, and the keys that must do nothing.
#include "check.h"
#include "edit_menu.h"
#include "input.h"
#include "message_boxes.h"
#include "more_actions.h"
#include "pages_file.h"
#include "process.h"
#include "scenario_table.h"
#include "screenshot.h"
#include "session.h"
#include "window_reading.h"

#include <windows.h>

namespace {

void ExpectNothingSelected(HWND main, int id, const std::string& after) {
    const Selection selection = SelectionOf(main, id);
    if (selection.start != selection.end) {
        Fail("after " + after + " characters " + std::to_string(selection.start) + " to " +
             std::to_string(selection.end) + " of " + ControlName(id) + " are selected");
    }
}

void TabOrderCyclesTheFields() {
    WorkFolder folder;
    const std::string bytes = PreparePad(folder, {"some text"});
    Session session(folder);
    HWND main = session.Main();
    ExpectFocus(main, SearchBox, "the start");
    const int forwards[] = {PageBox, PageText, SearchBox, PageBox};
    for (int id : forwards) {
        PressKey(VK_TAB);
        Settle(main);
        ExpectFocus(main, id, "Tab");
    }
    const int backwards[] = {SearchBox, PageText, PageBox, SearchBox};
    for (int id : backwards) {
        PressKeys({VK_SHIFT, VK_TAB});
        Settle(main);
        ExpectFocus(main, id, "Shift+Tab");
    }
    ExpectPageShown(main, 1, 1, "some text");
    ExpectNumber(Close(session, CloseBy::AltF4), 0, "the exit code");
    ExpectBytes(ReadBytes(folder / PagesFileName), bytes, "the pages file after tabbing");
}

void TabbingIntoPageTextSelectsNothing() {
    WorkFolder folder;
    PreparePad(folder, {"hello world"});
    Session session(folder);
    HWND main = session.Main();
    PressKey(VK_TAB);
    PressKey(VK_TAB);
    Settle(main);
    ExpectFocus(main, PageText, "Tab twice from the search box");
    ExpectNothingSelected(main, PageText, "tabbing into the page text field");
    // A key typed now adds to the page instead of replacing it.
    TypeText("X");
    Settle(main);
    std::string shown = ControlText(main, PageText);
    Expect(shown.size() == 12 && shown.find('X') != std::string::npos &&
               std::string(shown).erase(shown.find('X'), 1) == "hello world",
           "typing after tabbing in replaced the page's text: " + Visible(shown));

    PressKeys({VK_SHIFT, VK_TAB});
    PressKeys({VK_SHIFT, VK_TAB});
    PressKeys({VK_SHIFT, VK_TAB});
    Settle(main);
    ExpectFocus(main, PageText, "Shift+Tab three times from the page text field");
    ExpectNothingSelected(main, PageText, "Shift+Tab into the page text field");
    TypeText("Y");
    Settle(main);
    shown = ControlText(main, PageText);
    Expect(shown.size() == 13,
           "typing after Shift+Tab replaced the page's text: " + Visible(shown));
    ExpectNumber(Close(session, CloseBy::AltF4), 0, "the exit code");
    ExpectPagesInFile(folder, {Stored(shown)}, "after typing and closing");
}

// The window moves with every step of the drag, but the pad is written once, at the drop.
void ADragWritesThePadOnceAtTheDrop() {
    WorkFolder folder;
    const std::string path = folder / PagesFileName;
    PreparePad(folder, {"one"});
    Session session(folder);
    HWND main = session.Main();
    const std::string shown = ReadBytes(path);
    const ULONGLONG written = LastWriteTime(path);
    DragWindowBy(main, 120, 90, [&] {
        ExpectFileUntouched(path, shown, written, "while the window is being dragged");
    });
    const POINT corner = CornerInDialogUnits(main);
    WaitUntil(
        [&] {
            return SplitPagesFile(ReadBytes(path)).positionLine == PositionLine(corner.x, corner.y);
        },
        "the drop position in the pages file");
    ExpectNumber(Close(session, CloseBy::AltF4), 0, "the exit code");
}

void TypedPageKeptAtClose() {
    WorkFolder folder;
    Session session(folder);
    HWND main = session.Main();
    const PagesFileParts before = SplitPagesFile(ReadBytes(folder / PagesFileName));
    ClickControl(main, PageText);
    TypeText("Dear diary,\nline two: ok!");
    Settle(main);
    ExpectFocus(main, PageText, "a click into the page text field");
    ExpectPageShown(main, 1, 1, "Dear diary,\r\nline two: ok!");
    SaveScreenshot("typed_page");
    ExpectNumber(Close(session, CloseBy::CloseBox), 0, "the exit code");
    ExpectBytes(ReadBytes(folder / PagesFileName),
                PagesFile(before.header, before.positionLine, {"Dear diary,<&CR&>line two: ok!"}),
                "the pages file after typing and closing");
}

void PastedWithMouseKeptAtClose() {
    WorkFolder folder;
    PreparePad(folder, {"Before ", "page two"});
    Session session(folder);
    HWND main = session.Main();
    PutOnClipboard("pasted words\r\nand a line");
    ChooseFromEditMenu(main, PageText, EditMenuItem::Paste);
    const std::string shown = ControlText(main, PageText);
    Expect(shown == "Before pasted words\r\nand a line" ||
               shown == "pasted words\r\nand a lineBefore ",
           "the page text field does not show the pasted text: " + Visible(shown));
    // Bare CRs, as old programs leave them on the clipboard, come in as line breaks: the
    // field shows at once the four lines that the page keeps, and again after a flip.
    ClickControl(main, NextButton);
    PutOnClipboard("mac one\rmac two\rmac three\r");
    ChooseFromEditMenu(main, PageText, EditMenuItem::Paste);
    const std::string mac = "mac one\r\nmac two\r\nmac three\r\npage two";
    ExpectPageShown(main, 2, 2, mac);
    ExpectNumber(LineCountOf(main, PageText), 4, "the lines shown after the paste");
    ClickControl(main, PrevButton);
    ClickControl(main, NextButton);
    SettleByMouse(main);
    ExpectPageShown(main, 2, 2, mac);
    ExpectNumber(LineCountOf(main, PageText), 4, "the lines shown after a flip");
    // Closed with the mouse too: no key was released in the field after the paste.
    ExpectNumber(Close(session, CloseBy::CloseBox), 0, "the exit code");
    ExpectPagesInFile(folder, {Stored(shown), Stored(mac)}, "after pasting with the mouse");
}

void DeletedWithMouseKeptAtClose() {
    WorkFolder folder;
    PreparePad(folder, {"Delete me", "page two"});
    Session session(folder);
    HWND main = session.Main();
    ChooseFromEditMenu(main, PageText, EditMenuItem::SelectAll);
    ChooseFromEditMenu(main, PageText, EditMenuItem::Delete);
    ExpectPageShown(main, 1, 2, "");
    ExpectNumber(Close(session, CloseBy::SystemCommand), 0, "the exit code");
    ExpectPagesInFile(folder, {"", "page two"}, "after deleting all with the mouse");
}

// The system parks a minimised or maximised window elsewhere; the file keeps the place the
// window is restored to.
void ExpectPlaceInFile(const WorkFolder& folder, POINT place, const std::string& after) {
    ExpectBytes(SplitPagesFile(ReadBytes(folder / PagesFileName)).positionLine,
                PositionLine(place.x, place.y), "the position line after " + after);
}

void Minimise(HWND main) {
    ClickAt(TitleBarButton(main, HTMINBUTTON));
    WaitUntil([&] { return IsIconic(main) != FALSE; }, "the window to be minimised");
    Settle(main);
}

void ClosedWhileMinimised() {
    WorkFolder folder;
    PreparePad(folder, {"note"});
    POINT place{};
    {
        Session session(folder);
        HWND main = session.Main();
        SetWindowPos(main, nullptr, 150, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        Settle(main);
        place = CornerInDialogUnits(main);
        ExpectPlaceInFile(folder, place, "a move");
        ShowWindowAsync(main, SW_MAXIMIZE);
        WaitUntil([&] { return IsZoomed(main) != FALSE; }, "the window to be maximised");
        Settle(main);
        ExpectPlaceInFile(folder, place, "maximising");
        ShowWindowAsync(main, SW_RESTORE);
        WaitUntil([&] { return IsZoomed(main) == FALSE; }, "the window to be restored");
        TypeAtEndOfPage(main, " more");
        ExpectPageShown(main, 1, 1, "note more");
        Minimise(main);
        ExpectPlaceInFile(folder, place, "minimising");
        SetWindowPos(main, nullptr, 300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        Settle(main);
        ExpectPlaceInFile(folder, place, "a move while minimised");
        ExpectNumber(Close(session, CloseBy::SystemCommand), 0, "the exit code");
    }
    ExpectPagesInFile(folder, {"note more"}, "after closing while minimised");
    ExpectPlaceInFile(folder, place, "closing while minimised");

    Session session(folder);
    HWND main = session.Main();
    SaveScreenshot("after_closing_minimised");
    Expect(!IsIconic(main), "the window starts minimised after being closed minimised");
    ExpectPageShown(main, 1, 1, "note more");
    ExpectWindowAt(main, place.x, place.y, "after closing while minimised");
    ExpectTitleBarInReach(main);

    // The session ends while the window is minimised; Windows ends the process after that.
    TypeAtEndOfPage(main, " again");
    Minimise(main);
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(main, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 5000, &answer);
    SendMessageTimeoutA(main, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 5000, &answer);
    session.Program().EndByForce();
    ExpectPagesInFile(folder, {"note more again"}, "after the session ended while minimised");
    ExpectPlaceInFile(folder, place, "the session's end while minimised");
}

// The page text field has its scroll bar.
bool Scrolls(HWND main) {
    return (GetWindowLongPtrA(Control(main, PageText), GWL_STYLE) & WS_VSCROLL) != 0;
}

// The character is drawn within the field's height, where the user sees it.
bool DrawnInField(HWND main, long index) {
    const auto y =
        static_cast<short>(HIWORD(SendMessageA(Control(main, PageText), EM_POSFROMCHAR, index, 0)));
    RECT client{};
    GetClientRect(Control(main, PageText), &client);
    return y >= 0 && y < client.bottom;
}

std::string Lines(int count, const std::string& breakText) {
    std::string text;
    for (int line = 1; line <= count; ++line) {
        text += (line > 1 ? breakText : "") + "line " + std::to_string(line);
    }
    return text;
}

// A page taller than the field scrolls while it is shown; a page that fits is a sheet of
// paper, which takes no line more than it shows and no paste that would need one. Both are
// the same field, which keeps its undo from one to the other.
void PageTallerThanTheField() {
    WorkFolder folder;
    PreparePad(folder, {Lines(60, "<&CR&>"), "short"});
    Session session(folder);
    HWND main = session.Main();
    Expect(Scrolls(main), "the page of 60 lines has no scroll bar");
    ClickControl(main, PageText);
    PressKeys({VK_CONTROL, VK_END});
    PressKey(VK_BACK);
    Settle(main);
    const std::string shown = ControlText(main, PageText);
    ExpectBytes(shown, Lines(59, "\r\n") + "\r\nline 6", "the page after a deletion at its end");
    Expect(DrawnInField(main, static_cast<long>(shown.size()) - 1),
           "the end of the page, just edited, is out of sight");
    SaveWindowScreenshot(main, "page_taller_than_the_field");
    ClickControl(main, NextButton);
    Settle(main);
    ExpectPagesInFile(folder, {Stored(shown), "short"}, "after the deletion and a flip");
    Expect(!Scrolls(main), "the short page has a scroll bar");

    PutOnClipboard(Lines(60, "\r\n"));
    ClickControl(main, PageText);
    PressKeys({VK_CONTROL, 'V'});
    AnswerMessageBox(ExpectMessageBox(session.ProcessId(), "Quillpad",
                                      "The text on the clipboard is longer than one page can "
                                      "hold, so nothing was pasted. It is still on the clipboard: "
                                      "copy and paste it in parts, each on a page of its own.",
                                      {"OK"}),
                     "OK");
    ExpectPageShown(main, 2, 2, "short");
    ExpectBytes(ClipboardText(), Lines(60, "\r\n"), "the clipboard after the refused paste");

    // Emptied, the long page fits and loses its bar, in the same field: Ctrl+Z brings the
    // page and the bar back, and each is saved in the pause that follows.
    ClickControl(main, PrevButton);
    ClickControl(main, PageText);
    const HWND field = Control(main, PageText);
    ChooseFromEditMenu(main, PageText, EditMenuItem::SelectAll);
    PressKey(VK_DELETE);
    Settle(main);
    WaitUntil([&] { return !Scrolls(main); }, "the emptied page to lose its scroll bar");
    Expect(Control(main, PageText) == field, "the page text field was made anew");
    ExpectFocus(main, PageText, "the page lost its scroll bar");
    const auto padHolds = [&](const std::vector<std::string>& pages) {
        return [&folder, pages] {
            return SplitPagesFile(ReadBytes(folder / PagesFileName)).pages == pages;
        };
    };
    WaitUntil(padHolds({"", "short"}), "the emptied page saved in a pause");
    PressKeys({VK_CONTROL, 'Z'});
    Settle(main);
    ExpectBytes(ControlText(main, PageText), shown, "the page after Ctrl+Z");
    Expect(Scrolls(main), "the page brought back by Ctrl+Z has no scroll bar");
    WaitUntil(padHolds({Stored(shown), "short"}), "the page brought back saved in a pause");

    // Emptied again it is a sheet once more: Enter stops at its end.
    ClickControl(main, PageText);
    ChooseFromEditMenu(main, PageText, EditMenuItem::SelectAll);
    PressKey(VK_DELETE);
    Settle(main);
    WaitUntil([&] { return !Scrolls(main); }, "the page emptied again to lose its scroll bar");
    for (int line = 0; line < 60; ++line) {
        PressKey(VK_RETURN);
    }
    Settle(main);
    Expect(!Scrolls(main) && LineCountOf(main, PageText) < 60, "Enter went past the last line");
    // The title says so until the next flip.
    ExpectBytes(TextOf(main), "Quillpad - page 1 is full", "the title of the full page");
    ClickControl(main, NextButton);
    Settle(main);
    ExpectBytes(TextOf(main), "Quillpad", "the title after a flip");
    ExpectNumber(Close(session, CloseBy::AltF4), 0, "the exit code");
}

void EscapeAndEnterDoNothing() {
    WorkFolder folder;
    PreparePad(folder, {"stay", "two"});
    Session session(folder);
    HWND main = session.Main();
    const std::string bytes = ReadBytes(folder / PagesFileName);
    TypeText("abc\n");
    Settle(main);
    ExpectNoMessageBox(session.ProcessId());
    ExpectFocus(main, SearchBox, "Enter in the search box");
    ExpectBytes(ControlText(main, SearchBox), "abc", "the search box after Enter");
    ExpectPageShown(main, 1, 2, "stay");
    const int fields[] = {SearchBox, PageBox, PageText};
    for (int id : fields) {
        ExpectFocus(main, id, "tabbing on");
        PressKey(VK_ESCAPE);
        Settle(main);
        Expect(!session.Program().HasEnded() && IsWindowVisible(main),
               "Esc in " + ControlName(id) + " closed the window");
        ExpectNoMessageBox(session.ProcessId());
        ExpectFocus(main, id, "Esc");
        PressKey(VK_TAB);
        Settle(main);
    }
    ExpectPageShown(main, 1, 2, "stay");
    ExpectNumber(Close(session, CloseBy::CloseBox), 0, "the exit code");
    ExpectBytes(ReadBytes(folder / PagesFileName), bytes, "the pages file after Esc and Enter");
}

const bool registered = RegisterScenarios({
    {"tab_order_cycles_the_fields", "Tab and Shift+Tab cycle the three fields, no button",
     TabOrderCyclesTheFields},
    {"tabbing_into_page_text_selects_nothing", "tabbing in leaves the page text unselected",
     TabbingIntoPageTextSelectsNothing},
    {"drag_writes_the_pad_once_at_the_drop", "a drag writes only the drop position",
     ADragWritesThePadOnceAtTheDrop},
    {"typed_page_kept_at_close", "a page typed with real keys is in the file after closing",
     TypedPageKeptAtClose},
    {"pasted_with_mouse_kept_at_close", "text pasted with the mouse is kept at the close",
     PastedWithMouseKeptAtClose},
    {"deleted_with_mouse_kept_at_close", "a page emptied with the mouse is kept at the close",
     DeletedWithMouseKeptAtClose},
    {"closed_while_minimised", "minimised or maximised, the file keeps the restored place",
     ClosedWhileMinimised},
    {"page_taller_than_the_field", "a tall page scrolls and keeps its undo; a sheet refuses more",
     PageTallerThanTheField},
    {"escape_and_enter_do_nothing", "Esc never closes; Enter in the search box does nothing",
     EscapeAndEnterDoNothing},
});

} // namespace
