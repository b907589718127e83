// Waiting for what the program shows or writes, timed from a given moment.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

// How long any wait for the program lasts before it fails: 120 s, less in a smoke run.
extern int WaitLimitMs;

// Polls the condition about every millisecond and returns the ms from `since` (a NowMs
// reading) to the first poll that saw it hold; fails after the timeout.
double MsUntil(double since, const std::function<bool()>& condition, const std::string& what,
               int timeoutMs);
// When the file was last written, 0 while it is not there (a replaced file counts as written).
ULONGLONG WrittenAt(const std::string& path);
