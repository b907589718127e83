// Telling well-formed UTF-8 32 bytes at a time, on x86-64 processors with AVX2 (most of
// those a pad is read on); the others go character by character. Built only by compilers
// that take per-function targets, which the build chooses this file for.
#include "text/bytes.h"
#include "text/utf8_check.h"

#include <cstring>
#include <immintrin.h>

namespace {

// 32 bytes at a time, by the table lookups of Keiser and Lemire ("Validating UTF-8 in less
// than one instruction per byte"): each byte and the one before it are looked up by their
// high and low halves in three tables whose entries are bit sets of the faults that pair
// could take part in; a fault is a bit left in all three. What the pair can't tell (a lead
// byte's continuations two and three bytes on) is checked from the bytes two and three back.
namespace by32 {

constexpr char TooShort = 1 << 0;   // a lead byte, then no continuation
constexpr char TooLong = 1 << 1;    // an ASCII byte, then a continuation
constexpr char Overlong3 = 1 << 2;  // E0, then 80..9F
constexpr char TooLarge = 1 << 3;   // F4, then 90..BF; or F5..FF, then 90..BF
constexpr char Surrogate = 1 << 4;  // ED, then A0..BF
constexpr char Overlong2 = 1 << 5;  // C0 or C1, then a continuation
constexpr char Past10FFFF = 1 << 6; // F5..FF, then 80..8F
constexpr char Overlong4 = 1 << 6;  // F0, then 80..8F
constexpr char TwoContinuations = static_cast<char>(1 << 7); // a continuation, then another
constexpr char Carry = TooShort | TooLong | TwoContinuations;
constexpr char Large = Carry | TooLarge | Past10FFFF;
constexpr char Continued = TooLong | Overlong2 | TwoContinuations;

__attribute__((target("avx2"))) __m256i Lookup(const char (&table)[16], __m256i halves) {
    const __m128i half = _mm_loadu_si128(reinterpret_cast<const __m128i*>(table));
    return _mm256_shuffle_epi8(_mm256_broadcastsi128_si256(half), halves);
}

// Set bytes where the 32 bytes, after the 32 before them, are not well-formed.
__attribute__((target("avx2"))) __m256i Faults(__m256i bytes, __m256i before) {
    // clang-format off
    // By the high half of the byte before: ASCII, continuation, the leads C_, D_, E_, F_.
    static constexpr char FirstHigh[16] = {
        TooLong, TooLong, TooLong, TooLong, TooLong, TooLong, TooLong, TooLong,
        TwoContinuations, TwoContinuations, TwoContinuations, TwoContinuations,
        TooShort | Overlong2, TooShort, TooShort | Overlong3 | Surrogate,
        TooShort | TooLarge | Past10FFFF | Overlong4};
    // By its low half: _0, _1, _2, _3, _4, _5 to _C, _D, _E, _F.
    static constexpr char FirstLow[16] = {
        Carry | Overlong3 | Overlong2 | Overlong4, Carry | Overlong2, Carry, Carry,
        Carry | TooLarge, Large, Large, Large, Large, Large, Large, Large, Large,
        Large | Surrogate, Large, Large};
    // By the high half of the byte itself: ASCII, 8_, 9_, A_ and B_, the leads.
    static constexpr char SecondHigh[16] = {
        TooShort, TooShort, TooShort, TooShort, TooShort, TooShort, TooShort, TooShort,
        Continued | Overlong3 | Past10FFFF | Overlong4, Continued | Overlong3 | TooLarge,
        Continued | Surrogate | TooLarge, Continued | Surrogate | TooLarge,
        TooShort, TooShort, TooShort, TooShort};
    // clang-format on
    const __m256i low = _mm256_set1_epi8(0x0F);
    // The 32 bytes moved on by one, two and three, the gap filled from the bytes before.
    const __m256i joined = _mm256_permute2x128_si256(before, bytes, 0x21);
    const __m256i back1 = _mm256_alignr_epi8(bytes, joined, 15);
    const __m256i back2 = _mm256_alignr_epi8(bytes, joined, 14);
    const __m256i back3 = _mm256_alignr_epi8(bytes, joined, 13);
    const __m256i pairs = _mm256_and_si256(
        _mm256_and_si256(Lookup(FirstHigh, _mm256_and_si256(_mm256_srli_epi16(back1, 4), low)),
                         Lookup(FirstLow, _mm256_and_si256(back1, low))),
        Lookup(SecondHigh, _mm256_and_si256(_mm256_srli_epi16(bytes, 4), low)));
    // A continuation may follow a continuation exactly where a lead two or three bytes back
    // wants a third or fourth byte: there the top bit is set, as is TwoContinuations.
    const __m256i wanted =
        _mm256_or_si256(_mm256_subs_epu8(back2, _mm256_set1_epi8(static_cast<char>(0xE0 - 0x80))),
                        _mm256_subs_epu8(back3, _mm256_set1_epi8(static_cast<char>(0xF0 - 0x80))));
    return _mm256_xor_si256(_mm256_and_si256(wanted, _mm256_set1_epi8(static_cast<char>(0x80))),
                            pairs);
}

// The last block is padded with zeros, ASCII, after which a sequence cut short is a fault.
__attribute__((target("avx2"))) bool IsUtf8(std::string_view s) {
    __m256i faults = _mm256_setzero_si256();
    __m256i before = _mm256_setzero_si256();
    char last[32] = {};
    for (std::size_t at = 0;; at += 32) {
        const bool whole = at + 32 <= s.size();
        if (!whole) {
            std::memcpy(last, s.data() + at, s.size() - at);
        }
        const __m256i bytes =
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(whole ? s.data() + at : last));
        // ASCII after ASCII can hold no fault.
        if (!whole || _mm256_movemask_epi8(_mm256_or_si256(bytes, before)) != 0) {
            faults = _mm256_or_si256(faults, Faults(bytes, before));
        }
        if (!whole) {
            return _mm256_testz_si256(faults, faults) != 0;
        }
        before = bytes;
    }
}

} // namespace by32

} // namespace

bool IsUtf8(std::string_view s) {
    static const bool Wide = __builtin_cpu_supports("avx2");
    return Wide ? by32::IsUtf8(s) : IsUtf8ByCharacter(s);
}
