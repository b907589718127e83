// The pages file's name and its header values as memory holds them: its first line and the
// main window's position, which every save writes.
#pragma once

#include "store/pages_file_format.h"

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
// Whether a save of one writes the same fixed lines as a save of the other.
bool SameHeader(const FileHeaderValues& a, const FileHeaderValues& b);
