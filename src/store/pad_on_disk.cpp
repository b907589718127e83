// The pad on disk as the program last saw it: its size and digest, never a second copy
// of its bytes, checked before every save by reading the file in pieces.
#include "store/pad_on_disk.h"

#include "platform/files.h"
#include "platform/window.h"
#include "text/digest.h"

#include <cstdint>
#include <optional>

namespace {

struct PadState {
    bool present = false;
    std::uint64_t size = 0;
    std::uint64_t digest = 0;
    bool operator==(const PadState&) const = default;
};

// Empty while nothing was read or written in this run.
std::optional<PadState> LastSeen;

// The file as it is now; empty when it is there but can't be read.
std::optional<PadState> StateOnDisk(const char* name) {
    const EntryKind kind = KindOfEntry(name);
    if (kind == EntryKind::Missing) {
        return PadState{};
    }
    Digest digest = NewDigest();
    if (kind != EntryKind::File ||
        !ReadFileInPieces(name, [&](std::string_view piece) { AddToDigest(digest, piece); })) {
        return std::nullopt;
    }
    return PadState{true, digest.length, DigestValue(digest)};
}

// True when the save may go ahead: the file is as last seen, gone or empty (nothing of it
// to lose), or its other version is kept under a backup name.
bool KeepVersionChangedElsewhere(const char* name) {
    if (!LastSeen) {
        return true;
    }
    const std::optional<PadState> now = StateOnDisk(name);
    // A pad that can't be read now (another program holds it open) can't be replaced
    // either: the save fails as any other, with no claim that the pad was changed.
    if (!now) {
        return false;
    }
    if (*now == *LastSeen || now->size == 0) {
        return true;
    }
    const std::string backup = KeepCopyOfFile(name);
    if (backup.empty()) {
        Tell(std::string(name) +
                 " was changed by another program while Quillpad was running, and Quillpad "
                 "could not keep a copy of that version, so it did not save over it. Your "
                 "latest changes are not in it yet.",
             "Quillpad");
        return false;
    }
    Tell(std::string(name) +
             " was changed by another program while Quillpad was running. That version is "
             "kept unchanged in " +
             backup + "; Quillpad now saves its own pages into " + name + ".",
         "Quillpad");
    return true;
}

} // namespace

std::string KeepCopyOfFile(const char* name) {
    for (int n = 0; n < 1000; ++n) {
        std::string backup = name;
        if (n > 0) {
            backup.append(".").append(std::to_string(n));
        }
        backup.append(".bak");
        if (KindOfEntry(backup.c_str()) != EntryKind::Missing) {
            continue;
        }
        return CopyToNewFile(name, backup.c_str()) ? backup : std::string();
    }
    return std::string();
}

void RememberPadDigest(const Digest& digest) {
    LastSeen = PadState{true, digest.length, DigestValue(digest)};
}

void RememberNoPad() {
    LastSeen = PadState{};
}

void ForgetPad() {
    LastSeen.reset();
}

// The digest is taken of the pieces as they are written.
bool WritePadFile(const char* name, const PieceSource& next) {
    Digest written = NewDigest();
    const PieceSource digested = [&] {
        const std::string_view piece = next();
        AddToDigest(written, piece);
        return piece;
    };
    if (!KeepVersionChangedElsewhere(name) || !ReplaceFileWith(name, digested)) {
        return false;
    }
    RememberPadDigest(written);
    return true;
}

bool PadFileUnchanged(const char* name) {
    return LastSeen && LastSeen->present && StateOnDisk(name) == LastSeen;
}

void TidyAfterCutShortSaves(const char* name) {
    const std::vector<std::string> leftovers = TemporaryFilesFor(name);
    std::size_t first = 0;
    if (!leftovers.empty() && KindOfEntry(name) == EntryKind::Missing &&
        RenameToNewName(leftovers[0].c_str(), name)) {
        first = 1;
    }
    for (std::size_t n = first; n < leftovers.size(); ++n) {
        RemoveFile(leftovers[n].c_str());
    }
}
