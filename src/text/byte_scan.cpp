// Finding control bytes 32 at a time: the C library's byte search runs at a fraction of
// memory speed on some systems, and a pad is scanned end to end for its line ends.
#include "text/bytes.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

constexpr std::uint64_t Ones = 0x0101010101010101ULL;
constexpr std::uint64_t Highs = 0x8080808080808080ULL;
constexpr std::size_t Stride = 32;

// Masked with Highs, non-zero exactly when the eight bytes hold one below 32. A borrow may
// mark bytes above that one as well; the look byte by byte sorts them out.
std::uint64_t BelowBlank(const char* at) {
    std::uint64_t word;
    std::memcpy(&word, at, sizeof word);
    return (word - Ones * 32) & ~word;
}

} // namespace

std::size_t FindControlByte(std::string_view bytes, std::size_t from, std::uint32_t wanted) {
    std::size_t at = from;
    while (at < bytes.size()) {
        for (; at + Stride <= bytes.size(); at += Stride) {
            const char* stride = bytes.data() + at;
            if (((BelowBlank(stride) | BelowBlank(stride + 8) | BelowBlank(stride + 16) |
                  BelowBlank(stride + 24)) &
                 Highs) != 0) {
                break;
            }
        }
        // A stride with a control byte, or the tail: byte by byte.
        for (const std::size_t end = std::min(bytes.size(), at + Stride); at < end; ++at) {
            const auto byte = static_cast<unsigned char>(bytes[at]);
            if (byte < 32 && ((wanted >> byte) & 1) != 0) {
                return at;
            }
        }
    }
    return std::string_view::npos;
}
