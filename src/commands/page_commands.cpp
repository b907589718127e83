// New Page, Insert Page and Delete Page, with their questions and refusals.
#include "commands/page_commands.h"

#include "padfile/pad_state.h"
#include "store/page_store.h"
#include "store/pages_file.h"
#include "text/bytes.h"

#include <string>

namespace {

std::string WithoutBlanks(std::int32_t n) {
    return TrimBlanks(NumberText(n));
}

std::string InsertQuestion(std::int32_t p, std::int32_t n) {
    std::string text = "Are you sure you would like to insert a page before page" + NumberText(p) +
                       " ? This will make this new page No." + WithoutBlanks(p) +
                       " and what was page No." + WithoutBlanks(p) + " will become page No." +
                       WithoutBlanks(p + 1);
    if (p != n) {
        text += " and all the pages above will be moved up one number.";
    }
    return text;
}

// The window stays usable while a question is open, so the pad may have changed before
// the answer. The command still acts on page p, the one its question named, when that
// page is there; the field is first stored into the page it shows.
bool BackOnQuestionedPage(std::int32_t p, std::int32_t lowest) {
    if (HelpMode == 1 || p < lowest || p > PageCount()) {
        return false;
    }
    if (CurrentPage != p) {
        StorePageText();
        CurrentPage = p;
    }
    return true;
}

} // namespace

int NewPage(WindowHandle, unsigned, std::uintptr_t, std::intptr_t) {
    StorePageText();
    GrowPages();
    CurrentPage = PageCount();
    SavePagesFile();
    ShowPage();
    FocusControl(ID_PAGE_TEXT);
    return 0;
}

// The new empty page reaches the file with the next save.
int InsertPage(WindowHandle, unsigned, std::uintptr_t, std::intptr_t) {
    StorePageText();
    const std::int32_t p = CurrentPage;
    if (p == 1) {
        Tell("You can't Insert a page before page 1!", "Insert Page");
        FocusControl(ID_SEARCH_BOX);
        return 0;
    }
    if (!AskYesNo(InsertQuestion(p, PageCount()), "Insert Page") || !BackOnQuestionedPage(p, 1)) {
        return 0;
    }
    InsertEmptyPage(p);
    ShowPage();
    FocusControl(ID_PAGE_TEXT);
    return 0;
}

// The field is not stored first: edits of the page deleted go with it.
int DeletePage(WindowHandle, unsigned, std::uintptr_t, std::intptr_t) {
    TellPadNews();
    const std::int32_t p = CurrentPage;
    if (p == 1) {
        Tell("You can't Delete Page 1", "Delete Page");
        FocusControl(ID_SEARCH_BOX);
        return 0;
    }
    if (!AskYesNo("Are you sure you wish to delete page" + NumberText(p), "Delete Page") ||
        !BackOnQuestionedPage(p, 2)) {
        return 0;
    }
    DeletePageAt(p);
    if (CurrentPage > PageCount()) {
        CurrentPage = PageCount();
    }
    ShowPage();
    SavePagesFile();
    return 0;
}
