// What the main window does at its close command, at the session's end and when it moves.
#include "app/main_window_events.h"

#include "platform/window.h"
#include "store/page_store.h"
#include "store/pages_file.h"

namespace {

constexpr const char* UnsavedCloseQuestion =
    "Quillpad.qpd could not be saved, so your latest changes are not in it. Close Quillpad "
    "anyway and lose them?";

bool Dragging = false;
bool MovedWhileDragging = false;

// The field is gone once the window is: what it shows now is stored and saved. A failure
// tells nothing here; the caller asks or answers instead.
void StoreShownPageQuietly() {
    QuietSaveFailures = true;
    StoreShownPage();
    QuietSaveFailures = false;
}

} // namespace

bool MainWindowClosing() {
    StoreShownPageQuietly();
    return !ChangesUnsaved || AskYesNoDefaultNo(UnsavedCloseQuestion, "Quillpad");
}

bool SessionMayEnd() {
    StoreShownPageQuietly();
    return !ChangesUnsaved;
}

void SessionEnding() {
    StoreShownPageQuietly();
}

void MainWindowMoved(std::int32_t left, std::int32_t top) {
    if (!Dragging) {
        WindowMoved(left, top);
        return;
    }
    WindowLeft = left;
    WindowTop = top;
    MovedWhileDragging = true;
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
