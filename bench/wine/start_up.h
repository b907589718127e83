// Starting the real program on a pad: until page 1 shows, until the first save, and the
// memory it took.
#pragma once

#include "process.h"

#include <string>
#include <vector>

struct StartFigures {
    std::vector<double> shownMs; // from CreateProcess until the window answers with page 1
    std::vector<double> savedMs; // until the save at the first showing (runs that saw one)
    std::vector<double> peakMb;  // peak working set once the window is idle after the start
};

// Starts the program `runs` times in the folder, writing `pad` there before each start (an
// empty `pad` leaves the folder empty, so that the program makes a new pad), and closes it
// each time.
StartFigures MeasureStarts(const WorkFolder& folder, const std::string& pad,
                           const std::string& firstPageShown, int runs);
