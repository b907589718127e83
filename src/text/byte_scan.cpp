// Finding control bytes 32 at a time: the C library's byte search runs at a fraction of
// memory speed on some systems, and a pad is scanned end to end for its line ends.
#include "text/bytes.h"

#include <algorithm>
#include <cstdint>
#include <emmintrin.h>

namespace {

constexpr std::size_t Stride = 32;

// One bit for each of the 16 bytes that is below 32.
int BelowBlank(__m128i bytes) {
    const __m128i below = _mm_cmpeq_epi8(_mm_min_epu8(bytes, _mm_set1_epi8(31)), bytes);
    return _mm_movemask_epi8(below);
}

} // namespace

std::size_t FindControlByte(std::string_view bytes, std::size_t from, std::uint32_t wanted) {
    bool highByte = false;
    return FindControlByte(bytes, from, wanted, highByte);
}

// The bytes are loaded for the control bytes anyway; their top bits cost one more OR.
std::size_t FindControlByte(std::string_view bytes, std::size_t from, std::uint32_t wanted,
                            bool& highByte) {
    int seen = 0; // a bit set for every byte passed with its top bit set
    std::size_t at = from;
    while (at < bytes.size()) {
        for (; at + Stride <= bytes.size(); at += Stride) {
            const auto* stride = reinterpret_cast<const __m128i*>(bytes.data() + at);
            const __m128i first = _mm_loadu_si128(stride);
            const __m128i second = _mm_loadu_si128(stride + 1);
            if ((BelowBlank(first) | BelowBlank(second)) != 0) {
                break;
            }
            seen |= _mm_movemask_epi8(_mm_or_si128(first, second));
        }
        // A stride with a control byte, or the tail: byte by byte.
        for (const std::size_t end = std::min(bytes.size(), at + Stride); at < end; ++at) {
            const auto byte = static_cast<unsigned char>(bytes[at]);
            if (byte < 32 && ((wanted >> byte) & 1) != 0) {
                highByte = highByte || seen != 0;
                return at;
            }
            seen |= byte & 0x80;
        }
    }
    highByte = highByte || seen != 0;
    return std::string_view::npos;
}
