// Whole numbers as text, and numbers read from text.
#include "text/bytes.h"

#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Value of c as a digit of the base, or -1.
int DigitValue(char c, int base) {
    int value = -1;
    if (IsDigit(c)) {
        value = c - '0';
    } else if (c >= 'A' && c <= 'F') {
        value = c - 'A' + 10;
    } else if (c >= 'a' && c <= 'f') {
        value = c - 'a' + 10;
    }
    return value < base ? value : -1;
}

// Whole number in the base, from the first byte on, up to the first non-digit.
// Kept in a double so that any number of digits reads without overflow.
double DigitsInBase(std::string_view s, int base) {
    double value = 0;
    for (const char c : s) {
        const int digit = DigitValue(c, base);
        if (digit < 0) {
            break;
        }
        value = value * base + digit;
    }
    return value;
}

int BaseAfterAmpersand(char c) {
    switch (c) {
    case 'H':
    case 'h':
        return 16;
    case 'B':
    case 'b':
        return 2;
    case 'O':
    case 'o':
    case 'Q':
    case 'q':
        return 8;
    default:
        return 0;
    }
}

std::size_t SkipDigits(std::string_view s, std::size_t at) {
    while (at < s.size() && IsDigit(s[at])) {
        ++at;
    }
    return at;
}

// Sign, digits, point, digits, then an exponent only when digits follow its letter.
double DecimalValue(std::string_view s) {
    std::size_t at = 0;
    if (at < s.size() && (s[at] == '+' || s[at] == '-')) {
        ++at;
    }
    const std::size_t intEnd = SkipDigits(s, at);
    std::size_t end = intEnd;
    bool anyDigit = intEnd > at;
    if (end < s.size() && s[end] == '.') {
        const std::size_t fracEnd = SkipDigits(s, end + 1);
        anyDigit = anyDigit || fracEnd > end + 1;
        end = fracEnd;
    }
    if (!anyDigit) {
        return 0;
    }
    std::string number(s.substr(0, end));
    if (end < s.size() && (s[end] == 'E' || s[end] == 'e' || s[end] == 'D' || s[end] == 'd')) {
        std::size_t expAt = end + 1;
        if (expAt < s.size() && (s[expAt] == '+' || s[expAt] == '-')) {
            ++expAt;
        }
        const std::size_t expEnd = SkipDigits(s, expAt);
        if (expEnd > expAt) {
            number += 'e';
            number.append(s.substr(end + 1, expEnd - end - 1));
        }
    }
    return std::strtod(number.c_str(), nullptr);
}

} // namespace

std::string NumberText(std::int32_t v) {
    // Widened first so that the smallest 32-bit number has a magnitude too.
    const long long wide = v;
    std::string text = wide < 0 ? "-" : " ";
    text += std::to_string(wide < 0 ? -wide : wide);
    return text;
}

double NumericValue(std::string_view s) {
    const std::size_t first = s.find_first_not_of(" \t\n");
    if (first == std::string_view::npos) {
        return 0;
    }
    s.remove_prefix(first);
    if (s[0] != '&') {
        return DecimalValue(s);
    }
    if (s.size() < 2) {
        return 0;
    }
    const int base = BaseAfterAmpersand(s[1]);
    return base == 0 ? DigitsInBase(s.substr(1), 8) : DigitsInBase(s.substr(2), base);
}

std::int32_t RoundToWhole(double v) {
    if (std::isnan(v)) {
        return 0;
    }
    double whole = std::floor(v);
    const double rest = v - whole;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2.0) != 0)) {
        whole += 1;
    }
    constexpr double Lowest = std::numeric_limits<std::int32_t>::min();
    constexpr double Highest = std::numeric_limits<std::int32_t>::max();
    if (whole <= Lowest) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (whole >= Highest) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(whole);
}
