// Converting text between the pad's own form and the window's UTF-8, one page at a time.
#include "store/pad_text.h"

#include "platform/code_page.h"
#include "store/pad_header.h"
#include "store/pad_on_disk.h"
#include "store/pad_state.h"
#include "store/pages.h"
#include "text/bytes.h"
#include "text/digest.h"

namespace {

// Bytes that form no character of the code page (a double-byte code page's broken
// sequences) come out of the conversion as some stand-in, which can't be turned back.
bool ConvertsBack(std::string_view bytes, std::string_view utf8) {
    std::string back;
    return IsAscii(bytes) || (Utf8ToCodePage(utf8, back) && back == bytes);
}

// False when a page's bytes did not survive the conversion.
bool ToUtf8(std::vector<std::string>& pages) {
    bool whole = true;
    for (std::string& page : pages) {
        std::string utf8 = CodePageToUtf8(page);
        whole = whole && ConvertsBack(page, utf8);
        page = std::move(utf8);
    }
    return whole;
}

// The file still holds the bytes that the conversion lost; they are kept under a backup
// name before the save in UTF-8 replaces it. A file changed elsewhere holds them no more,
// and the save keeps that version anyway.
void KeepBytesTheConversionLost() {
    if (!PadFileUnchanged(PagesFileName)) {
        return;
    }
    const std::string what = std::string(PagesFileName) +
                             " holds bytes that are no characters of this system's code page. "
                             "Quillpad now keeps the pad in UTF-8, to hold a character the "
                             "code page lacks, and writes those bytes as it shows them";
    const std::string backup = KeepCopyOfFile(PagesFileName);
    TellAboutPad(backup.empty()
                     ? what + "; no copy of the file as it was could be made."
                     : what + ". The file as it was is kept unchanged in " + backup + ".");
}

} // namespace

void PagesToUtf8(std::vector<std::string>& pages) {
    ToUtf8(pages);
}

// Every page, the help's keeping included, and the header line; the next save writes the
// whole pad in UTF-8 with its mark.
void TurnPadUtf8() {
    const bool pagesWhole = ToUtf8(Pages);
    const bool keptWhole = ToUtf8(PagesKeptDuringHelp);
    const std::string header = CodePageToUtf8(FileHeader);
    if (!pagesWhole || !keptWhole || !ConvertsBack(FileHeader, header)) {
        KeepBytesTheConversionLost();
    }
    FileHeader = header;
    SaveState.utf8 = true;
    SaveState.utf8Mark = true;
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
