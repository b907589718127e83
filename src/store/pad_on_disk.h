// What the pad on disk held when the program last read or wrote it: a version that
// something else put there is kept under a backup name before a save replaces it, and
// what cut-short saves left behind is tidied away at the start.
#pragma once

#include "platform/files.h"
#include "text/digest.h"

#include <string>
#include <string_view>

// Copies the file to the first free name of "NAME.bak", "NAME.1.bak", ... and returns
// that name, or an empty string when no copy could be made.
std::string KeepCopyOfFile(const char* name);

// The file holds these bytes now (just read or written).
void RememberPadDigest(const Digest& digest);

// Writes the bytes as the file, crash-safely. When the file is no longer what the
// program last read or wrote, that version is first kept under a backup name and the
// user told; when it can't be kept or not even read, nothing is written. False when
// nothing was written.
bool WritePadFile(const char* name, const PieceSource& next);

// Whether the file is there and still holds what the program last read or wrote.
bool PadFileUnchanged(const char* name);
// Whether the file is known to hold something else now; a file that can't be read at the
// moment (another program holds it) is not known to.
bool PadFileChangedElsewhere(const char* name);

// Removes what saves that were cut short left behind, while the file itself stands. When
// it is missing, the last of them written whole takes its name: a save can lose the old
// file only in its replace step (Wine's ReplaceFileA removes it before moving the new one
// in), and by then the new one is whole. Failing that, every leftover is kept under a
// backup name and the user told which.
void TidyAfterCutShortSaves(const char* name);
