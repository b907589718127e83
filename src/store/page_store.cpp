// Growing and renumbering the page list, and moving text between it and the page text field.
#include "store/page_store.h"

#include "platform/window.h"
#include "store/pages_file.h"
#include "store/stored_text.h"
#include "text/bytes.h"

std::string TypedText;
std::int32_t TypedPage = 0;

namespace {

bool CurrentPageExists() {
    return CurrentPage >= 1 && CurrentPage <= PageCount();
}

} // namespace

void GrowPages() {
    if (Pages.empty()) {
        Pages.emplace_back();
    }
    Pages.emplace_back();
}

// After pages are renumbered the typed copy may name a page that now holds other text,
// so it is given up; the field itself is stored before any later move or at closing.
void InsertEmptyPage(std::int32_t n) {
    Pages.insert(Pages.begin() + n, std::string());
    TypedPage = 0;
}

void DeletePageAt(std::int32_t n) {
    Pages.erase(Pages.begin() + n);
    TypedPage = 0;
}

void StorePageText() {
    if (HelpMode == 1 || !CurrentPageExists()) {
        return;
    }
    std::string stored = EncodePageText(ControlText(ID_PAGE_TEXT));
    if (stored == Pages[CurrentPage]) {
        return;
    }
    Pages[CurrentPage] = std::move(stored);
    SavePagesFile();
}

void ShowPage() {
    SetControlText(ID_PAGE_BOX, TrimBlanks(NumberText(CurrentPage)));
    SetControlText(ID_PAGE_COUNT, NumberText(PageCount()));
    SetControlText(ID_PAGE_TEXT, CurrentPageExists() ? DecodePageText(Pages[CurrentPage]) : "");
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
    Pages[CurrentPage] = std::move(stored);
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
