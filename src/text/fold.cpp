// Case folding of byte strings through two 256-byte tables.
#include "text/bytes.h"

#include <array>

namespace {

using FoldTable = std::array<unsigned char, 256>;

// Capital and small forms of the code page 437 letters that fold besides A-Z.
constexpr std::array<std::array<unsigned char, 2>, 7> ExtraPairs = {{
    {0x80, 0x87}, // C cedilla
    {0x8E, 0x84}, // A diaeresis
    {0x8F, 0x86}, // A ring
    {0x90, 0x82}, // E acute
    {0x99, 0x94}, // O diaeresis
    {0x9A, 0x81}, // U diaeresis
    {0xA5, 0xA4}, // N tilde
}};

constexpr FoldTable MakeTable(bool toLower) {
    FoldTable table{};
    for (int b = 0; b < 256; ++b) {
        table[b] = static_cast<unsigned char>(b);
    }
    for (int b = 'A'; b <= 'Z'; ++b) {
        if (toLower) {
            table[b] = static_cast<unsigned char>(b + 32);
        } else {
            table[b + 32] = static_cast<unsigned char>(b);
        }
    }
    for (const auto& pair : ExtraPairs) {
        if (toLower) {
            table[pair[0]] = pair[1];
        } else {
            table[pair[1]] = pair[0];
        }
    }
    return table;
}

constexpr FoldTable LowerTable = MakeTable(true);
constexpr FoldTable UpperTable = MakeTable(false);

void FoldWith(const FoldTable& table, char* bytes, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<char>(table[static_cast<unsigned char>(bytes[i])]);
    }
}

} // namespace

std::string FoldLower(std::string_view s) {
    std::string folded(s);
    FoldLowerInPlace(folded);
    return folded;
}

void FoldLowerInPlace(std::string& s) {
    FoldWith(LowerTable, s.data(), s.size());
}

std::string FoldUpper(std::string_view s) {
    std::string folded(s);
    FoldWith(UpperTable, folded.data(), folded.size());
    return folded;
}
