// UTF-8 as the pad holds it: telling it from other bytes, mending what is not, and counting
// it in the UTF-16 units the window counts in.
#include "text/bytes.h"
#include "text/utf8_check.h"

#include <cstring>
#include <vector>

namespace {

constexpr std::string_view Replacement = "\xEF\xBF\xBD"; // U+FFFD

bool Continuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// The length of the well-formed sequence at the start of s, 0 when there is none.
std::size_t SequenceAt(std::string_view s) {
    const auto* b = reinterpret_cast<const unsigned char*>(s.data());
    const std::size_t left = s.size();
    if (b[0] < 0x80) {
        return 1;
    }
    if (b[0] >= 0xC2 && b[0] <= 0xDF) {
        return left >= 2 && Continuation(b[1]) ? 2 : 0;
    }
    if (b[0] >= 0xE0 && b[0] <= 0xEF) {
        // No overlong forms (E0 below A0) and no surrogates (ED above 9F).
        const unsigned char low = b[0] == 0xE0 ? 0xA0 : 0x80;
        const unsigned char high = b[0] == 0xED ? 0x9F : 0xBF;
        return left >= 3 && b[1] >= low && b[1] <= high && Continuation(b[2]) ? 3 : 0;
    }
    if (b[0] >= 0xF0 && b[0] <= 0xF4) {
        const unsigned char low = b[0] == 0xF0 ? 0x90 : 0x80;
        const unsigned char high = b[0] == 0xF4 ? 0x8F : 0xBF;
        return left >= 4 && b[1] >= low && b[1] <= high && Continuation(b[2]) && Continuation(b[3])
                   ? 4
                   : 0;
    }
    return 0;
}

// Where the first byte of eight at or after from has its top bit set: plain ASCII, the
// bulk of most pads, goes by a word at a time.
std::size_t SkipAscii(std::string_view s, std::size_t from) {
    while (from + 8 <= s.size()) {
        std::uint64_t word;
        std::memcpy(&word, s.data() + from, sizeof word);
        if ((word & 0x8080808080808080ULL) != 0) {
            break;
        }
        from += 8;
    }
    while (from < s.size() && static_cast<unsigned char>(s[from]) < 0x80) {
        ++from;
    }
    return from;
}

} // namespace

bool IsUtf8ByCharacter(std::string_view s) {
    for (std::size_t at = SkipAscii(s, 0); at < s.size(); at = SkipAscii(s, at)) {
        const std::size_t length = SequenceAt(s.substr(at));
        if (length == 0) {
            return false;
        }
        at += length;
    }
    return true;
}

std::string MendUtf8(std::string_view s) {
    std::string mended;
    mended.reserve(s.size());
    std::size_t at = 0;
    while (at < s.size()) {
        const std::size_t ascii = SkipAscii(s, at);
        mended.append(s.substr(at, ascii - at));
        if (ascii == s.size()) {
            break;
        }
        const std::size_t length = SequenceAt(s.substr(ascii));
        mended.append(length == 0 ? Replacement : s.substr(ascii, length));
        at = ascii + (length == 0 ? 1 : length);
    }
    return mended;
}

std::size_t Utf16Length(std::string_view utf8) {
    std::size_t units = 0;
    for (const char c : utf8) {
        const auto b = static_cast<unsigned char>(c);
        // A sequence counts once at its lead byte; four-byte ones take a surrogate pair.
        units += Continuation(b) ? 0 : b >= 0xF0 ? 2 : 1;
    }
    return units;
}

bool IsAscii(std::string_view s) {
    return SkipAscii(s, 0) == s.size();
}

std::size_t DecodeUtf8(std::string_view s, std::size_t at, char32_t& c) {
    const std::size_t length = SequenceAt(s.substr(at));
    if (length == 0) {
        c = 0xFFFD;
        return 1;
    }
    const auto b = static_cast<unsigned char>(s[at]);
    c = length == 1 ? b : b & (0x7F >> length);
    for (std::size_t n = 1; n < length; ++n) {
        c = (c << 6) | (static_cast<unsigned char>(s[at + n]) & 0x3F);
    }
    return length;
}

void AppendUtf8(char32_t c, std::string& out) {
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

// Runs of text that stay as they are are copied whole. The text is well-formed UTF-8, as
// every page of a UTF-8 pad is.
void FoldUtf8Into(std::string& folded, std::string_view utf8, const char16_t* firstPlane,
                  char32_t (*beyond)(char32_t)) {
    folded.clear();
    std::size_t kept = 0; // where the run not yet copied begins
    for (std::size_t at = 0; at < utf8.size();) {
        const auto b = static_cast<unsigned char>(utf8[at]);
        char32_t c = b;
        std::size_t length = 1;
        // The two- and three-byte forms, most letters of every script, decoded in place.
        if (b >= 0xC2 && b < 0xE0 && at + 1 < utf8.size()) {
            c = (b & 0x1Fu) << 6 | (static_cast<unsigned char>(utf8[at + 1]) & 0x3Fu);
            length = 2;
        } else if (b >= 0xE0 && b < 0xF0 && at + 2 < utf8.size()) {
            c = (b & 0x0Fu) << 12 | (static_cast<unsigned char>(utf8[at + 1]) & 0x3Fu) << 6 |
                (static_cast<unsigned char>(utf8[at + 2]) & 0x3Fu);
            length = 3;
        } else if (b >= 0x80) {
            length = DecodeUtf8(utf8, at, c);
        }
        const char32_t small = c < 0x10000 ? firstPlane[c] : beyond(c);
        if (small != c) {
            folded.append(utf8.substr(kept, at - kept));
            AppendUtf8(small, folded);
            kept = at + length;
        }
        at += length;
    }
    folded.append(utf8.substr(kept));
}

std::vector<std::string> FormsFoldingTo(char32_t c, const char16_t* firstPlane) {
    std::vector<std::string> forms;
    if (c >= 0x10000) {
        return forms;
    }
    for (char32_t form = 0; form < 0x10000; ++form) {
        if (firstPlane[form] == c && (form < 0xD800 || form > 0xDFFF)) {
            forms.emplace_back();
            AppendUtf8(form, forms.back());
        }
    }
    return forms;
}
