// Growing and renumbering the page list, and moving text between it and the page text field.
#include "store/page_store.h"

#include "platform/window.h"
#include "store/pages_file.h"
#include "store/stored_text.h"
#include "text/bytes.h"

std::string TypedText;
std::int32_t TypedPage = 0;

namespace {

constexpr int TypingPauseMs = 1500;

// Set while the program itself puts a page into the field, which is no change by the user.
bool ShowingPage = false;

bool CurrentPageExists() {
    return CurrentPage >= 1 && CurrentPage <= PageCount();
}

void PutIntoCurrentPage(std::string stored) {
    Pages[CurrentPage] = std::move(stored);
    PagesAheadOfFile = true;
}

} // namespace

void GrowPages() {
    if (Pages.empty()) {
        Pages.emplace_back();
    }
    Pages.emplace_back();
    PagesAheadOfFile = true;
}

// After pages are renumbered the typed copy may name a page that now holds other text,
// so it is given up; the field itself is stored before any later move or at closing.
void InsertEmptyPage(std::int32_t n) {
    Pages.insert(Pages.begin() + n, std::string());
    TypedPage = 0;
    PagesAheadOfFile = true;
}

void DeletePageAt(std::int32_t n) {
    Pages.erase(Pages.begin() + n);
    TypedPage = 0;
    PagesAheadOfFile = true;
}

// Storing ends the wait for a typing pause. While the pad is unsaved, every store saves
// again, changed page or not.
void StorePageText() {
    StopWaitTimer();
    if (HelpMode == 1 || !CurrentPageExists()) {
        return;
    }
    std::string stored = EncodePageText(ControlText(ID_PAGE_TEXT));
    if (stored != Pages[CurrentPage]) {
        PutIntoCurrentPage(std::move(stored));
    } else if (!ChangesUnsaved) {
        return;
    }
    SavePagesFile();
}

void ShowPage() {
    SetControlText(ID_PAGE_BOX, TrimBlanks(NumberText(CurrentPage)));
    SetControlText(ID_PAGE_COUNT, NumberText(PageCount()));
    ShowingPage = true;
    SetControlText(ID_PAGE_TEXT, CurrentPageExists() ? DecodePageText(Pages[CurrentPage]) : "");
    ShowingPage = false;
}

void PageTextChanged() {
    if (HelpMode == 0 && !ShowingPage) {
        StartWaitTimer(TypingPauseMs);
    }
}

void TypingPaused() {
    StorePageText();
}

void TakeTypedText() {
    TypedPage = CurrentPage;
    TypedText = ControlText(ID_PAGE_TEXT);
}

void StoreTypedText() {
    if (TypedPage != CurrentPage || TypedText.empty() || HelpMode == 1 || !CurrentPageExists()) {
        return;
    }
    std::string stored = EncodePageText(TypedText);
    if (stored == Pages[CurrentPage]) {
        return;
    }
    PutIntoCurrentPage(std::move(stored));
    SavePagesFile();
}

void PageTextGotFocus() {
    SelectText(ID_PAGE_TEXT, -1, -1);
    TakeTypedText();
}

// The copy is taken again too, so that the older copy can't overwrite the text at shutdown.
void StoreShownPage() {
    if (HelpMode == 1) {
        return;
    }
    StorePageText();
    TakeTypedText();
}
