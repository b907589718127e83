// Timing what a user does in the running program's window: flips, an edit and a flip, moves,
// drags and a search to the last page.
#pragma once

#include "process.h"

#include <windows.h>

#include <string>
#include <vector>

struct FlipFigures {
    std::vector<double> shownMs; // until the page box shows the next page
    int writes = 0;              // the pad's writes over all the flips
};
// Right in the search box, nothing typed.
FlipFigures TimePlainFlips(HWND main, const WorkFolder& folder, int runs);

struct EditFlipFigures {
    std::vector<double> shownMs; // until the page box shows the next page
    std::vector<double> savedMs; // until the pad has been written
};
// Shift+Tab into the page, one character typed, Tab back to the search box, then Right.
EditFlipFigures TimeFlipsAfterEdit(HWND main, const WorkFolder& folder, int runs);

struct MoveFigures {
    std::vector<double> savedMs; // from SetWindowPos until the pad has been written
    int writes = 0;              // the pad's writes over all the moves
};
// Moves the window a few pixels from this process, as another program could.
MoveFigures TimeMoves(HWND main, const WorkFolder& folder, int runs);

struct DragFigures {
    std::vector<double> totalMs; // from the button's press until the window is idle at the drop
    std::vector<int> writes;     // the pad's writes during each drag
    bool overflowed = false;     // more changes than the folder watch could count
};
// Drags the window by its title bar across the screen and back, in `steps` moves of the mouse.
DragFigures TimeDrags(HWND main, const WorkFolder& folder, int runs, int steps);

// With the word typed into the search box and page 1 shown, Shift+Right until the page box
// shows the last page.
std::vector<double> TimeSearchesToLastPage(HWND main, const std::string& word, long pageCount,
                                           int runs);
