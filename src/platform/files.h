// The few file operations the pad needs, named for what it does with them. Names are
// UTF-8 and relative to the working folder, whatever the folder itself is called.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class EntryKind {
    Missing,     // nothing of that name
    File,        // a plain file (read-only and archived files included)
    Unusable,    // hidden, system or a folder: never to be overwritten
    Unreachable, // not known: the folder can't be searched or access is denied
};

EntryKind KindOfEntry(const char* name);

// What tells one version of a file from another without reading it: its size and the time
// it was last written (and where the system has one, the file's own number). A file whose
// stamp is unchanged is taken to be unchanged at moments that only look; saves compare
// the bytes themselves.
struct FileStamp {
    std::uint64_t size = 0;
    std::uint64_t written = 0;
    std::uint64_t id = 0;
    bool operator==(const FileStamp&) const = default;
};
// Empty when there is no plain file of that name or it can't be looked at.
std::optional<FileStamp> StampOfFile(const char* name);

// The names of the plain files in the working folder (hidden and system files left out).
std::vector<std::string> FilesInFolder();

// Reading shares the file with other programs that read or write it. The whole file at
// once; false when it can't be opened or read.
bool ReadWholeFile(const char* name, std::string& bytes);

// The file from start to end in pieces of a fixed size, each handed to take as it is read;
// false when it can't be opened or read.
bool ReadFileInPieces(const char* name, const std::function<void(std::string_view)>& take);

// Hands out a file's bytes in order, a piece at a time; an empty piece ends them. A big
// file is written from its pieces without ever being whole in memory.
using PieceSource = std::function<std::string_view()>;

// Crash-safe replace: the bytes are written and flushed under a temporary name in the
// same folder, which then takes the old file's place. On any failure the old file stays
// whole and false is returned. A read-only file is never replaced.
bool ReplaceFileWith(const char* name, const PieceSource& next);
// The same, but the file replaced is moved aside, not removed: another program may have put
// a version of its own there a moment before the replace, which only a look at what was
// replaced can tell. It stands under a name of this save's own, given in replaced (empty
// when nothing was moved aside), until the caller removes or keeps it; that holds when the
// replace failed after moving it aside, too.
bool ReplaceFileKeepingOld(const char* name, const PieceSource& next, std::string& replaced);

// The bytes as one piece.
inline PieceSource OnePiece(std::string_view bytes) {
    return [bytes, given = false]() mutable {
        const std::string_view piece = given ? std::string_view() : bytes;
        given = true;
        return piece;
    };
}

// Copies a file to a name that does not exist yet, written and flushed whole; false when
// the name exists or the copy failed, and then no copy is left.
bool CopyToNewFile(const char* from, const char* to);

// A save writes its bytes under a temporary name (the file's name, a dot, the process
// number, a dash, the save's count in that process, ".tmp") and renames them to the
// finished name (the same with ".done") once they are all written and flushed, before they
// take the file's place; the file they replace is moved aside to the same with ".old". A
// leftover of a cut-short save says by its name what it is.
std::string TemporaryNameFor(std::string_view name, unsigned long process, unsigned count);
std::string FinishedNameFor(std::string_view temporary);
std::string ReplacedNameFor(std::string_view temporary);

enum class LeftoverKind { None, Partial, Whole, Replaced };
// What an entry's name says it is: no leftover of a save of the file name, one cut short
// while it was written, one written whole, or the file a save replaced.
LeftoverKind KindOfLeftover(std::string_view entry, std::string_view name);

struct Leftover {
    std::string name;
    LeftoverKind kind;
};
// The plain files in the working folder that saves of the file name left, the last written
// first.
std::vector<Leftover> LeftoversOfSaves(const char* name);

// Another program (a sync client, an indexer, a virus scanner) may hold a file for a
// moment: opening, reading and replacing it are tried this often, this far apart, before
// they count as failed, so that the window never waits much longer than a quarter second.
constexpr int BusyTries = 6;
constexpr int BusyWaitMs = 50;

// The folder that keeps what this computer remembers of its pads, outside any folder a sync
// client mirrors (made when missing); empty where there is none.
std::string PadHistoryFolder();
// The working folder's full path in UTF-8, as the system resolves it (long names); empty when
// it can't be told.
std::string WorkingFolderPath();

bool RemoveFile(const char* name);
// Gives the file a name that does not exist yet; false when it exists or on failure.
bool RenameToNewName(const char* from, const char* to);
