// Finding a term in a folded page: the term's first and last bytes are compared at sixteen
// places at once, and the bytes between only where both agree.
#include "search/match.h"

#include <bit>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

std::size_t PositionIn(std::string_view p, std::string_view t) {
    if (p.empty()) {
        return 0;
    }
    if (t.empty()) {
        return 1;
    }
    if (t.size() > p.size()) {
        return 0;
    }
    const std::size_t n = t.size();
    const std::size_t starts = p.size() - n + 1; // places where t could begin
    const char* s = p.data();
    std::size_t i = 0;
#if defined(__SSE2__)
    const __m128i first = _mm_set1_epi8(t.front());
    const __m128i last = _mm_set1_epi8(t.back());
    for (; i + 16 <= starts; i += 16) {
        const __m128i heads = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
        const __m128i tails = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i + n - 1));
        const __m128i both =
            _mm_and_si128(_mm_cmpeq_epi8(heads, first), _mm_cmpeq_epi8(tails, last));
        for (auto mask = static_cast<unsigned>(_mm_movemask_epi8(both)); mask != 0;
             mask &= mask - 1) {
            const std::size_t at = i + static_cast<std::size_t>(std::countr_zero(mask));
            if (std::memcmp(s + at + 1, t.data() + 1, n - 1) == 0) {
                return at + 1;
            }
        }
    }
#endif
    for (; i < starts; ++i) {
        if (s[i] == t.front() && std::memcmp(s + i + 1, t.data() + 1, n - 1) == 0) {
            return i + 1;
        }
    }
    return 0;
}
