// What the main window does at its close command, at the session's end and when it moves.
#include "app/main_window_events.h"

#include "padfile/pad_state.h"
#include "platform/window.h"
#include "store/page_store.h"
#include "store/pages_file.h"

namespace {

constexpr const char* UnsavedCloseQuestion =
    "Quillpad.qpd could not be saved, so your latest changes are not in it. Close Quillpad "
    "anyway and lose them?";

bool Dragging = false;
bool MovedWhileDragging = false;
bool Showing = false;

} // namespace

// The field is gone once the window is: what it shows now is stored and saved. What the
// user was not told yet comes now, except a failed save, which the question covers.
bool MainWindowClosing() {
    Quietly(StoreShownPage);
    SaveState.unsavedNoticeDue = false;
    TellPadNews();
    return !SaveState.unsaved || AskYesNoDefaultNo(UnsavedCloseQuestion, "Quillpad");
}

// While Windows ends the session nothing is shown: the pages are written first, and what
// the user should hear waits.
bool SessionMayEnd() {
    Quietly(StoreShownPage);
    return !SaveState.unsaved;
}

void SessionEnding() {
    Quietly(StoreShownPage);
}

void MainWindowMoved(std::int32_t left, std::int32_t top) {
    if (!Dragging && !Showing) {
        WindowMoved(left, top);
        return;
    }
    WindowLeft = left;
    WindowTop = top;
    MovedWhileDragging = MovedWhileDragging || Dragging;
}

void MainWindowShowing() {
    Showing = true;
}

// The first-show save: a window shown where the pad says writes nothing.
void MainWindowPainted() {
    Showing = false;
    WindowMoved(WindowLeft, WindowTop);
}

void MainWindowDragStarted() {
    Dragging = true;
    MovedWhileDragging = false;
}

void MainWindowDropped() {
    Dragging = false;
    if (MovedWhileDragging) {
        WindowMoved(WindowLeft, WindowTop);
    }
}
