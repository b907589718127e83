// The history of the pad's versions: bounded in memory and on disk, each page key stored once
// however many versions hold that page.
#include "sync/version_history.h"

#include "platform/code_page.h"
#include "platform/files.h"
#include "text/digest.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <unordered_map>

PadHistory History;
std::string HistoryFileName;

namespace {

// Page keys kept for bases, however many pages the pad has: a small pad keeps many versions,
// a pad of ten thousand pages a few dozen. At least a few versions are always kept.
constexpr std::size_t KeysKept = 1 << 18;
constexpr std::size_t VersionsKept = 64;
constexpr std::size_t FewestVersionsKept = 4;
// Ids alone are small: a thousand versions tell what is old for a long time.
constexpr std::size_t IdsKept = 1000;

constexpr std::string_view Magic = "QPH1";

void Put(std::string& out, std::uint64_t value, int bytes) {
    for (int n = 0; n < bytes; ++n) {
        out.push_back(static_cast<char>((value >> (8 * n)) & 0xFF));
    }
}

struct Bytes {
    std::string_view rest;
    bool good = true;
    std::uint64_t Get(int bytes) {
        if (rest.size() < static_cast<std::size_t>(bytes)) {
            good = false;
            return 0;
        }
        std::uint64_t value = 0;
        for (int n = 0; n < bytes; ++n) {
            value |= static_cast<std::uint64_t>(static_cast<unsigned char>(rest[n])) << (8 * n);
        }
        rest.remove_prefix(bytes);
        return value;
    }
    // A count of items of this many bytes each that the bytes left can hold.
    std::size_t Count(std::size_t itemBytes) {
        const std::uint64_t count = Get(4);
        good = good && count <= rest.size() / itemBytes;
        return good ? static_cast<std::size_t>(count) : 0;
    }
};

std::size_t KeysHeld(const PadHistory& history) {
    std::size_t keys = 0;
    for (const KnownVersion& version : history.versions) {
        keys += version.keys.size();
    }
    return keys;
}

void KeepWithinBounds(PadHistory& history) {
    std::vector<KnownVersion>& versions = history.versions;
    while (versions.size() > FewestVersionsKept &&
           (versions.size() > VersionsKept || KeysHeld(history) > KeysKept)) {
        history.olderIds.push_back(versions.front().id);
        versions.erase(versions.begin());
    }
    std::vector<VersionId>& older = history.olderIds;
    const std::size_t idsKept = IdsKept > versions.size() ? IdsKept - versions.size() : 0;
    if (older.size() > idsKept) {
        older.erase(older.begin(), older.end() - static_cast<std::ptrdiff_t>(idsKept));
    }
}

void WriteHistory() {
    if (!HistoryFileName.empty()) {
        const std::string bytes = HistoryBytes(History);
        ReplaceFileWith(HistoryFileName.c_str(), OnePiece(bytes));
    }
}

} // namespace

VersionId VersionIdOf(const std::vector<std::uint64_t>& pageKeys) {
    return DigestOf(std::string_view(reinterpret_cast<const char*>(pageKeys.data()),
                                     pageKeys.size() * sizeof(std::uint64_t)));
}

std::string HistoryFileFor(std::string_view historyFolder, std::string_view padFolder) {
    while (padFolder.size() > 1 && (padFolder.back() == '\\' || padFolder.back() == '/')) {
        padFolder.remove_suffix(1);
    }
    char name[24];
    std::snprintf(name, sizeof name, "%016llx.qph",
                  static_cast<unsigned long long>(DigestOf(NameInCapitals(padFolder))));
    const char separator = historyFolder.find('\\') != std::string_view::npos ? '\\' : '/';
    return std::string(historyFolder) + separator + name;
}

std::string HistoryBytes(const PadHistory& history) {
    std::vector<std::uint64_t> pool;
    std::unordered_map<std::uint64_t, std::uint32_t> slot;
    for (const KnownVersion& version : history.versions) {
        for (const std::uint64_t key : version.keys) {
            if (slot.emplace(key, static_cast<std::uint32_t>(pool.size())).second) {
                pool.push_back(key);
            }
        }
    }
    std::string out(Magic);
    Put(out, pool.size(), 4);
    for (const std::uint64_t key : pool) {
        Put(out, key, 8);
    }
    Put(out, history.versions.size(), 4);
    for (const KnownVersion& version : history.versions) {
        Put(out, version.id, 8);
        Put(out, version.utf8 ? 1 : 0, 1);
        Put(out, version.keys.size(), 4);
        for (const std::uint64_t key : version.keys) {
            Put(out, slot[key], 4);
        }
    }
    Put(out, history.olderIds.size(), 4);
    for (const VersionId id : history.olderIds) {
        Put(out, id, 8);
    }
    Put(out, DigestOf(out), 8);
    return out;
}

bool ParseHistory(std::string_view bytes, PadHistory& history) {
    history = PadHistory();
    if (bytes.size() < Magic.size() + 8 || !bytes.starts_with(Magic) ||
        DigestOf(bytes.substr(0, bytes.size() - 8)) !=
            Bytes{bytes.substr(bytes.size() - 8)}.Get(8)) {
        return false;
    }
    Bytes in{bytes.substr(Magic.size(), bytes.size() - Magic.size() - 8)};
    std::vector<std::uint64_t> pool(in.Count(8));
    for (std::uint64_t& key : pool) {
        key = in.Get(8);
    }
    history.versions.resize(in.Count(13));
    for (KnownVersion& version : history.versions) {
        version.id = in.Get(8);
        version.utf8 = in.Get(1) != 0;
        version.keys.resize(in.Count(4));
        for (std::uint64_t& key : version.keys) {
            const std::uint64_t at = in.Get(4);
            in.good = in.good && at < pool.size();
            key = in.good ? pool[at] : 0;
        }
    }
    history.olderIds.resize(in.Count(8));
    for (VersionId& id : history.olderIds) {
        id = in.Get(8);
    }
    if (!in.good || !in.rest.empty()) {
        history = PadHistory();
        return false;
    }
    return true;
}

void LoadHistory() {
    std::string bytes;
    if (HistoryFileName.empty() || !ReadWholeFile(HistoryFileName.c_str(), bytes) ||
        !ParseHistory(bytes, History)) {
        History = PadHistory();
    }
}

// A version known already moves to the newest place, so that it is the last to go.
void RememberVersion(VersionId id, bool utf8, std::vector<std::uint64_t> keys) {
    std::vector<KnownVersion>& versions = History.versions;
    if (!versions.empty() && versions.back().id == id) {
        return;
    }
    std::erase_if(versions, [id](const KnownVersion& version) { return version.id == id; });
    std::erase(History.olderIds, id);
    versions.push_back(KnownVersion{id, utf8, std::move(keys)});
    KeepWithinBounds(History);
    WriteHistory();
}

void RememberIds(const std::vector<VersionId>& ids) {
    bool added = false;
    for (const VersionId id : ids) {
        if (!VersionKnown(id)) {
            History.olderIds.push_back(id);
            added = true;
        }
    }
    if (added) {
        KeepWithinBounds(History);
        WriteHistory();
    }
}

bool VersionKnown(VersionId id) {
    return FindKnownVersion(id) != nullptr ||
           std::find(History.olderIds.begin(), History.olderIds.end(), id) !=
               History.olderIds.end();
}

const KnownVersion* FindKnownVersion(VersionId id) {
    for (auto version = History.versions.rbegin(); version != History.versions.rend(); ++version) {
        if (version->id == id) {
            return &*version;
        }
    }
    return nullptr;
}
