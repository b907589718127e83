// The file layer on Windows: ANSI names in the working folder, crash-safe replacing.
#include "platform/files.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

// Counts the saves of this process, so that each gets a temporary name of its own.
unsigned SavesStarted = 0;

// Closes its handle when it goes out of scope, unless already closed.
struct FileHandle {
    HANDLE handle;
    explicit FileHandle(HANDLE h) : handle(h) {}
    ~FileHandle() {
        if (Valid()) {
            CloseHandle(handle);
        }
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool Valid() const { return handle != INVALID_HANDLE_VALUE; }
    bool CloseNow() {
        const BOOL closed = CloseHandle(handle);
        handle = INVALID_HANDLE_VALUE;
        return closed != 0;
    }
};

// ReadFile and WriteFile count in 32 bits; bigger files go in pieces.
constexpr std::size_t Piece = 1u << 30;
// What a file is read in when it is taken a piece at a time.
constexpr DWORD ReadingPiece = 1u << 20;

constexpr DWORD UnusableAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_DIRECTORY;

bool WriteAll(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        const DWORD wanted = static_cast<DWORD>(bytes.size() < Piece ? bytes.size() : Piece);
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), wanted, &written, nullptr) || written != wanted) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

// Writes and flushes the bytes into a new file of that name; false if it exists already.
bool WriteNewFile(const std::string& name, const PieceSource& next) {
    FileHandle out(CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!out.Valid()) {
        return false;
    }
    bool whole = true;
    for (std::string_view piece = next(); whole && !piece.empty(); piece = next()) {
        whole = WriteAll(out.handle, piece);
    }
    whole = whole && FlushFileBuffers(out.handle);
    if (!out.CloseNow() || !whole) {
        DeleteFileA(name.c_str());
        return false;
    }
    return true;
}

std::string FullPath(const std::string& name) {
    char full[MAX_PATH];
    const DWORD length = GetFullPathNameA(name.c_str(), MAX_PATH, full, nullptr);
    return length > 0 && length < MAX_PATH ? std::string(full, length) : name;
}

} // namespace

EntryKind KindOfEntry(const char* name) {
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(name, &found);
    if (search == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND
                   ? EntryKind::Missing
                   : EntryKind::Unreachable;
    }
    FindClose(search);
    return (found.dwFileAttributes & UnusableAttributes) != 0 ? EntryKind::Unusable
                                                              : EntryKind::File;
}

bool ReadWholeFile(const char* name, std::string& bytes) {
    bytes.clear();
    FileHandle in(
        CreateFileA(name, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size;
    if (!in.Valid() || !GetFileSizeEx(in.handle, &size) || size.QuadPart < 0) {
        return false;
    }
    bytes.resize(static_cast<std::size_t>(size.QuadPart));
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const std::size_t left = bytes.size() - filled;
        const DWORD wanted = static_cast<DWORD>(left < Piece ? left : Piece);
        DWORD got = 0;
        if (!ReadFile(in.handle, bytes.data() + filled, wanted, &got, nullptr)) {
            bytes.clear();
            return false;
        }
        if (got == 0) {
            break;
        }
        filled += got;
    }
    bytes.resize(filled);
    return true;
}

bool ReadFileInPieces(const char* name, const std::function<void(std::string_view)>& take) {
    FileHandle in(
        CreateFileA(name, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!in.Valid()) {
        return false;
    }
    std::vector<char> piece(ReadingPiece);
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(in.handle, piece.data(), ReadingPiece, &got, nullptr)) {
            return false;
        }
        if (got == 0) {
            return true;
        }
        take(std::string_view(piece.data(), got));
    }
}

bool ReplaceFileWith(const char* name, const PieceSource& next) {
    const DWORD attributes = GetFileAttributesA(name);
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        (attributes & (UnusableAttributes | FILE_ATTRIBUTE_READONLY)) != 0) {
        return false;
    }
    if (attributes == INVALID_FILE_ATTRIBUTES && GetLastError() != ERROR_FILE_NOT_FOUND) {
        return false;
    }
    const std::string target = name;
    const std::string temporary =
        TemporaryNameFor(target, static_cast<unsigned long>(GetCurrentProcessId()), ++SavesStarted);
    if (!WriteNewFile(temporary, next)) {
        return false;
    }
    const bool replacing = attributes != INVALID_FILE_ATTRIBUTES;
    // ReplaceFileA keeps the old file's attributes, security and creation time. It is
    // given full paths: Wine's looks for a folder of its own in the name it replaces.
    if (replacing ? ReplaceFileA(FullPath(target).c_str(), FullPath(temporary).c_str(), nullptr,
                                 REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                  : MoveFileExA(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    // ReplaceFileA may fail after the old file is gone (Wine's always removes it before
    // moving the new one in); the temporary file is then the only copy and must stay.
    if (GetFileAttributesA(target.c_str()) == INVALID_FILE_ATTRIBUTES &&
        GetLastError() == ERROR_FILE_NOT_FOUND) {
        return MoveFileExA(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) != 0;
    }
    DeleteFileA(temporary.c_str());
    return false;
}

// Written and flushed as a save is: the save that follows a copy replaces the file it was
// taken from, and a power cut then must not find the copy still in the cache.
bool CopyToNewFile(const char* from, const char* to) {
    FileHandle in(
        CreateFileA(from, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!in.Valid()) {
        return false;
    }
    std::vector<char> piece(ReadingPiece);
    bool readWhole = true;
    const PieceSource next = [&] {
        DWORD got = 0;
        readWhole = readWhole && ReadFile(in.handle, piece.data(), ReadingPiece, &got, nullptr);
        return std::string_view(piece.data(), readWhole ? got : 0);
    };
    if (!WriteNewFile(to, next)) {
        return false;
    }
    if (!readWhole) {
        DeleteFileA(to);
    }
    return readWhole;
}

std::vector<std::string> TemporaryFilesFor(const char* name) {
    std::vector<std::pair<ULONGLONG, std::string>> found;
    WIN32_FIND_DATAA entry;
    const HANDLE search = FindFirstFileA((std::string(name) + ".*.tmp").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
        return {};
    }
    do {
        if ((entry.dwFileAttributes & UnusableAttributes) == 0 &&
            IsTemporaryNameFor(entry.cFileName, name)) {
            const ULONGLONG written = static_cast<ULONGLONG>(entry.ftLastWriteTime.dwHighDateTime)
                                          << 32 |
                                      entry.ftLastWriteTime.dwLowDateTime;
            found.emplace_back(written, entry.cFileName);
        }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    std::sort(found.begin(), found.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<std::string> names;
    for (auto& file : found) {
        names.push_back(std::move(file.second));
    }
    return names;
}

bool RemoveFile(const char* name) {
    return DeleteFileA(name) != 0;
}

bool RenameToNewName(const char* from, const char* to) {
    return MoveFileExA(from, to, MOVEFILE_WRITE_THROUGH) != 0;
}
