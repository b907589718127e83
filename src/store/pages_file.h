// The pages file "Quillpad.qpd": its lines, reading it and writing it whole.
#pragma once

#include "padfile/pad_header.h"

#include <cstdint>
#include <string>

// Whether a pages file the program may use is there (hidden, system and folder entries
// don't count).
bool PagesFileExists();
void CreatePagesFile();
void ReadFileHeader();
// Saves the pages in memory (nothing while the help pages stand in their place); false
// when the file could not be written.
bool SavePagesFile();
// The window is closing or the session ending: saves the pages when the file lacks
// anything of them (a change, an inserted page, a version another program put there),
// from help mode too.
void SaveWhatTheFileLacks();

// The bytes a save would write now: the header values and pages in memory.
std::string PagesFileBytes();

// The window was moved to this corner (dialog units): remember it, and save unless the
// help pages are shown.
void WindowMoved(std::int32_t left, std::int32_t top);

// Start-up: creates the file when there is none, then reads it. False (after telling the
// user why) when there is no pad the program could keep its pages in.
bool OpenPad();
