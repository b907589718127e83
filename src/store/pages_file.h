// The pages file "Quillpad.qpd": its lines, reading it and writing it whole.
#pragma once

#include <cstdint>
#include <string>

extern const char* const PagesFileName;

extern std::string FileHeader;
// The main window's outer top-left corner in dialog units.
extern std::int32_t WindowLeft;
extern std::int32_t WindowTop;
extern std::int32_t NoStoredPosition;

// Whether a pages file the program may use is there (hidden, system and folder entries
// don't count).
bool PagesFileExists();
void CreatePagesFile();
void ReadFileHeader();
void ReadPages();
// False when the file could not be written (nothing is ever written in help mode).
bool SavePagesFile();

// The pages in memory hold a change that the file lacks (set by every change of the page
// list, cleared by a save that succeeds and by reading the file).
extern bool PagesAheadOfFile;
// A save that carried such a change has failed and none has succeeded since: the pad is
// unsaved, and every moment that stores saves again.
extern bool ChangesUnsaved;
// While true, a failed save tells the user nothing: the caller asks or answers for itself.
extern bool QuietSaveFailures;

// The bytes a save would write now: the header values and pages in memory.
std::string PagesFileBytes();

// The window was moved to this corner (dialog units): remember it, and save unless the
// help pages are shown.
void WindowMoved(std::int32_t left, std::int32_t top);

// Start-up: creates the file when there is none, then reads it. False (after telling the
// user why) when there is no pad the program could keep its pages in.
bool OpenPad();
