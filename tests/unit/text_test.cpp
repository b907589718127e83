// The byte-string helpers: exact results at their edges.
#include "text/bytes.h"
#include "text/utf8_check.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

using namespace std::string_literals;

TEST(Fold, LowerAndUpperMapLettersAndTheSevenPairsOnly) {
    EXPECT_EQ(FoldLower("\x8E\x42\x43"), "\x84\x62\x63");
    EXPECT_EQ(FoldLower("\xC4"), "\xC4");
    EXPECT_EQ(FoldLower("Hello, WORLD 09@[`{"), "hello, world 09@[`{");
    EXPECT_EQ(FoldUpper("hello, world 09@[`{"), "HELLO, WORLD 09@[`{");
    EXPECT_EQ(FoldLower("\x80\x8E\x8F\x90\x99\x9A\xA5"), "\x87\x84\x86\x82\x94\x81\xA4");
    EXPECT_EQ(FoldUpper("\x87\x84\x86\x82\x94\x81\xA4"), "\x80\x8E\x8F\x90\x99\x9A\xA5");
    EXPECT_EQ(FoldLower("a\0B"s), "a\0b"s);
}

TEST(Fold, EveryOtherByteStaysAndTheTablesAreInverse) {
    int changedByLower = 0;
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        const std::string lower = FoldLower(one);
        const std::string upper = FoldUpper(one);
        if (lower != one) {
            ++changedByLower;
            EXPECT_EQ(FoldUpper(lower), one) << b;
            EXPECT_EQ(upper, one) << b;
        }
        if (upper != one) {
            EXPECT_EQ(FoldLower(upper), one) << b;
        }
    }
    EXPECT_EQ(changedByLower, 26 + 7);
    std::string inPlace = "MiXeD \x9A";
    FoldLowerInPlace(inPlace);
    EXPECT_EQ(inPlace, "mixed \x81");
}

TEST(FindText, PositionsFromOne) {
    EXPECT_EQ(FindText("abc", "", 1), 1u);
    EXPECT_EQ(FindText("abc", "", 3), 3u);
    EXPECT_EQ(FindText("abc", "", 4), 0u);
    EXPECT_EQ(FindText("", "", 1), 0u);
    EXPECT_EQ(FindText("", "a", 1), 0u);
    EXPECT_EQ(FindText("abcabc", "c", 1), 3u);
    EXPECT_EQ(FindText("abcabc", "c", 4), 6u);
    EXPECT_EQ(FindText("abcabc", "abc", 2), 4u);
    EXPECT_EQ(FindText("ab", "b", 5), 0u);
    EXPECT_EQ(FindText("ab", "abc", 1), 0u);
    EXPECT_EQ(FindText("aBc", "b", 1), 0u);
    EXPECT_EQ(FindText("x\0y"s, "\0y"s, 1), 2u);
}

// The search 32 bytes at a time against a plain one: each control byte sought alone, at
// every position of runs that cross the strides, among bytes one bit away from it (other
// control bytes, the blank and bytes with the high bit among them).
TEST(FindControlByte, AgreesWithAPlainSearchForEveryByteAndPosition) {
    for (int b = 0; b < 32; ++b) {
        const char sought = static_cast<char>(b);
        for (std::size_t size = 0; size <= 70; ++size) {
            for (std::size_t at = 0; at <= size; ++at) {
                std::string bytes(size, ' ');
                for (std::size_t i = 0; i < size; ++i) {
                    bytes[i] = static_cast<char>(b ^ (1 << (i % 8)));
                }
                if (at < size) {
                    bytes[at] = sought;
                }
                ASSERT_EQ(FindControlByte(bytes, 0, ControlBit(sought)), bytes.find(sought))
                    << b << " " << size << " " << at;
            }
        }
    }
}

TEST(FindControlByte, TheFirstOfTheWantedAtOrAfterTheStart) {
    const std::string bytes = std::string(40, 'x') + "\t\n\r\x1a\r" + std::string(40, '\xff');
    const std::uint32_t lineEnds = ControlBit('\r') | ControlBit('\x1a');
    EXPECT_EQ(FindControlByte(bytes, 0, lineEnds), 42u) << "a tab and an LF are passed over";
    EXPECT_EQ(FindControlByte(bytes, 43, lineEnds), 43u);
    EXPECT_EQ(FindControlByte(bytes, 44, lineEnds), 44u);
    EXPECT_EQ(FindControlByte(bytes, 45, lineEnds), std::string_view::npos);
    EXPECT_EQ(FindControlByte(bytes, 0, ControlBit('\0')), std::string_view::npos);
    EXPECT_EQ(FindControlByte(bytes, 500, lineEnds), std::string_view::npos);
    EXPECT_EQ(FindControlByte(std::string_view(), 0, lineEnds), std::string_view::npos);
}

// Whether a byte above 127 lies between the start and the byte found, wherever the two are.
TEST(FindControlByte, NotesAByteAbove127BeforeTheOneFound) {
    for (std::size_t high = 0; high < 70; ++high) {
        for (std::size_t end = 0; end <= 70; ++end) {
            std::string bytes(70, 'x');
            bytes[high] = '\xC3';
            if (end < bytes.size()) {
                bytes[end] = '\r';
            }
            bool noted = false;
            ASSERT_EQ(FindControlByte(bytes, 0, ControlBit('\r'), noted), bytes.find('\r'));
            ASSERT_EQ(noted, high < end) << high << " " << end;
        }
    }
}

TEST(FieldOf, FieldsCutAtSingleDelimiters) {
    EXPECT_EQ(FieldOf("cat  or dog", " ", 3), "or");
    EXPECT_EQ(FieldOf("cat  or dog", " ", 2), "");
    EXPECT_EQ(FieldOf("cat or", " ", 3), "");
    EXPECT_EQ(FieldOf(" 40", " ", 2), "40");
    EXPECT_EQ(FieldOf(" 40", " ", -1), "40");
    EXPECT_EQ(FieldOf(" 40", " ", 1), "");
    EXPECT_EQ(FieldOf(" 120  80", " ", 2), "120");
    EXPECT_EQ(FieldOf(" 120  80", " ", -1), "80");
    EXPECT_EQ(FieldOf(" 120  80", " ", -2), "");
    EXPECT_EQ(FieldOf(" 120  80", " ", -4), "");
    EXPECT_EQ(FieldOf(" 120  80", " ", -5), "");
    EXPECT_EQ(FieldOf("a b ", " ", 3), "");
    EXPECT_EQ(FieldOf("a b ", " ", -2), "b");
    EXPECT_EQ(FieldOf("whole", " ", 1), "whole");
    EXPECT_EQ(FieldOf("whole", " ", -1), "whole");
    EXPECT_EQ(FieldOf("whole", " ", 2), "");
    EXPECT_EQ(FieldOf("", " ", 1), "");
    EXPECT_EQ(FieldOf("a b", " ", 0), "");
    EXPECT_EQ(FieldOf("a b", "", 1), "a b");
    EXPECT_EQ(FieldOf("a b", "", 2), "");
    EXPECT_EQ(FieldOf("a b", " ", std::numeric_limits<int>::min()), "");
}

TEST(FieldOf, LongDelimitersDoNotOverlap) {
    EXPECT_EQ(FieldOf("aaa", "aa", 1), "");
    EXPECT_EQ(FieldOf("aaa", "aa", 2), "a");
    EXPECT_EQ(FieldOf("aaa", "aa", -1), "a");
    EXPECT_EQ(FieldOf("x and y and z", " and ", 2), "y");
    EXPECT_EQ(FieldOf("x and y and z", " and ", -3), "x");
}

TEST(ReplaceAll, ScansOnAfterEachReplacement) {
    EXPECT_EQ(ReplaceAll("a\r\nb", "\r\n", "<&CR&>"), "a<&CR&>b");
    EXPECT_EQ(ReplaceAll("a<&CR&>b", "<&CR&>", "\r\n"), "a\r\nb");
    EXPECT_EQ(ReplaceAll("aaa", "aa", "b"), "ba");
    EXPECT_EQ(ReplaceAll("abab", "ab", "abab"), "abababab");
    EXPECT_EQ(ReplaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(ReplaceAll("", "a", "x"), "");
    EXPECT_EQ(ReplaceAll("xax", "a", ""), "xx");
}

TEST(TrimBlanks, OnlyBlanksAtTheEnds) {
    EXPECT_EQ(TrimBlanks("  a b  "), "a b");
    EXPECT_EQ(TrimBlanks("\tx "), "\tx");
    EXPECT_EQ(TrimBlanks("x\n"), "x\n");
    EXPECT_EQ(TrimBlanks("    "), "");
    EXPECT_EQ(TrimBlanks(""), "");
}

TEST(NumberText, BlankOrMinusBeforeTheDigits) {
    EXPECT_EQ(NumberText(0), " 0");
    EXPECT_EQ(NumberText(5), " 5");
    EXPECT_EQ(NumberText(-1), "-1");
    EXPECT_EQ(NumberText(120), " 120");
    EXPECT_EQ(NumberText(std::numeric_limits<std::int32_t>::max()), " 2147483647");
    EXPECT_EQ(NumberText(std::numeric_limits<std::int32_t>::min()), "-2147483648");
}

TEST(NumericValue, DecimalForms) {
    EXPECT_EQ(NumericValue("3"), 3);
    EXPECT_EQ(NumericValue(" 4"), 4);
    EXPECT_EQ(NumericValue("2.5"), 2.5);
    EXPECT_EQ(NumericValue("3abc"), 3);
    EXPECT_EQ(NumericValue("1.5E2"), 150);
    EXPECT_EQ(NumericValue("2.5D1"), 25);
    EXPECT_EQ(NumericValue("2.5d+1"), 25);
    EXPECT_EQ(NumericValue("25e-1"), 2.5);
    EXPECT_EQ(NumericValue("abc"), 0);
    EXPECT_EQ(NumericValue(""), 0);
    EXPECT_EQ(NumericValue("   "), 0);
    EXPECT_EQ(NumericValue(" -1"), -1);
    EXPECT_EQ(NumericValue("+7"), 7);
    EXPECT_EQ(NumericValue("\t\n 8"), 8);
    EXPECT_EQ(NumericValue("\r7"), 0);
    EXPECT_EQ(NumericValue("- 7"), 0);
    EXPECT_EQ(NumericValue(".5"), 0.5);
    EXPECT_EQ(NumericValue("7."), 7);
    EXPECT_EQ(NumericValue("."), 0);
    EXPECT_EQ(NumericValue("-"), 0);
    EXPECT_EQ(NumericValue("1e"), 1);
    EXPECT_EQ(NumericValue("1e+"), 1);
    EXPECT_EQ(NumericValue("1ex"), 1);
    EXPECT_EQ(NumericValue("12 34"), 12);
    EXPECT_EQ(NumericValue("1.2.3"), 1.2);
    EXPECT_TRUE(std::isinf(NumericValue("1e999999")));
    EXPECT_EQ(NumericValue("1e-999999"), 0);
    EXPECT_DOUBLE_EQ(NumericValue(std::string(300, '9')), 1e300);
}

TEST(NumericValue, AmpersandForms) {
    EXPECT_EQ(NumericValue("&H1F"), 31);
    EXPECT_EQ(NumericValue("&h1f"), 31);
    EXPECT_EQ(NumericValue("&B101"), 5);
    EXPECT_EQ(NumericValue("&b1012"), 5);
    EXPECT_EQ(NumericValue("&O17"), 15);
    EXPECT_EQ(NumericValue("&q17"), 15);
    EXPECT_EQ(NumericValue("&17"), 15);
    EXPECT_EQ(NumericValue("&18"), 1);
    EXPECT_EQ(NumericValue(" &H10"), 16);
    EXPECT_EQ(NumericValue("&HFFFF"), 65535);
    EXPECT_EQ(NumericValue("&"), 0);
    EXPECT_EQ(NumericValue("&H"), 0);
    EXPECT_EQ(NumericValue("&Hg"), 0);
    EXPECT_EQ(NumericValue("&x1"), 0);
    EXPECT_GT(NumericValue("&H" + std::string(300, 'F')), 1e300);
}

TEST(RoundToWhole, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(RoundToWhole(2.5), 2);
    EXPECT_EQ(RoundToWhole(3.5), 4);
    EXPECT_EQ(RoundToWhole(-2.5), -2);
    EXPECT_EQ(RoundToWhole(-3.5), -4);
    EXPECT_EQ(RoundToWhole(0.5), 0);
    EXPECT_EQ(RoundToWhole(-0.5), 0);
    EXPECT_EQ(RoundToWhole(1.5), 2);
    EXPECT_EQ(RoundToWhole(2.6), 3);
    EXPECT_EQ(RoundToWhole(2.4999), 2);
    EXPECT_EQ(RoundToWhole(-2.6), -3);
    EXPECT_EQ(RoundToWhole(7), 7);
}

TEST(RoundToWhole, ClampsToThirtyTwoBits) {
    constexpr auto Max = std::numeric_limits<std::int32_t>::max();
    constexpr auto Min = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(RoundToWhole(2147483646.5), 2147483646);
    EXPECT_EQ(RoundToWhole(2147483647.4), Max);
    EXPECT_EQ(RoundToWhole(2147483648.0), Max);
    EXPECT_EQ(RoundToWhole(1e300), Max);
    EXPECT_EQ(RoundToWhole(-2147483648.0), Min);
    EXPECT_EQ(RoundToWhole(-2147483649.0), Min);
    EXPECT_EQ(RoundToWhole(-1e300), Min);
    EXPECT_EQ(RoundToWhole(std::numeric_limits<double>::infinity()), Max);
    EXPECT_EQ(RoundToWhole(-std::numeric_limits<double>::infinity()), Min);
    EXPECT_EQ(RoundToWhole(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(DateText, DayMonthYear) {
    EXPECT_EQ(DateText(2026, 12, 6), "06 Dec 2026");
    EXPECT_EQ(DateText(1999, 1, 31), "31 Jan 1999");
    EXPECT_EQ(DateText(2099, 5, 1), "01 May 2099");
}

TEST(Utf8, WellFormedOnlyAndMendedByReplacementAndCountedInUtf16Units) {
    const struct {
        std::string bytes;
        bool wellFormed;
        std::string mended;
        std::size_t units;
    } cases[] = {
        {"plain ascii text, long enough for words", true, "plain ascii text, long enough for words",
         39},
        {"\xC3\xA9\xD0\x9F\xE6\x97\xA5\xF0\x9F\x98\x80", true,
         "\xC3\xA9\xD0\x9F\xE6\x97\xA5\xF0\x9F\x98\x80", 5},
        {"a\xFF"
         "b",
         false,
         "a\xEF\xBF\xBD"
         "b",
         3},
        {"\xC3", false, "\xEF\xBF\xBD", 1},                                 // cut short
        {"\xC0\xAF", false, "\xEF\xBF\xBD\xEF\xBF\xBD", 2},                 // overlong
        {"\xED\xA0\x80", false, "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD", 3}, // a surrogate
        {"\xF4\x90\x80\x80", false, "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD",
         4}, // past U+10FFFF
        {"12345678\xE2\x9C\x93", true, "12345678\xE2\x9C\x93", 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(IsUtf8(c.bytes), c.wellFormed);
        EXPECT_EQ(MendUtf8(c.bytes), c.mended);
        EXPECT_EQ(Utf16Length(c.mended), c.units);
    }
}

// Told 32 bytes at a time, a sequence is judged as character by character (as MendUtf8
// goes) wherever it lies across the blocks, and whatever follows it.
TEST(Utf8, WellFormedAtEveryPlaceInTheBlocks) {
    const std::string sequences[] = {
        "\xC3\xA9",
        "\xE6\x97\xA5",
        "\xF0\x9F\x98\x80",
        "\xED\x9F\xBF",
        "\xF4\x8F\xBF\xBF",
        "\x80",
        "\xC3",
        "\xC1\xBF",
        "\xE0\x9F\xBF",
        "\xED\xA0\x80",
        "\xF0\x8F\xBF\xBF",
        "\xF4\x90\x80\x80",
        "\xF5\x80\x80\x80",
        "\xE6\x97",
        "\xC3\xA9\xA9",
        "\xFF",
    };
    for (const std::string& sequence : sequences) {
        for (std::size_t at = 0; at <= 70; ++at) {
            for (const std::size_t after : {0u, 1u, 40u}) {
                const std::string s = std::string(at, 'a') + sequence + std::string(after, 'b');
                ASSERT_EQ(IsUtf8(s), MendUtf8(s) == s) << at << " " << after << " " << s;
                ASSERT_EQ(IsUtf8ByCharacter(s), IsUtf8(s)) << at << " " << after << " " << s;
            }
        }
    }
}
