// New Page, Insert Page and Delete Page through clicks and their Alt keys: the questions
// and refusals as message boxes, the page shown after them, the focus and the pages file.
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

const std::vector<std::string> YesNo = {"Yes", "No"};
const std::vector<std::string> OkOnly = {"OK"};

void NewPageGoesToTheEnd() {
    WorkFolder folder;
    PreparePad(folder, {"one", "two", "three", "four"});
    Session session(folder);
    HWND main = session.Main();
    ClickControl(main, NextButton);
    TypeAtEndOfPage(main, " edited");

    ClickControl(main, NewPageButton);
    Settle(main);
    ExpectPageShown(main, 5, 5, "");
    ExpectFocus(main, PageText, "New Page on page 2 of 4");
    ExpectPagesInFile(folder, {"one", "two edited", "three", "four", ""}, "after New Page");

    TypeText("fifth");
    PressKeys({VK_MENU, 'N'});
    Settle(main);
    ExpectPageShown(main, 6, 6, "");
    ExpectFocus(main, PageText, "Alt+N on page 5");
    ExpectPagesInFile(folder, {"one", "two edited", "three", "four", "fifth", ""}, "after Alt+N");
    ExpectNumber(Close(session, CloseBy::AltF4), 0, "the exit code");
}

void PageOneRefusals() {
    WorkFolder folder;
    const std::string prepared = PreparePad(folder, {"first", "second"});
    Session session(folder);
    HWND main = session.Main();
    const DWORD process = session.ProcessId();

    TypeAtEndOfPage(main, " edit");
    ClickControl(main, InsertPageButton);
    MessageBoxSeen box =
        ExpectMessageBox(process, "Insert Page", "You can't Insert a page before page 1!", OkOnly);
    // The edit is stored before the refusal.
    ExpectPagesInFile(folder, {"first edit", "second"}, "while Insert Page refuses");
    AnswerMessageBox(box, "OK");
    Settle(main);
    ExpectFocus(main, SearchBox, "the refusal of Insert Page");
    ExpectPageShown(main, 1, 2, "first edit");

    TypeAtEndOfPage(main, " more");
    const std::string path = folder / PagesFileName;
    const std::string stored = ReadBytes(path);
    const ULONGLONG written = LastWriteTime(path);
    PressKeys({VK_MENU, 'D'});
    box = ExpectMessageBox(process, "Delete Page", "You can't Delete Page 1", OkOnly);
    ExpectFileUntouched(path, stored, written, "while Delete Page refuses");
    AnswerMessageBox(box, "OK");
    Settle(main);
    ExpectFocus(main, SearchBox, "the refusal of Delete Page");
    ExpectPageShown(main, 1, 2, "first edit more");
    ExpectFileUntouched(path, stored, written, "after Delete Page refused");
    ExpectNoMessageBox(process);
    ExpectNumber(Close(session, CloseBy::CloseBox), 0, "the exit code");
    ExpectPagesInFile(folder, {"first edit more", "second"}, "after closing");
    Expect(ReadBytes(path) != prepared, "the pad was never written");
}

const char* const InsertQuestionOnPage3 =
    "Are you sure you would like to insert a page before page 3 ? This will make this new "
    "page No.3 and what was page No.3 will become page No.4 and all the pages above will be "
    "moved up one number.";

void InsertPageAsksAndInserts() {
    WorkFolder folder;
    PreparePad(folder, {"one", "two", "three", "four", "five"});
    Session session(folder);
    HWND main = session.Main();
    const DWORD process = session.ProcessId();
    const std::string path = folder / PagesFileName;
    EnterInPageBox(main, "3");
    const std::string before = ReadBytes(path);
    const ULONGLONG written = LastWriteTime(path);

    ClickControl(main, InsertPageButton);
    MessageBoxSeen box = ExpectMessageBox(process, "Insert Page", InsertQuestionOnPage3, YesNo);
    SaveScreenshot("insert_question");
    Expect(OwnerOf(box) == main, "the Insert Page question is not owned by the main window");
    AnswerMessageBox(box, "No");
    Settle(main);
    ExpectPageShown(main, 3, 5, "three");
    ExpectFileUntouched(path, before, written, "after No to the Insert Page question");

    // While the question is open, the pad can't be moved to another page.
    PressKeys({VK_MENU, 'I'});
    box = ExpectMessageBox(process, "Insert Page", InsertQuestionOnPage3, YesNo);
    ClickControl(main, NextButton);
    Settle(main);
    ExpectBytes(ControlText(main, PageBox), "3",
                "the page box after a click on \">\" while the "
                "Insert Page question was open");
    AnswerMessageBox(box, "Yes");
    Settle(main);
    ExpectPageShown(main, 3, 6, "");
    ExpectFocus(main, PageText, "Yes to the Insert Page question");
    // The empty page reaches the file with the next save.
    ExpectFileUntouched(path, before, written, "after Yes to the Insert Page question");

    TypeText("inserted");
    ClickControl(main, NextButton);
    Settle(main);
    ExpectPageShown(main, 4, 6, "three");
    ExpectPagesInFile(folder, {"one", "two", "inserted", "three", "four", "five"},
                      "after typing on the inserted page and flipping");
    ExpectNumber(Close(session, CloseBy::SystemCommand), 0, "the exit code");
}

// Insert Page writes nothing, yet the inserted page is kept through help and saved when
// the window closes.
void InsertedPageKeptThroughHelpAndClosing() {
    WorkFolder folder;
    const std::string prepared = PreparePad(folder, {"one", "two"});
    const std::string path = folder / PagesFileName;
    {
        Session session(folder);
        HWND main = session.Main();
        ClickControl(main, NextButton);
        PressKeys({VK_MENU, 'I'});
        const MessageBoxSeen box = ExpectMessageBox(
            session.ProcessId(), "Insert Page",
            "Are you sure you would like to insert a page before page 2 ? This will make this "
            "new page No.2 and what was page No.2 will become page No.3",
            YesNo);
        AnswerMessageBox(box, "Yes");
        Settle(main);
        ExpectPageShown(main, 2, 3, "");
        ExpectBytes(ReadBytes(path), prepared, "the pad after Insert Page");
        PressKeys({VK_MENU, 'H'});
        Settle(main);
        PressKeys({VK_MENU, 'E'});
        Settle(main);
        ExpectPageShown(main, 2, 3, "");
        ExpectNumber(Close(session, CloseBy::AltF4), 0, "the exit code");
    }
    ExpectPagesInFile(folder, {"one", "", "two"}, "after closing with an inserted page");
    Session session(folder);
    ExpectPageShown(session.Main(), 1, 3, "one");
    ExpectNumber(Close(session, CloseBy::AltF4), 0, "the exit code of the second run");
}

void DeletePageAsksAndDeletes() {
    WorkFolder folder;
    PreparePad(folder, {"one", "two", "three", "four", "five"});
    Session session(folder);
    HWND main = session.Main();
    const DWORD process = session.ProcessId();
    const std::string path = folder / PagesFileName;
    EnterInPageBox(main, "3");
    TypeAtEndOfPage(main, " edited");
    const std::string before = ReadBytes(path);
    const ULONGLONG written = LastWriteTime(path);

    ClickControl(main, DeletePageButton);
    MessageBoxSeen box =
        ExpectMessageBox(process, "Delete Page", "Are you sure you wish to delete page 3", YesNo);
    Expect(OwnerOf(box) == main, "the Delete Page question is not owned by the main window");
    AnswerMessageBox(box, "No");
    Settle(main);
    ExpectPageShown(main, 3, 5, "three edited");
    ExpectFileUntouched(path, before, written, "after No to the Delete Page question");

    PressKeys({VK_MENU, 'D'});
    box = ExpectMessageBox(process, "Delete Page", "Are you sure you wish to delete page 3", YesNo);
    AnswerMessageBox(box, "Yes");
    Settle(main);
    ExpectPageShown(main, 3, 4, "four");
    ExpectPagesInFile(folder, {"one", "two", "four", "five"}, "after deleting page 3");

    // From the last page the page before it is shown; the deleted page's edits go with it.
    PressKeys({VK_MENU, 'N'});
    Settle(main);
    ExpectPageShown(main, 5, 5, "");
    TypeText("new five");
    ClickControl(main, DeletePageButton);
    box = ExpectMessageBox(process, "Delete Page", "Are you sure you wish to delete page 5", YesNo);
    AnswerMessageBox(box, "Yes");
    Settle(main);
    ExpectPageShown(main, 4, 4, "five");
    ExpectPagesInFile(folder, {"one", "two", "four", "five"}, "after deleting the last page");
    ExpectNumber(Close(session, CloseBy::AltF4), 0, "the exit code");
    ExpectPagesInFile(folder, {"one", "two", "four", "five"}, "after closing");
}

const bool registered = RegisterScenarios({
    {"new_page_goes_to_the_end", "New Page and Alt+N add a page at the end and show it",
     NewPageGoesToTheEnd},
    {"page_one_refusals", "Insert and Delete refuse on page 1; only Insert stores first",
     PageOneRefusals},
    {"insert_page_asks_and_inserts", "the Insert question; No keeps all; Yes adds page 3 of 6",
     InsertPageAsksAndInserts},
    {"inserted_page_kept_through_help_and_closing", "Help and closing keep an inserted page",
     InsertedPageKeptThroughHelpAndClosing},
    {"delete_page_asks_and_deletes", "the Delete question; No keeps edits; Yes on 3 and last",
     DeletePageAsksAndDeletes},
});

} // namespace
