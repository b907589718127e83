// The ANSI code page and case mapping for the native build and its tests: Windows-1252, the
// code page of a Western Windows, through iconv, and the C library's towlower in UTF-8.
#include "platform/code_page.h"

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

std::size_t Decode(std::string_view s, std::size_t at, char32_t& c) {
    const auto b = static_cast<unsigned char>(s[at]);
    const std::size_t length = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    c = length == 1 ? b : b & (0x7F >> length);
    for (std::size_t n = 1; n < length && at + n < s.size(); ++n) {
        c = (c << 6) | (static_cast<unsigned char>(s[at + n]) & 0x3F);
    }
    return length;
}

void Encode(char32_t c, std::string& out) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
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
                Encode(static_cast<char32_t>(byte), table[byte]);
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

std::string FoldUtf8Lower(std::string_view utf8) {
    static const locale_t Utf8Locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    std::string folded;
    folded.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        char32_t c = 0;
        at += Decode(utf8, at, c);
        // Without the locale only the C library's own letters fold; nothing breaks.
        const wint_t wide = static_cast<wint_t>(c);
        Encode(static_cast<char32_t>(Utf8Locale != nullptr ? towlower_l(wide, Utf8Locale)
                                                           : towlower(wide)),
               folded);
    }
    return folded;
}
