// Starting Quillpad.exe in a folder of its own and seeing it end.
#include "process.h"

#include "check.h"
#include "platform/wide_text.h"

#include <vector>

namespace {

std::string programPath;

std::string DriverFolder() {
    char name[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, name, MAX_PATH);
    std::string path(name, length);
    return path.substr(0, path.find_last_of("\\/"));
}

// Removes a folder and everything in it, read-only entries and names in any script
// included.
void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            const std::wstring full = path + L"\\" + name;
            SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(full);
            } else {
                DeleteFileW(full.c_str());
            }
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(path.c_str());
}

} // namespace

void SetProgramPath(const std::string& path) {
    programPath = path;
}

const std::string& ProgramPath() {
    if (programPath.empty()) {
        programPath = DriverFolder() + "\\Quillpad.exe";
    }
    return programPath;
}

WorkFolder::WorkFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    for (unsigned attempt = 0;; ++attempt) {
        const std::string candidate =
            std::string(temp) + "quillpad-e2e-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(GetTickCount64()) + "-" + std::to_string(attempt);
        if (CreateDirectoryA(candidate.c_str(), nullptr)) {
            path_ = candidate;
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS || attempt > 100) {
            Fail("cannot create a work folder under " + std::string(temp));
        }
    }
}

WorkFolder::WorkFolder(const std::string& parent, const std::string& name)
    : path_(parent + "\\" + name) {
    if (!CreateDirectoryW(Wide(path_).c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        Fail("cannot create the folder " + path_);
    }
}

WorkFolder::~WorkFolder() {
    RemoveTree(Wide(path_));
}

RunningProgram::RunningProgram(const WorkFolder& folder, const std::string& arguments)
    : RunningProgram(folder.Path(), arguments) {}

RunningProgram::RunningProgram(const std::string& folderPath, const std::string& arguments) {
    std::wstring line = Wide("\"" + ProgramPath() + "\"");
    if (!arguments.empty()) {
        line += L" " + Wide(arguments);
    }
    std::vector<wchar_t> commandLine(line.begin(), line.end());
    commandLine.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(Wide(ProgramPath()).c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, Wide(folderPath).c_str(), &startup, &info_)) {
        Fail("cannot start " + ProgramPath() + " (error " + std::to_string(GetLastError()) + ")");
    }
}

RunningProgram::~RunningProgram() {
    EndByForce();
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

void RunningProgram::EndByForce() {
    if (!HasEnded()) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
}

bool RunningProgram::HasEnded() const {
    return WaitForSingleObject(info_.hProcess, 0) == WAIT_OBJECT_0;
}

DWORD RunningProgram::WaitForExit(int timeoutMs) {
    if (WaitForSingleObject(info_.hProcess, static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0) {
        Fail("the program did not end within " + std::to_string(timeoutMs) + " ms");
    }
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}
