// The pages file "Quillpad.qpd": creating, reading and saving it, and opening the pad.
#include "store/pages_file.h"

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/window.h"
#include "store/pages.h"
#include "store/pages_file_format.h"
#include "text/bytes.h"

#include <cstdio>
#include <string>
#include <vector>

const char* const PagesFileName = "Quillpad.qpd";

std::string FileHeader;
std::int32_t WindowLeft = 0;
std::int32_t WindowTop = 0;
std::int32_t NoStoredPosition = 0;
bool PagesAheadOfFile = false;
bool ChangesUnsaved = false;
bool QuietSaveFailures = false;

namespace {

constexpr std::string_view Caption = "Quillpad";

// Set while the file holds bytes the program could not read as pages and could not keep
// elsewhere: saving then would overwrite what was never read.
bool FileOffLimits = false;

// The user has heard of the present spell of failed saves (or is being asked instead).
bool ToldChangesUnsaved = false;

void UseHeader(const FileHeaderValues& values) {
    FileHeader = values.header;
    WindowLeft = values.left;
    WindowTop = values.top;
    if (values.noStoredPosition == 1) {
        NoStoredPosition = 1;
    }
}

// Copies the file to the first free name of "Quillpad.qpd.bak", "Quillpad.qpd.1.bak", ...
// and returns that name, or an empty string when no copy could be made.
std::string KeepCopyOfFile() {
    for (int n = 0; n < 1000; ++n) {
        std::string name = PagesFileName;
        if (n > 0) {
            name.append(".").append(std::to_string(n));
        }
        name.append(".bak");
        if (KindOfEntry(name.c_str()) != EntryKind::Missing) {
            continue;
        }
        return CopyToNewFile(PagesFileName, name.c_str()) ? name : std::string();
    }
    return std::string();
}

std::string WhatHappensNow(bool starting) {
    return starting ? "Quillpad ends without changing it."
                    : "Nothing will be saved into it until its pages are read again (at the next "
                      "start, or with Help and Exit Help).";
}

void TellUnusable(bool starting) {
    Tell(std::string(PagesFileName) +
             " here is a folder, a hidden file or a system file, so Quillpad can't keep its "
             "pages in it. " +
             WhatHappensNow(starting),
         Caption);
}

void TellUnreadable(bool starting) {
    Tell(std::string(PagesFileName) +
             " could not be read: it may be open in another program, or you may not be "
             "allowed to read it. " +
             WhatHappensNow(starting),
         Caption);
}

// Puts the pages of the file's bytes into Pages. A file that does not list pages is kept
// under a backup name before anything can save over it; false when that was impossible.
bool TakePages(std::string_view bytes, bool starting) {
    FileOffLimits = false;
    PagesAheadOfFile = false;
    ChangesUnsaved = false;
    if (ParsePages(bytes, Pages) || bytes.empty()) {
        return true;
    }
    const std::string backup = KeepCopyOfFile();
    if (backup.empty()) {
        Tell(std::string(PagesFileName) +
                 " does not hold pages as Quillpad writes them, and no copy of it could be "
                 "made. " +
                 WhatHappensNow(starting),
             Caption);
        FileOffLimits = true;
        return false;
    }
    Tell(std::string(PagesFileName) +
             " does not hold pages as Quillpad writes them. Its contents are kept unchanged "
             "in " +
             backup + ", and the pad starts again with one empty page.",
         Caption);
    return true;
}

} // namespace

bool PagesFileExists() {
    return KindOfEntry(PagesFileName) == EntryKind::File;
}

// The header line of a new file is stamped with the local date and time.
void CreatePagesFile() {
    if (KindOfEntry(PagesFileName) != EntryKind::Missing) {
        return;
    }
    const LocalTime now = LocalNow();
    char time[40];
    std::snprintf(time, sizeof time, "%02d:%02d:%02d", now.hour, now.minute, now.second);
    const std::string header =
        std::string(WebAddress) + "  Quillpad.qpd file started " + DateText() + " " + time;
    ReplaceFileWith(PagesFileName, NewPagesFileBytes(header));
}

void ReadFileHeader() {
    std::string bytes;
    if (ReadWholeFile(PagesFileName, bytes)) {
        UseHeader(ParseFileHeader(bytes));
    }
}

void ReadPages() {
    const EntryKind kind = KindOfEntry(PagesFileName);
    std::string bytes;
    if (kind == EntryKind::File && ReadWholeFile(PagesFileName, bytes)) {
        TakePages(bytes, false);
        return;
    }
    ParsePages("", Pages);
    PagesAheadOfFile = false;
    ChangesUnsaved = false;
    // A file that is gone holds nothing to lose; one that is there but unreadable does.
    FileOffLimits = kind != EntryKind::Missing;
    if (kind == EntryKind::Unusable) {
        TellUnusable(false);
    } else if (kind == EntryKind::File) {
        TellUnreadable(false);
    }
}

std::string PagesFileBytes() {
    FileHeaderValues header;
    header.header = FileHeader;
    header.left = WindowLeft;
    header.top = WindowTop;
    return PagesFileImage(header, Pages);
}

// A failed save of the window's position alone loses nothing and tells nothing. Otherwise
// the user hears once per spell of failures, and again only after a save has succeeded.
bool SavePagesFile() {
    if (HelpMode == 1) {
        return false;
    }
    if (!FileOffLimits && ReplaceFileWith(PagesFileName, PagesFileBytes())) {
        PagesAheadOfFile = false;
        ChangesUnsaved = false;
        ToldChangesUnsaved = false;
        return true;
    }
    if (!PagesAheadOfFile) {
        return false;
    }
    ChangesUnsaved = true;
    // A pad off limits was explained when it was read.
    if (!ToldChangesUnsaved && !QuietSaveFailures && !FileOffLimits) {
        Tell(std::string(PagesFileName) +
                 " could not be saved: it may be read-only, or open in another program. Your "
                 "latest changes are still in the window, and Quillpad saves them again at the "
                 "next flip and when you close it.",
             Caption);
    }
    ToldChangesUnsaved = true;
    return false;
}

void WindowMoved(std::int32_t left, std::int32_t top) {
    WindowLeft = left;
    WindowTop = top;
    if (HelpMode != 1) {
        SavePagesFile();
    }
}

bool OpenPad() {
    FileOffLimits = false;
    ToldChangesUnsaved = false;
    const EntryKind kind = KindOfEntry(PagesFileName);
    if (kind == EntryKind::Unusable) {
        TellUnusable(true);
        return false;
    }
    if (kind == EntryKind::Missing) {
        CreatePagesFile();
    }
    std::string bytes;
    if (!ReadWholeFile(PagesFileName, bytes)) {
        if (kind == EntryKind::Missing) {
            Tell(std::string(PagesFileName) +
                     " could not be created in this folder, so Quillpad can't keep its pages "
                     "here.",
                 Caption);
        } else {
            TellUnreadable(true);
        }
        return false;
    }
    UseHeader(ParseFileHeader(bytes));
    return TakePages(bytes, true);
}
