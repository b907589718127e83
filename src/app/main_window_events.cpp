// What the main window does at its close command, at the session's end and when it moves.
#include "app/main_window_events.h"

#include "store/page_store.h"
#include "store/pages_file.h"

// The field is gone once the window is; what it shows now is kept.
void MainWindowClosing() {
    StoreShownPage();
}

void SessionEnding() {
    StoreShownPage();
    StoreTypedText();
}

void MainWindowMoved(std::int32_t left, std::int32_t top) {
    WindowMoved(left, top);
}
