// Converting text between the pad's own form and the window's UTF-8, one page at a time.
#include "store/pad_text.h"

#include "platform/code_page.h"
#include "store/pad_header.h"
#include "store/pad_state.h"
#include "store/pages.h"
#include "text/bytes.h"
#include "text/digest.h"

void PagesToUtf8(std::vector<std::string>& pages) {
    for (std::string& page : pages) {
        page = CodePageToUtf8(page);
    }
}

// Every page, the help's keeping included, and the header line; the next save writes the
// whole pad in UTF-8 with its mark.
void TurnPadUtf8() {
    PagesToUtf8(Pages);
    PagesToUtf8(PagesKeptDuringHelp);
    FileHeader = CodePageToUtf8(FileHeader);
    SaveState.utf8 = true;
    SaveState.pagesAhead = true;
}

namespace {

// A page that has no form in the code page can't equal any page kept in it; its key says so.
constexpr std::uint64_t NoCodePageForm = 0x9e3779b97f4a7c15ULL;

std::uint64_t KeyOf(const std::string& page, bool pageUtf8, bool keyUtf8) {
    if (pageUtf8 == keyUtf8 || IsAscii(page)) {
        return DigestOf(page);
    }
    if (keyUtf8) {
        return DigestOf(CodePageToUtf8(page));
    }
    std::string codePage;
    return Utf8ToCodePage(page, codePage) ? DigestOf(codePage) : DigestOf(page) ^ NoCodePageForm;
}

} // namespace

std::vector<std::uint64_t> PageKeys(const std::vector<std::string>& pages, bool pagesUtf8,
                                    bool keysUtf8) {
    std::vector<std::uint64_t> keys;
    keys.reserve(pages.size());
    for (std::size_t n = 1; n < pages.size(); ++n) {
        keys.push_back(KeyOf(pages[n], pagesUtf8, keysUtf8));
    }
    return keys;
}

std::string TextForWindow(std::string_view padText) {
    return SaveState.utf8 ? std::string(padText) : CodePageToUtf8(padText);
}

bool TextInPadForm(std::string_view windowText, std::string& padText) {
    if (SaveState.utf8) {
        padText.assign(windowText);
        return true;
    }
    return Utf8ToCodePage(windowText, padText);
}

std::string TextForPad(std::string_view windowText) {
    std::string padText;
    if (!TextInPadForm(windowText, padText)) {
        TurnPadUtf8();
        padText.assign(windowText);
    }
    return padText;
}

long WindowUnits(std::string_view padText) {
    return static_cast<long>(Utf16Length(TextForWindow(padText)));
}
