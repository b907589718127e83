// One pad on two computers: a sync client renames the other computer's version over the pad
// while the window is open, and leaves conflicted copies beside it.
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

#include <algorithm>

namespace {

// How long an idle window may take to show a version put in place: no input reaches it, so
// only the folder's change notification can wake it.
constexpr int FollowMs = 2000;

std::string OtherComputerSaves(const WorkFolder& folder, const std::vector<std::string>& pages) {
    const std::string bytes = PagesFile(HeaderOfNewPad(), PositionLine(20, 10), pages);
    ReplaceByRename(folder / PagesFileName, bytes);
    return bytes;
}

std::vector<std::string> PagesInFile(const WorkFolder& folder) {
    return SplitPagesFile(ReadBytes(folder / PagesFileName)).pages;
}

void WaitForPagesInFile(const WorkFolder& folder, const std::vector<std::string>& pages,
                        const std::string& what) {
    PollUntil([&] { return PagesInFile(folder) == pages; }, FollowMs);
    ExpectPagesInFile(folder, pages, what);
}

void WaitForPageCount(HWND main, long count, const std::string& what) {
    WaitUntil([&] { return ControlText(main, PageCount) == NumberText(count); }, what, FollowMs);
}

// Nothing changed here: the window shows the other version as it is and writes nothing.
void IdleWindowFollowsTheOtherComputer() {
    WorkFolder folder;
    const std::string path = folder / PagesFileName;
    PreparePad(folder, {"one", "two", "three"});
    Session session(folder);
    HWND main = session.Main();
    EnterInPageBox(main, "2");
    ClickControl(main, PageText);
    PressKeys({VK_CONTROL, VK_END});
    PressKeys({VK_SHIFT, VK_LEFT});
    Settle(main);

    // The page shown is the same there: the count follows, the selection stays.
    OtherComputerSaves(folder, {"one", "two", "three there", "four"});
    WaitForPageCount(main, 4, "the count of the version with a page added");
    ExpectPageShown(main, 2, 4, "two");
    ExpectSelection(main, PageText, 2, 3, "a version that left the page shown as it was");

    // A page inserted before it, and its text changed there: it is page 3 now.
    const std::string there = OtherComputerSaves(
        folder, {"inserted there", "one", "two changed there", "three there", "four"});
    WaitForPageCount(main, 5, "the count of the version with a page inserted");
    ExpectPageShown(main, 3, 5, "two changed there");
    const ULONGLONG written = LastWriteTime(path);
    for (const auto& [page, text] : {std::pair{4, "three there"}, std::pair{5, "four"}}) {
        ClickControl(main, NextButton);
        Settle(main);
        ExpectPageShown(main, page, 5, text);
    }
    ExpectNoMessageBox(session.ProcessId());
    ExpectFileUntouched(path, there, written, "after following the other computer's version");
    ExpectNumber(Close(session, CloseBy::SystemCommand), 0, "the exit code");
    ExpectFileUntouched(path, there, written, "after closing");
}

// A question keeps the window from looking at the pad, and help mode does too: the move
// while the question is open and the closing in help mode must take the new version in
// before they write.
void MovesAndClosingNeverRollThePadBack() {
    WorkFolder folder;
    PreparePad(folder, {"one", "two", "three"});
    Session session(folder);
    HWND main = session.Main();
    EnterInPageBox(main, "2");
    ClickControl(main, InsertPageButton);
    const MessageBoxSeen question = WaitForMessageBox(session.ProcessId());
    OtherComputerSaves(folder, {"one", "two", "three there"});
    const RECT place = WindowRect(main);
    SetWindowPos(main, nullptr, place.left + 30, place.top + 20, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    const POINT corner = CornerInDialogUnits(main);
    WaitUntil(
        [&] {
            return SplitPagesFile(ReadBytes(folder / PagesFileName)).positionLine ==
                   PositionLine(corner.x, corner.y);
        },
        "the move's save");
    ExpectPagesInFile(folder, {"one", "two", "three there"}, "after the move");
    AnswerMessageBox(question, "Yes");
    Settle(main);
    ExpectPageShown(main, 2, 4, "");

    // The inserted page is ahead of the file; closing in help mode saves it with the version
    // that arrived meanwhile.
    ClickControl(main, HelpButton);
    Settle(main);
    OtherComputerSaves(folder, {"one", "two", "three there", "four there"});
    ExpectNumber(Close(session, CloseBy::AltF4), 0, "the exit code");
    ExpectPagesInFile(folder, {"one", "", "two", "three there", "four there"},
                      "after closing in help mode");
}

// The user types on page 3 while a version arrives with a page inserted before it and the
// last page changed: all is kept and saved, and the page being typed on keeps its text,
// caret and focus under its new number.
void EditsOnDifferentPagesAreMerged() {
    WorkFolder folder;
    PreparePad(folder, {"one", "two", "three", "four"});
    Session session(folder);
    HWND main = session.Main();
    EnterInPageBox(main, "3");
    TypeAtEndOfPage(main, " here");
    OtherComputerSaves(folder, {"one", "inserted there", "two", "three", "four there"});
    WaitForPagesInFile(folder, {"one", "inserted there", "two", "three here", "four there"},
                       "the merged pages saved");
    ExpectPageShown(main, 4, 5, "three here");
    ExpectSelection(main, PageText, 10, 10, "the merge");
    ExpectFocus(main, PageText, "the merge");
    TypeText("!");
    ClickControl(main, PrevButton);
    Settle(main);
    ExpectNoMessageBox(session.ProcessId());
    ExpectPagesInFile(folder, {"one", "inserted there", "two", "three here!", "four there"},
                      "after typing on and a flip");
    // Having met the other version, the pad names the versions it grew from.
    Expect(!SplitPagesFile(ReadBytes(folder / PagesFileName)).versionsLine.empty(),
           "the merged pad has no versions line");
    ExpectNumber(Close(session, CloseBy::SystemCommand), 0, "the exit code");
}

// Both versions of the page are kept, in an order both computers share; the user hears of
// it at the next flip, not while typing, and once.
void PageChangedOnBothSidesIsKeptTwice() {
    WorkFolder folder;
    PreparePad(folder, {"one", "two", "three"});
    Session session(folder);
    HWND main = session.Main();
    EnterInPageBox(main, "2");
    TypeAtEndOfPage(main, " here");
    OtherComputerSaves(folder, {"one", "two there", "three"});
    WaitUntil([&] { return PagesInFile(folder).size() == 4; }, "the merged pages saved", FollowMs);
    const std::vector<std::string> pages = PagesInFile(folder);
    const bool hereFirst = pages[1] == "two here";
    ExpectPagesInFile(folder,
                      {"one", hereFirst ? "two here" : "two there",
                       hereFirst ? "two there" : "two here", "three"},
                      "both versions of page 2 after the merge");
    ExpectPageShown(main, hereFirst ? 2 : 3, 4, "two here");
    TypeText(" typing");
    Settle(main);
    ExpectNoMessageBox(session.ProcessId());
    ClickControl(main, NextButton);
    const MessageBoxSeen box = ExpectMessageBox(
        session.ProcessId(), "Quillpad",
        "Page 2 was changed both here and in the copy of Quillpad.qpd that another program put "
        "in place (another computer, through a sync folder, for example). Both versions are "
        "kept, one after the other: pages 2 and 3.",
        {"OK"});
    SaveScreenshot("page_kept_twice");
    AnswerMessageBox(box, "OK");
    ClickControl(main, PrevButton);
    Settle(main);
    ExpectNoMessageBox(session.ProcessId());
    ExpectNumber(Close(session, CloseBy::SystemCommand), 0, "the exit code");
}

std::string BroughtInNotice(const std::string& copy) {
    return "Quillpad brought in " + copy +
           ", a copy of the pad that a sync client left beside it: every page of it is now in "
           "Quillpad.qpd, so the copy is removed.";
}

// Copies that read as pads are united with the pages (equal pages once, differing runs both
// kept), the pad saved and the copy removed; one that does not is left alone.
void ConflictedCopiesAreBroughtIn() {
    WorkFolder folder;
    PreparePad(folder, {"one", "two"});
    const std::string copy = "Quillpad (Sam's conflicted copy 2026-12-08).qpd";
    const std::string notAPad = "Quillpad.sync-conflict-20261208-093012-ABCDEFG.qpd";
    ReplaceByRename(folder / copy,
                    PagesFile(HeaderOfNewPad(), PositionLine(0, 0), {"one", "two laptop", "3"}));
    WriteBytes(folder / notAPad, "a list, not a pad");
    Session session(folder);
    HWND main = session.Main();
    WaitUntil([&] { return PagesInFile(folder).size() == 4; }, "the copy brought in", FollowMs);
    const std::vector<std::string> pages = PagesInFile(folder);
    Expect(pages == std::vector<std::string>{"one", "two", "two laptop", "3"} ||
               pages == std::vector<std::string>{"one", "two laptop", "3", "two"},
           "the pad does not hold both runs of pages whole");
    std::vector<std::string> names = NamesIn(folder.Path());
    std::sort(names.begin(), names.end());
    Expect(names == std::vector<std::string>{PagesFileName, notAPad},
           "the folder should hold the pad and the copy that is not a pad");
    ExpectPageShown(main, 1, 4, "one");
    const auto toldOnce = [&](const std::string& name, int button) {
        ClickControl(main, button);
        AnswerMessageBox(
            ExpectMessageBox(session.ProcessId(), "Quillpad", BroughtInNotice(name), {"OK"}), "OK");
        Settle(main);
        ExpectNoMessageBox(session.ProcessId());
    };
    toldOnce(copy, NextButton);

    // One that appears while the window is idle, with a page added at the end.
    const std::string later = "QUILLPAD (CONFLICT 2).qpd";
    std::vector<std::string> withPhone = pages;
    withPhone.push_back("phone");
    ReplaceByRename(folder / later, PagesFile(HeaderOfNewPad(), PositionLine(0, 0), withPhone));
    WaitForPagesInFile(folder, withPhone, "the copy that appeared brought in");
    toldOnce(later, PrevButton);
    ExpectBytes(ReadBytes(folder / notAPad), "a list, not a pad", "the copy that is not a pad");
    ExpectNumber(Close(session, CloseBy::SystemCommand), 0, "the exit code");
}

const bool registered = RegisterScenarios({
    {"idle_window_follows_the_other_computer", "a renamed version shows within 2 s; no write",
     IdleWindowFollowsTheOtherComputer},
    {"moves_and_closing_never_roll_the_pad_back", "a move under a question, closing in help",
     MovesAndClosingNeverRollThePadBack},
    {"edits_on_different_pages_are_merged", "inserted there, typed here: all kept in place",
     EditsOnDifferentPagesAreMerged},
    {"page_changed_on_both_sides_is_kept_twice", "both versions kept, told at the next flip",
     PageChangedOnBothSidesIsKeptTwice},
    {"conflicted_copies_are_brought_in", "at the start and when one appears; removed, told",
     ConflictedCopiesAreBroughtIn},
});

} // namespace
