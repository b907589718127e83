// For the tests of the POSIX file layer: any one step of a crash-safe replace can be made
// to fail, as a full disk, a folder that refuses new files or a locked pad would make it,
// and the replaces that succeeded are counted.
#pragma once

enum class SaveStep { None, CreateTemporary, Write, Flush, Close, Replace };

extern SaveStep FailingSaveStep;
extern int FilesReplaced;
