// Start-up and shutdown: the pad made at the first start, what later starts keep, where
// the window comes up, the exit code, and the pads the program must not touch.
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
#include <cstdio>
#include <cstring>

namespace {

long long SecondsOf(const SYSTEMTIME& time) {
    FILETIME file;
    SystemTimeToFileTime(&time, &file);
    return static_cast<long long>(
        (static_cast<ULONGLONG>(file.dwHighDateTime) << 32 | file.dwLowDateTime) / 10000000ULL);
}

long long LocalSecondsNow() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return SecondsOf(now);
}

// "06 Dec 2026 14:03:09" as seconds; -1 when the text has another form.
long long SecondsOfStamp(const std::string& stamp) {
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    unsigned day = 0, year = 0, hour = 0, minute = 0, second = 0;
    char month[4] = {};
    int used = 0;
    if (stamp.size() != 20 ||
        std::sscanf(stamp.c_str(), "%2u %3c %4u %2u:%2u:%2u%n", &day, month, &year, &hour, &minute,
                    &second, &used) != 6 ||
        used != 20 || stamp[2] != ' ' || stamp[6] != ' ' || stamp[11] != ' ') {
        return -1;
    }
    SYSTEMTIME time{};
    for (WORD m = 0; m < 12; ++m) {
        if (std::strncmp(month, months[m], 3) == 0) {
            time.wMonth = static_cast<WORD>(m + 1);
        }
    }
    time.wDay = static_cast<WORD>(day);
    time.wYear = static_cast<WORD>(year);
    time.wHour = static_cast<WORD>(hour);
    time.wMinute = static_cast<WORD>(minute);
    time.wSecond = static_cast<WORD>(second);
    return time.wMonth == 0 ? -1 : SecondsOf(time);
}

void ExpectCentred(HWND main) {
    const RECT window = WindowRect(main);
    const RECT work = WorkArea();
    const long width = window.right - window.left;
    const long height = window.bottom - window.top;
    ExpectNear(window.left, work.left + (work.right - work.left - width) / 2, 1,
               "the left edge of a window centred on the screen");
    ExpectNear(window.top, work.top + (work.bottom - work.top - height) / 2, 1,
               "the top edge of a window centred on the screen");
}

// The pages file holds the window's actual corner, as the first showing writes it.
void ExpectFileHoldsCorner(const PagesFileParts& file, HWND main) {
    const POINT corner = CornerInDialogUnits(main);
    ExpectBytes(file.positionLine, PositionLine(corner.x, corner.y),
                "the position line after the window was shown");
}

void FirstStartCreatesThePad() {
    WorkFolder folder;
    // Named by a relative path, the data folder would be the pad's own, and the pad's history
    // would go wherever a sync client carries the pad; the last check below looks for it.
    SetEnvironmentVariableW(L"LOCALAPPDATA", L".");
    const long long before = LocalSecondsNow();
    Session session(folder);
    const long long after = LocalSecondsNow();
    HWND main = session.Main();
    SaveScreenshot("first_start");

    ExpectPageShown(main, 1, 1, "");
    ExpectNumber(FocusedControl(main), SearchBox, "the focused control at the start");
    // An empty position line in the new file is what makes the window come up centred.
    ExpectCentred(main);

    const std::string bytes = ReadBytes(folder / PagesFileName);
    const PagesFileParts file = SplitPagesFile(bytes);
    const std::string started = "  Quillpad.qpd file started ";
    const size_t at = file.header.find(started);
    Expect(at != std::string::npos && at > 0, "the header line is not a web address and \"" +
                                                  started +
                                                  "\" with the date: " + Visible(file.header));
    const long long stamped = SecondsOfStamp(file.header.substr(at + started.size()));
    Expect(stamped >= before - 1 && stamped <= after + 1,
           "the header line's date and time are not the time of the start: " +
               Visible(file.header));
    ExpectFileHoldsCorner(file, main);
    Expect(file.pages.size() == 1 && file.pages[0].empty(),
           "the new pad does not hold exactly one empty page: " + Visible(bytes));

    ExpectNumber(Close(session, CloseBy::CloseBox), 0, "the exit code");
    ExpectBytes(ReadBytes(folder / PagesFileName), bytes,
                "the pages file after closing without typing");
    const std::vector<std::string> names = NamesIn(folder.Path());
    Expect(names == std::vector<std::string>{PagesFileName},
           "the folder holds more than the pages file after the run");
}

void ArgumentsChangeNothing() {
    const std::string arguments = "/p other.qpd --help \"C:\\some folder\"";
    WorkFolder plain;
    WorkFolder withArguments;
    std::string plainFile;
    {
        Session session(plain);
        ExpectNumber(Close(session, CloseBy::AltF4), 0, "the exit code without arguments");
        plainFile = ReadBytes(plain / PagesFileName);
    }
    {
        Session session(withArguments, arguments);
        ExpectPageShown(session.Main(), 1, 1, "");
        ExpectNumber(Close(session, CloseBy::AltF4), 0, "the exit code with arguments");
    }
    const PagesFileParts expected = SplitPagesFile(plainFile);
    const PagesFileParts got = SplitPagesFile(ReadBytes(withArguments / PagesFileName));
    ExpectBytes(got.positionLine, expected.positionLine, "the position line with arguments");
    Expect(got.pages == expected.pages, "the new pad's pages differ when started with arguments");
    Expect(NamesIn(withArguments.Path()) == std::vector<std::string>{PagesFileName},
           "the program made other entries than the pages file when given arguments");

    // A pad that is there already is shown and kept the same way.
    WriteBytes(withArguments / PagesFileName,
               PagesFile(HeaderOfNewPad(), PositionLine(30, 20), {"first", "second"}));
    const std::string prepared = ReadBytes(withArguments / PagesFileName);
    Session session(withArguments, arguments);
    ExpectPageShown(session.Main(), 1, 2, "first");
    ExpectNumber(Close(session, CloseBy::CloseBox), 0, "the exit code with arguments");
    ExpectBytes(ReadBytes(withArguments / PagesFileName), prepared,
                "the prepared pad after a run with arguments");
}

void LaterStartsKeepPadAndPlace() {
    WorkFolder folder;
    RECT firstPlace{};
    {
        Session session(folder);
        firstPlace = WindowRect(session.Main());
        ClickControl(session.Main(), PageText);
        TypeText("Kept across starts");
        Settle(session.Main());
        ExpectNumber(Close(session, CloseBy::AltF4), 0, "the exit code of the first run");
    }
    const std::string afterFirst = ReadBytes(folder / PagesFileName);
    Expect(SplitPagesFile(afterFirst).pages == std::vector<std::string>{"Kept across starts"},
           "the typed page is not in the pages file: " + Visible(afterFirst));

    std::string previousFile;
    RECT previousPlace{};
    for (int start = 2; start <= 5; ++start) {
        const std::string which = "start " + std::to_string(start);
        Session session(folder);
        HWND main = session.Main();
        const RECT place = WindowRect(main);
        ExpectPageShown(main, 1, 1, "Kept across starts");
        // The first start's corner went through dialog units once; from then on the
        // place must not move at all.
        ExpectNear(place.left, firstPlace.left, 2, "the window's left edge at " + which);
        ExpectNear(place.top, firstPlace.top, 2, "the window's top edge at " + which);
        ExpectNumber(place.right - place.left, firstPlace.right - firstPlace.left,
                     "the window's width at " + which);
        ExpectNumber(place.bottom - place.top, firstPlace.bottom - firstPlace.top,
                     "the window's height at " + which);
        ExpectNumber(Close(session, CloseBy::CloseBox), 0, "the exit code at " + which);
        const std::string file = ReadBytes(folder / PagesFileName);
        const PagesFileParts parts = SplitPagesFile(file);
        ExpectBytes(parts.header, SplitPagesFile(afterFirst).header, "the header at " + which);
        Expect(parts.pages == std::vector<std::string>{"Kept across starts"},
               "the pages changed at " + which + ": " + Visible(file));
        if (start > 2) {
            ExpectNumber(place.left, previousPlace.left,
                         "the window's left edge, compared with the start before " + which);
            ExpectNumber(place.top, previousPlace.top,
                         "the window's top edge, compared with the start before " + which);
            ExpectBytes(file, previousFile, "the pages file, compared with the run before");
        }
        previousFile = file;
        previousPlace = place;
    }
}

// Starts with a pad whose position line is given and returns where the window came up.
RECT StartWithPositionLine(const std::string& positionLine, long left, long top) {
    WorkFolder folder;
    WriteBytes(folder / PagesFileName, PagesFile(HeaderOfNewPad(), positionLine, {"placed"}));
    Session session(folder);
    HWND main = session.Main();
    ExpectPageShown(main, 1, 1, "placed");
    ExpectWindowAt(main, left, top, "position line " + Visible(positionLine));
    const RECT place = WindowRect(main);
    const PagesFileParts file = SplitPagesFile(ReadBytes(folder / PagesFileName));
    ExpectBytes(file.positionLine, PositionLine(left, top),
                "the position line written back for " + Visible(positionLine));
    ExpectNumber(Close(session, CloseBy::SystemCommand), 0, "the exit code");
    return place;
}

void StoredPositionsPlaceTheWindow() {
    const RECT corner = StartWithPositionLine(PositionLine(0, 0), 0, 0);
    ExpectNumber(corner.left, 0, "the left edge of a window stored at 0, 0");
    ExpectNumber(corner.top, 0, "the top edge of a window stored at 0, 0");
    StartWithPositionLine(PositionLine(120, 80), 120, 80);
    // One number stands for both: the second field is also the last.
    StartWithPositionLine(" 40", 40, 40);
    // A negative left edge leaves the second field empty.
    StartWithPositionLine(" -5 300", 0, 300);
}

// The window's first showing writes the pad once, with its place, before a key typed as soon
// as the window is in front is taken. Each poll reads the search box, then the pad: a key
// seen taken means the pad must be written by then. (That the write waits for the first
// painting is for the unit tests and the bench to show: the icon set after it repaints the
// window at once, so a window seen unpainted here may have been painted before.)
void FirstShowSavedOncePainted(const WorkFolder& folder) {
    const std::string path = folder / PagesFileName;
    std::vector<ULONGLONG> writes{LastWriteTime(path)};
    RunningProgram program(folder);
    HWND main = nullptr;
    bool typed = false;
    WaitUntil(
        [&] {
            const bool keyTaken = main != nullptr && ControlText(main, SearchBox) == "q";
            const ULONGLONG written = LastWriteTime(path);
            Expect(!keyTaken || written != writes.front(),
                   "a key was taken before the pad was written at the first showing");
            if (written != writes.back()) {
                writes.push_back(written);
            }
            main = main ? main : FindMainWindow(program.ProcessId());
            if (main != nullptr && !typed && GetForegroundWindow() == main) {
                TypeText("q");
                typed = true;
            }
            return keyTaken;
        },
        "the key typed at the start to be taken", 10000);
    Settle(main);
    ExpectNumber(static_cast<long>(writes.size()) - 1 + (LastWriteTime(path) != writes.back()), 1,
                 "the pad's writes at the start");
    ExpectFileHoldsCorner(SplitPagesFile(ReadBytes(path)), main);
    PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    ExpectNumber(program.WaitForExit(), 0, "the exit code");
}

void FarPositionComesOnScreen() {
    WorkFolder folder;
    const std::string farAway = PagesFile(HeaderOfNewPad(), PositionLine(5000, 5000), {"far away"});
    WriteBytes(folder / PagesFileName, farAway);
    FirstShowSavedOncePainted(folder);
    WriteBytes(folder / PagesFileName, farAway);
    Session session(folder);
    HWND main = session.Main();
    SaveScreenshot("far_position");
    ExpectPageShown(main, 1, 1, "far away");
    const RECT window = WindowRect(main);
    const RECT work = WorkArea();
    Expect(window.left >= work.left && window.top >= work.top && window.right <= work.right &&
               window.bottom <= work.bottom,
           "the window stored far beyond the screen is not on the screen: " +
               std::to_string(window.left) + ", " + std::to_string(window.top) + " to " +
               std::to_string(window.right) + ", " + std::to_string(window.bottom));
    const PagesFileParts file = SplitPagesFile(ReadBytes(folder / PagesFileName));
    ExpectFileHoldsCorner(file, main);
    ExpectNumber(Close(session, CloseBy::CloseBox), 0, "the exit code");
}

void ReadOnlyPadLeftAlone() {
    WorkFolder folder;
    const std::string path = folder / PagesFileName;
    const std::string bytes =
        PagesFile(HeaderOfNewPad(), PositionLine(100, 60), {"read only page one", "two"});
    WriteBytes(path, bytes);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    Session session(folder);
    HWND main = session.Main();
    ExpectNoMessageBox(session.ProcessId());
    ExpectPageShown(main, 1, 2, "read only page one");
    ExpectWindowAt(main, 100, 60, "the read-only pad's position");
    ExpectNumber(Close(session, CloseBy::AltF4), 0, "the exit code");
    ExpectBytes(ReadBytes(path), bytes, "the read-only pages file");
    Expect(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY,
           "the pages file is no longer read-only");
    Expect(NamesIn(folder.Path()) == std::vector<std::string>{PagesFileName},
           "the program left other entries beside the read-only pad");
}

// The first entry of the folder other than the pages file that holds these bytes.
std::string CopyHolding(const WorkFolder& folder, const std::string& bytes) {
    for (const std::string& name : NamesIn(folder.Path())) {
        if (name != PagesFileName && !IsFolder(folder / name) &&
            ReadBytes(folder / name) == bytes) {
            return name;
        }
    }
    return "";
}

// Starts on a pad with these bytes, which can't be read as pages; returns the name of the
// copy the program kept of them.
std::string StartOnUnreadablePad(const WorkFolder& folder, const std::string& bytes) {
    WriteBytes(folder / PagesFileName, bytes);
    RunningProgram program(folder);
    const MessageBoxSeen box = WaitForMessageBox(program.ProcessId(), 10000);
    SaveScreenshot("pad_without_marker");
    Expect(!box.caption.empty() && !box.text.empty(),
           "the message box about the unreadable pad has no caption or no text");
    Expect(box.buttons == std::vector<std::string>{"OK"},
           "the message box about the unreadable pad should have one OK button");
    const std::string backup = CopyHolding(folder, bytes);
    Expect(!backup.empty(), "no copy of the unreadable pad's bytes was kept in the folder");
    Expect(box.text.find(backup) != std::string::npos,
           "the message does not say where the pad's bytes were kept (" + backup +
               "): " + Visible(box.text));
    AnswerMessageBox(box, "OK");
    // The program may go on with a pad of its own or end; either way page 1 must exist.
    HWND main = nullptr;
    WaitUntil([&] { return program.HasEnded() || (main = FindMainWindow(program.ProcessId())); },
              "the window or the end of the program after the message");
    if (main) {
        ExpectBytes(ControlText(main, PageBox), "1", "the page box after the message");
        PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    }
    ExpectNumber(program.WaitForExit(), 0, "the exit code");
    return backup;
}

void PadWithoutMarkerIsKept() {
    WorkFolder folder;
    const std::string first = "My own notes\r\nnot a pad at all\r\n[Position]\r\n 10  10\r\n";
    const std::string firstCopy = StartOnUnreadablePad(folder, first);
    // A second unreadable pad must not take the first one's copy.
    const std::string second = "Other notes, no marker line either\r\n";
    const std::string secondCopy = StartOnUnreadablePad(folder, second);
    Expect(secondCopy != firstCopy, "both unreadable pads were kept under one name");
    ExpectBytes(ReadBytes(folder / firstCopy), first, "the copy of the first unreadable pad");
    ExpectBytes(ReadBytes(folder / secondCopy), second, "the copy of the second unreadable pad");
}

void UnusableEntryUntouched(bool asFolder) {
    WorkFolder folder;
    const std::string path = folder / PagesFileName;
    const std::string bytes = asFolder ? "a file inside a folder named like the pad\r\n"
                                       : PagesFile("", PositionLine(10, 10), {"hidden"});
    if (asFolder) {
        CreateDirectoryA(path.c_str(), nullptr);
        WriteBytes(path + "\\inside.txt", bytes);
    } else {
        WriteBytes(path, bytes);
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN);
    }
    RunningProgram program(folder);
    const MessageBoxSeen box = WaitForMessageBox(program.ProcessId(), 10000);
    Expect(!box.caption.empty() && box.text.find(PagesFileName) != std::string::npos,
           "the message box does not name the pages file: " + Visible(box.text));
    Expect(box.buttons == std::vector<std::string>{"OK"},
           "the message box about the unusable entry should have one OK button");
    AnswerMessageBox(box, "OK");
    ExpectNumber(program.WaitForExit(), 0, "the exit code");
    if (asFolder) {
        Expect(IsFolder(path), "the folder named " + std::string(PagesFileName) + " is gone");
        Expect(NamesIn(path) == std::vector<std::string>{"inside.txt"},
               "the folder's entries changed");
        ExpectBytes(ReadBytes(path + "\\inside.txt"), bytes, "the file inside the folder");
    } else {
        Expect(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN,
               "the hidden pages file is no longer hidden");
        ExpectBytes(ReadBytes(path), bytes, "the hidden pages file");
    }
    Expect(NamesIn(folder.Path()) == std::vector<std::string>{PagesFileName},
           "the program made other entries beside the unusable one");
}

void FolderNamedLikeThePad() {
    UnusableEntryUntouched(true);
}
void HiddenPadUntouched() {
    UnusableEntryUntouched(false);
}

const bool registered = RegisterScenarios({
    {"first_start_creates_the_pad", "an empty folder gets a new pad; the window is centred",
     FirstStartCreatesThePad},
    {"arguments_change_nothing", "command-line arguments change nothing; exit code 0",
     ArgumentsChangeNothing},
    {"later_starts_keep_pad_and_place", "pages kept; the window comes back without creeping",
     LaterStartsKeepPadAndPlace},
    {"stored_positions_place_the_window", "0 0, 120 80, a lone 40 and -5 300 place the window",
     StoredPositionsPlaceTheWindow},
    {"far_position_comes_on_screen", "a position far beyond the screen comes onto it",
     FarPositionComesOnScreen},
    {"read_only_pad_left_alone", "a read-only pad is read and left byte for byte",
     ReadOnlyPadLeftAlone},
    {"pad_without_marker_is_kept", "a file with no marker line is kept and the user told",
     PadWithoutMarkerIsKept},
    {"folder_named_like_the_pad", "a folder named Quillpad.qpd stays; the user is told",
     FolderNamedLikeThePad},
    {"hidden_pad_untouched", "a hidden Quillpad.qpd stays as it was; the user is told",
     HiddenPadUntouched},
});

} // namespace
