// A fast 64-bit digest of bytes that may arrive in pieces: whether two runs of bytes are
// the same without keeping either.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

struct Digest {
    std::uint64_t lanes[4];
    std::uint64_t length;
    unsigned char pending[32]; // bytes of a stripe not yet mixed in
    std::size_t pendingSize;
};

Digest NewDigest();
void AddToDigest(Digest& digest, std::string_view bytes);
// The digest of all bytes added so far; the same however they were cut into pieces.
std::uint64_t DigestValue(const Digest& digest);
std::uint64_t DigestOf(std::string_view bytes);
