// quillpad_e2e: runs one named scenario against the real program, or lists them all.
#include "check.h"
#include "display_dpi.h"
#include "process.h"
#include "scenario_table.h"
#include "screenshot.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

namespace {

int Usage() {
    std::fprintf(stderr, "usage: quillpad_e2e [--exe PATH] [--screenshots FOLDER] [--dpi N] NAME\n"
                         "       quillpad_e2e --list\n");
    return 2;
}

int List() {
    for (const Scenario& scenario : AllScenarios()) {
        std::printf("%-40s %s\n", scenario.name, scenario.summary);
    }
    return 0;
}

int Run(const std::string& name) {
    for (const Scenario& scenario : AllScenarios()) {
        if (name != scenario.name) {
            continue;
        }
        const ULONGLONG started = GetTickCount64();
        SetFailureScreenshotName(std::string(scenario.name) + "_failed");
        try {
            scenario.run();
        } catch (const ScenarioFailure& failure) {
            std::printf("FAIL %s: %s\n", scenario.name, failure.what());
            return 1;
        } catch (const std::exception& error) {
            std::printf("FAIL %s: unexpected error: %s\n", scenario.name, error.what());
            return 1;
        }
        std::printf("PASS %s (%llu ms)\n", scenario.name, GetTickCount64() - started);
        return 0;
    }
    std::fprintf(stderr, "no scenario named %s; --list shows them\n", name.c_str());
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    // Places and sizes are read in the screen's own pixels, whatever its DPI.
    SetProcessDPIAware();
    std::string name;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--list") == 0) {
            return List();
        }
        if (std::strcmp(argv[i], "--exe") == 0 && i + 1 < argc) {
            SetProgramPath(argv[++i]);
        } else if (std::strcmp(argv[i], "--screenshots") == 0 && i + 1 < argc) {
            SetScreenshotFolder(argv[++i]);
        } else if (std::strcmp(argv[i], "--dpi") == 0 && i + 1 < argc) {
            SetExpectedDpi(std::atoi(argv[++i]));
        } else if (argv[i][0] != '-' && name.empty()) {
            name = argv[i];
        } else {
            return Usage();
        }
    }
    if (name.empty()) {
        return Usage();
    }
    const DWORD attributes = GetFileAttributesA(ProgramPath().c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        std::printf("FAIL %s: the program %s is not there\n", name.c_str(), ProgramPath().c_str());
        return 1;
    }
    return Run(name);
}
