// The peer a user would reach for: the system's notepad opening the same pages as one text.
#include "notepad_peer.h"

#include "check.h"
#include "process_memory.h"
#include "stopwatch.h"
#include "window_reading.h"

#include <windows.h>

namespace {

std::string NotepadPath() {
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, MAX_PATH);
    return std::string(folder, length) + "\\notepad.exe";
}

// The edit control of the process's visible main window, null while there is none.
HWND EditControlOf(DWORD processId) {
    for (HWND window : TopLevelWindows(processId)) {
        if (HWND edit = FindWindowExA(window, nullptr, "Edit", nullptr)) {
            return edit;
        }
    }
    return nullptr;
}

void OpenOnce(const std::string& textPath, std::size_t length, int capMs, NotepadFigures& figures) {
    const std::string program = NotepadPath();
    std::string line = "\"" + program + "\" \"" + textPath + "\"";
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const double started = NowMs();
    if (!CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info)) {
        Fail("cannot start " + program + " (error " + std::to_string(GetLastError()) + ")");
    }
    bool shown = false;
    HWND edit = nullptr;
    while (!shown && NowMs() - started < capMs) {
        if (!edit) {
            edit = EditControlOf(info.dwProcessId);
        }
        DWORD_PTR chars = 0;
        const auto left = static_cast<UINT>(capMs - (NowMs() - started)) + 1;
        // The answer comes once notepad is idle again, so a long load is waited out here.
        shown = edit &&
                SendMessageTimeoutA(edit, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, left, &chars) &&
                chars >= length;
        if (!shown) {
            Sleep(1);
        }
    }
    const double elapsed = NowMs() - started;
    figures.peakMb.push_back(PeakWorkingSetMb(info.dwProcessId));
    if (shown) {
        figures.shownMs.push_back(elapsed);
        PostMessageA(GetAncestor(edit, GA_ROOT), WM_CLOSE, 0, 0);
    } else {
        figures.timedOut = true;
    }
    if (WaitForSingleObject(info.hProcess, shown ? 10000 : 0) != WAIT_OBJECT_0) {
        TerminateProcess(info.hProcess, 1);
        WaitForSingleObject(info.hProcess, 10000);
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
}

} // namespace

NotepadFigures MeasureNotepad(const std::string& textPath, std::size_t length, int runs,
                              int capMs) {
    NotepadFigures figures;
    for (int run = 0; run < runs && !figures.timedOut; ++run) {
        OpenOnce(textPath, length, capMs, figures);
    }
    return figures;
}
