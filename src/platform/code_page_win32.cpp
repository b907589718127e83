// The ANSI code page and case mapping on Windows: the system's own conversions.
#include "platform/code_page.h"
#include "platform/wide_text.h"
#include "text/bytes.h"

#include <windows.h>

std::string CodePageToUtf8(std::string_view bytes) {
    if (IsAscii(bytes)) {
        return std::string(bytes);
    }
    const int length =
        MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(),
                        length);
    return Utf8(wide);
}

// A best-fit look-alike or the default character would lose the user's character, so the
// conversion is taken only when it comes back to the same text.
bool Utf8ToCodePage(std::string_view utf8, std::string& bytes) {
    if (IsAscii(utf8)) {
        bytes.assign(utf8);
        return true;
    }
    const std::wstring wide = Wide(utf8);
    BOOL defaulted = FALSE;
    const int length =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(),
                            static_cast<int>(wide.size()), nullptr, 0, nullptr, &defaulted);
    bytes.assign(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                        bytes.data(), length, nullptr, &defaulted);
    return !defaulted && CodePageToUtf8(bytes) == utf8;
}

namespace {

// CharLowerBuffW maps unit for unit, so a table of its answer for every unit, asked once,
// folds exactly as it does without converting every page to UTF-16 and back. Characters
// beyond the first plane are pairs of surrogates, which it leaves as they are.
const std::u16string& SmallForms() {
    static const std::u16string Small = [] {
        std::wstring units(0x10000, L'\0');
        for (std::size_t unit = 0; unit < units.size(); ++unit) {
            units[unit] = static_cast<wchar_t>(unit);
        }
        CharLowerBuffW(units.data(), static_cast<DWORD>(units.size()));
        return std::u16string(units.begin(), units.end());
    }();
    return Small;
}

char32_t Unchanged(char32_t c) {
    return c;
}

} // namespace

void FoldUtf8LowerInto(std::string& folded, std::string_view utf8) {
    FoldUtf8Into(folded, utf8, SmallForms().data(), Unchanged);
}

std::vector<std::string> FormsFoldingTo(char32_t c) {
    return FormsFoldingTo(c, SmallForms().data());
}

// Windows compares names ordinally, case aside: CharUpperBuffW maps the same way in every
// language.
std::string NameInCapitals(std::string_view utf8) {
    std::wstring name = Wide(utf8);
    CharUpperBuffW(name.data(), static_cast<DWORD>(name.size()));
    return Utf8(name);
}
