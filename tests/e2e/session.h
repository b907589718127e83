// One run of the program as a scenario sees it: started in a folder, its window found,
// looked at, and closed the way a user closes it.
#pragma once

#include "process.h"

#include <windows.h>

#include <string>
#include <string_view>

class Session {
  public:
    // Starts the program and waits until its window is shown, in front and idle.
    explicit Session(const WorkFolder& folder, const std::string& arguments = "");

    HWND Main() const { return main_; }
    DWORD ProcessId() const { return program_.ProcessId(); }
    RunningProgram& Program() { return program_; }

  private:
    RunningProgram program_;
    HWND main_;
};

enum class CloseBy {
    CloseBox,      // a click on the close box of the title bar
    AltF4,         // the keys Alt+F4
    SystemCommand, // the window menu's Close, as the command WM_SYSCOMMAND SC_CLOSE
};
// Closes the window and returns the program's exit code once it has ended.
DWORD Close(Session& session, CloseBy how);

// A point of the title bar that answers the hit test with this code (HTCLOSE, HTMINBUTTON).
POINT TitleBarButton(HWND main, LRESULT hitTest);

// The page box, the page count label and the page text field show this page.
void ExpectPageShown(HWND main, long page, long count, std::string_view text);
// The window's outer top-left corner, in the dialog units that the pages file holds.
POINT CornerInDialogUnits(HWND main);
// The whole title bar lies on the screen, where the user can take hold of it.
void ExpectTitleBarInReach(HWND main);
// The window's outer corner is where this position line of the pages file puts it.
void ExpectWindowAt(HWND main, long left, long top, const std::string& why);

// The header line of a pad the program has just created, for preparing pads of its own.
const std::string& HeaderOfNewPad();
