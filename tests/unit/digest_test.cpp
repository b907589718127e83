// The digest that tells the pad on disk from what the program last read or wrote.
#include "text/digest.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

std::string Bytes(std::size_t length) {
    std::string bytes(length, '\0');
    for (std::size_t n = 0; n < length; ++n) {
        bytes[n] = static_cast<char>(n * 131 + 7);
    }
    return bytes;
}

TEST(Digest, IsTheSameHoweverTheBytesAreCutIntoPieces) {
    for (const std::size_t length : {0u, 1u, 7u, 8u, 31u, 32u, 33u, 64u, 100u, 1000u}) {
        const std::string bytes = Bytes(length);
        const std::uint64_t whole = DigestOf(bytes);
        for (std::size_t piece = 1; piece <= 40; ++piece) {
            Digest digest = NewDigest();
            for (std::size_t at = 0; at < length; at += piece) {
                AddToDigest(digest, std::string_view(bytes).substr(at, piece));
            }
            EXPECT_EQ(DigestValue(digest), whole) << length << " bytes in pieces of " << piece;
        }
    }
}

TEST(Digest, EveryChangedBitLengthOrOrderGivesAnotherDigest) {
    std::set<std::uint64_t> seen;
    std::size_t tried = 0;
    for (const std::size_t length : {1u, 5u, 8u, 32u, 40u, 200u}) {
        const std::string bytes = Bytes(length);
        seen.insert(DigestOf(bytes));
        ++tried;
        for (std::size_t at = 0; at < length; ++at) {
            for (int bit = 0; bit < 8; ++bit) {
                std::string changed = bytes;
                changed[at] = static_cast<char>(changed[at] ^ (1 << bit));
                seen.insert(DigestOf(changed));
                ++tried;
            }
        }
        seen.insert(DigestOf(bytes + '\0'));
        seen.insert(DigestOf(std::string(bytes.rbegin(), bytes.rend()) + "rev"));
        tried += 2;
    }
    seen.insert(DigestOf(""));
    ++tried;
    EXPECT_EQ(seen.size(), tried);
}

TEST(Digest, NothingAddedChangesNothing) {
    Digest digest = NewDigest();
    AddToDigest(digest, "pad");
    AddToDigest(digest, std::string_view()); // whose data is null
    AddToDigest(digest, "");
    EXPECT_EQ(digest.length, 3u);
    EXPECT_EQ(DigestValue(digest), DigestOf("pad"));
}

// A digest is a plain value, returned and assigned whole; a copy taken part-way goes on alone.
TEST(Digest, ACopyGoesOnAlone) {
    const std::string bytes = Bytes(700);
    Digest first = NewDigest();
    AddToDigest(first, std::string_view(bytes).substr(0, 300));
    Digest second = first;
    AddToDigest(first, std::string_view(bytes).substr(300));
    AddToDigest(second, "end");
    EXPECT_EQ(DigestValue(first), DigestOf(bytes));
    EXPECT_EQ(DigestValue(second), DigestOf(bytes.substr(0, 300) + "end"));
    EXPECT_EQ(second.length, 303u);
}

// Copies of Quillpad claim their folder under a digest, so every build must agree on it:
// these are XXH3's own 64-bit values, as the shared libxxhash gives them.
TEST(Digest, IsXxh3SoThatEveryBuildAgrees) {
    EXPECT_EQ(DigestOf(""), 0x2d06800538d394c2u);
    EXPECT_EQ(DigestOf("C:\\USERS\\ANN\\NOTES"), 0x8558bf45caa57650u);
}

} // namespace
