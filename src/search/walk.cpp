// Searching backwards and forwards from the page shown to the nearest matching page.
#include "search/walk.h"

#include "padfile/pad_state.h"
#include "padfile/pad_text.h"
#include "platform/code_page.h"
#include "platform/window.h"
#include "search/search.h"
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

namespace {

// Where the character before the one at `end` begins.
std::size_t CharacterBefore(std::string_view term, std::size_t end) {
    while (end > 0 && (static_cast<unsigned char>(term[end - 1]) & 0xC0) == 0x80) {
        --end;
    }
    return end == 0 ? 0 : end - 1;
}

std::vector<std::string> FormsAt(std::string_view term, std::size_t at) {
    char32_t c = 0;
    DecodeUtf8(term, at, c);
    return FormsFoldingTo(c);
}

// Every way a term's last two characters may stand in a page before folding (a letter
// alone is too common to tell pages apart); none stands for no test.
std::vector<std::string> FormsOfTheEnd(std::string_view term) {
    if (term.empty()) {
        return {};
    }
    const std::size_t last = CharacterBefore(term, term.size());
    const std::vector<std::string> lastForms = FormsAt(term, last);
    if (last == 0 || lastForms.empty()) {
        return lastForms;
    }
    const std::vector<std::string> before = FormsAt(term, CharacterBefore(term, last));
    if (before.empty()) {
        return lastForms;
    }
    std::vector<std::string> forms;
    for (const std::string& first : before) {
        for (const std::string& second : lastForms) {
            forms.push_back(first + second);
        }
    }
    return forms;
}

bool MayHold(std::string_view page, const std::vector<std::string>& forms) {
    for (const std::string& form : forms) {
        if (PositionIn(page, form) != 0) {
            return true;
        }
    }
    return forms.empty();
}

// Folding a UTF-8 page costs far more than looking into it, so a page that holds none of
// the forms of a term's last two characters is passed over unfolded: folded, it can't hold
// the term.
struct PageTest {
    SearchQuery::Kind kind;
    std::vector<std::string> first;
    std::vector<std::string> third;

    explicit PageTest(const SearchQuery& query)
        : kind(query.kind),
          first(SaveState.utf8 ? FormsOfTheEnd(query.first) : std::vector<std::string>()),
          third(SaveState.utf8 && kind != SearchQuery::Kind::Plain ? FormsOfTheEnd(query.third)
                                                                   : std::vector<std::string>()) {}

    bool MayMatch(std::string_view page) const {
        switch (kind) {
        case SearchQuery::Kind::Plain:
            return MayHold(page, first);
        case SearchQuery::Kind::Either:
            return MayHold(page, first) || MayHold(page, third);
        case SearchQuery::Kind::Both:
            return MayHold(page, first) && MayHold(page, third);
        }
        return true;
    }
};

} // namespace

// One buffer takes each page's folded copy in turn, so a long walk allocates only as
// often as a page longer than all before it comes along.
std::int32_t FindMatchingPage(const SearchQuery& query, std::int32_t from, std::int32_t to,
                              int step, const std::string*& flashTerm) {
    const PageTest test(query);
    std::string folded;
    for (std::int32_t i = from; step < 0 ? i >= to : i <= to; i += step) {
        const std::string& page = Pages[static_cast<std::size_t>(i)];
        if (!test.MayMatch(page)) {
            continue;
        }
        FoldPageInto(folded, page);
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
