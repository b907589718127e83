// An in-memory main window for the unit tests: control texts, focus, selection, message
// boxes and key states, with a record of what the program asked of it.
#pragma once

#include "platform/window.h"

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

struct MessageBoxShown {
    std::string text;
    std::string caption;
    bool yesNo;
    bool defaultNo; // Enter answers No
};

struct FakeWindow {
    std::map<int, std::string> texts;
    std::map<int, bool> disabled;
    std::string title = "Quillpad";
    int focus = 0;
    long selectionStart = 0; // of the page text field, as the edit control counts
    long selectionEnd = 0;
    bool pageTextReadOnly = false;
    int pageTextFieldsMade = 0;
    bool shift = false;
    bool ctrl = false;
    std::optional<std::string> clipboard; // its text; none when it holds no text
    // The lines the page text field shows while it is a sheet of paper, breaking lines only
    // at CR LF as the edit control does; 0 for a field that takes anything.
    long sheetLines = 0;

    std::deque<bool> answers;                // the user's answers to the next Yes/No questions
    std::function<void()> whileAsking;       // what the user does while a question is open
    std::function<void()> whileRunning;      // what the user does in BuildMainWindow's loop
    std::function<void()> afterCloseRefused; // what the user does when the window stayed open
    int closesRefused = 0;
    int waitTimerMs = 0; // the running wait, 0 when none
    int waitTimersStarted = 0;
    std::vector<MessageBoxShown> boxes;
    std::vector<int> focusLog;
    std::vector<std::pair<long, long>> selectionLog; // page text field, in order
    std::vector<int> pauses;
    std::vector<std::pair<long, long>> repaintedSelections; // the field's, at each repaint
    bool built = false;
    bool folderHeldByAnotherCopy = false; // what the folder claim finds at the start
    int otherCopyShown = 0;               // times the other copy's window was brought forward
};

extern FakeWindow Fake;

// A fresh window and fresh program state.
void ResetFake();
// The wait timer runs out, as the window's loop would report it.
void RunOutWaitTimer();
// The user changes what the page text field shows (typing, pasting); the field reports it.
void EditPageText(std::string_view text);
