// Every character is kept: text in any script typed and pasted, pads in the ANSI code page
// and in UTF-8 without the mark kept byte for byte, UTF-8 pads and searching them, and a
// broken UTF-8 pad kept whole.
#include "check.h"
#include "input.h"
#include "message_boxes.h"
#include "more_actions.h"
#include "pages_file.h"
#include "platform/wide_text.h"
#include "process.h"
#include "scenario_table.h"
#include "session.h"
#include "window_reading.h"

#include <windows.h>

#include <functional>

namespace {

const std::string Bom = "\xef\xbb\xbf";

// The UTF-8 text in the system's ANSI code page, which must hold every character of it.
std::string InCodePage(const std::string& text) {
    const std::wstring wide = Wide(text);
    std::string bytes(wide.size() * 2, '\0');
    BOOL lacking = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(),
                                           static_cast<int>(wide.size()), bytes.data(),
                                           static_cast<int>(bytes.size()), nullptr, &lacking);
    Expect(length > 0 && !lacking,
           "the ANSI code page " + std::to_string(GetACP()) + " cannot hold " + Visible(text));
    bytes.resize(length);
    return bytes;
}

// The file as the program writes a UTF-8 pad: the byte order mark, then the lines as ever.
void ExpectUtf8Pad(const WorkFolder& folder, const std::vector<std::string>& pages,
                   const std::string& when) {
    const std::string bytes = ReadBytes(folder / PagesFileName);
    Expect(bytes.rfind(Bom, 0) == 0,
           when + ": the pad does not begin with EF BB BF: " + Visible(bytes.substr(0, 40)));
    const PagesFileParts parts = SplitPagesFile(bytes.substr(Bom.size()));
    ExpectBytes(bytes, Bom + PagesFile(HeaderOfNewPad(), parts.positionLine, pages),
                "the pad " + when);
}

// Adds to the end of page 1 of the pad {.., "two"} in one run of the program, which must show
// the page unchanged, also after a flip away and back, and keep it in a UTF-8 pad.
void AddToFirstPage(const WorkFolder& folder, const std::function<void()>& add,
                    const std::string& page, const std::string& how) {
    Session session(folder);
    HWND main = session.Main();
    ClickControl(main, PageText);
    PressKeys({VK_CONTROL, VK_END});
    add();
    Settle(main);
    ExpectPageShown(main, 1, 2, page);
    ClickControl(main, NextButton);
    Settle(main);
    ExpectPageShown(main, 2, 2, "two");
    ClickControl(main, PrevButton);
    Settle(main);
    ExpectPageShown(main, 1, 2, page);
    ExpectNumber(Close(session, CloseBy::AltF4), 0, "the exit code");
    ExpectUtf8Pad(folder, {page, "two"}, "after " + how + " and closing");
}

void UnicodeTypedIsKept() {
    WorkFolder folder;
    PreparePad(folder, {"one", "two"});
    const std::string page = "one ✓ → Привет 日本 😀";
    const auto type = [] { TypeText(" ✓ → Привет 日本 😀"); };
    AddToFirstPage(folder, type, page, "typing four scripts");
    const std::string saved = ReadBytes(folder / PagesFileName);
    Session session(folder);
    HWND main = session.Main();
    ExpectPageShown(main, 1, 2, page);
    ClickControl(main, NextButton);
    Settle(main);
    ExpectPageShown(main, 2, 2, "two");
    ExpectNumber(Close(session, CloseBy::AltF4), 0, "the exit code of the second run");
    ExpectBytes(ReadBytes(folder / PagesFileName), saved, "the pad after a run without typing");
}

void UnicodePasteIsKept() {
    WorkFolder folder;
    PreparePad(folder, {"one ", "two"});
    const std::string pasted = "Ångström — αβγ ∑ €5 中文";
    PutOnClipboard(pasted);
    const auto paste = [] { PressKeys({VK_CONTROL, 'V'}); };
    AddToFirstPage(folder, paste, "one " + pasted, "pasting Greek and Chinese");

    // Once UTF-8, the pad stays so, even when no page needs it any more.
    Session session(folder);
    HWND main = session.Main();
    ExpectPageShown(main, 1, 2, "one " + pasted);
    ClickControl(main, PageText);
    PressKeys({VK_CONTROL, VK_HOME});
    PressKeys({VK_CONTROL, VK_SHIFT, VK_END});
    TypeText("plain");
    Settle(main);
    ExpectNumber(Close(session, CloseBy::CloseBox), 0, "the exit code of the second run");
    ExpectUtf8Pad(folder, {"plain", "two"}, "after the page became plain ASCII");
}

void CodePagePadStaysByteForByte() {
    WorkFolder folder;
    // 0x81 is a byte that code page 1252 leaves undefined.
    const std::vector<std::string> pages = {InCodePage("Café"), InCodePage("Ångström"),
                                            InCodePage("naïve<&CR&>façade"), "odd \x81 byte"};
    const std::string path = folder / PagesFileName;
    const std::string original = PreparePad(folder, pages);
    const ULONGLONG written = LastWriteTime(path);
    Session session(folder);
    HWND main = session.Main();
    const std::vector<std::string> shown = {"Café", "Ångström", "naïve\r\nfaçade"};
    for (size_t page = 1; page <= shown.size(); ++page) {
        ExpectPageShown(main, static_cast<long>(page), 4, shown[page - 1]);
        ClickControl(main, NextButton);
        Settle(main);
    }
    ExpectBytes(ControlText(main, PageBox), "4", "the page box on the last page");
    EnterInPageBox(main, "1");
    ExpectFileUntouched(path, original, written, "after every page was shown");

    TypeAtEndOfPage(main, " ok");
    ClickControl(main, NextButton);
    Settle(main);
    ExpectNumber(Close(session, CloseBy::AltF4), 0, "the exit code");
    const std::string bytes = ReadBytes(path);
    std::vector<std::string> expected = pages;
    expected[0] += " ok";
    ExpectBytes(bytes, PagesFile(HeaderOfNewPad(), SplitPagesFile(bytes).positionLine, expected),
                "the code page " + std::to_string(GetACP()) + " pad after typing ASCII on page 1");

    // UTF-8 without the mark, as other editors save it: shown as such and kept byte for byte;
    // characters no code page has are then saved in the same form, still without the mark.
    WorkFolder unmarked;
    const std::string unmarkedPath = unmarked / PagesFileName;
    const std::string unmarkedPad = PreparePad(unmarked, {"café", "two"});
    const ULONGLONG unmarkedWritten = LastWriteTime(unmarkedPath);
    Session again(unmarked);
    HWND window = again.Main();
    ExpectPageShown(window, 1, 2, "café");
    ClickControl(window, NextButton);
    Settle(window);
    ExpectFileUntouched(unmarkedPath, unmarkedPad, unmarkedWritten, "after showing its pages");
    TypeAtEndOfPage(window, " ✓ 😀");
    ExpectNumber(Close(again, CloseBy::AltF4), 0, "the exit code of the UTF-8 pad's run");
    const std::string unmarkedBytes = ReadBytes(unmarkedPath);
    ExpectBytes(unmarkedBytes,
                PagesFile(HeaderOfNewPad(), SplitPagesFile(unmarkedBytes).positionLine,
                          {"café", "two ✓ 😀"}),
                "the UTF-8 pad without the mark after typing beyond the code page");
}

void SearchFoldsUnicodeCase() {
    WorkFolder folder;
    const std::string path = folder / PagesFileName;
    const std::vector<std::string> pages = {"start", "мир", "😀 Привет мир", "😀😀 ПРИВЕТ", "Ärger"};
    const std::string pad = Bom + PagesFile(HeaderOfNewPad(), PositionLine(20, 10), pages);
    WriteBytes(path, pad);
    const ULONGLONG written = LastWriteTime(path);
    {
        Session session(folder);
        HWND main = session.Main();
        PutInBox(main, SearchBox, "привет");
        // Selections count UTF-16 units: an emoji is two, a Cyrillic letter one.
        SearchKey(main, VK_RIGHT);
        ExpectFound(main, "Shift+Right for привет", 3, 5, 3, 9);
        SearchKey(main, VK_RIGHT);
        ExpectFound(main, "a second Shift+Right for привет", 4, 5, 5, 11);
        PutInBox(main, SearchBox, "ärger");
        SearchKey(main, VK_RIGHT);
        ExpectFound(main, "Shift+Right for ärger", 5, 5, 0, 5);
        ExpectFileUntouched(path, pad, written, "after searching a UTF-8 pad without typing");
        ExpectNumber(Close(session, CloseBy::AltF4), 0, "the exit code");
    }

    // A code-page pad cannot hold Cyrillic, so nothing in it matches, least of all the
    // question marks that Cyrillic would turn into.
    WorkFolder plain;
    PreparePad(plain, {"start", "?????? marks", "privet"});
    Session session(plain);
    HWND main = session.Main();
    PutInBox(main, SearchBox, "привет");
    SearchKey(main, VK_RIGHT);
    ExpectPageShown(main, 1, 3, "start");
    ExpectFocus(main, SearchBox, "Shift+Right for привет in a code-page pad");
    ExpectNumber(Close(session, CloseBy::AltF4), 0, "the exit code of the code-page pad's run");
}

void BrokenUtf8PadIsKept() {
    WorkFolder folder;
    const std::string bytes =
        Bom + PagesFile(HeaderOfNewPad(), PositionLine(0, 0), {"\xff\xfe bad", "good"});
    WriteBytes(folder / PagesFileName, bytes);
    RunningProgram program(folder);
    const MessageBoxSeen box = WaitForMessageBox(program.ProcessId(), 10000);
    const std::string backup = ExpectFirstBackupTold(box, folder, bytes, "the broken UTF-8 pad");
    AnswerMessageBox(box, "OK");
    HWND main = WaitForMainWindow(program.ProcessId());
    const std::string shown = "\uFFFD\uFFFD bad";
    ExpectPageShown(main, 1, 2, shown);
    ExpectNoMessageBox(program.ProcessId());
    BringToFront(main);
    ClickControl(main, NextButton);
    Settle(main);
    ExpectPageShown(main, 2, 2, "good");
    PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    ExpectNumber(program.WaitForExit(), 0, "the exit code");
    ExpectBytes(ReadBytes(backup), bytes, "the backup after the run");
    // Once the backup is made, the pad may hold the pages as shown instead.
    if (ReadBytes(folder / PagesFileName) != bytes) {
        ExpectUtf8Pad(folder, {shown, "good"}, "after a run without typing");
    }
}

const bool registered = RegisterScenarios({
    {"unicode_typed_is_kept", "tick, Cyrillic, CJK, emoji typed: shown, saved as UTF-8",
     UnicodeTypedIsKept},
    {"unicode_paste_is_kept", "a pasted Unicode text is kept; the pad stays UTF-8",
     UnicodePasteIsKept},
    {"code_page_pad_stays_byte_for_byte", "code page, undefined bytes, UTF-8 unmarked: kept so",
     CodePagePadStaysByteForByte},
    {"search_folds_unicode_case", "Cyrillic case folds, emoji count two; code pages: no match",
     SearchFoldsUnicodeCase},
    {"broken_utf8_pad_is_kept", "broken UTF-8: kept in a backup, shown with U+FFFD",
     BrokenUtf8PadIsKept},
});

} // namespace
