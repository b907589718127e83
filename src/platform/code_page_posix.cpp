// The ANSI code page and case mapping for the native build and its tests: Windows-1252, the
// code page of a Western Windows, through iconv, and the C library's towlower in UTF-8.
#include "platform/code_page.h"
#include "text/bytes.h"

#include <cwctype>
#include <iconv.h>
#include <locale.h>
#include <vector>

namespace {

// Converts the whole text or nothing; false when a byte or character has no counterpart.
bool Convert(const char* to, const char* from, std::string_view in, std::string& out) {
    const iconv_t converter = iconv_open(to, from);
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return false;
    }
    out.assign(in.size() * 4 + 4, '\0');
    char* source = const_cast<char*>(in.data());
    std::size_t sourceLeft = in.size();
    char* target = out.data();
    std::size_t targetLeft = out.size();
    const bool whole = iconv(converter, &source, &sourceLeft, &target, &targetLeft) !=
                       static_cast<std::size_t>(-1);
    iconv_close(converter);
    out.resize(out.size() - targetLeft);
    return whole;
}

// The C library's case mapping in UTF-8; without that locale only its own letters map.
locale_t Utf8Locale() {
    static const locale_t Locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    return Locale;
}

char32_t SmallForm(char32_t c) {
    const wint_t wide = static_cast<wint_t>(c);
    return static_cast<char32_t>(Utf8Locale() != nullptr ? towlower_l(wide, Utf8Locale())
                                                         : towlower(wide));
}

char32_t CapitalForm(char32_t c) {
    const wint_t wide = static_cast<wint_t>(c);
    return static_cast<char32_t>(Utf8Locale() != nullptr ? towupper_l(wide, Utf8Locale())
                                                         : towupper(wide));
}

// Asked once for every character of the first plane, whose small forms stay in it.
const std::u16string& SmallForms() {
    static const std::u16string Small = [] {
        std::u16string small(0x10000, u'\0');
        for (char32_t c = 0; c < small.size(); ++c) {
            const char32_t lower = SmallForm(c);
            small[c] = static_cast<char16_t>(lower < 0x10000 ? lower : c);
        }
        return small;
    }();
    return Small;
}

} // namespace

// Each byte's UTF-8, made once. Windows maps the five bytes 1252 leaves undefined to the C1
// controls of the same number; iconv refuses them, so they are made here.
std::string CodePageToUtf8(std::string_view bytes) {
    static const std::vector<std::string> Table = [] {
        std::vector<std::string> table(256);
        for (int byte = 0; byte < 256; ++byte) {
            const char c = static_cast<char>(byte);
            if (!Convert("UTF-8", "CP1252", std::string_view(&c, 1), table[byte])) {
                table[byte].clear();
                AppendUtf8(static_cast<char32_t>(byte), table[byte]);
            }
        }
        return table;
    }();
    std::string utf8;
    utf8.reserve(bytes.size());
    for (const char c : bytes) {
        utf8 += Table[static_cast<unsigned char>(c)];
    }
    return utf8;
}

bool Utf8ToCodePage(std::string_view utf8, std::string& bytes) {
    return Convert("CP1252", "UTF-8", utf8, bytes) && CodePageToUtf8(bytes) == utf8;
}

void FoldUtf8LowerInto(std::string& folded, std::string_view utf8) {
    FoldUtf8Into(folded, utf8, SmallForms().data(), SmallForm);
}

std::vector<std::string> FormsFoldingTo(char32_t c) {
    return FormsFoldingTo(c, SmallForms().data());
}

// As Windows does it: characters beyond the first plane, two UTF-16 units there, stay.
std::string NameInCapitals(std::string_view utf8) {
    std::string capitals;
    capitals.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        char32_t c = 0;
        at += DecodeUtf8(utf8, at, c);
        AppendUtf8(c < 0x10000 ? CapitalForm(c) : c, capitals);
    }
    return capitals;
}
