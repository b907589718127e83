// For the tests of the POSIX file layer: any one step of a crash-safe replace can be made
// to fail, as a full disk, a folder that refuses new files or a locked pad would make it,
// and the replaces that succeeded are counted; another program can hold the file.
#pragma once

#include <functional>

enum class SaveStep { None, CreateTemporary, Write, Flush, Close, Replace };

extern SaveStep FailingSaveStep;
extern int FilesReplaced;
// Another program holds the file: this many of the next attempts to open or replace it
// fail as a sharing violation would.
extern int BusyAttempts;
// Renaming a file to a new name fails, as for a file that another program holds.
extern bool RenamesFail;
// Runs in a save just before the new file takes the old one's place: another program may
// put a version of its own there at that moment.
extern std::function<void()> BeforeReplace;
