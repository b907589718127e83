// Time and date stamps typed with Ctrl+T, Ctrl+D and their other keys into the real page
// text field: at the caret or over the selection, taken back by Ctrl+Z, kept in the file.
#include "check.h"
#include "input.h"
#include "more_actions.h"
#include "pages_file.h"
#include "process.h"
#include "scenario_table.h"
#include "session.h"
#include "window_reading.h"

#include <windows.h>

#include <cstdio>

namespace {

// The 12-hour clock: 12 for the noon and midnight hours, "pm" from noon on.
std::string TimeText(const SYSTEMTIME& time) {
    const int hour = time.wHour % 12 == 0 ? 12 : time.wHour % 12;
    char text[16];
    std::snprintf(text, sizeof text, "%d:%02d%s ", hour, time.wMinute,
                  time.wHour < 12 ? "am" : "pm");
    return text;
}

std::string DateText(const SYSTEMTIME& time) {
    static const char* const months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    char text[16];
    std::snprintf(text, sizeof text, "%02d %s %04d ", time.wDay, months[time.wMonth - 1],
                  time.wYear);
    return text;
}

SYSTEMTIME Now() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now;
}

// Presses the chord in the page text field and expects the text there to become the text
// before the caret, the stamp of the local time, and the text after it.
std::string StampWith(HWND main, std::initializer_list<WORD> chord, const std::string& name,
                      const std::string& before, const std::string& after,
                      std::string (*stampOf)(const SYSTEMTIME&)) {
    const std::string early = stampOf(Now());
    PressKeys(chord);
    Settle(main);
    const std::string late = stampOf(Now());
    const std::string shown = ControlText(main, PageText);
    const bool framed = shown.size() >= before.size() + after.size() &&
                        shown.compare(0, before.size(), before) == 0 &&
                        shown.compare(shown.size() - after.size(), after.size(), after) == 0;
    const std::string stamp =
        framed ? shown.substr(before.size(), shown.size() - before.size() - after.size()) : "";
    Expect(framed && (stamp == early || stamp == late),
           name + " made the page text " + Visible(shown) + ", not " + Visible(before) + " " +
               Visible(early) + " " + Visible(after) +
               (late == early ? "" : " (or the stamp " + Visible(late) + ")"));
    const long caret = static_cast<long>(before.size() + stamp.size());
    ExpectSelection(main, PageText, caret, caret, name);
    return stamp;
}

void StampsAtTheCaret() {
    WorkFolder folder;
    PreparePad(folder, {"", "other"});
    Session session(folder);
    HWND main = session.Main();
    ClickControl(main, PageText);
    TypeText("At  done");
    for (int i = 0; i < 5; ++i) {
        PressKey(VK_LEFT);
    }
    Settle(main);
    ExpectSelection(main, PageText, 3, 3, "typing and five times Left");

    std::string text = "At ";
    std::string stamp = StampWith(main, {VK_CONTROL, 'T'}, "Ctrl+T", text, " done", TimeText);
    PressKeys({VK_CONTROL, 'Z'});
    Settle(main);
    ExpectBytes(ControlText(main, PageText), "At  done", "the page text after Ctrl+Z");
    PressKeys({VK_CONTROL, VK_HOME});
    for (int i = 0; i < 3; ++i) {
        PressKey(VK_RIGHT);
    }

    stamp = StampWith(main, {VK_CONTROL, 'D'}, "Ctrl+D", text, " done", DateText);
    text += stamp;
    stamp = StampWith(main, {VK_CONTROL, VK_SHIFT, 'T'}, "Ctrl+Shift+T", text, " done", TimeText);
    text += stamp;
    stamp = StampWith(main, {VK_CONTROL, VK_F5}, "Ctrl+F5", text, " done", TimeText);
    text += stamp;
    stamp =
        StampWith(main, {VK_CONTROL, VK_NUMPAD4}, "Ctrl+numeric keypad 4", text, " done", DateText);
    text += stamp;

    // Without Ctrl the letters are typed as they are.
    TypeText("Td");
    Settle(main);
    text += "Td";
    ExpectBytes(ControlText(main, PageText), text + " done", "the page text after typing Td");

    // A selection is replaced by the stamp.
    PressKeys({VK_CONTROL, VK_END});
    TypeText("\nXXXX");
    for (int i = 0; i < 4; ++i) {
        PressKeys({VK_SHIFT, VK_LEFT});
    }
    Settle(main);
    const long end = static_cast<long>(text.size() + 11);
    ExpectSelection(main, PageText, end - 4, end, "selecting XXXX");
    const std::string lines = text + " done\r\n";
    text =
        lines + StampWith(main, {VK_CONTROL, 'T'}, "Ctrl+T over a selection", lines, "", TimeText);

    ExpectNumber(Close(session, CloseBy::CloseBox), 0, "the exit code");
    ExpectPagesInFile(folder, {Stored(text), "other"}, "after stamping and closing");
}

const bool registered = RegisterScenarios({
    {"stamps_at_the_caret", "Ctrl+T, Ctrl+D, Ctrl+Shift+T, Ctrl+F5 stamp; Ctrl+Z; the file",
     StampsAtTheCaret},
});

} // namespace
