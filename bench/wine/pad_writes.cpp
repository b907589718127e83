// Counting the writes of the pad by watching its folder for new files named Quillpad.qpd.
#include "pad_writes.h"

#include "check.h"
#include "pages_file.h"

#include <cwchar>

PadWriteCounter::PadWriteCounter(const std::string& folder)
    : folder_(CreateFileA(folder.c_str(), FILE_LIST_DIRECTORY,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED,
                          nullptr)),
      done_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    if (folder_ == INVALID_HANDLE_VALUE || !done_) {
        Fail("cannot watch the folder " + folder);
    }
    Watch();
}

PadWriteCounter::~PadWriteCounter() {
    CancelIo(folder_);
    DWORD ignored = 0;
    GetOverlappedResult(folder_, &overlapped_, &ignored, TRUE);
    CloseHandle(folder_);
    CloseHandle(done_);
}

void PadWriteCounter::Watch() {
    ResetEvent(done_);
    overlapped_ = OVERLAPPED{};
    overlapped_.hEvent = done_;
    if (!ReadDirectoryChangesW(folder_, changes_, sizeof changes_, FALSE,
                               FILE_NOTIFY_CHANGE_FILE_NAME, nullptr, &overlapped_, nullptr)) {
        Fail("cannot watch the pad's folder (error " + std::to_string(GetLastError()) + ")");
    }
}

void PadWriteCounter::TakeChanges() {
    while (WaitForSingleObject(done_, 0) == WAIT_OBJECT_0) {
        DWORD bytes = 0;
        if (!GetOverlappedResult(folder_, &overlapped_, &bytes, FALSE) || bytes == 0) {
            overflowed_ = true;
        } else {
            wchar_t padName[MAX_PATH];
            const int padLength =
                MultiByteToWideChar(CP_ACP, 0, PagesFileName, -1, padName, MAX_PATH) - 1;
            for (DWORD at = 0;;) {
                const auto* change =
                    reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(changes_ + at);
                const bool namesPad = change->FileNameLength == padLength * sizeof(wchar_t) &&
                                      std::wcsncmp(change->FileName, padName, padLength) == 0;
                if (namesPad && (change->Action == FILE_ACTION_ADDED ||
                                 change->Action == FILE_ACTION_RENAMED_NEW_NAME)) {
                    ++writes_;
                }
                if (change->NextEntryOffset == 0) {
                    break;
                }
                at += change->NextEntryOffset;
            }
        }
        Watch();
    }
}

int PadWriteCounter::CountWhenQuiet(int quietMs) {
    TakeChanges();
    for (int seen = writes_;; seen = writes_) {
        Sleep(static_cast<DWORD>(quietMs));
        TakeChanges();
        if (writes_ == seen) {
            return writes_;
        }
    }
}
