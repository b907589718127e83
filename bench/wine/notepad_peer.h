// The peer a user would reach for: the system's notepad opening the same pages as one text.
#pragma once

#include <string>
#include <vector>

struct NotepadFigures {
    std::vector<double> shownMs; // from CreateProcess until its edit control holds the whole text
    std::vector<double> peakMb;  // its peak working set then
    bool timedOut = false;       // a run gave up at the cap; its peak is the peak up to then
};

// Opens the text file (of `length` characters) in the system's notepad `runs` times, giving
// up on a run after capMs.
NotepadFigures MeasureNotepad(const std::string& textPath, std::size_t length, int runs, int capMs);
