// The themed common controls, loaded on a thread of their own while the main thread reads
// the pad: loading them at the first control held the window back by tens of ms.
#include "platform/window_win32.h"

namespace {

HANDLE Loader = nullptr;

// The manifest's activation context makes this the themed version 6, whose loading
// registers the control classes the window's controls then use.
DWORD WINAPI LoadCommonControls(void*) {
    LoadLibraryW(L"comctl32.dll");
    return 0;
}

} // namespace

void StartLoadingVisualStyles() {
    Loader = CreateThread(nullptr, 0, LoadCommonControls, nullptr, 0, nullptr);
}

// The main thread touches the display only after the loader is done: the loader's set-up
// of the display and a window made meanwhile would each wait for the other's lock.
void WaitForVisualStyles() {
    if (Loader != nullptr) {
        WaitForSingleObject(Loader, INFINITE);
        CloseHandle(Loader);
        Loader = nullptr;
    }
}
