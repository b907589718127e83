// Another computer's versions of the pad renamed over it while the window is open, and the
// processor time that the idle window takes while it waits for them.
#pragma once

#include "bench_pads.h"
#include "process.h"

#include <windows.h>

#include <vector>

// With page 1 shown and the pad as the bench wrote it, renames `runs` versions over the pad
// as a sync client does, each with page 1 changed, and times each from the rename until the
// window shows page 1's new text.
std::vector<double> TimeRenamesUntilShown(HWND main, const WorkFolder& folder, const BenchPad& pad,
                                          int runs);
// The processor time (user and kernel, ms) that the window's thread takes over `seconds` in
// which nothing happens, from the moment the window is idle.
double IdleProcessorMs(HWND main, int seconds);
