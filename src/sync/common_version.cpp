// Finding the version two versions of the pad grew from, by id or by content.
#include "sync/common_version.h"

#include <algorithm>
#include <unordered_set>

const KnownVersion* NewestCommonVersion(const PadHistory& history, VersionId there,
                                        const std::vector<VersionId>& thereGrewFrom) {
    for (auto version = history.versions.rbegin(); version != history.versions.rend(); ++version) {
        if (version->id == there || std::find(thereGrewFrom.begin(), thereGrewFrom.end(),
                                              version->id) != thereGrewFrom.end()) {
            return &*version;
        }
    }
    return nullptr;
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
