// What the pad on disk held when the program last read or wrote it, reading it and writing
// it whole: a version that something else put there is told apart by its size and digest,
// and what cut-short saves left behind is tidied away at the start.
#pragma once

#include "padfile/pad_state.h"
#include "padfile/pages_file_format.h"
#include "platform/files.h"
#include "text/digest.h"

#include <optional>
#include <string>

// Copies the file to the first free name of "NAME.bak", "NAME.1.bak", ... and returns
// that name, or an empty string when no copy could be made.
std::string KeepCopyOfFile(const char* name);
// The first free name of those; empty when there is none.
std::string FirstFreeBackupName(const char* name);

PadVersion VersionOf(const Digest& digest);
// The file holds these bytes now (just read or written), and has this stamp.
void RememberPadVersion(const Digest& digest, const std::optional<FileStamp>& stamp);

// The file as it is now: not present when it is missing; empty when it is there but can't
// be read at the moment (another program holds it).
std::optional<PadVersion> VersionOnDisk(const char* name);

// A pad read whole: its pages and header values, the digest of all its bytes, and whether
// its last byte ended a line (a file cut short ends inside one).
struct PadRead {
    PagesFileReader reader;
    Digest digest = NewDigest();
    bool endsLine = false;
};
// False when the file can't be opened or read.
bool ReadPadFile(const char* name, PadRead& read);

// Writes the bytes as the file, crash-safely, over the version the caller found there
// (expected). A different version found in its place at the replace (another program put
// it there after the look) is kept under a backup name and listed in lateVersions. False
// when nothing was written.
bool WritePadFile(const char* name, const PieceSource& next,
                  const std::optional<PadVersion>& expected);

// Whether the file is there and still holds what the program last read or wrote.
bool PadFileUnchanged(const char* name);

// Tidies what saves that were cut short left behind. A partly written one goes; one written
// whole takes the file's place when it is missing (a save loses the old file's name only in
// its replace step, which moves it aside first, and by then the new one is whole) or holds
// other bytes (it never took the place: the file it would have replaced is kept under a
// backup name); one that is the file byte for byte goes. Whatever else is left (a file a
// save moved aside) is kept under a backup name, and the user told which names hold what.
void TidyAfterCutShortSaves(const char* name);
