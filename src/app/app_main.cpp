// Start-up and shutdown of the program, around the main window's run.
#include "app/app_main.h"

#include "app/help_mode.h"
#include "app/main_window_events.h"
#include "app/single_copy.h"
#include "padfile/pad_state.h"
#include "platform/files.h"
#include "search/search.h"
#include "store/page_store.h"
#include "store/pages_file.h"
#include "sync/version_history.h"

int AppMain() {
    // Two copies on one pad would overwrite each other's pages.
    if (!ClaimWorkingFolder()) {
        ShowCopyHoldingFolder();
        return 0;
    }
    HelpPages.assign(11, std::string());
    if (const std::string folder = PadHistoryFolder(); !folder.empty()) {
        HistoryFileName = HistoryFileFor(folder, WorkingFolderPath());
    }
    if (OpenPad()) {
        CurrentPage = 1;
        LookAtPadOnDisk();
        BuildMainWindow();
        StoreTypedText();
    }
    return 0;
}

void ResetProgramState() {
    Pages.clear();
    CurrentPage = 0;
    HelpMode = 0;
    TypedText.clear();
    TypedPage = 0;
    ShownText.clear();
    FileHeader.clear();
    WindowLeft = 0;
    WindowTop = 0;
    NoStoredPosition = 0;
    SearchText.clear();
    HelpPages.clear();
    PageBeforeHelp = 0;
    PagesKeptDuringHelp.clear();
    SaveState = PadSaveState();
    History = PadHistory();
    HistoryFileName.clear();
}
