// The pages file's name and its header values as memory holds them: its first line and the
// main window's position, which every save writes.
#pragma once

#include "padfile/pages_file_format.h"

#include <cstdint>
#include <string>

extern const char* const PagesFileName;

extern std::string FileHeader;
// The main window's outer top-left corner in dialog units.
extern std::int32_t WindowLeft;
extern std::int32_t WindowTop;
extern std::int32_t NoStoredPosition;

// The header values a save writes now.
FileHeaderValues HeaderNow();
// Takes the header values read from the file.
void UseHeader(const FileHeaderValues& values);
// Whether a save of one writes the same fixed lines as a save of the other, but for the
// versions line: the line tells what a version of the pages grew from, so the same pages
// need no save for it.
bool SameHeader(const FileHeaderValues& a, const FileHeaderValues& b);
