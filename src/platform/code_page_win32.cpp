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

// CharLowerBuffW maps unit for unit, so surrogate pairs and UTF-16 positions stay.
std::string FoldUtf8Lower(std::string_view utf8) {
    std::wstring wide = Wide(utf8);
    CharLowerBuffW(wide.data(), static_cast<DWORD>(wide.size()));
    return Utf8(wide);
}
