// One copy per folder on Windows: a named shared-memory block claims the folder and holds
// the number of the process that claimed it, whose window a later start brings forward.
#include "app/main_window.h"
#include "app/single_copy.h"
#include "platform/files.h"
#include "platform/wide_text.h"
#include "platform/window_win32.h"

#include <string>
#include <string_view>

namespace {

// Open for the whole run: the claim lasts as long as some copy holds the block.
HANDLE Claim = nullptr;

DWORD ProcessHoldingFolder() {
    void* view = MapViewOfFile(Claim, FILE_MAP_READ, 0, 0, sizeof(DWORD));
    if (view == nullptr) {
        return 0;
    }
    const DWORD process = *static_cast<const volatile DWORD*>(view);
    UnmapViewOfFile(view);
    return process;
}

struct WindowSearch {
    DWORD process;
    HWND main;  // titled Quillpad and holding the page text field
    HWND other; // another window of it titled Quillpad: a message box at its start
};

BOOL CALLBACK LookAtWindow(HWND window, LPARAM search) {
    auto& found = *reinterpret_cast<WindowSearch*>(search);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    // "Quillpad", or after it " - page 7 is full", " - not saved" or both: only the start
    // is compared.
    char title[32] = {};
    GetWindowTextA(window, title, sizeof title);
    if (process != found.process || std::string_view(title).substr(0, 8) != "Quillpad" ||
        !IsWindowVisible(window)) {
        return TRUE;
    }
    if (GetDlgItem(window, ID_PAGE_TEXT) != nullptr) {
        found.main = window;
        return FALSE;
    }
    found.other = window;
    return TRUE;
}

} // namespace

bool ClaimWorkingFolder() {
    const std::string folder = WorkingFolderPath();
    if (folder.empty()) {
        return true;
    }
    Claim = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(DWORD),
                               FolderClaimName(folder).c_str());
    if (Claim == nullptr) {
        return true; // no claim can be made: run as before rather than not at all
    }
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        return false;
    }
    if (void* view = MapViewOfFile(Claim, FILE_MAP_WRITE, 0, 0, sizeof(DWORD))) {
        *static_cast<volatile DWORD*>(view) = GetCurrentProcessId();
        UnmapViewOfFile(view);
    }
    return true;
}

void ShowCopyHoldingFolder() {
    WaitForVisualStyles();
    // The other copy may be starting still: give it a few seconds to show its window.
    for (int attempt = 0; attempt < 100; ++attempt) {
        WindowSearch search{ProcessHoldingFolder(), nullptr, nullptr};
        if (search.process != 0) {
            EnumWindows(LookAtWindow, reinterpret_cast<LPARAM>(&search));
        }
        if (const HWND window = search.main ? search.main : search.other) {
            if (IsIconic(window)) {
                ShowWindow(window, SW_RESTORE);
            }
            SetForegroundWindow(window);
            return;
        }
        Sleep(50);
    }
}
