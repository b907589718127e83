// The brief highlight of the flash term in the page a search stopped on.
#include "padfile/pad_text.h"
#include "platform/window.h"
#include "search/search.h"
#include "search/walk.h"
#include "text/bytes.h"

// The lookup runs on the field's own text, where line breaks are CR LF, so its offsets
// are the edit control's once counted in the UTF-16 units it counts in; a term found only
// inside a stored line-break mark finds nothing. The case mapping keeps a character's
// count of units, so the folded text counts as the field does.
void FlashMatch() {
    FocusControl(ID_PAGE_TEXT);
    std::string shown;
    long start = -1;
    long end = -1;
    if (TextInPadForm(ControlText(ID_PAGE_TEXT), shown)) {
        shown = FoldForSearch(shown);
        const std::size_t p = FindText(shown, SearchText, 1);
        if (p != 0) {
            start = WindowUnits(std::string_view(shown).substr(0, p - 1));
            end = start + WindowUnits(SearchText);
        }
    }
    RepaintNow();
    // With no occurrence the start -1 removes any selection.
    SelectText(ID_PAGE_TEXT, start, end);
    // The field draws the selection now: nothing is drawn during the wait.
    RepaintNow();
    Pause(60);
    FocusControl(ID_SEARCH_BOX);
}
