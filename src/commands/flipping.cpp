// Flipping one page with "<", ">" and the arrow keys, searching with Shift, and going to
// the page typed into the page box.
#include "commands/flipping.h"

#include "search/search.h"
#include "store/page_store.h"
#include "text/bytes.h"

namespace {

const int LeftKey = 37;
const int RightKey = 39;

// The Shift state is read after the text, once per event.
bool ReadSearchBox() {
    SearchText = TrimBlanks(ControlText(ID_SEARCH_BOX));
    return ShiftHeld();
}

} // namespace

// An empty search box flips plainly, Shift or not.
int OnPrevButton(WindowHandle, unsigned, std::uintptr_t, std::intptr_t) {
    const bool shift = ReadSearchBox();
    if (!SearchText.empty() && shift) {
        SearchBack();
    } else {
        FlipBack();
    }
    return 0;
}

int OnNextButton(WindowHandle, unsigned, std::uintptr_t, std::intptr_t) {
    const bool shift = ReadSearchBox();
    if (!SearchText.empty() && shift) {
        SearchForward();
    } else {
        FlipForward();
    }
    return 0;
}

void FlipBack() {
    StorePageText();
    if (CurrentPage > 1) {
        --CurrentPage;
        ShowPage();
    }
    FocusControl(ID_SEARCH_BOX);
}

void FlipForward() {
    StorePageText();
    if (CurrentPage < PageCount()) {
        ++CurrentPage;
        ShowPage();
    }
    FocusControl(ID_SEARCH_BOX);
}

// Unlike the buttons, Shift with an arrow key searches even for an empty search text,
// which stops on the nearest page that has any text.
void SearchBoxKeyDown(int keyCode) {
    const bool shift = ReadSearchBox();
    if (keyCode == LeftKey) {
        shift ? SearchBack() : FlipBack();
    } else if (keyCode == RightKey) {
        shift ? SearchForward() : FlipForward();
    }
}

// Several messages of one Return press carry its code; every run after the first finds
// the box showing the current page and changes nothing. The number is read before the store,
// which may take in another version of the pad and show the page numbers again.
void PageBoxReturn() {
    const double v = NumericValue(ControlText(ID_PAGE_BOX));
    StorePageText();
    // Written so that a value that is no number at all is refused as well.
    if (!(v > 0.5 && v <= PageCount())) {
        ShowPage();
    } else if (v != CurrentPage) {
        CurrentPage = RoundToWhole(v);
        ShowPage();
    }
}
