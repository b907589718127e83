// A fast 64-bit digest of bytes that may arrive in pieces: whether two runs of bytes are
// the same without keeping either.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

struct Digest {
    // XXH3's streaming state, kept in place so that a digest is a plain value that copies
    // whole; digest.cpp checks that it fits. Its header stays out of every other file.
    alignas(64) unsigned char state[576];
    std::uint64_t length; // bytes added so far
};

Digest NewDigest();
void AddToDigest(Digest& digest, std::string_view bytes);
// The digest of all bytes added so far; the same however they were cut into pieces.
std::uint64_t DigestValue(const Digest& digest);
std::uint64_t DigestOf(std::string_view bytes);
