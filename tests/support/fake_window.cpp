// The in-memory window behind the unit tests.
#include "support/fake_window.h"

#include "app/app_main.h"
#include "app/main_window_events.h"
#include "platform/save_faults.h"
#include "store/page_store.h"

#include <algorithm>
#include <stdexcept>

FakeWindow Fake;

void ResetFake() {
    Fake = FakeWindow();
    ResetProgramState();
    FailingSaveStep = SaveStep::None;
    FilesReplaced = 0;
    BusyAttempts = 0;
    RenamesFail = false;
    BeforeReplace = nullptr;
}

std::string ControlText(int id) {
    return Fake.texts[id];
}

namespace {

// The editable page text field reports every change of its text, its owner's too.
void ReportPageTextChange() {
    if (!Fake.pageTextReadOnly) {
        PageTextChanged();
    }
}

} // namespace

void SetControlText(int id, std::string_view text) {
    Fake.texts[id] = std::string(text);
    if (id == ID_PAGE_TEXT) {
        Fake.selectionStart = Fake.selectionEnd = 0;
        ReportPageTextChange();
    }
}

void EditPageText(std::string_view text) {
    Fake.texts[ID_PAGE_TEXT] = std::string(text);
    ReportPageTextChange();
}

void FocusControl(int id) {
    Fake.focusLog.push_back(id);
    if (Fake.focus == id) {
        return;
    }
    Fake.focus = id;
    // The editable field reports its focus to its handler; the help field has none.
    if (id == ID_PAGE_TEXT && !Fake.pageTextReadOnly) {
        PageTextGotFocus();
    }
}

void EnableControl(int id, bool enabled) {
    Fake.disabled[id] = !enabled;
}

void SelectText(int id, long start, long end) {
    if (id != ID_PAGE_TEXT) {
        return;
    }
    Fake.selectionLog.emplace_back(start, end);
    const long length = static_cast<long>(Fake.texts[ID_PAGE_TEXT].size());
    if (start == -1) {
        Fake.selectionStart = Fake.selectionEnd; // the caret stays, nothing selected
        return;
    }
    Fake.selectionStart = std::clamp(start, 0L, length);
    Fake.selectionEnd = end < 0 ? length : std::clamp(end, 0L, length);
}

void ReplaceSelection(int id, std::string_view text) {
    if (id != ID_PAGE_TEXT || Fake.pageTextReadOnly) {
        return;
    }
    std::string& field = Fake.texts[ID_PAGE_TEXT];
    const auto from = static_cast<std::size_t>(std::min(Fake.selectionStart, Fake.selectionEnd));
    const auto to = static_cast<std::size_t>(std::max(Fake.selectionStart, Fake.selectionEnd));
    field.replace(from, to - from, text);
    Fake.selectionStart = Fake.selectionEnd = static_cast<long>(from + text.size());
    ReportPageTextChange();
}

std::optional<std::string> ClipboardText() {
    return Fake.clipboard;
}

namespace {

bool FitsSheet(const std::string& text) {
    long lines = 1;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos;
         at = text.find("\r\n", at + 2)) {
        ++lines;
    }
    return Fake.sheetLines == 0 || lines <= Fake.sheetLines;
}

} // namespace

bool FitsPageTextField(std::string_view text) {
    std::string field = Fake.texts[ID_PAGE_TEXT];
    const auto from = static_cast<std::size_t>(std::min(Fake.selectionStart, Fake.selectionEnd));
    const auto to = static_cast<std::size_t>(std::max(Fake.selectionStart, Fake.selectionEnd));
    return FitsSheet(field.replace(from, to - from, text));
}

bool FitsEmptyPageTextField(std::string_view text) {
    return FitsSheet(std::string(text));
}

namespace {

bool Ask(std::string_view text, std::string_view caption, bool defaultNo) {
    Fake.boxes.push_back({std::string(text), std::string(caption), true, defaultNo});
    if (Fake.whileAsking) {
        Fake.whileAsking();
    }
    if (Fake.answers.empty()) {
        throw std::logic_error("the test gave no answer for: " + std::string(text));
    }
    const bool yes = Fake.answers.front();
    Fake.answers.pop_front();
    return yes;
}

} // namespace

bool AskYesNo(std::string_view text, std::string_view caption) {
    return Ask(text, caption, false);
}

bool AskYesNoDefaultNo(std::string_view text, std::string_view caption) {
    return Ask(text, caption, true);
}

void Tell(std::string_view text, std::string_view caption) {
    Fake.boxes.push_back({std::string(text), std::string(caption), false, false});
}

void SetWindowTitle(std::string_view title) {
    Fake.title = std::string(title);
}

bool ShiftHeld() {
    return Fake.shift;
}
bool CtrlHeld() {
    return Fake.ctrl;
}
void RepaintNow() {
    Fake.repaintedSelections.emplace_back(Fake.selectionStart, Fake.selectionEnd);
}
void Pause(int milliseconds) {
    Fake.pauses.push_back(milliseconds);
}

void StartWaitTimer(int milliseconds) {
    Fake.waitTimerMs = milliseconds;
    ++Fake.waitTimersStarted;
}

void StopWaitTimer() {
    Fake.waitTimerMs = 0;
}

void RunOutWaitTimer() {
    if (Fake.waitTimerMs != 0) {
        StopWaitTimer();
        TypingPaused();
    }
}

void MakePageTextField(bool readOnly) {
    if (Fake.focus == ID_PAGE_TEXT) {
        Fake.focus = 0;
    }
    Fake.pageTextReadOnly = readOnly;
    Fake.texts[ID_PAGE_TEXT].clear();
    Fake.selectionStart = Fake.selectionEnd = 0;
    ++Fake.pageTextFieldsMade;
}

void BuildMainWindow() {
    Fake.built = true;
    ShowPage();
    if (Fake.whileRunning) {
        Fake.whileRunning();
    }
    // The user closes the window until it goes.
    while (!MainWindowClosing()) {
        ++Fake.closesRefused;
        if (Fake.afterCloseRefused) {
            Fake.afterCloseRefused();
        }
    }
}
