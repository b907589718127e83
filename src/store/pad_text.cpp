// Converting text between the pad's own form and the window's UTF-8, one page at a time.
#include "store/pad_text.h"

#include "platform/code_page.h"
#include "store/pad_state.h"
#include "store/pages.h"
#include "store/pages_file.h"
#include "text/bytes.h"

namespace {

void ToUtf8(std::vector<std::string>& pages) {
    for (std::string& page : pages) {
        page = CodePageToUtf8(page);
    }
}

// Every page, the help's keeping included, and the header line; the next save writes the
// whole pad in UTF-8 with its mark.
void TurnPadUtf8() {
    ToUtf8(Pages);
    ToUtf8(PagesKeptDuringHelp);
    FileHeader = CodePageToUtf8(FileHeader);
    SaveState.utf8 = true;
    SaveState.utf8Mark = true;
    SaveState.pagesAhead = true;
}

} // namespace

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
