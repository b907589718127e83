// No pad is overwritten out of existence: one copy per folder, a pad replaced while the
// program runs, text after a byte 26, and saves cut short by a kill.
#include "check.h"
#include "input.h"
#include "message_boxes.h"
#include "more_actions.h"
#include "pages_file.h"
#include "platform/wide_text.h"
#include "process.h"
#include "scenario_table.h"
#include "screenshot.h"
#include "session.h"
#include "window_reading.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

namespace {

std::string Capitals(std::string text) {
    CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// The names of the files the program's saves leave in the folder until they take the pad's
// place: ".tmp" while written, ".done" once whole.
std::vector<std::string> TemporaryFilesIn(const WorkFolder& folder) {
    std::vector<std::string> found;
    for (const std::string& name : NamesIn(folder.Path())) {
        unsigned process = 0, count = 0;
        int used = 0;
        if (std::sscanf(name.c_str(), "Quillpad.qpd.%u-%u.%n", &process, &count, &used) == 2 &&
            (name.substr(used) == "tmp" || name.substr(used) == "done")) {
            found.push_back(name);
        }
    }
    return found;
}

// Starts a second copy in the folder, spelt in capitals (the same folder), and sees it end
// with 0 after it brought the first copy's window to the front, showing none of its own.
void StartSecondCopy(const WorkFolder& folder, HWND main) {
    RunningProgram second(Capitals(folder.Path()), "");
    ExpectNumber(second.WaitForExit(10000), 0, "the exit code of the second copy");
    Expect(FindMainWindow(second.ProcessId()) == nullptr, "the second copy showed a window");
    WaitUntil([&] { return GetForegroundWindow() == main; }, "the first window in front");
    Expect(NamesIn(folder.Path()) == std::vector<std::string>{PagesFileName},
           "the second copy left entries in the folder");
}

void SecondCopyInTheSameFolder() {
    WorkFolder folder;
    PreparePad(folder, {"the first copy's page"});
    Session first(folder);
    HWND main = first.Main();
    WorkFolder elsewhere;
    {
        // Another folder's copy runs beside the first, and takes the front.
        Session beside(elsewhere);
        ExpectPageShown(beside.Main(), 1, 1, "");
        Expect(!first.Program().HasEnded(), "the first copy ended when another folder's started");
        const std::string bytes = ReadBytes(folder / PagesFileName);
        const ULONGLONG written = LastWriteTime(folder / PagesFileName);
        StartSecondCopy(folder, main);
        ExpectFileUntouched(folder / PagesFileName, bytes, written, "after the second start");
        ExpectNumber(Close(beside, CloseBy::SystemCommand), 0, "the exit code in the other folder");
    }

    // Minimised, the first window comes back; its own move event then saves its place.
    ClickAt(TitleBarButton(main, HTMINBUTTON));
    WaitUntil([&] { return IsIconic(main) != FALSE; }, "the first window to be minimised");
    Settle(main);
    const PagesFileParts before = SplitPagesFile(ReadBytes(folder / PagesFileName));
    StartSecondCopy(folder, main);
    Expect(!IsIconic(main), "the first copy's window is still minimised");
    SaveScreenshot("second_copy_brought_the_first_forward");
    Settle(main);
    const PagesFileParts after = SplitPagesFile(ReadBytes(folder / PagesFileName));
    ExpectBytes(after.header, before.header, "the header after the second start");
    const POINT corner = CornerInDialogUnits(main);
    ExpectBytes(after.positionLine, PositionLine(corner.x, corner.y),
                "the position line: the first copy's restored place");
    ExpectNumber(Close(first, CloseBy::SystemCommand), 0, "the exit code of the first copy");
    ExpectPagesInFile(folder, {"the first copy's page"}, "after both copies ended");
}

// Pads in folders whose names the code page lacks, Cyrillic and CJK: typing is saved in a
// pause, and a start in the same folder, spelt in capitals, brings the first copy forward;
// a folder whose name differs in one letter has a copy of its own.
void PadInAFolderOfAnyName() {
    WorkFolder outer;
    for (const char* name :
         {"\xd0\x97\xd0\xb0\xd0\xbc\xd0\xb5\xd1\x82\xd0\xba\xd0\xb8",        // Заметки
          "\xe6\x97\xa5\xe6\x9c\xac\xe3\x81\xae\xe3\x83\xa1\xe3\x83\xa2"}) { // 日本のメモ
        const std::string folder = outer / name;
        Expect(CreateDirectoryW(Wide(folder).c_str(), nullptr) != 0, "cannot make " + folder);
        const std::string pad = folder + "\\" + PagesFileName;
        WriteBytes(pad, PagesFile(HeaderOfNewPad(), PositionLine(0, 0), {"one"}));
        RunningProgram program(folder, "");
        HWND main = WaitForMainWindow(program.ProcessId());
        TypeAtEndOfPage(main, " typed");
        WaitUntil([&] { return ReadBytes(pad).find("one typed") != std::string::npos; },
                  "the page saved in a pause in " + folder);
        ExpectNoMessageBox(program.ProcessId());
        std::wstring capitals = Wide(folder);
        CharUpperBuffW(capitals.data(), static_cast<DWORD>(capitals.size()));
        RunningProgram second(Utf8(capitals), "");
        ExpectNumber(second.WaitForExit(10000), 0, "the exit code of the second copy");
        Expect(FindMainWindow(second.ProcessId()) == nullptr, "the second copy showed a window");
        PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
        ExpectNumber(program.WaitForExit(), 0, "the exit code");
        Expect(NamesIn(folder) == std::vector<std::string>{PagesFileName},
               "the folder holds more than the pad: " + folder);
    }

    // Names that differ in one letter are two folders, each with a copy of its own.
    const std::string one = outer / "\xc5\x81";   // Ł
    const std::string other = outer / "\xc5\x9a"; // Ś
    for (const std::string& folder : {one, other}) {
        Expect(CreateDirectoryW(Wide(folder).c_str(), nullptr) != 0, "cannot make " + folder);
    }
    RunningProgram first(one, "");
    HWND firstMain = WaitForMainWindow(first.ProcessId());
    RunningProgram second(other, "");
    HWND secondMain = WaitForMainWindow(second.ProcessId());
    for (HWND main : {firstMain, secondMain}) {
        PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    ExpectNumber(first.WaitForExit(), 0, "the exit code in " + one);
    ExpectNumber(second.WaitForExit(), 0, "the exit code in " + other);
}

// A backup copied in while the user types: it differs from the pages on every page, so it
// is kept aside, once, and the pages in the window are written over it.
void PadReplacedWhileRunning() {
    WorkFolder folder;
    PreparePad(folder, {"one", "two"});
    Session session(folder);
    HWND main = session.Main();
    TypeAtEndOfPage(main, " typed");
    ClickControl(main, NextButton);
    // The program's own saves, one at every move, never count as a change.
    const RECT place = WindowRect(main);
    for (int step = 1; step <= 10; ++step) {
        SetWindowPos(main, nullptr, place.left + step * 3, place.top + step * 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    Settle(main);
    ExpectNoMessageBox(session.ProcessId());
    ExpectPagesInFile(folder, {"one typed", "two"}, "after the first flip");

    TypeAtEndOfPage(main, " too");
    const std::string restored =
        PagesFile(HeaderOfNewPad(), PositionLine(0, 0), {"restored one", "restored two"});
    WriteBytes(folder / PagesFileName, restored);
    WaitUntil(
        [&] {
            return GetFileAttributesA((folder / "Quillpad.qpd.bak").c_str()) !=
                   INVALID_FILE_ATTRIBUTES;
        },
        "the restored pad kept aside");
    ExpectNoMessageBox(session.ProcessId());
    ClickControl(main, PrevButton);
    const MessageBoxSeen box = WaitForMessageBox(session.ProcessId());
    SaveScreenshot("pad_replaced_while_running");
    const std::string backup = ExpectFirstBackupTold(box, folder, restored, "the replaced pad");
    Expect(box.text.find("most of its pages differ from yours") != std::string::npos,
           "the box does not say why the pad was kept aside: " + box.text);
    AnswerMessageBox(box, "OK");
    // Told once, however often the window looks at that version again.
    ClickControl(main, NextButton);
    Settle(main);
    ExpectNoMessageBox(session.ProcessId());
    ExpectPagesInFile(folder, {"one typed", "two too"}, "after the flips");
    ExpectNumber(Close(session, CloseBy::SystemCommand), 0, "the exit code");
    ExpectPagesInFile(folder, {"one typed", "two too"}, "after closing");
    ExpectBytes(ReadBytes(backup), restored, "the backup after closing");
}

// A read-only copy of the pad, cut short, put over it while the user types with pauses: that
// version can't be merged and is kept once, however many saves fail to replace it; the user
// hears of it at the next action, and once the copy is writable everything is saved.
void ReadOnlyCopyOverThePadIsKeptOnce() {
    WorkFolder folder;
    const std::string path = folder / PagesFileName;
    PreparePad(folder, {"one", "two"});
    Session session(folder);
    HWND main = session.Main();
    std::string copy = PagesFile(HeaderOfNewPad(), PositionLine(0, 0), {"one", "two copied"});
    copy.resize(copy.size() - 5);
    WriteBytes(path, copy);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    TypeAtEndOfPage(main, " first");
    WaitUntil([&] { return TextOf(main) == "Quillpad - not saved"; }, "the title after a pause");
    TypeAtEndOfPage(main, " second");
    ExpectNoMessageBox(session.ProcessId());
    ClickControl(main, NextButton);
    std::string told;
    for (int box = 0; box < 2; ++box) {
        const MessageBoxSeen seen = WaitForMessageBox(session.ProcessId());
        told += seen.text + "\n";
        AnswerMessageBox(seen, "OK");
    }
    Expect(told.find("it ends inside a page") != std::string::npos &&
               told.find("kept unchanged in Quillpad.qpd.bak") != std::string::npos &&
               told.find("could not be saved") != std::string::npos,
           "the boxes at the flip did not tell of the backup and the failed save: " + told);
    for (const int button : {PrevButton, NextButton, PrevButton}) {
        ClickControl(main, button);
        Settle(main);
    }
    ExpectNoMessageBox(session.ProcessId());
    std::vector<std::string> names = NamesIn(folder.Path());
    std::sort(names.begin(), names.end());
    Expect(names == std::vector<std::string>{PagesFileName, "Quillpad.qpd.bak"},
           "the folder holds more than the pad and one backup");
    ExpectBytes(ReadBytes(folder / "Quillpad.qpd.bak"), copy, "the backup of the copy");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ClickControl(main, NextButton);
    Settle(main);
    ExpectPagesInFile(folder, {"one first second", "two"}, "once the copy was writable");
    ExpectBytes(TextOf(main), "Quillpad", "the title once saved");
    ExpectNumber(Close(session, CloseBy::AltF4), 0, "the exit code");
}

void TextAfterByte26IsKept() {
    WorkFolder folder;
    const std::string bytes = PagesFile(HeaderOfNewPad(), PositionLine(0, 0), {"one", "t"}) +
                              "\x1a" + "wo\r\nthree\r\nfour\r\n";
    WriteBytes(folder / PagesFileName, bytes);
    RunningProgram program(folder);
    const MessageBoxSeen box = WaitForMessageBox(program.ProcessId(), 10000);
    SaveScreenshot("text_after_byte_26");
    const std::string backup = ExpectFirstBackupTold(box, folder, bytes, "the pad with a byte 26");
    AnswerMessageBox(box, "OK");
    HWND main = WaitForMainWindow(program.ProcessId());
    ExpectPageShown(main, 1, 2, "one");
    ExpectNoMessageBox(program.ProcessId());
    PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    ExpectNumber(program.WaitForExit(), 0, "the exit code");
    ExpectPagesInFile(folder, {"one", "t"}, "after the run");
    ExpectBytes(ReadBytes(backup), bytes, "the backup after the run");
}

void KilledWhileSaving() {
    WorkFolder folder;
    std::vector<std::string> pages;
    for (int n = 1; n <= 3000; ++n) {
        std::string page = "page " + std::to_string(n) + " ";
        page.resize(1000, static_cast<char>('a' + n % 26));
        pages.push_back(page);
    }
    const std::string pad = PagesFile(HeaderOfNewPad(), PositionLine(0, 0), pages);
    WriteBytes(folder / PagesFileName, pad);
    const std::vector<std::string> others = {"Quillpad.qpd.tmp", "notes.1-2.tmp",
                                             "Quillpad.qpd.1-2.tmp.old"};
    for (const std::string& name : others) {
        WriteBytes(folder / name, "not the program's");
    }
    WriteBytes(folder / "Quillpad.qpd.77-1.tmp", "left by an earlier kill");
    int leftBehind = 0;
    for (int kill = 0; kill < 8; ++kill) {
        {
            RunningProgram program(folder);
            HWND main = WaitForMainWindow(program.ProcessId(), 20000);
            // Every move saves the whole pad; the kill falls somewhere among the saves.
            for (int move = 0; move < 30; ++move) {
                PostMessageA(main, WM_MOVE, 0, 0);
            }
            Sleep(static_cast<DWORD>(20 + kill * 37 % 150));
        } // ended by force here
        const std::vector<std::string> temporary = TemporaryFilesIn(folder);
        leftBehind += temporary.empty() ? 0 : 1;
        const std::string after = "after kill " + std::to_string(kill + 1);
        if (GetFileAttributesA((folder / PagesFileName).c_str()) != INVALID_FILE_ATTRIBUTES) {
            ExpectBytes(ReadBytes(folder / PagesFileName), pad, "the pad " + after);
        } else {
            // Cut short inside the replace: the new pad is whole under its finished name.
            Expect(std::any_of(
                       temporary.begin(), temporary.end(),
                       [&](const std::string& name) { return ReadBytes(folder / name) == pad; }),
                   "the pad is gone and no whole copy of it is left " + after);
        }
    }
    std::printf("%d of 8 kills left a temporary file behind\n", leftBehind);
    Session session(folder);
    ExpectPageShown(session.Main(), 1, 3000, pages[0]);
    ExpectNumber(Close(session, CloseBy::SystemCommand), 0, "the exit code");
    ExpectBytes(ReadBytes(folder / PagesFileName), pad, "the pad after the last start");
    std::vector<std::string> expected = others;
    expected.push_back(PagesFileName);
    std::sort(expected.begin(), expected.end());
    std::vector<std::string> names = NamesIn(folder.Path());
    std::sort(names.begin(), names.end());
    Expect(names == expected, "the folder holds other entries than the pad and the files "
                              "of other names after a normal start");
}

const bool registered = RegisterScenarios({
    {"second_copy_in_the_same_folder", "brings the first forward, ends with 0, pad untouched",
     SecondCopyInTheSameFolder},
    {"pad_in_a_folder_of_any_name", "Cyrillic, CJK, Polish folders: saves work, one copy each",
     PadInAFolderOfAnyName},
    {"pad_replaced_while_running", "the replaced pad is kept in the backup the box names",
     PadReplacedWhileRunning},
    {"read_only_copy_over_the_pad_is_kept_once", "one backup, told at the next action",
     ReadOnlyCopyOverThePadIsKeptOnce},
    {"text_after_byte_26_is_kept", "a pad with pages after a byte 26 is kept whole",
     TextAfterByte26IsKept},
    {"killed_while_saving", "the pad is whole after every kill; no temporary file stays",
     KilledWhileSaving},
});

} // namespace
