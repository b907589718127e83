// Converting text between the pad's own form and the window's UTF-8, one page at a time.
#include "padfile/pad_text.h"

#include "padfile/pad_state.h"
#include "platform/code_page.h"
#include "text/bytes.h"
#include "text/digest.h"

namespace {

// Bytes that form no character of the code page (a double-byte code page's broken
// sequences) come out of the conversion as some stand-in, which can't be turned back.
bool ConvertsBack(std::string_view bytes, std::string_view utf8) {
    std::string back;
    return IsAscii(bytes) || (Utf8ToCodePage(utf8, back) && back == bytes);
}

} // namespace

bool TextToUtf8(std::string& text) {
    std::string utf8 = CodePageToUtf8(text);
    const bool whole = ConvertsBack(text, utf8);
    text = std::move(utf8);
    return whole;
}

bool PagesToUtf8(std::vector<std::string>& pages) {
    bool whole = true;
    for (std::string& page : pages) {
        whole = TextToUtf8(page) && whole;
    }
    return whole;
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

long WindowUnits(std::string_view padText) {
    return static_cast<long>(Utf16Length(TextForWindow(padText)));
}
