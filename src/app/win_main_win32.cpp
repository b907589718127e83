// The Windows entry point: the program's main procedure runs and its result is the exit
// code.
#include "app/app_main.h"
#include "platform/window_win32.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    StartLoadingVisualStyles();
    const int exitCode = AppMain();
    // A start that ends before any window is made must not end the loader inside its loading.
    WaitForVisualStyles();
    return exitCode;
}
