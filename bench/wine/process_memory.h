// How much memory another process has used at most.
#pragma once

#include <windows.h>

// The peak working set of the process so far, in MB (2^20 bytes).
double PeakWorkingSetMb(DWORD processId);
