// The file layer on POSIX systems, for the native build and its tests.
#include "platform/files.h"
#include "platform/save_faults.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

SaveStep FailingSaveStep = SaveStep::None;
std::function<void()> BeforeReplace;
int FilesReplaced = 0;
int BusyAttempts = 0;
bool RenamesFail = false;

namespace {

bool Fails(SaveStep step) {
    if (FailingSaveStep != step) {
        return false;
    }
    errno = step == SaveStep::Write ? ENOSPC : EACCES;
    return true;
}

// The attempt fails as it would while another program holds the file.
bool HeldElsewhere() {
    if (BusyAttempts == 0) {
        return false;
    }
    --BusyAttempts;
    errno = EBUSY;
    return true;
}

// Tries again while the file is held elsewhere, as the Windows side does.
template <typename Attempt> bool TryWhileBusy(Attempt attempt) {
    for (int tries = 1;; ++tries) {
        if (!HeldElsewhere()) {
            return attempt();
        }
        if (tries == BusyTries) {
            return false;
        }
        ::usleep(BusyWaitMs * 1000);
    }
}

// A plain file opened for reading; -1 when it can't be.
int OpenForReading(const char* name) {
    int fd = -1;
    TryWhileBusy([&] {
        fd = ::open(name, O_RDONLY);
        return fd >= 0;
    });
    struct stat info;
    if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Counts the saves of this process, so that each gets a temporary name of its own.
unsigned SavesStarted = 0;

// Closes its descriptor when it goes out of scope, unless already closed.
struct Descriptor {
    int fd;
    explicit Descriptor(int f) : fd(f) {}
    ~Descriptor() {
        if (fd >= 0) {
            ::close(fd);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    bool CloseNow() {
        const int result = ::close(fd);
        fd = -1;
        return result == 0;
    }
};

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

std::string FolderOf(const std::string& name) {
    const std::size_t slash = name.rfind('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : name.substr(0, slash);
}

// A rename is only durable once the folder that holds the names is on disk too. The new
// file is already whole under its name by then, so this is done as well as it can be.
void SyncFolder(const std::string& folder) {
    Descriptor dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY));
    if (dir.fd >= 0) {
        ::fsync(dir.fd);
    }
}

// Writes and flushes the bytes into a new file of that name; false if it exists already.
bool WriteNewFile(const std::string& name, const PieceSource& next) {
    if (Fails(SaveStep::CreateTemporary)) {
        return false;
    }
    Descriptor out(::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666));
    if (out.fd < 0) {
        return false;
    }
    bool whole = true;
    for (std::string_view piece = next(); whole && !piece.empty(); piece = next()) {
        // A write that fails leaves half a piece in the file, as a full disk would.
        const bool writeFails = Fails(SaveStep::Write);
        whole =
            WriteAll(out.fd, writeFails ? piece.substr(0, piece.size() / 2) : piece) && !writeFails;
    }
    whole = whole && !Fails(SaveStep::Flush) && ::fsync(out.fd) == 0;
    if (!out.CloseNow() || Fails(SaveStep::Close) || !whole) {
        ::unlink(name.c_str());
        return false;
    }
    return true;
}

} // namespace

EntryKind KindOfEntry(const char* name) {
    struct stat info;
    if (::stat(name, &info) != 0) {
        return errno == ENOENT ? EntryKind::Missing : EntryKind::Unreachable;
    }
    return S_ISREG(info.st_mode) ? EntryKind::File : EntryKind::Unusable;
}

std::optional<FileStamp> StampOfFile(const char* name) {
    struct stat info;
    if (::stat(name, &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    return FileStamp{static_cast<std::uint64_t>(info.st_size),
                     static_cast<std::uint64_t>(info.st_mtim.tv_sec) * 1000000000u +
                         static_cast<std::uint64_t>(info.st_mtim.tv_nsec),
                     static_cast<std::uint64_t>(info.st_ino)};
}

std::vector<std::string> FilesInFolder() {
    std::vector<std::string> names;
    DIR* folder = ::opendir(".");
    if (folder == nullptr) {
        return names;
    }
    while (const dirent* entry = ::readdir(folder)) {
        struct stat info;
        if (::lstat(entry->d_name, &info) == 0 && S_ISREG(info.st_mode)) {
            names.emplace_back(entry->d_name);
        }
    }
    ::closedir(folder);
    return names;
}

bool ReadWholeFile(const char* name, std::string& bytes) {
    bytes.clear();
    Descriptor in(OpenForReading(name));
    struct stat info;
    if (in.fd < 0 || ::fstat(in.fd, &info) != 0) {
        return false;
    }
    bytes.resize(static_cast<std::size_t>(info.st_size));
    std::size_t filled = 0;
    while (filled < bytes.size()) {
        const ssize_t got = ::read(in.fd, bytes.data() + filled, bytes.size() - filled);
        if (got == 0) {
            break;
        }
        if (got < 0 && errno != EINTR) {
            bytes.clear();
            return false;
        }
        filled += got > 0 ? static_cast<std::size_t>(got) : 0;
    }
    bytes.resize(filled);
    // The file may have grown since fstat: take the rest too.
    char more[4096];
    for (;;) {
        const ssize_t got = ::read(in.fd, more, sizeof more);
        if (got == 0) {
            return true;
        }
        if (got < 0 && errno != EINTR) {
            bytes.clear();
            return false;
        }
        bytes.append(more, got > 0 ? static_cast<std::size_t>(got) : 0);
    }
}

bool ReadFileInPieces(const char* name, const std::function<void(std::string_view)>& take) {
    Descriptor in(OpenForReading(name));
    if (in.fd < 0) {
        return false;
    }
    char piece[1 << 16];
    for (;;) {
        const ssize_t got = ::read(in.fd, piece, sizeof piece);
        if (got == 0) {
            return true;
        }
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        take(std::string_view(piece, static_cast<std::size_t>(got)));
    }
}

bool ReplaceFileKeepingOld(const char* name, const PieceSource& next, std::string& replaced) {
    replaced.clear();
    struct stat info;
    const bool replacing = ::stat(name, &info) == 0;
    if (replacing) {
        // Without the owner's write bit the file counts as read-only, even for root.
        if (!S_ISREG(info.st_mode) || (info.st_mode & S_IWUSR) == 0 || ::access(name, W_OK) != 0) {
            return false;
        }
    } else if (errno != ENOENT) {
        return false;
    }
    const std::string target = name;
    const std::string temporary =
        TemporaryNameFor(target, static_cast<unsigned long>(::getpid()), ++SavesStarted);
    if (!WriteNewFile(temporary, next)) {
        return false;
    }
    const std::string finished = FinishedNameFor(temporary);
    if (::rename(temporary.c_str(), finished.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    // The new file keeps the old one's permissions.
    if ((replacing && ::chmod(finished.c_str(), info.st_mode & 07777) != 0) ||
        Fails(SaveStep::Replace)) {
        ::unlink(finished.c_str());
        return false;
    }
    if (BeforeReplace) {
        BeforeReplace();
    }
    // A second name for the file replaced, as the Windows side moves it aside; it goes again
    // when the replace fails, since the file then still stands under its own.
    const std::string old = ReplacedNameFor(temporary);
    const bool kept = ::link(target.c_str(), old.c_str()) == 0;
    if (!TryWhileBusy([&] { return ::rename(finished.c_str(), target.c_str()) == 0; })) {
        ::unlink(finished.c_str());
        if (kept) {
            ::unlink(old.c_str());
        }
        return false;
    }
    if (kept) {
        replaced = old;
    }
    SyncFolder(FolderOf(target));
    ++FilesReplaced;
    return true;
}

bool CopyToNewFile(const char* from, const char* to) {
    std::string bytes;
    if (!ReadWholeFile(from, bytes) || !WriteNewFile(to, OnePiece(bytes))) {
        return false;
    }
    SyncFolder(FolderOf(to));
    return true;
}

std::vector<Leftover> LeftoversOfSaves(const char* name) {
    std::vector<std::pair<struct timespec, Leftover>> found;
    DIR* folder = ::opendir(".");
    if (folder == nullptr) {
        return {};
    }
    while (const dirent* entry = ::readdir(folder)) {
        const LeftoverKind kind = KindOfLeftover(entry->d_name, name);
        struct stat info;
        if (kind != LeftoverKind::None && ::lstat(entry->d_name, &info) == 0 &&
            S_ISREG(info.st_mode)) {
            found.push_back({info.st_mtim, {entry->d_name, kind}});
        }
    }
    ::closedir(folder);
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return a.first.tv_sec != b.first.tv_sec ? a.first.tv_sec > b.first.tv_sec
                                                : a.first.tv_nsec > b.first.tv_nsec;
    });
    std::vector<Leftover> leftovers;
    for (auto& entry : found) {
        leftovers.push_back(std::move(entry.second));
    }
    return leftovers;
}

bool RemoveFile(const char* name) {
    return ::unlink(name) == 0;
}

bool RenameToNewName(const char* from, const char* to) {
    // A hard link fails when the new name exists, where a rename would replace it.
    if (RenamesFail || ::link(from, to) != 0) {
        return false;
    }
    ::unlink(from);
    SyncFolder(".");
    return true;
}

// The tests choose a history file of their own where they need one.
std::string PadHistoryFolder() {
    return std::string();
}

std::string WorkingFolderPath() {
    char path[4096];
    return getcwd(path, sizeof path) != nullptr ? std::string(path) : std::string();
}
