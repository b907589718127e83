// The page list, the page shown, and moving text between them and the page text field.
#include "store/page_store.h"

#include "app/window.h"
#include "store/pages_file.h"
#include "text/bytes.h"

std::vector<std::string> Pages;
std::int32_t CurrentPage = 0;
std::int16_t HelpMode = 0;
std::string TypedText;
std::int32_t TypedPage = 0;

namespace {

const std::string_view LineBreakMark = "<&CR&>";

bool CurrentPageExists() {
    return CurrentPage >= 1 && CurrentPage <= PageCount();
}

} // namespace

std::int32_t PageCount() {
    return Pages.empty() ? 0 : static_cast<std::int32_t>(Pages.size() - 1);
}

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

// A line break becomes the mark; a lone CR, which would end the page's line in the file,
// becomes one too, and byte 26, which would end the file, is left out.
std::string EncodePageText(std::string_view fieldText) {
    std::string stored;
    stored.reserve(fieldText.size() + fieldText.size() / 16);
    for (std::size_t i = 0; i < fieldText.size(); ++i) {
        const char c = fieldText[i];
        if (c == '\r') {
            stored += LineBreakMark;
            if (i + 1 < fieldText.size() && fieldText[i + 1] == '\n') {
                ++i;
            }
        } else if (c != '\x1a') {
            stored += c;
        }
    }
    return stored;
}

std::string DecodePageText(std::string_view storedText) {
    return ReplaceAll(storedText, LineBreakMark, "\r\n");
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
