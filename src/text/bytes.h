// Byte-string helpers used everywhere: folding, finding, fields, numbers, the date, UTF-8.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Small letters for A-Z and the seven capitals of code page 437 that have small forms.
std::string FoldLower(std::string_view s);
void FoldLowerInPlace(std::string& s);
std::string FoldUpper(std::string_view s);

// 1-based position of the first t at or after start in s; 0 for none.
// An empty s gives 0, an empty t gives start (when start is within s).
std::size_t FindText(std::string_view s, std::string_view t, std::size_t start);

// 0-based position of the first byte at or after from that is below 32 and whose bit is
// set in wanted (bit n for byte n); npos for none.
std::size_t FindControlByte(std::string_view bytes, std::size_t from, std::uint32_t wanted);
// The same, and sets highByte when a byte from `from` up to the one found (or the end) has
// its top bit set; leaves it as it was otherwise.
std::size_t FindControlByte(std::string_view bytes, std::size_t from, std::uint32_t wanted,
                            bool& highByte);
constexpr std::uint32_t ControlBit(char byte) {
    return std::uint32_t{1} << static_cast<unsigned char>(byte);
}

// Field n of s cut at every delimiter; negative n counts from the end.
std::string FieldOf(std::string_view s, std::string_view delimiter, int n);

std::string ReplaceAll(std::string_view s, std::string_view sought, std::string_view replacement);

// Removes blanks (byte 32 only) at both ends.
std::string TrimBlanks(std::string_view s);

// " 5", " 0", "-5": a blank stands where the minus sign would.
std::string NumberText(std::int32_t v);

// Leading number of s, "&H", "&B" and "&O" forms included; 0 when there is none.
double NumericValue(std::string_view s);

// Nearest whole number, a half going to the even neighbour; clamped to 32 bits.
std::int32_t RoundToWhole(double v);

// "06 Dec 2026" for that date (month 1 to 12).
std::string DateText(int year, int month, int day);

// UTF-8, as a pad that holds characters the code page lacks keeps its text.
bool IsUtf8(std::string_view s);
bool IsAscii(std::string_view s);
// The text with every byte that is not part of well-formed UTF-8 replaced by U+FFFD.
std::string MendUtf8(std::string_view s);
// How many UTF-16 units the window counts for well-formed UTF-8 text.
std::size_t Utf16Length(std::string_view utf8);
// The code point at a position and its length in bytes; a byte that begins no well-formed
// sequence reads as U+FFFD, one byte long.
std::size_t DecodeUtf8(std::string_view s, std::size_t at, char32_t& c);
void AppendUtf8(char32_t c, std::string& out);
// Every code point replaced by its small form: firstPlane holds those of U+0000 to U+FFFF,
// beyond answers for the rest; folded's memory is used again.
void FoldUtf8Into(std::string& folded, std::string_view utf8, const char16_t* firstPlane,
                  char32_t (*beyond)(char32_t));
// Every character of the first plane whose small form in firstPlane is c, in UTF-8; empty
// for c beyond the first plane, whose forms the table can't tell.
std::vector<std::string> FormsFoldingTo(char32_t c, const char16_t* firstPlane);
