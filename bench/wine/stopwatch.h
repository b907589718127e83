// Timing with the performance counter, and the median of repeated timings.
#pragma once

#include <vector>

// Milliseconds on the performance counter's clock since an arbitrary start.
double NowMs();

// The median of the timings (the mean of the middle two for an even count); 0 when none.
double Median(std::vector<double> timings);
