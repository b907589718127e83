// Searching backwards and forwards from the page shown to the nearest matching page.
#include "search/walk.h"

#include "platform/code_page.h"
#include "platform/window.h"
#include "search/search.h"
#include "store/pad_state.h"
#include "store/pad_text.h"
#include "store/page_store.h"
#include "text/bytes.h"

std::string SearchText;

namespace {

void Search(int step) {
    StorePageText();
    const std::int32_t last = PageCount();
    const bool atEnd = step < 0 ? CurrentPage <= 1 : CurrentPage >= last;
    if (atEnd) {
        FocusControl(ID_SEARCH_BOX);
        return;
    }
    if (!FoldQuery(SearchText)) {
        FocusControl(ID_SEARCH_BOX);
        return;
    }
    const SearchQuery query = ParseQuery(SearchText);
    const std::string* term = nullptr;
    const std::int32_t found = step < 0 ? FindMatchingPage(query, CurrentPage - 1, 1, -1, term)
                                        : FindMatchingPage(query, CurrentPage + 1, last, 1, term);
    if (found == 0) {
        FocusControl(ID_SEARCH_BOX);
        return;
    }
    CurrentPage = found;
    ShowPage();
    SearchText = *term;
    FlashMatch();
}

} // namespace

// A-Z fold in a loop that compiles to vector code; only a page holding one of the code
// page capitals with a small form (0x80 to 0xA5) is run through the byte table as well. In a
// UTF-8 pad those bytes are parts of characters: a page with any byte beyond ASCII goes
// through the platform's case mapping instead.
void FoldPageInto(std::string& folded, std::string_view page) {
    if (SaveState.utf8 && !IsAscii(page)) {
        FoldUtf8LowerInto(folded, page);
        return;
    }
    folded.resize(page.size());
    const auto* in = reinterpret_cast<const unsigned char*>(page.data());
    auto* out = reinterpret_cast<unsigned char*>(folded.data());
    unsigned char codePageLetters = 0; // a byte, not a bool, so that the loop vectorizes
    for (std::size_t i = 0; i < page.size(); ++i) {
        const unsigned char c = in[i];
        const bool capital = static_cast<unsigned char>(c - 'A') < 26;
        out[i] = static_cast<unsigned char>(c + (capital ? 32 : 0));
        codePageLetters |= static_cast<unsigned char>(c - 0x80) < 0x26 ? 1 : 0;
    }
    if (!SaveState.utf8 && codePageLetters != 0) {
        FoldLowerInPlace(folded);
    }
}

std::string FoldForSearch(std::string_view page) {
    std::string folded;
    FoldPageInto(folded, page);
    return folded;
}

bool FoldQuery(std::string& text) {
    std::string inPad;
    if (!TextInPadForm(text, inPad)) {
        return false;
    }
    text = FoldForSearch(inPad);
    return true;
}

// One buffer takes each page's folded copy in turn, so a long walk allocates only as
// often as a page longer than all before it comes along.
std::int32_t FindMatchingPage(const SearchQuery& query, std::int32_t from, std::int32_t to,
                              int step, const std::string*& flashTerm) {
    std::string folded;
    for (std::int32_t i = from; step < 0 ? i >= to : i <= to; i += step) {
        FoldPageInto(folded, Pages[static_cast<std::size_t>(i)]);
        if (MatchQuery(query, folded, flashTerm)) {
            return i;
        }
    }
    return 0;
}

void SearchBack() {
    Search(-1);
}

void SearchForward() {
    Search(1);
}
