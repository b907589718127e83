// The 64-bit digest: four lanes of multiply and rotate over 32-byte stripes, so that it
// runs at memory speed, then a final mix of the lanes, the length and the tail.
#include "text/digest.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::uint64_t Prime1 = 0x9E3779B185EBCA87ULL;
constexpr std::uint64_t Prime2 = 0xC2B2AE3D27D4EB4FULL;
constexpr std::uint64_t Prime3 = 0x165667B19E3779F9ULL;
constexpr std::uint64_t Prime4 = 0x85EBCA77C2B2AE63ULL;
constexpr std::uint64_t Prime5 = 0x27D4EB2F165667C5ULL;

constexpr std::uint64_t RotateLeft(std::uint64_t value, int bits) {
    return (value << bits) | (value >> (64 - bits));
}

std::uint64_t Word(const unsigned char* bytes) {
    std::uint64_t word;
    std::memcpy(&word, bytes, sizeof word);
    return word;
}

std::uint64_t Round(std::uint64_t lane, std::uint64_t input) {
    return RotateLeft(lane + input * Prime2, 31) * Prime1;
}

void MixStripe(Digest& digest, const unsigned char* stripe) {
    for (int lane = 0; lane < 4; ++lane) {
        digest.lanes[lane] = Round(digest.lanes[lane], Word(stripe + 8 * lane));
    }
}

std::uint64_t Avalanche(std::uint64_t value) {
    value ^= value >> 33;
    value *= Prime2;
    value ^= value >> 29;
    value *= Prime3;
    return value ^ (value >> 32);
}

} // namespace

Digest NewDigest() {
    Digest digest{};
    digest.lanes[0] = Prime1 + Prime2;
    digest.lanes[1] = Prime2;
    digest.lanes[2] = 0;
    digest.lanes[3] = 0 - Prime1;
    return digest;
}

void AddToDigest(Digest& digest, std::string_view bytes) {
    if (bytes.empty()) { // whose data may be null
        return;
    }
    const auto* next = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t left = bytes.size();
    digest.length += left;
    if (digest.pendingSize > 0) {
        const std::size_t taken = std::min(left, sizeof digest.pending - digest.pendingSize);
        std::memcpy(digest.pending + digest.pendingSize, next, taken);
        digest.pendingSize += taken;
        next += taken;
        left -= taken;
        if (digest.pendingSize < sizeof digest.pending) {
            return;
        }
        MixStripe(digest, digest.pending);
        digest.pendingSize = 0;
    }
    for (; left >= sizeof digest.pending; left -= sizeof digest.pending) {
        MixStripe(digest, next);
        next += sizeof digest.pending;
    }
    std::memcpy(digest.pending, next, left);
    digest.pendingSize = left;
}

std::uint64_t DigestValue(const Digest& digest) {
    std::uint64_t value = RotateLeft(digest.lanes[0], 1) + RotateLeft(digest.lanes[1], 7) +
                          RotateLeft(digest.lanes[2], 12) + RotateLeft(digest.lanes[3], 18);
    for (const std::uint64_t lane : digest.lanes) {
        value = (value ^ Round(0, lane)) * Prime1 + Prime4;
    }
    value += digest.length;
    std::size_t at = 0;
    for (; at + 8 <= digest.pendingSize; at += 8) {
        value = RotateLeft(value ^ Round(0, Word(digest.pending + at)), 27) * Prime1 + Prime4;
    }
    for (; at < digest.pendingSize; ++at) {
        value = RotateLeft(value ^ (digest.pending[at] * Prime5), 11) * Prime1;
    }
    return Avalanche(value);
}

std::uint64_t DigestOf(std::string_view bytes) {
    Digest digest = NewDigest();
    AddToDigest(digest, bytes);
    return DigestValue(digest);
}
