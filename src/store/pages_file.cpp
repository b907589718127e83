// The pages file "Quillpad.qpd": creating, reading and saving it, and opening the pad.
#include "store/pages_file.h"

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/window.h"
#include "store/pad_on_disk.h"
#include "store/pages.h"
#include "store/pages_file_format.h"
#include "text/bytes.h"
#include "text/digest.h"

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

// The header values the file holds as last read or written.
FileHeaderValues HeaderOfFile;

// The file as last read or written holds exactly what a save of HeaderOfFile and the
// pages would write, as long as the pages are not ahead of it.
bool FileHoldsPages = false;

bool SameDigest(const Digest& a, const Digest& b) {
    return a.length == b.length && DigestValue(a) == DigestValue(b);
}

bool SameHeader(const FileHeaderValues& a, const FileHeaderValues& b) {
    return a.header == b.header && a.left == b.left && a.top == b.top;
}

void UseHeader(const FileHeaderValues& values) {
    FileHeader = values.header;
    WindowLeft = values.left;
    WindowTop = values.top;
    if (values.noStoredPosition == 1) {
        NoStoredPosition = 1;
    }
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

void TellUnreachable(bool starting) {
    Tell("Quillpad can't tell whether " + std::string(PagesFileName) +
             " is in this folder: the folder can't be searched, or you are not allowed to "
             "look into it. " +
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

// The pad read in pieces, and the digest of all its bytes; false when it can't be read.
bool ReadPad(PagesFileReader& reader, Digest& digest) {
    digest = NewDigest();
    const bool read = ReadFileInPieces(PagesFileName, [&](std::string_view piece) {
        AddToDigest(digest, piece);
        ReadPiece(reader, piece);
    });
    FinishReading(reader);
    return read;
}

// Puts the pages read into Pages. A file that does not list pages is kept under a backup
// name before anything can save over it; false when that was impossible. So is one with
// text after a byte 26, where reading stops.
bool TakePages(PagesFileReader& reader, const Digest& digest, bool starting) {
    FileOffLimits = false;
    PagesAheadOfFile = false;
    ChangesUnsaved = false;
    RememberPadDigest(digest);
    Pages = std::move(reader.pages);
    const bool cut = reader.marked && reader.textAfterEndMark;
    // Pages read again after help leave the program's header values as they were: the
    // file holds what a save writes only when its own values are the same.
    FileHoldsPages = reader.imageKnown && !cut && SameDigest(reader.image, digest) &&
                     SameHeader(reader.header, HeaderOfFile);
    if ((reader.marked && !cut) || digest.length == 0) {
        return true;
    }
    const std::string problem =
        cut ? " holds an end-of-file mark (byte 26) with more text after it, which Quillpad "
              "can't show"
            : " does not hold pages as Quillpad writes them";
    const std::string backup = KeepCopyOfFile(PagesFileName);
    if (backup.empty()) {
        Tell(std::string(PagesFileName) + problem + ", and no copy of it could be made. " +
                 WhatHappensNow(starting),
             Caption);
        FileOffLimits = true;
        return false;
    }
    Tell(std::string(PagesFileName) + problem + ". The whole file is kept unchanged in " + backup +
             (cut ? "; Quillpad shows the pages before the mark."
                  : ", and the pad starts again with one empty page."),
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
    WritePadFile(PagesFileName, OnePiece(NewPagesFileBytes(header)));
}

void ReadFileHeader() {
    PagesFileReader reader;
    Digest digest;
    if (ReadPad(reader, digest)) {
        UseHeader(reader.header);
    }
}

void ReadPages() {
    const EntryKind kind = KindOfEntry(PagesFileName);
    PagesFileReader reader;
    Digest digest;
    if (kind == EntryKind::File && ReadPad(reader, digest)) {
        TakePages(reader, digest, false);
        return;
    }
    ParsePages("", Pages);
    FileHoldsPages = false;
    PagesAheadOfFile = false;
    ChangesUnsaved = false;
    // A file that is gone holds nothing to lose; one that is there but unreadable does.
    FileOffLimits = kind != EntryKind::Missing;
    if (kind == EntryKind::Missing) {
        RememberNoPad();
    } else if (kind == EntryKind::Unusable) {
        TellUnusable(false);
    } else if (kind == EntryKind::Unreachable) {
        TellUnreachable(false);
    } else {
        TellUnreadable(false);
    }
}

FileHeaderValues HeaderNow() {
    FileHeaderValues header;
    header.header = FileHeader;
    header.left = WindowLeft;
    header.top = WindowTop;
    return header;
}

std::string PagesFileBytes() {
    return PagesFileImage(HeaderNow(), Pages);
}

// A failed save of the window's position alone loses nothing and tells nothing. Otherwise
// the user hears once per spell of failures, and again only after a save has succeeded.
bool SavePagesFile() {
    if (HelpMode == 1) {
        return false;
    }
    const FileHeaderValues header = HeaderNow();
    // Writing what the file holds already would only cost time: a big pad's save at every
    // start, where the window shows at the place the file names, for one.
    if (!FileOffLimits && !PagesAheadOfFile && FileHoldsPages && SameHeader(header, HeaderOfFile) &&
        PadFileUnchanged(PagesFileName)) {
        return true;
    }
    PagesFileWriter writer{header, Pages, 0, {}};
    if (!FileOffLimits && WritePadFile(PagesFileName, [&] { return NextPiece(writer); })) {
        HeaderOfFile = header;
        FileHoldsPages = true;
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
    TidyAfterCutShortSaves(PagesFileName);
    const EntryKind kind = KindOfEntry(PagesFileName);
    if (kind == EntryKind::Unusable) {
        TellUnusable(true);
        return false;
    }
    if (kind == EntryKind::Unreachable) {
        TellUnreachable(true);
        return false;
    }
    if (kind == EntryKind::Missing) {
        CreatePagesFile();
    }
    PagesFileReader reader;
    Digest digest;
    if (!ReadPad(reader, digest)) {
        if (kind == EntryKind::Missing) {
            Tell(std::string(PagesFileName) +
                     " could not be created in this folder: it does not take new files (a "
                     "program folder or a read-only share, for example), or the disk is full. "
                     "Start Quillpad from a folder of your own, for example through a "
                     "shortcut whose \"Start in\" folder is one you can write to.",
                 Caption);
        } else {
            TellUnreadable(true);
        }
        return false;
    }
    UseHeader(reader.header);
    HeaderOfFile = HeaderNow();
    return TakePages(reader, digest, true);
}
