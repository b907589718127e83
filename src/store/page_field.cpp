// Moving text between the current page and the page text field, which shows it in UTF-8
// whatever the pad keeps it in.
#include "store/page_field.h"

#include "padfile/pad_state.h"
#include "padfile/pad_text.h"
#include "padfile/stored_text.h"
#include "platform/window.h"
#include "store/pad_form.h"
#include "store/pages.h"
#include "text/bytes.h"

std::string ShownText;
bool ShowingPage = false;
std::string TypedText;
std::int32_t TypedPage = 0;

bool CurrentPageExists() {
    return CurrentPage >= 1 && CurrentPage <= PageCount();
}

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

bool TakeFieldIntoPage() {
    const std::string text = ControlText(ID_PAGE_TEXT);
    return text != ShownText && PutIntoCurrentPage(text);
}

void ShowPageNumbers() {
    SetControlText(ID_PAGE_BOX, TrimBlanks(NumberText(CurrentPage)));
    SetControlText(ID_PAGE_COUNT, NumberText(PageCount()));
}

void ShowPage() {
    ShowPageNumbers();
    ShownText = CurrentPageExists() ? TextForWindow(DecodePageText(Pages[CurrentPage])) : "";
    ShowingPage = true;
    SetControlText(ID_PAGE_TEXT, ShownText);
    ShowingPage = false;
}
