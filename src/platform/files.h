// The few file operations the pad needs, named for what it does with them.
#pragma once

#include <string>
#include <string_view>

enum class EntryKind {
    Missing,  // nothing of that name
    File,     // a plain file (read-only and archived files included)
    Unusable, // hidden, system or a folder: never to be overwritten
};

EntryKind KindOfEntry(const char* name);

// The whole file at once; false when it can't be opened or read.
bool ReadWholeFile(const char* name, std::string& bytes);

// Crash-safe replace: the bytes are written and flushed under a temporary name in the
// same folder, which then takes the old file's place. On any failure the old file stays
// whole and false is returned. A read-only file is never replaced.
bool ReplaceFileWith(const char* name, std::string_view bytes);

// Copies a file to a name that does not exist yet; false when it exists or on failure.
bool CopyToNewFile(const char* from, const char* to);
