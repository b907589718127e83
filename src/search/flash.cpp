// The brief highlight of the flash term in the page a search stopped on.
#include "platform/window.h"
#include "search/search.h"
#include "text/bytes.h"

// The lookup runs on the field's own text, where line breaks are CR LF, so its offsets
// are the edit control's; a term found only inside a stored line-break mark finds nothing.
void FlashMatch() {
    FocusControl(ID_PAGE_TEXT);
    const std::string shown = FoldLower(ControlText(ID_PAGE_TEXT));
    const long p = static_cast<long>(FindText(shown, SearchText, 1));
    const long e = p + static_cast<long>(SearchText.size());
    RepaintNow();
    // With no occurrence p is 0 and the start -1 removes any selection.
    SelectText(ID_PAGE_TEXT, p - 1, e - 1);
    // The field draws the selection now: nothing is drawn during the wait.
    RepaintNow();
    Pause(60);
    FocusControl(ID_SEARCH_BOX);
}
