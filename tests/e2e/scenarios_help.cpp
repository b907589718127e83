// Help mode in the real window: entering and leaving it by click and Alt key, what can't be
// done there, moving and searching through the help pages, and the pages file left alone.
#include "check.h"
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

constexpr long HelpPageCount = 8;
const int PageButtons[] = {NewPageButton, DeletePageButton, InsertPageButton};

void ExpectHelpShown(HWND main, long page, const std::string& after) {
    ExpectBytes(ControlText(main, HelpButton), "&Exit Help", "the Help button after " + after);
    for (int id : PageButtons) {
        Expect(!ControlEnabled(main, id), ControlName(id) + " is enabled after " + after);
    }
    ExpectBytes(ControlText(main, PageBox), std::to_string(page), "the page box after " + after);
    ExpectBytes(ControlText(main, PageCount), NumberText(HelpPageCount),
                "the page count after " + after);
    const std::string heading = std::string(36, ' ') + "Quillpad Help\r\n\r\n";
    Expect(ControlText(main, PageText).compare(0, heading.size(), heading) == 0,
           "the page text after " + after +
               " is not a help page: " + Visible(ControlText(main, PageText)));
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(Control(main, PageText), GWL_STYLE));
    Expect((style & ES_READONLY) && !(style & WS_TABSTOP),
           "the help page's field is not read-only, or is a tab stop, after " + after);
}

void ExpectUserPagesShown(HWND main, long page, long count, const std::string& text,
                          const std::string& after) {
    ExpectBytes(ControlText(main, HelpButton), "&Help", "the Help button after " + after);
    for (int id : PageButtons) {
        Expect(ControlEnabled(main, id), ControlName(id) + " is disabled after " + after);
    }
    ExpectPageShown(main, page, count, text);
    const auto style = static_cast<DWORD>(GetWindowLongPtrA(Control(main, PageText), GWL_STYLE));
    Expect(!(style & ES_READONLY) && (style & WS_TABSTOP),
           "the page text field is read-only, or no tab stop, after " + after);
}

void Press(HWND main, std::initializer_list<WORD> chord) {
    PressKeys(chord);
    Settle(main);
}

void HelpModeRoundTrip() {
    WorkFolder folder;
    PreparePad(folder, {"p1", "p2", "p3", "p4", "p5", "p6", "p7"});
    Session session(folder);
    HWND main = session.Main();
    const std::string path = folder / PagesFileName;
    EnterInPageBox(main, "5");
    ClickControl(main, PageText);
    PressKeys({VK_CONTROL, VK_END});
    TypeText(" typed");
    Settle(main);
    ExpectPagesInFile(folder, {"p1", "p2", "p3", "p4", "p5", "p6", "p7"}, "before help");

    ClickControl(main, HelpButton);
    Settle(main);
    ExpectHelpShown(main, 1, "a click on Help");
    ExpectFocus(main, SearchBox, "a click on Help");
    SaveScreenshot("help_page_1");
    ExpectPagesInFile(folder, {"p1", "p2", "p3", "p4", "p5 typed", "p6", "p7"},
                      "on entering help with unsaved typing");
    const std::string firstHelpPage = ControlText(main, PageText);
    const std::string stored = ReadBytes(path);
    const ULONGLONG written = LastWriteTime(path);

    Press(main, {VK_MENU, 'E'});
    ExpectUserPagesShown(main, 5, 7, "p5 typed", "Alt+E");
    ExpectFocus(main, SearchBox, "Alt+E");

    // Alt+E means nothing outside help mode.
    Press(main, {VK_MENU, 'E'});
    ExpectUserPagesShown(main, 5, 7, "p5 typed", "Alt+E outside help mode");

    for (int round = 1; round <= 2; ++round) {
        const std::string which = " (round " + std::to_string(round) + ")";
        Press(main, {VK_MENU, 'H'});
        ExpectHelpShown(main, 1, "Alt+H" + which);
        ExpectFocus(main, SearchBox, "Alt+H" + which);
        ExpectBytes(ControlText(main, PageText), firstHelpPage, "help page 1" + which);
        ClickControl(main, HelpButton);
        Settle(main);
        ExpectUserPagesShown(main, 5, 7, "p5 typed", "a click on Exit Help" + which);
        ExpectFocus(main, SearchBox, "a click on Exit Help" + which);
    }
    ExpectFileUntouched(path, stored, written, "after entering and leaving help again");

    // The new field is the page text field again: typing is taken and kept.
    ClickControl(main, PageText);
    PressKeys({VK_CONTROL, VK_END});
    TypeText("!");
    Settle(main);
    ExpectNumber(Close(session, CloseBy::AltF4), 0, "the exit code");
    ExpectPagesInFile(folder, {"p1", "p2", "p3", "p4", "p5 typed!", "p6", "p7"}, "after closing");
}

void HelpModeIsReadOnly() {
    WorkFolder folder;
    PreparePad(folder, {"mine", "second"});
    Session session(folder);
    HWND main = session.Main();
    const DWORD process = session.ProcessId();
    const std::string path = folder / PagesFileName;
    ClickControl(main, PageText);
    PressKeys({VK_CONTROL, VK_END});
    TypeText(" own");
    Settle(main);

    Press(main, {VK_MENU, 'H'});
    ExpectHelpShown(main, 1, "Alt+H");
    const std::string stored = ReadBytes(path);
    const ULONGLONG written = LastWriteTime(path);
    const std::string helpPage = ControlText(main, PageText);

    const WORD mnemonics[] = {'N', 'D', 'I'};
    for (WORD letter : mnemonics) {
        const std::string name = std::string("Alt+") + static_cast<char>(letter);
        Press(main, {VK_MENU, letter});
        ExpectNoMessageBox(process);
        ExpectHelpShown(main, 1, name + " in help mode");
        ExpectBytes(ControlText(main, PageText), helpPage, "the help page after " + name);
    }

    ClickControl(main, PageText);
    TypeText("xyz\n");
    PressKey(VK_DELETE);
    PressKeys({VK_CONTROL, 'T'});
    PressKeys({VK_CONTROL, 'D'});
    PressKeys({VK_CONTROL, 'V'});
    Settle(main);
    ExpectBytes(ControlText(main, PageText), helpPage, "the help page after typing into it");
    ExpectHelpShown(main, 1, "typing into the help page");

    // Tab goes between the two boxes only.
    ClickControl(main, SearchBox);
    const int tabs[] = {PageBox, SearchBox, PageBox};
    for (int id : tabs) {
        Press(main, {VK_TAB});
        ExpectFocus(main, id, "Tab in help mode");
    }

    ExpectFileUntouched(path, stored, written, "after the keys in help mode");
    ExpectNumber(Close(session, CloseBy::CloseBox), 0, "the exit code after closing in help");
    ExpectFileUntouched(path, stored, written, "after closing in help mode");
    ExpectPagesInFile(folder, {"mine own", "second"}, "after closing in help mode");
}

void HelpPagesFitAndSearch() {
    WorkFolder folder;
    PreparePad(folder, {"a page of mine"});
    Session session(folder);
    HWND main = session.Main();
    Press(main, {VK_MENU, 'H'});
    ExpectHelpShown(main, 1, "Alt+H");

    std::vector<std::string> texts(HelpPageCount + 1);
    for (long page = 1; page <= HelpPageCount; ++page) {
        const std::string which = "help page " + std::to_string(page);
        EnterInPageBox(main, std::to_string(page));
        ExpectHelpShown(main, page, "going to " + which);
        texts[page] = ControlText(main, PageText);
        long lines = 1;
        for (size_t at = texts[page].find("\r\n"); at != std::string::npos;
             at = texts[page].find("\r\n", at + 2)) {
            ++lines;
        }
        // A wrapped line would take more lines in the field than the text holds.
        ExpectNumber(LineCountOf(main, PageText), lines, "the lines the field shows of " + which);
    }

    EnterInPageBox(main, "4");
    ExpectHelpShown(main, 4, "going to help page 4");
    ExpectBytes(ControlText(main, PageText), texts[4], "help page 4");
    EnterInPageBox(main, "9");
    ExpectHelpShown(main, 4, "going to page 9 of the help");
    ExpectBytes(ControlText(main, PageText), texts[4], "the help page after going to 9");

    // Shift+Right stops on each later help page that holds the word, in any case.
    EnterInPageBox(main, "1");
    PutInBox(main, SearchBox, "page");
    long current = 1;
    int stops = 0;
    for (;;) {
        long next = current + 1;
        while (next <= HelpPageCount &&
               FoldedAscii(texts[next]).find("page") == std::string::npos) {
            ++next;
        }
        PressKeys({VK_SHIFT, VK_RIGHT});
        Settle(main);
        const std::string after = "Shift+Right for page from help page " + std::to_string(current);
        if (next > HelpPageCount) {
            ExpectHelpShown(main, current, after);
            ExpectFocus(main, SearchBox, after);
            break;
        }
        const long at = static_cast<long>(FoldedAscii(texts[next]).find("page"));
        ExpectFound(main, after, next, HelpPageCount, at, at + 4);
        ExpectHelpShown(main, next, after);
        current = next;
        ++stops;
    }
    Expect(stops > 1, "the search for page stopped on fewer than two help pages");
    ExpectNumber(Close(session, CloseBy::AltF4), 0, "the exit code");
    ExpectPagesInFile(folder, {"a page of mine"}, "after closing in help mode");
}

void WindowMovedInHelpMode() {
    WorkFolder folder;
    PreparePad(folder, {"note"});
    const std::string path = folder / PagesFileName;
    Session session(folder);
    HWND main = session.Main();
    ClickControl(main, HelpButton);
    Settle(main);
    ExpectHelpShown(main, 1, "a click on Help");
    const std::string stored = ReadBytes(path);
    const ULONGLONG written = LastWriteTime(path);

    DragWindowBy(main, 40, 30);
    ExpectFileUntouched(path, stored, written, "after the window was moved in help mode");
    ClickControl(main, HelpButton);
    Settle(main);
    ExpectUserPagesShown(main, 1, 1, "note", "a click on Exit Help");
    ExpectFileUntouched(path, stored, written, "after leaving help mode");

    // The next save holds the new place.
    ClickControl(main, PageText);
    PressKeys({VK_CONTROL, VK_END});
    TypeText(" x");
    ClickControl(main, NextButton);
    Settle(main);
    const POINT corner = CornerInDialogUnits(main);
    const PagesFileParts saved = SplitPagesFile(ReadBytes(path));
    ExpectBytes(saved.positionLine, PositionLine(corner.x, corner.y),
                "the position line of the first save after help mode");
    Expect(saved.positionLine != SplitPagesFile(stored).positionLine,
           "the moved window's place equals the old one: " + Visible(saved.positionLine));
    Expect(saved.pages == std::vector<std::string>{"note x"}, "the page after the save");

    // Moved in help mode and closed there: the file keeps the place of before.
    ClickControl(main, HelpButton);
    Settle(main);
    const std::string beforeClose = ReadBytes(path);
    const ULONGLONG beforeCloseWritten = LastWriteTime(path);
    DragWindowBy(main, -30, 20);
    ExpectNumber(Close(session, CloseBy::AltF4), 0, "the exit code");
    ExpectFileUntouched(path, beforeClose, beforeCloseWritten,
                        "after moving the window in help mode and closing there");
}

// Another computer may shorten the pad while help is shown: nothing is written in help, and
// Exit Help takes that version in with the page inserted here, which the file never held.
void LeavingHelpAfterThePadShrank() {
    WorkFolder folder;
    PreparePad(folder, {"p1", "p2", "p3", "p4", "p5", "p6", "p7"});
    const std::string path = folder / PagesFileName;
    Session session(folder);
    HWND main = session.Main();
    EnterInPageBox(main, "5");
    ClickControl(main, InsertPageButton);
    AnswerMessageBox(WaitForMessageBox(session.ProcessId()), "Yes");
    ClickControl(main, HelpButton);
    Settle(main);
    ExpectHelpShown(main, 1, "a click on Help");
    const std::string shorter =
        PagesFile(HeaderOfNewPad(), PositionLine(20, 10), {"p1", "p2 there", "p3"});
    ReplaceByRename(path, shorter);
    const ULONGLONG written = LastWriteTime(path);
    ClickControl(main, NextButton);
    Settle(main);
    ExpectFileUntouched(path, shorter, written, "in help mode");

    ClickControl(main, HelpButton);
    Settle(main);
    ExpectUserPagesShown(main, 4, 4, "", "leaving help after the pad shrank");
    ExpectPagesInFile(folder, {"p1", "p2 there", "p3", ""}, "after leaving help");
    ExpectNoMessageBox(session.ProcessId());
    ExpectNumber(Close(session, CloseBy::AltF4), 0, "the exit code");
}

const bool registered = RegisterScenarios({
    {"leaving_help_after_the_pad_shrank", "Exit Help takes the shorter pad in, keeps the new page",
     LeavingHelpAfterThePadShrank},
    {"help_mode_round_trip", "Help stores the page; Exit Help brings it back; Alt+H, Alt+E",
     HelpModeRoundTrip},
    {"help_mode_is_read_only", "in help: Alt+N/D/I and typing do nothing; closing writes none",
     HelpModeIsReadOnly},
    {"help_pages_fit_and_search", "no help line wraps; go to 4 and 9; search page in help",
     HelpPagesFitAndSearch},
    {"window_moved_in_help_mode", "a move in help is written by the next save, not before",
     WindowMovedInHelpMode},
});

} // namespace
