// Switching between the user's pages and the help pages.
#include "app/help_mode.h"

#include "app/main_window_events.h"
#include "padfile/pad_state.h"
#include "platform/window.h"
#include "store/page_store.h"

std::vector<std::string> HelpPages;

namespace {

void EnablePageButtons(bool enabled) {
    EnableControl(ID_NEW_PAGE, enabled);
    EnableControl(ID_DELETE_PAGE, enabled);
    EnableControl(ID_INSERT_PAGE, enabled);
}

// The page is stored and saved first; the user's pages then wait in memory, so that help
// gives back every page the user had, whatever another program does to the pages file
// meanwhile and whether or not they could be saved.
void EnterHelpMode() {
    PageBeforeHelp = CurrentPage;
    StorePageText();
    PagesKeptDuringHelp = std::move(Pages);
    EnablePageButtons(false);
    SetControlText(ID_HELP_BUTTON, "&Exit Help");
    MakePageTextField(true);
    BuildHelpPages();
    CurrentPage = 1;
    ShowPage();
    HelpMode = 1;
    FocusControl(ID_SEARCH_BOX);
}

// The pages come back from memory: they are what the file held when help began, or newer.
// A version another program put into the file meanwhile is taken in once they are shown.
void LeaveHelpMode() {
    TellPadNews();
    EnablePageButtons(true);
    SetControlText(ID_HELP_BUTTON, "&Help");
    MakePageTextField(false);
    CurrentPage = PageBeforeHelp;
    Pages = std::move(PagesKeptDuringHelp);
    PagesKeptDuringHelp.clear();
    ShowPage();
    HelpMode = 0;
    LookAtPadOnDisk();
    FocusControl(ID_SEARCH_BOX);
}

} // namespace

int OnHelpButton(WindowHandle, unsigned, std::uintptr_t, std::intptr_t) {
    if (HelpMode == 0) {
        EnterHelpMode();
    } else {
        LeaveHelpMode();
    }
    return 0;
}
