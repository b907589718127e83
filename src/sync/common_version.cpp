// Finding the version two versions of the pad grew from, by id or by content.
#include "sync/common_version.h"

#include <algorithm>
#include <unordered_set>

namespace {

std::size_t PlaceOf(const std::vector<VersionId>& versions, VersionId id) {
    return static_cast<std::size_t>(std::find(versions.begin(), versions.end(), id) -
                                    versions.begin());
}

} // namespace

std::vector<VersionId> VersionsHere(const PadHistory& history, VersionId here,
                                    const std::vector<VersionId>& hereGrewFrom) {
    std::vector<VersionId> versions{here};
    versions.insert(versions.end(), hereGrewFrom.begin(), hereGrewFrom.end());
    for (auto version = history.versions.rbegin(); version != history.versions.rend(); ++version) {
        versions.push_back(version->id);
    }
    versions.insert(versions.end(), history.olderIds.rbegin(), history.olderIds.rend());
    return versions;
}

bool OlderThanHere(const std::vector<VersionId>& versionsHere, VersionId there,
                   const std::vector<VersionId>& thereGrewFrom) {
    const std::size_t place = PlaceOf(versionsHere, there);
    if (place == versionsHere.size()) {
        return false;
    }
    for (const VersionId id : thereGrewFrom) {
        if (PlaceOf(versionsHere, id) < place) {
            return false;
        }
    }
    return true;
}

const KnownVersion* NewestCommonVersion(const PadHistory& history,
                                        const std::vector<VersionId>& versionsHere, VersionId there,
                                        const std::vector<VersionId>& thereGrewFrom) {
    const KnownVersion* newest = nullptr;
    std::size_t newestPlace = versionsHere.size();
    const auto consider = [&](VersionId id) {
        const std::size_t place = PlaceOf(versionsHere, id);
        if (place >= newestPlace) {
            return;
        }
        for (const KnownVersion& version : history.versions) {
            if (version.id == id) {
                newest = &version;
                newestPlace = place;
            }
        }
    };
    consider(there);
    for (const VersionId id : thereGrewFrom) {
        consider(id);
    }
    return newest;
}

const KnownVersion* CommonVersionByContent(const PadHistory& history, const KeysInForm& there,
                                           std::uint64_t emptyPageKey, bool firstCounts) {
    std::unordered_set<std::uint64_t> seen{emptyPageKey};
    const KnownVersion* newest = nullptr;
    for (const KnownVersion& version : history.versions) {
        std::unordered_set<std::uint64_t> fresh;
        for (const std::uint64_t key : version.keys) {
            if (!seen.contains(key)) {
                fresh.insert(key);
            }
        }
        seen.insert(fresh.begin(), fresh.end());
        const bool counts =
            &version != &history.versions.front() || (firstCounts && history.olderIds.empty());
        const std::vector<std::uint64_t>& theirs = there(version.utf8);
        if (counts && std::any_of(theirs.begin(), theirs.end(),
                                  [&](std::uint64_t key) { return fresh.contains(key); })) {
            newest = &version;
        }
    }
    return newest;
}

PageMerge UniteExceptKnown(const PadHistory& history, const std::vector<std::uint64_t>& here,
                           const KeysInForm& there, bool thereUtf8) {
    std::unordered_set<std::uint64_t> known;
    for (const KnownVersion& version : history.versions) {
        if (version.utf8 == thereUtf8) {
            known.insert(version.keys.begin(), version.keys.end());
        }
    }
    const std::vector<std::uint64_t>& theirs = there(thereUtf8);
    PageMerge merge = UnitePages(here, theirs);
    merge.united = true;
    std::erase_if(merge.pages, [&](const MergedPage& page) {
        return page.here == 0 && known.contains(theirs[page.there - 1]);
    });
    return merge;
}

std::int32_t PageFollowed(const PageMerge& merge, std::int32_t page) {
    for (std::size_t n = 0; n < merge.pages.size(); ++n) {
        if (merge.pages[n].here >= page) {
            return static_cast<std::int32_t>(n + 1);
        }
    }
    return static_cast<std::int32_t>(merge.pages.size());
}

std::vector<VersionId> JoinedLineages(const std::vector<VersionId>& a,
                                      const std::vector<VersionId>& b) {
    std::vector<VersionId> joined;
    const auto add = [&](VersionId id) {
        if (joined.size() < VersionsLineIds &&
            std::find(joined.begin(), joined.end(), id) == joined.end()) {
            joined.push_back(id);
        }
    };
    for (std::size_t n = 0; n < std::max(a.size(), b.size()); ++n) {
        if (n < a.size()) {
            add(a[n]);
        }
        if (n < b.size()) {
            add(b[n]);
        }
    }
    return joined;
}
