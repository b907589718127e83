// The time and date stamps, and the stamp keys of the page text field.
#include "stamps/stamps.h"

#include "padfile/pad_state.h"
#include "platform/clock.h"
#include "platform/window.h"
#include "store/page_store.h"
#include "text/bytes.h"
#include "text/line_breaks.h"

#include <optional>

namespace {

// "Paste it on a new page" only where a new page would hold it.
constexpr std::string_view NotOnThisPage =
    "The text on the clipboard does not fit on this page, so nothing was pasted. It is still on "
    "the clipboard: paste it on a new page, or make room here first.";
constexpr std::string_view LongerThanAPage =
    "The text on the clipboard is longer than one page can hold, so nothing was pasted. It is "
    "still on the clipboard: copy and paste it in parts, each on a page of its own.";

} // namespace

// The noon hour is 12pm and the midnight hour 12am, as people read a 12-hour clock.
std::string TimeStamp() {
    const LocalTime now = LocalNow();
    const bool afternoon = now.hour >= 12;
    int hour = now.hour % 12;
    if (hour == 0) {
        hour = 12;
    }
    std::string stamp = std::to_string(hour) + ":";
    stamp += static_cast<char>('0' + now.minute / 10);
    stamp += static_cast<char>('0' + now.minute % 10);
    stamp += afternoon ? "pm " : "am ";
    return stamp;
}

std::string DateStamp() {
    const LocalTime now = LocalNow();
    return DateText(now.year, now.month, now.day) + " ";
}

// Only the low byte of the key code is looked at, so F5 (0x74, "t") counts as T and
// numeric keypad 4 (0x64, "d") as D; Shift and Alt make no difference. The help pages are
// never stamped, whatever field shows them.
void PageTextKeyDown(int keyCode) {
    if (HelpMode == 1 || !CtrlHeld()) {
        return;
    }
    const std::string key = FoldUpper(std::string(1, static_cast<char>(keyCode & 0xFF)));
    if (key == "T") {
        ReplaceSelection(ID_PAGE_TEXT, TimeStamp());
    } else if (key == "D") {
        ReplaceSelection(ID_PAGE_TEXT, DateStamp());
    }
}

void PageTextKeyUp() {
    TakeTypedText();
}

// The field shows the lines that the page will keep, and the page's room is judged by them.
// Typing does not stop for a box when the page is full, so the title says it as well.
void PasteIntoPageText() {
    const std::optional<std::string> clipboard = ClipboardText();
    if (!clipboard) {
        return;
    }
    const std::string text = WithCrLfBreaks(std::string_view(*clipboard));
    if (FitsPageTextField(text)) {
        ShowPageFullInTitle(0);
        ReplaceSelection(ID_PAGE_TEXT, text);
        return;
    }
    ShowPageFullInTitle(CurrentPage);
    Tell(FitsEmptyPageTextField(text) ? NotOnThisPage : LongerThanAPage, "Quillpad");
}

void PageTextRefused() {
    ShowPageFullInTitle(CurrentPage);
}

void PageTextTookKey() {
    ShowPageFullInTitle(0);
}
