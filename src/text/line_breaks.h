// Line breaks of other systems made into the CR LF that the page text field breaks lines at.
#pragma once

#include <string>
#include <string_view>

// Every lone CR and lone LF made CR LF; CR LF stays one break. For bytes (UTF-8 as well,
// whose characters never hold either byte) and for the window's UTF-16 alike; the result is
// longer exactly when there was a lone one.
template <typename Char> std::basic_string<Char> WithCrLfBreaks(std::basic_string_view<Char> text) {
    std::basic_string<Char> out;
    out.reserve(text.size() + text.size() / 32);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const Char c = text[i];
        if (c == Char('\r') || c == Char('\n')) {
            out += Char('\r');
            out += Char('\n');
            if (c == Char('\r') && i + 1 < text.size() && text[i + 1] == Char('\n')) {
                ++i;
            }
        } else {
            out += c;
        }
    }
    return out;
}
