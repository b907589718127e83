// The digest is XXH3's 64-bit hash, built in from Debian's xxhash.h (copied into the
// generated folder at configure time), so that the exe needs no library beside it.
#include "text/digest.h"

#define XXH_INLINE_ALL
#include <xxhash.h>

#include <new>

namespace {

static_assert(sizeof(XXH3_state_t) <= sizeof(Digest::state) &&
                  alignof(XXH3_state_t) <= alignof(Digest),
              "Digest::state must grow to hold this xxhash.h's XXH3_state_t");

// The state is a plain C struct whose only pointer is to the library's static secret, so
// copying its bytes copies the state, as XXH3_copyState does.
XXH3_state_t* StateOf(Digest& digest) {
    return std::launder(reinterpret_cast<XXH3_state_t*>(digest.state));
}

const XXH3_state_t* StateOf(const Digest& digest) {
    return std::launder(reinterpret_cast<const XXH3_state_t*>(digest.state));
}

} // namespace

Digest NewDigest() {
    Digest digest{};
    XXH3_64bits_reset(StateOf(digest));
    return digest;
}

void AddToDigest(Digest& digest, std::string_view bytes) {
    XXH3_64bits_update(StateOf(digest), bytes.data(), bytes.size());
    digest.length += bytes.size();
}

std::uint64_t DigestValue(const Digest& digest) {
    return XXH3_64bits_digest(StateOf(digest));
}

std::uint64_t DigestOf(std::string_view bytes) {
    return XXH3_64bits(bytes.data(), bytes.size());
}
