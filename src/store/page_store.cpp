// Growing and renumbering the page list, and moving text between it and the page text field,
// which shows it in UTF-8 whatever the pad keeps it in.
#include "store/page_store.h"

#include "platform/window.h"
#include "store/pad_state.h"
#include "store/pad_text.h"
#include "store/pages_file.h"
#include "store/stored_text.h"
#include "text/bytes.h"

std::string TypedText;
std::int32_t TypedPage = 0;
std::string ShownText;

namespace {

constexpr int TypingPauseMs = 1500;

// Set while the program itself puts a page into the field, which is no change by the user.
bool ShowingPage = false;

bool CurrentPageExists() {
    return CurrentPage >= 1 && CurrentPage <= PageCount();
}

// Puts the window's text into the current page; false when the page held it already.
bool PutIntoCurrentPage(std::string_view windowText) {
    std::string stored = EncodePageText(TextForPad(windowText));
    ShownText.assign(windowText);
    if (stored == Pages[CurrentPage]) {
        return false;
    }
    Pages[CurrentPage] = std::move(stored);
    SaveState.pagesAhead = true;
    return true;
}

// Puts what the field shows into the current page; false when it holds no change.
bool TakeFieldIntoPage() {
    const std::string text = ControlText(ID_PAGE_TEXT);
    return text != ShownText && PutIntoCurrentPage(text);
}

} // namespace

void GrowPages() {
    if (Pages.empty()) {
        Pages.emplace_back();
    }
    Pages.emplace_back();
    SaveState.pagesAhead = true;
}

// After pages are renumbered the typed copy may name a page that now holds other text,
// so it is given up; the field itself is stored before any later move or at closing.
void InsertEmptyPage(std::int32_t n) {
    Pages.insert(Pages.begin() + n, std::string());
    TypedPage = 0;
    SaveState.pagesAhead = true;
}

void DeletePageAt(std::int32_t n) {
    Pages.erase(Pages.begin() + n);
    TypedPage = 0;
    SaveState.pagesAhead = true;
}

// Storing ends the wait for a typing pause, and is where the user acts: what waited for
// that is told first. While the pad is unsaved, every store saves again, changed page or
// not.
void StorePageText() {
    StopWaitTimer();
    TellPadNews();
    if (HelpMode == 1 || !CurrentPageExists()) {
        return;
    }
    if (TakeFieldIntoPage() || SaveState.unsaved) {
        SavePagesFile();
    }
}

void ShowPage() {
    SetControlText(ID_PAGE_BOX, TrimBlanks(NumberText(CurrentPage)));
    SetControlText(ID_PAGE_COUNT, NumberText(PageCount()));
    ShownText = CurrentPageExists() ? TextForWindow(DecodePageText(Pages[CurrentPage])) : "";
    ShowingPage = true;
    SetControlText(ID_PAGE_TEXT, ShownText);
    ShowingPage = false;
}

void PageTextChanged() {
    if (HelpMode == 0 && !ShowingPage) {
        StartWaitTimer(TypingPauseMs);
    }
}

// The user may go on typing at any moment: nothing here shows a box.
void TypingPaused() {
    Quietly(StorePageText);
}

void TakeTypedText() {
    TypedPage = CurrentPage;
    TypedText = ControlText(ID_PAGE_TEXT);
}

void StoreTypedText() {
    if (TypedPage != CurrentPage || TypedText.empty() || HelpMode == 1 || !CurrentPageExists() ||
        TypedText == ShownText || !PutIntoCurrentPage(TypedText)) {
        return;
    }
    SavePagesFile();
}

void PageTextGotFocus() {
    SelectText(ID_PAGE_TEXT, -1, -1);
    TakeTypedText();
}

// The copy is taken again too, so that the older copy can't overwrite the text at shutdown.
// Pages ahead of the file (an inserted page) are saved as well, from help mode too.
void StoreShownPage() {
    StopWaitTimer();
    if (HelpMode != 1 && CurrentPageExists()) {
        TakeFieldIntoPage();
        TakeTypedText();
    }
    SaveWhatTheFileLacks();
}
