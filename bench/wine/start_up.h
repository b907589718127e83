// Starting the real program on a pad, and the least program that shows its page 1 beside
// it: until page 1 answers, until it is painted, until the first save, and the memory taken.
#pragma once

#include "process.h"

#include <string>
#include <vector>

struct StartFigures {
    std::vector<double> shownMs;   // from CreateProcess until the window answers with page 1
    std::vector<double> paintedMs; // until the window and every control in it are painted
    std::vector<double> savedMs;   // until the save at the first showing (runs that saw one)
    std::vector<double> peakMb;    // peak working set once the window is idle after the start
};

// Starts of Quillpad.exe and of the least program, one after the other, `runs` each, in the
// folder, writing `pad` there before each start (an empty `pad` leaves the folder empty, so
// that Quillpad makes a new pad); each is closed again. `saves`: the pad holds no place for
// the window, so Quillpad's start must write it.
struct FloorFigures {
    StartFigures program;
    StartFigures least;
};
FloorFigures MeasureStartsBesideLeast(const WorkFolder& folder, const std::string& pad,
                                      const std::string& firstPageShown, bool saves, int runs);

// Quillpad.exe started `starts` times in a row on the pad, which holds the window's place;
// fails at the first start that
// does not paint page 1 within the wait limit.
void StartInARow(const WorkFolder& folder, const std::string& pad,
                 const std::string& firstPageShown, int starts);
