// The main window as the rest of the program sees it: building and running it, and what
// it does at its own events. The Windows callback and the tests' window both call these.
#pragma once

#include <cstdint>

// Builds and runs the main window; returns once it has been destroyed.
void BuildMainWindow();
// Destroys the page text field and creates it anew in the same place: read-only, without
// tab stop, handler or key filter when help begins; editable with all of them when it ends.
void MakePageTextField(bool readOnly);

// The close command (close box, Alt+F4, Close in the window menu): keeps what the field
// shows and saves. False when the pad is still unsaved and the user chose to keep the
// window open; the window must then stay as it is.
bool MainWindowClosing();
// Windows asks whether the session may end: false while the pad can't be saved.
bool SessionMayEnd();
// Windows ends the session; the process may end as soon as this returns.
void SessionEnding();
// The window's outer top-left corner is now here, in dialog units.
void MainWindowMoved(std::int32_t left, std::int32_t top);
// The window is about to be shown: its moves are only noted until it has been painted, and
// then the place it was shown at is written once, before any input is taken.
void MainWindowShowing();
void MainWindowPainted();
// The user takes hold of the window to drag it, and lets go: a drag writes the pad once,
// at the drop, instead of at every step.
void MainWindowDragStarted();
void MainWindowDropped();
