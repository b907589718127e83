// How much memory another process has used at most.
#include "process_memory.h"

#include "check.h"

#include <psapi.h>

double PeakWorkingSetMb(DWORD processId) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
    if (!process) {
        Fail("cannot open process " + std::to_string(processId));
    }
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    const bool read = GetProcessMemoryInfo(process, &counters, sizeof counters) != 0;
    CloseHandle(process);
    Expect(read, "cannot read the memory counters of process " + std::to_string(processId));
    return static_cast<double>(counters.PeakWorkingSetSize) / (1 << 20);
}
