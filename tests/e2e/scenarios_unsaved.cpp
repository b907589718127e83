// Nothing typed is lost: typing saved in a pause (and so through a kill), a pad that can't
// be saved told once and asked about before closing, help mode and the session's end.
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

const std::string NotSaved = "Quillpad.qpd could not be saved: it may be read-only, or open in "
                             "another program. Your latest changes are still in the window, "
                             "and Quillpad saves them again at the next flip and when you close "
                             "it.";
const std::string CloseQuestion = "Quillpad.qpd could not be saved, so your latest changes are "
                                  "not in it. Close Quillpad anyway and lose them?";

// A save that fails in a pause shows no box, which would take the keys of a user typing
// on: the title says so instead.
void WaitUntilTitleSaysNotSaved(HWND main, const std::string& when) {
    WaitUntil([&] { return TextOf(main) == "Quillpad - not saved"; },
              "the title saying the pad is not saved " + when);
}

// The box about failed saves waits for the user's next action.
void AnswerTheFailedSave(DWORD process, const std::string& when) {
    const MessageBoxSeen box = ExpectMessageBox(process, "Quillpad", NotSaved, {"OK"});
    Expect(OwnerOf(box) != nullptr, "the box about the failed save has no owner " + when);
    AnswerMessageBox(box, "OK");
}

void MakeWritable(const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The session may end: WM_QUERYENDSESSION answered with a result other than 0.
bool SessionMayEnd(HWND main) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutA(main, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP, SMTO_NORMAL, 5000,
                             &answer)) {
        Fail("the window did not answer WM_QUERYENDSESSION");
    }
    return answer != 0;
}

void APauseInTypingSavesThroughAKill() {
    WorkFolder folder;
    const std::string path = folder / PagesFileName;
    const std::string prepared = PreparePad(folder, {"one", "two"});
    Session session(folder);
    HWND main = session.Main();
    const ULONGLONG before = LastWriteTime(path);
    TypeAtEndOfPage(main, " and a paragraph typed in one go");
    ExpectFileUntouched(path, prepared, before, "while typing, before any pause");
    // The save is over once the pad it replaced is gone too; a kill before that may leave
    // it behind, for the next start to tidy.
    WaitUntil(
        [&] {
            return ReadBytes(path).find("in one go") != std::string::npos &&
                   NamesIn(folder.Path()) == std::vector<std::string>{PagesFileName};
        },
        "the page saved in the pause after typing");
    const ULONGLONG saved = LastWriteTime(path);
    const std::string bytes = ReadBytes(path);
    session.Program().EndByForce();
    ExpectFileUntouched(path, bytes, saved, "after the kill");
    ExpectPagesInFile(folder, {"one and a paragraph typed in one go", "two"}, "after the kill");
    Expect(NamesIn(folder.Path()) == std::vector<std::string>{PagesFileName},
           "the folder holds more than the pad after the kill");
}

void AReadOnlyPadAsksBeforeClosing() {
    WorkFolder folder;
    const std::string path = folder / PagesFileName;
    const std::string prepared = PreparePad(folder, {"one"});
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    Session session(folder);
    HWND main = session.Main();
    const DWORD process = session.ProcessId();
    TypeAtEndOfPage(main, " kept");
    WaitUntilTitleSaysNotSaved(main, "after typing into a read-only pad");
    ExpectNoMessageBox(process);

    // The window menu's Close, which no change of focus after the box can lose.
    PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    MessageBoxSeen box = ExpectMessageBox(process, "Quillpad", CloseQuestion, {"Yes", "No"});
    Expect(OwnerOf(box) == main, "the question before closing is not owned by the main window");
    SaveScreenshot("unsaved_close_question");
    // No is the default: Enter keeps the window and its text.
    BringToFront(box.window);
    PressKey(VK_RETURN);
    WaitUntil([&] { return !IsWindow(box.window) || !IsWindowVisible(box.window); },
              "the question to close after Enter");
    Settle(main);
    Expect(!session.Program().HasEnded() && IsWindow(main),
           "Enter at the question closed the window");
    ExpectPageShown(main, 1, 1, "one kept");
    ExpectBytes(ReadBytes(path), prepared, "the read-only pad after No");

    MakeWritable(path);
    ExpectNumber(Close(session, CloseBy::SystemCommand), 0,
                 "the exit code once the pad is writable");
    ExpectPagesInFile(folder, {"one kept"}, "after closing a pad made writable again");

    // Yes gives the change up.
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    const std::string kept = ReadBytes(path);
    Session again(folder);
    TypeAtEndOfPage(again.Main(), " given up");
    WaitUntilTitleSaysNotSaved(again.Main(), "in the second run");
    PostMessageA(again.Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
    AnswerMessageBox(ExpectMessageBox(again.ProcessId(), "Quillpad", CloseQuestion, {"Yes", "No"}),
                     "Yes");
    ExpectNumber(again.Program().WaitForExit(), 0, "the exit code after Yes");
    ExpectBytes(ReadBytes(path), kept, "the read-only pad after Yes");
    MakeWritable(path);
}

// Another program holds the pad open without sharing: the pause tells nothing, and keys
// typed after it go into the page; the next action tells. Once the pad is free, a flip
// without any further typing saves the change.
void ALockedPadIsSavedOnceReleased() {
    WorkFolder folder;
    const std::string path = folder / PagesFileName;
    PreparePad(folder, {"one", "two"});
    Session session(folder);
    HWND main = session.Main();
    HANDLE lock = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    Expect(lock != INVALID_HANDLE_VALUE, "the pad could not be held open");
    TypeAtEndOfPage(main, " while locked");
    WaitUntilTitleSaysNotSaved(main, "while another program holds the pad");
    TypeText(" and on");
    Settle(main);
    ExpectNoMessageBox(session.ProcessId());
    ExpectPageShown(main, 1, 2, "one while locked and on");
    ClickControl(main, NextButton);
    AnswerTheFailedSave(session.ProcessId(), "at the flip after the pause");
    Settle(main);
    CloseHandle(lock);

    ClickControl(main, PrevButton);
    Settle(main);
    ExpectNoMessageBox(session.ProcessId());
    ExpectPageShown(main, 1, 2, "one while locked and on");
    ExpectPagesInFile(folder, {"one while locked and on", "two"},
                      "after a flip once the pad was free");
    ExpectBytes(TextOf(main), "Quillpad", "the title once saved");
    ExpectNumber(Close(session, CloseBy::AltF4), 0, "the exit code");
}

void HelpModeKeepsUnsavedPages() {
    WorkFolder folder;
    const std::string path = folder / PagesFileName;
    const std::string prepared = PreparePad(folder, {"one", "two"});
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    Session session(folder);
    HWND main = session.Main();
    ClickControl(main, NextButton);
    TypeAtEndOfPage(main, " unsaved");
    PressKeys({VK_MENU, 'H'});
    Settle(main);
    ExpectBytes(ControlText(main, PageCount), " 8", "the page count in help mode");
    PressKeys({VK_MENU, 'E'});
    Settle(main);
    ExpectPageShown(main, 2, 2, "two unsaved");
    ExpectBytes(ReadBytes(path), prepared, "the read-only pad after help");

    MakeWritable(path);
    ExpectNumber(Close(session, CloseBy::AltF4), 0, "the exit code");
    ExpectPagesInFile(folder, {"one", "two unsaved"}, "after closing");
}

void TheSessionWaitsForUnsavedChanges() {
    WorkFolder folder;
    const std::string path = folder / PagesFileName;
    PreparePad(folder, {"one"});
    Session session(folder);
    HWND main = session.Main();
    Expect(SessionMayEnd(main), "the session may not end although everything is saved");

    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    TypeAtEndOfPage(main, " at shutdown");
    Expect(!SessionMayEnd(main), "the session may end while the change can't be saved");
    ExpectNoMessageBox(session.ProcessId());

    MakeWritable(path);
    Expect(SessionMayEnd(main), "the session may not end once the change could be saved");
    ExpectPagesInFile(folder, {"one at shutdown"}, "after the session was asked again");
    ExpectNumber(Close(session, CloseBy::AltF4), 0, "the exit code");
}

// Sync clients, indexers and virus scanners open the pad for reading and share it every
// way: Quillpad starts, saves in a pause and leaves help all the same. Exit Help while the
// pad is locked still shows every page.
void OtherReadersNeverStopQuillpad() {
    WorkFolder folder;
    const std::string path = folder / PagesFileName;
    PreparePad(folder, {"one", "two"});
    HANDLE reader = CreateFileA(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    Expect(reader != INVALID_HANDLE_VALUE, "the pad could not be held open for reading");
    Session session(folder);
    HWND main = session.Main();
    TypeAtEndOfPage(main, " read meanwhile");
    WaitUntil([&] { return ReadBytes(path).find("read meanwhile") != std::string::npos; },
              "the page saved in a pause while another program reads the pad");
    for (const bool locked : {false, true}) {
        const std::string when = locked ? "while the pad is locked" : "while it is read";
        HANDLE lock = INVALID_HANDLE_VALUE;
        if (locked) {
            CloseHandle(reader);
            lock = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
            Expect(lock != INVALID_HANDLE_VALUE, "the pad could not be locked");
        }
        PressKeys({VK_MENU, 'H'});
        Settle(main);
        PressKeys({VK_MENU, 'E'});
        Settle(main);
        ExpectPageShown(main, 1, 2, "one read meanwhile");
        ExpectNoMessageBox(session.ProcessId());
        ExpectBytes(TextOf(main), "Quillpad", "the title after Exit Help " + when);
        if (locked) {
            // Nothing typed since the last save: a pad held shut is no reason to ask.
            ExpectNumber(Close(session, CloseBy::AltF4), 0, "the exit code " + when);
            CloseHandle(lock);
        }
    }
    ExpectPagesInFile(folder, {"one read meanwhile", "two"}, "after closing");
}

const bool registered = RegisterScenarios({
    {"pause_in_typing_saves_through_a_kill", "typing reaches the pad in a pause, no save per key",
     APauseInTypingSavesThroughAKill},
    {"read_only_pad_asks_before_closing", "the question before closing, Enter keeps the window",
     AReadOnlyPadAsksBeforeClosing},
    {"locked_pad_saved_once_released", "a flip saves an earlier change once the pad is free",
     ALockedPadIsSavedOnceReleased},
    {"help_mode_keeps_unsaved_pages", "Exit Help shows the pages that could not be saved",
     HelpModeKeepsUnsavedPages},
    {"other_readers_never_stop_quillpad", "start, a pause, Exit Help with a reader or a lock",
     OtherReadersNeverStopQuillpad},
    {"session_waits_for_unsaved_changes", "WM_QUERYENDSESSION is refused while unsaved",
     TheSessionWaitsForUnsavedChanges},
});

} // namespace
