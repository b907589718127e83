// Switching between the user's pages and the help pages.
#include "app/help_mode.h"

#include "platform/window.h"
#include "store/page_store.h"
#include "store/pages_file.h"

#include <algorithm>

std::vector<std::string> HelpPages;
std::int32_t PageBeforeHelp = 0;
std::vector<std::string> PagesKeptDuringHelp;

namespace {

void EnablePageButtons(bool enabled) {
    EnableControl(ID_NEW_PAGE, enabled);
    EnableControl(ID_DELETE_PAGE, enabled);
    EnableControl(ID_INSERT_PAGE, enabled);
}

// Storing the page first makes the pages file hold the user's pages, and nothing writes
// it while the help pages are shown. Pages that could not be saved stay in memory instead.
void EnterHelpMode() {
    PageBeforeHelp = CurrentPage;
    StorePageText();
    if (ChangesUnsaved) {
        PagesKeptDuringHelp = std::move(Pages);
    }
    EnablePageButtons(false);
    SetControlText(ID_HELP_BUTTON, "&Exit Help");
    MakePageTextField(true);
    BuildHelpPages();
    CurrentPage = 1;
    ShowPage();
    HelpMode = 1;
    FocusControl(ID_SEARCH_BOX);
}

// The pages file may have lost pages meanwhile (another copy of the program working in
// the same folder), so the page shown before help may no longer exist.
void LeaveHelpMode() {
    EnablePageButtons(true);
    SetControlText(ID_HELP_BUTTON, "&Help");
    MakePageTextField(false);
    CurrentPage = PageBeforeHelp;
    if (!PagesKeptDuringHelp.empty()) {
        Pages = std::move(PagesKeptDuringHelp);
        PagesKeptDuringHelp.clear();
    } else {
        ReadPages();
    }
    CurrentPage = std::clamp(CurrentPage, 1, std::max(1, PageCount()));
    ShowPage();
    HelpMode = 0;
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
