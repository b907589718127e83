// Starting Quillpad.exe in a folder of its own and seeing it end.
#pragma once

#include <windows.h>

#include <string>

// The program under test; the driver's own folder holds it unless told otherwise.
void SetProgramPath(const std::string& path);
const std::string& ProgramPath();

// A fresh empty folder under the temporary folder, removed with all it holds at the end.
class WorkFolder {
  public:
    WorkFolder();
    // The folder of this name in the parent folder, made unless it is there already.
    WorkFolder(const std::string& parent, const std::string& name);
    ~WorkFolder();
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;

    const std::string& Path() const { return path_; }
    // The full name of an entry in the folder.
    std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

  private:
    std::string path_;
};

// One run of the program; ended by force if a scenario leaves it running.
class RunningProgram {
  public:
    // Starts the program with the folder as its working directory; arguments follow
    // the program's name on the command line.
    RunningProgram(const WorkFolder& folder, const std::string& arguments = "");
    // The same with the folder given as a path (UTF-8), spelt however the scenario likes.
    RunningProgram(const std::string& folderPath, const std::string& arguments);
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    DWORD ProcessId() const { return info_.dwProcessId; }
    bool HasEnded() const;
    // Waits for the end and returns the exit code; fails the scenario on a timeout.
    DWORD WaitForExit(int timeoutMs = 5000);
    // Ends the program at once, as a crash or End task would, and waits until it is gone.
    void EndByForce();

  private:
    PROCESS_INFORMATION info_{};
};
