// The file layer on Windows: names in UTF-8, handed to Windows as UTF-16 so that files in a
// folder of any name work; reading shared with other programs; crash-safe replacing.
#include "platform/files.h"
#include "platform/wide_text.h"

#include <windows.h>

#include <shlobj.h>

#include <algorithm>
#include <string>
#include <string_view>
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

// What another program's hold on a file looks like: a sharing violation, a lock, or a
// file that can't be removed for the moment.
bool Busy(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           error == ERROR_ACCESS_DENIED || error == ERROR_UNABLE_TO_REMOVE_REPLACED;
}

template <typename Attempt> bool TryWhileBusy(Attempt attempt) {
    for (int tries = 1;; ++tries) {
        if (attempt()) {
            return true;
        }
        if (tries == BusyTries || !Busy(GetLastError())) {
            return false;
        }
        Sleep(BusyWaitMs);
    }
}

// Shared with every other reader and writer, so that a sync client, an indexer or a virus
// scanner holding the file never makes the read fail, nor the read them.
HANDLE OpenForReading(const char* name) {
    const std::wstring wide = Wide(name);
    HANDLE file = INVALID_HANDLE_VALUE;
    TryWhileBusy([&] {
        file = CreateFileW(wide.c_str(), GENERIC_READ,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        return file != INVALID_HANDLE_VALUE;
    });
    return file;
}

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
    FileHandle out(CreateFileW(Wide(name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
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
        DeleteFileW(Wide(name).c_str());
        return false;
    }
    return true;
}

std::wstring FullPath(const std::string& name) {
    const std::wstring relative = Wide(name);
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFullPathNameW(relative.c_str(), static_cast<DWORD>(full.size()),
                                              full.data(), nullptr);
        if (length == 0) {
            return relative;
        }
        if (length < full.size()) {
            full.resize(length);
            return full;
        }
        full.resize(length);
    }
}

DWORD AttributesOf(const std::string& name) {
    return GetFileAttributesW(Wide(name).c_str());
}

bool MoveToNewName(const std::string& from, const std::string& to) {
    return MoveFileExW(Wide(from).c_str(), Wide(to).c_str(), MOVEFILE_WRITE_THROUGH) != 0;
}

} // namespace

EntryKind KindOfEntry(const char* name) {
    WIN32_FIND_DATAW found;
    const HANDLE search = FindFirstFileW(Wide(name).c_str(), &found);
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

std::optional<FileStamp> StampOfFile(const char* name) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(Wide(name).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & UnusableAttributes) != 0) {
        return std::nullopt;
    }
    return FileStamp{static_cast<std::uint64_t>(data.nFileSizeHigh) << 32 | data.nFileSizeLow,
                     static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32 |
                         data.ftLastWriteTime.dwLowDateTime,
                     0};
}

std::vector<std::string> FilesInFolder() {
    std::vector<std::string> names;
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileW(L"*", &entry);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        if ((entry.dwFileAttributes & UnusableAttributes) == 0) {
            names.push_back(Utf8(entry.cFileName));
        }
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return names;
}

bool ReadWholeFile(const char* name, std::string& bytes) {
    bytes.clear();
    FileHandle in(OpenForReading(name));
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
    FileHandle in(OpenForReading(name));
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

bool ReplaceFileKeepingOld(const char* name, const PieceSource& next, std::string& replaced) {
    replaced.clear();
    const DWORD attributes = AttributesOf(name);
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
    const std::string finished = FinishedNameFor(temporary);
    const std::string old = ReplacedNameFor(temporary);
    if (!WriteNewFile(temporary, next)) {
        return false;
    }
    if (!MoveToNewName(temporary, finished)) {
        DeleteFileW(Wide(temporary).c_str());
        return false;
    }
    const bool replacing = attributes != INVALID_FILE_ATTRIBUTES;
    const auto movedAside = [&] { return AttributesOf(old) != INVALID_FILE_ATTRIBUTES; };
    // ReplaceFileW keeps the old file's attributes, security and creation time, and moves
    // the old file to the backup name first. It is given full paths: Wine's looks for a
    // folder of its own in the name it replaces. Once the old file is aside, trying again
    // could move a file that arrived meanwhile over it.
    const bool done = TryWhileBusy([&] {
        if (!replacing) {
            return MoveToNewName(finished, target);
        }
        if (ReplaceFileW(FullPath(target).c_str(), FullPath(finished).c_str(),
                         FullPath(old).c_str(), REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                         nullptr) != 0) {
            return true;
        }
        const DWORD error = GetLastError();
        const bool aside = movedAside();
        SetLastError(error);
        return aside;
    });
    if (replacing && movedAside()) {
        replaced = old;
    }
    if (done && AttributesOf(finished) == INVALID_FILE_ATTRIBUTES) {
        return true;
    }
    // The old file may be aside and the new one not yet in its place (a file that arrived
    // meanwhile took the name, or the move failed); with the name free, the finished file is
    // the newest whole copy and takes it.
    if (AttributesOf(target) == INVALID_FILE_ATTRIBUTES && GetLastError() == ERROR_FILE_NOT_FOUND) {
        return MoveToNewName(finished, target);
    }
    DeleteFileW(Wide(finished).c_str());
    return false;
}

// Written and flushed as a save is: the save that follows a copy replaces the file it was
// taken from, and a power cut then must not find the copy still in the cache.
bool CopyToNewFile(const char* from, const char* to) {
    FileHandle in(OpenForReading(from));
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
        DeleteFileW(Wide(to).c_str());
    }
    return readWhole;
}

std::vector<Leftover> LeftoversOfSaves(const char* name) {
    std::vector<std::pair<ULONGLONG, Leftover>> leftovers;
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileW(Wide(std::string(name) + ".*-*.*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) {
        return {};
    }
    do {
        const std::string found = Utf8(entry.cFileName);
        const LeftoverKind kind = KindOfLeftover(found, name);
        if ((entry.dwFileAttributes & UnusableAttributes) == 0 && kind != LeftoverKind::None) {
            const ULONGLONG written = static_cast<ULONGLONG>(entry.ftLastWriteTime.dwHighDateTime)
                                          << 32 |
                                      entry.ftLastWriteTime.dwLowDateTime;
            leftovers.push_back({written, {found, kind}});
        }
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    std::sort(leftovers.begin(), leftovers.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<Leftover> newestFirst;
    for (auto& leftover : leftovers) {
        newestFirst.push_back(std::move(leftover.second));
    }
    return newestFirst;
}

bool RemoveFile(const char* name) {
    return DeleteFileW(Wide(name).c_str()) != 0;
}

bool RenameToNewName(const char* from, const char* to) {
    return MoveToNewName(from, to);
}

// The folder as Windows resolves it, in UTF-8: its long name, so that a short 8.3 spelling
// counts as the same folder, and any character of its name kept.
std::string WorkingFolderPath() {
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(path.size()), path.data());
    if (length >= path.size()) {
        path.resize(length);
        length = GetCurrentDirectoryW(static_cast<DWORD>(path.size()), path.data());
    }
    if (length == 0 || length >= path.size()) {
        return std::string();
    }
    path.resize(length);
    std::wstring full(GetLongPathNameW(path.c_str(), nullptr, 0), L'\0');
    const DWORD fullLength =
        GetLongPathNameW(path.c_str(), full.data(), static_cast<DWORD>(full.size()));
    return Utf8(fullLength > 0 && fullLength < full.size() ? full.substr(0, fullLength) : path);
}

namespace {

bool IsFolder(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// A drive's or a share's path: a relative one would put the history in the pad's own folder.
bool IsFullPath(std::wstring_view path) {
    return (path.size() >= 3 && path[1] == L':' && (path[2] == L'\\' || path[2] == L'/')) ||
           path.starts_with(L"\\\\");
}

// The user's local application data. Every session's environment names it, and reading it
// keeps the shell and the libraries it brings out of the start; only without it is the shell
// asked.
std::wstring LocalAppDataFolder() {
    std::wstring local(MAX_PATH, L'\0');
    DWORD length =
        GetEnvironmentVariableW(L"LOCALAPPDATA", local.data(), static_cast<DWORD>(local.size()));
    if (length >= local.size()) {
        local.resize(length);
        length = GetEnvironmentVariableW(L"LOCALAPPDATA", local.data(),
                                         static_cast<DWORD>(local.size()));
    }
    if (length > 0 && length < local.size()) {
        local.resize(length);
        if (IsFullPath(local) && IsFolder(local)) {
            return local;
        }
    }
    using FolderPathProc = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);
    const HMODULE shell = LoadLibraryW(L"shell32.dll");
    const auto folderPath = shell == nullptr
                                ? nullptr
                                : reinterpret_cast<FolderPathProc>(reinterpret_cast<void (*)()>(
                                      GetProcAddress(shell, "SHGetFolderPathW")));
    wchar_t asked[MAX_PATH] = {};
    if (folderPath == nullptr ||
        FAILED(folderPath(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE, nullptr, 0, asked))) {
        return std::wstring();
    }
    return asked;
}

} // namespace

// Under the user's local application data, which roaming profiles and sync folders leave out.
std::string PadHistoryFolder() {
    const std::wstring local = LocalAppDataFolder();
    if (local.empty()) {
        return std::string();
    }
    std::wstring folder = local + L"\\Quillpad";
    CreateDirectoryW(folder.c_str(), nullptr);
    folder += L"\\History";
    CreateDirectoryW(folder.c_str(), nullptr);
    return IsFolder(folder) ? Utf8(folder) : std::string();
}
