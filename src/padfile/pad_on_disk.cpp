// The pad on disk as the program last saw it: its size and digest, never a second copy
// of its bytes, checked by reading the file in pieces.
#include "padfile/pad_on_disk.h"

#include "padfile/pad_state.h"
#include "platform/files.h"
#include "text/digest.h"

#include <algorithm>
#include <optional>

std::string FirstFreeBackupName(const char* name) {
    for (int n = 0; n < 1000; ++n) {
        std::string backup = name;
        if (n > 0) {
            backup.append(".").append(std::to_string(n));
        }
        backup.append(".bak");
        if (KindOfEntry(backup.c_str()) == EntryKind::Missing) {
            return backup;
        }
    }
    return std::string();
}

namespace {

// Leftovers that may be the only copy of the pad move to backup names, which no tidy-up
// touches; one that can't be moved stays as it is. The names they have now, in order.
std::vector<std::string> KeepLeftovers(const char* name, const std::vector<Leftover>& leftovers) {
    std::vector<std::string> kept;
    for (const Leftover& leftover : leftovers) {
        const std::string backup = FirstFreeBackupName(name);
        const bool moved =
            !backup.empty() && RenameToNewName(leftover.name.c_str(), backup.c_str());
        kept.push_back(moved ? backup : leftover.name);
    }
    return kept;
}

std::string Listed(const std::vector<std::string>& names) {
    std::string list;
    for (const std::string& name : names) {
        list += (list.empty() ? "" : ", ") + name;
    }
    return list;
}

// The file a save replaced is the version it checked, or one that another program put in
// place between the check and the replace: that one is kept under a backup name, for the
// pages in memory to take in. The file last read or written is known by its stamp and goes
// at once, so that a save stopped in between seldom leaves it for the next start to look at.
void KeepWhatALateVersionLeft(const char* name, const std::string& replaced,
                              const std::optional<PadVersion>& expected) {
    if (expected == SaveState.lastSeen && SaveState.lastStamp &&
        StampOfFile(replaced.c_str()) == SaveState.lastStamp) {
        RemoveFile(replaced.c_str());
        return;
    }
    const std::optional<PadVersion> version = VersionOnDisk(replaced.c_str());
    if (version && (version == expected || version->size == 0)) {
        RemoveFile(replaced.c_str());
        return;
    }
    const std::string backup = FirstFreeBackupName(name);
    SaveState.lateVersions.push_back(
        !backup.empty() && RenameToNewName(replaced.c_str(), backup.c_str()) ? backup : replaced);
}

bool SameBytes(const std::string& a, const char* b) {
    const std::optional<PadVersion> version = VersionOnDisk(a.c_str());
    return version && version->present && version == VersionOnDisk(b);
}

// A save written whole that never took the pad's place holds the newest pages: it takes it
// now, and the pad it replaces is kept. True when it did; otherwise it stays a leftover.
bool TakeThePadsPlace(const char* name, const std::string& save) {
    const std::string backup = FirstFreeBackupName(name);
    if (backup.empty() || !RenameToNewName(name, backup.c_str())) {
        return false;
    }
    if (!RenameToNewName(save.c_str(), name)) {
        RenameToNewName(backup.c_str(), name);
        return false;
    }
    TellAboutPad("Quillpad was stopped before its last save took the place of " +
                 std::string(name) + ". " + name +
                 " now holds that save, the newest version of your pages; the version it "
                 "replaces is kept unchanged in " +
                 backup + ".");
    return true;
}

} // namespace

std::string KeepCopyOfFile(const char* name) {
    const std::string backup = FirstFreeBackupName(name);
    return !backup.empty() && CopyToNewFile(name, backup.c_str()) ? backup : std::string();
}

PadVersion VersionOf(const Digest& digest) {
    return PadVersion{true, digest.length, DigestValue(digest)};
}

void RememberPadVersion(const Digest& digest, const std::optional<FileStamp>& stamp) {
    SaveState.lastSeen = VersionOf(digest);
    SaveState.lastStamp = stamp;
}

std::optional<PadVersion> VersionOnDisk(const char* name) {
    const EntryKind kind = KindOfEntry(name);
    if (kind == EntryKind::Missing) {
        return PadVersion{};
    }
    Digest digest = NewDigest();
    if (kind != EntryKind::File ||
        !ReadFileInPieces(name, [&](std::string_view piece) { AddToDigest(digest, piece); })) {
        return std::nullopt;
    }
    return VersionOf(digest);
}

bool ReadPadFile(const char* name, PadRead& read) {
    read = PadRead();
    const bool whole = ReadFileInPieces(name, [&](std::string_view piece) {
        AddToDigest(read.digest, piece);
        ReadPiece(read.reader, piece);
        read.endsLine = piece.back() == '\n' || piece.back() == '\r';
    });
    FinishReading(read.reader);
    return whole;
}

// The stamp is looked at once the new file stands: one that another program put there in
// that moment would pass for the program's own until the next save compares the bytes.
bool WritePadFile(const char* name, const PieceSource& next,
                  const std::optional<PadVersion>& expected) {
    Digest written = NewDigest();
    const PieceSource digested = [&] {
        const std::string_view piece = next();
        AddToDigest(written, piece);
        return piece;
    };
    std::string replaced;
    const bool done = ReplaceFileKeepingOld(name, digested, replaced);
    if (!replaced.empty()) {
        KeepWhatALateVersionLeft(name, replaced, expected);
    }
    if (!done) {
        return false;
    }
    RememberPadVersion(written, StampOfFile(name));
    return true;
}

bool PadFileUnchanged(const char* name) {
    return SaveState.lastSeen && SaveState.lastSeen->present &&
           VersionOnDisk(name) == SaveState.lastSeen;
}

// Leftovers go only while a whole pad stands under its own name. When it is missing, the
// last leftover written whole takes its name; failing that, nothing is deleted.
void TidyAfterCutShortSaves(const char* name) {
    std::vector<Leftover> leftovers = LeftoversOfSaves(name);
    const EntryKind kind = KindOfEntry(name);
    if (leftovers.empty() || (kind != EntryKind::File && kind != EntryKind::Missing)) {
        return;
    }
    const auto whole =
        std::find_if(leftovers.begin(), leftovers.end(),
                     [](const Leftover& leftover) { return leftover.kind == LeftoverKind::Whole; });
    if (kind == EntryKind::Missing) {
        if (whole != leftovers.end() && RenameToNewName(whole->name.c_str(), name)) {
            leftovers.erase(whole);
        } else {
            const std::size_t newestWhole = static_cast<std::size_t>(whole - leftovers.begin());
            const std::vector<std::string> kept = KeepLeftovers(name, leftovers);
            const bool used =
                whole != leftovers.end() && CopyToNewFile(kept[newestWhole].c_str(), name);
            TellAboutPad(
                std::string(name) + " was missing, and saves that were cut short left files " +
                "behind. They are kept unchanged: " + Listed(kept) + ". " +
                (used ? "Quillpad opens a copy of the newest complete one, " + kept[newestWhole] +
                            "."
                      : "None of them is known to be complete, so Quillpad starts a new pad; "
                        "your pages may be in them."));
            return;
        }
    } else if (whole != leftovers.end() && !SameBytes(whole->name, name)) {
        if (TakeThePadsPlace(name, whole->name)) {
            leftovers.erase(whole);
        }
    }
    // A save cut short while written holds nothing the pad lacks; one written whole or a pad
    // a save replaced does only when it is the pad byte for byte.
    std::vector<Leftover> others;
    for (const Leftover& leftover : leftovers) {
        if (leftover.kind == LeftoverKind::Partial || SameBytes(leftover.name, name)) {
            RemoveFile(leftover.name.c_str());
        } else {
            others.push_back(leftover);
        }
    }
    if (!others.empty()) {
        TellAboutPad(
            "Saves of Quillpad that were cut short left other versions of " + std::string(name) +
            " behind. They are kept unchanged: " + Listed(KeepLeftovers(name, others)) + ".");
    }
}
