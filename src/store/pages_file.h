// The pages file "Quillpad.qpd": its lines, reading it and writing it whole.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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
void SavePagesFile();

// The same work on bytes in memory, for the procedures above and for tests.
struct FileHeaderValues {
    std::string header;
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t noStoredPosition = 0;
};
FileHeaderValues ParseFileHeader(std::string_view bytes);
// Fills pages (element 0 unused); false when the marker line is missing.
bool ParsePages(std::string_view bytes, std::vector<std::string>& pages);
std::string PagesFileBytes();

// The window was moved to this corner (dialog units): remember it, and save unless the
// help pages are shown.
void WindowMoved(std::int32_t left, std::int32_t top);

// Start-up: creates the file when there is none, then reads it. False (after telling the
// user why) when there is no pad the program could keep its pages in.
bool OpenPad();
