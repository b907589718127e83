// The pages file "Quillpad.qpd": creating, reading and saving it, and opening the pad.
#include "store/pages_file.h"

#include "padfile/pad_on_disk.h"
#include "padfile/pad_state.h"
#include "padfile/pad_text.h"
#include "padfile/pages_file_format.h"
#include "platform/clock.h"
#include "platform/files.h"
#include "platform/window.h"
#include "store/conflicted_copies.h"
#include "store/other_version.h"
#include "store/pages.h"
#include "sync/version_history.h"
#include "text/bytes.h"
#include "text/digest.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr std::string_view Caption = "Quillpad";
// A failed save is tried once more after this long, with nobody acting, before the user
// hears of it: another program's hold on the pad seldom lasts longer.
constexpr int RetryAfterFailureMs = 1000;
// Start-up holds no window yet, so it waits for a held pad about a second.
constexpr int ReadsAtStart = 4;

constexpr std::string_view Ends = "Quillpad ends without changing it.";

// The stamp is taken before the read: a change while it is read shows at the next look.
bool ReadPadAtStart(PadRead& read, std::optional<FileStamp>& stamp) {
    for (int reads = 1;; ++reads) {
        stamp = StampOfFile(PagesFileName);
        if (ReadPadFile(PagesFileName, read)) {
            return true;
        }
        if (reads == ReadsAtStart) {
            return false;
        }
    }
}

// Puts the pages read into Pages. A file that does not list pages is kept under a backup
// name before anything can save over it; false when that was impossible. So is one with
// text after a byte 26, where reading stops.
bool TakePages(PadRead& read, const std::optional<FileStamp>& stamp) {
    PagesFileReader& reader = read.reader;
    const Digest& digest = read.digest;
    RememberPadVersion(digest, stamp);
    Pages = std::move(reader.pages);
    VersionRead(PageKeys(Pages, SaveState.utf8, SaveState.utf8), SaveState.utf8, reader.header);
    const bool cut = reader.marked && reader.textAfterEndMark;
    SaveState.fileHoldsPages =
        reader.imageKnown && !cut && VersionOf(reader.image) == VersionOf(digest);
    if ((reader.marked && !cut && !reader.notUtf8) || digest.length == 0) {
        return true;
    }
    const std::string problem =
        cut ? " holds an end-of-file mark (byte 26) with more text after it, which Quillpad "
              "can't show"
        : reader.notUtf8 ? " is marked as UTF-8 but holds bytes that are not, which Quillpad "
                           "shows as \xEF\xBF\xBD"
                         : " does not hold pages as Quillpad writes them";
    const std::string backup = KeepCopyOfFile(PagesFileName);
    if (backup.empty()) {
        Tell(std::string(PagesFileName) + problem + ", and no copy of it could be made. " +
                 std::string(Ends),
             Caption);
        return false;
    }
    Tell(std::string(PagesFileName) + problem + ". The whole file is kept unchanged in " + backup +
             (cut             ? "; Quillpad shows the pages before the mark."
              : reader.marked ? "."
                              : ", and the pad starts again with one empty page."),
         Caption);
    return true;
}

// The header values in memory, and for a pad that has met another version of itself the
// versions that pages with this id grew from.
FileHeaderValues HeaderToWrite(VersionId id) {
    FileHeaderValues header = HeaderNow();
    AddVersionsLine(header, id);
    return header;
}

// Another version on disk is taken in first, so that no save writes older pages over it.
// A failed save of the window's position alone loses nothing and tells nothing. A failed
// save of pages is tried again soon with nobody acting; if that fails too, the user hears
// once per spell of failures (at the next action when this is a quiet moment).
bool WritePages(const std::vector<std::string>& pages) {
    const std::optional<PadVersion> onDisk = TakeInOtherVersion(PadLook::Thorough);
    const std::vector<std::uint64_t> keys = PageKeys(pages, SaveState.utf8, SaveState.utf8);
    const FileHeaderValues header = HeaderToWrite(VersionIdOf(keys));
    // Writing what the file holds already would only cost time: a big pad's save at every
    // start, where the window shows at the place the file names, for one.
    if (onDisk && onDisk == SaveState.lastSeen && !SaveState.pagesAhead &&
        SaveState.fileHoldsPages && SameHeader(header, SaveState.headerOfFile)) {
        RemoveCopiesBroughtIn();
        return true;
    }
    PagesFileWriter writer{header, pages, 0, {}};
    const PieceSource next = [&] { return NextPiece(writer); };
    // A pad that can't be read now (another program holds it open) can't be replaced either:
    // the save fails as any other, with no claim that the pad was changed.
    if (onDisk && WritePadFile(PagesFileName, next, onDisk)) {
        VersionWritten(keys, SaveState.utf8, header);
        RemoveCopiesBroughtIn();
        SaveState.headerOfFile = header;
        SaveState.fileHoldsPages = true;
        SaveState.pagesAhead = false;
        SaveState.unsaved = false;
        SaveState.toldUnsaved = false;
        SaveState.unsavedNoticeDue = false;
        ShowSavedStateInTitle();
        return true;
    }
    if (!SaveState.pagesAhead) {
        return false;
    }
    if (SaveState.unsaved) {
        TellUnsaved();
    } else {
        SaveState.unsaved = true;
        ShowSavedStateInTitle();
        StartWaitTimer(RetryAfterFailureMs);
    }
    return false;
}

// A version that another program put in place while the save replaced the pad is merged and
// written at once, so that closing never leaves it in a backup alone; a later one waits for
// the next look.
bool SavePages(const std::vector<std::string>& pages) {
    const bool saved = WritePages(pages);
    return saved && BringInLateVersions() ? WritePages(pages) : saved;
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
    const std::string header = std::string(WebAddress) + "  Quillpad.qpd file started " +
                               DateText(now.year, now.month, now.day) + " " + time;
    WritePadFile(PagesFileName, OnePiece(NewPagesFileBytes(header)), PadVersion{});
}

void ReadFileHeader() {
    PadRead read;
    if (ReadPadFile(PagesFileName, read)) {
        UseHeader(read.reader.header);
    }
}

std::string PagesFileBytes() {
    return PagesFileImage(
        HeaderToWrite(VersionIdOf(PageKeys(Pages, SaveState.utf8, SaveState.utf8))), Pages);
}

bool SavePagesFile() {
    return HelpMode != 1 && SavePages(Pages);
}

// Another version on disk is taken in first (the save does so when pages are ahead), so
// that closing never writes older pages over newer ones.
void SaveWhatTheFileLacks() {
    if (!SaveState.pagesAhead) {
        TakeInOtherVersion(PadLook::Thorough);
    }
    if (SaveState.pagesAhead) {
        SavePages(HelpMode == 1 ? PagesKeptDuringHelp : Pages);
    }
}

void WindowMoved(std::int32_t left, std::int32_t top) {
    WindowLeft = left;
    WindowTop = top;
    if (HelpMode != 1) {
        Quietly([] { SavePagesFile(); });
    }
}

bool OpenPad() {
    TidyAfterCutShortSaves(PagesFileName);
    const EntryKind kind = KindOfEntry(PagesFileName);
    if (kind == EntryKind::Unusable) {
        Tell(std::string(PagesFileName) +
                 " here is a folder, a hidden file or a system file, so Quillpad can't keep its "
                 "pages in it. " +
                 std::string(Ends),
             Caption);
        return false;
    }
    if (kind == EntryKind::Unreachable) {
        Tell("Quillpad can't tell whether " + std::string(PagesFileName) +
                 " is in this folder: the folder can't be searched, or you are not allowed to "
                 "look into it. " +
                 std::string(Ends),
             Caption);
        return false;
    }
    if (kind == EntryKind::Missing) {
        CreatePagesFile();
    }
    PadRead read;
    std::optional<FileStamp> stamp;
    if (!ReadPadAtStart(read, stamp)) {
        if (kind == EntryKind::Missing) {
            Tell(std::string(PagesFileName) +
                     " could not be created in this folder: it does not take new files (a "
                     "program folder or a read-only share, for example), or the disk is full. "
                     "Start Quillpad from a folder of your own, for example through a "
                     "shortcut whose \"Start in\" folder is one you can write to.",
                 Caption);
        } else {
            Tell(std::string(PagesFileName) +
                     " could not be read: it may be open in another program, or you may not be "
                     "allowed to read it. " +
                     std::string(Ends),
                 Caption);
        }
        return false;
    }
    UseHeader(read.reader.header);
    SaveState.headerOfFile = HeaderNow();
    SaveState.headerOfFile.versionsLine = read.reader.header.versionsLine;
    SaveState.headerOfFile.grewFrom = read.reader.header.grewFrom;
    return TakePages(read, stamp);
}
