// What the program asks of its main window, as plain calls: every subsystem reaches the
// window through these alone. The exe links the Windows implementation; the unit tests
// link an in-memory one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

enum ControlId {
    ID_PREV_BUTTON = 10,
    ID_SEARCH_BOX = 20,
    ID_NEXT_BUTTON = 30,
    ID_NEW_PAGE = 40,
    ID_DELETE_PAGE = 50,
    ID_INSERT_PAGE = 52,
    ID_HELP_BUTTON = 54,
    ID_PAGE_LABEL = 60,
    ID_PAGE_BOX = 70,
    ID_OF_LABEL = 80,
    ID_PAGE_COUNT = 90,
    ID_PAGE_TEXT = 100,
};

// Handlers and callbacks have the shape of a window procedure; the window is opaque here.
using WindowHandle = void*;
using Handler = int (*)(WindowHandle window, unsigned message, std::uintptr_t wParam,
                        std::intptr_t lParam);

// A control's whole text (never cut at any length).
std::string ControlText(int id);
void SetControlText(int id, std::string_view text);
void FocusControl(int id);
void EnableControl(int id, bool enabled);

// Edit selection in characters from 0; start -1 removes the selection.
void SelectText(int id, long start, long end);
// Replaces the selection (or inserts at the caret) so that undo can take it back.
void ReplaceSelection(int id, std::string_view text);

// The clipboard's text, up to its first NUL; none when it holds no text.
std::optional<std::string> ClipboardText();
// Whether the page text field, its selection replaced by the text, still shows all its
// lines at once (while it scrolls: whether one page could hold the text); and whether the
// field would, emptied first.
bool FitsPageTextField(std::string_view text);
bool FitsEmptyPageTextField(std::string_view text);

// Message boxes without an icon: Yes/No answers true for Yes; Tell has one OK button.
bool AskYesNo(std::string_view text, std::string_view caption);
// The same for a question whose Yes gives something up: No is the default button, so that
// Enter keeps.
bool AskYesNoDefaultNo(std::string_view text, std::string_view caption);
void Tell(std::string_view text, std::string_view caption);

// The main window's title.
void SetWindowTitle(std::string_view title);

// Whether the key is down now (the high bit of its state).
bool ShiftHeld();
bool CtrlHeld();

// Draws what changed in the main window and its controls now, before the next wait.
void RepaintNow();
// Holds the program for a while; no messages are handled meanwhile.
void Pause(int milliseconds);

// The main window's one wait: starting it again starts the wait anew. When it runs out
// with nothing in between, the window tells the page store that the typing paused.
void StartWaitTimer(int milliseconds);
void StopWaitTimer();
