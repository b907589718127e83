// Finding the version two versions of the pad grew from, by id or by content.
#include "sync/common_version.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

std::vector<const KnownVersion*> NewestCommonVersions(const PadHistory& history, VersionId there,
                                                      const std::vector<VersionId>& thereGrewFrom,
                                                      std::size_t most) {
    std::vector<const KnownVersion*> common;
    for (auto version = history.versions.rbegin();
         version != history.versions.rend() && common.size() < most; ++version) {
        if (version->id == there || std::find(thereGrewFrom.begin(), thereGrewFrom.end(),
                                              version->id) != thereGrewFrom.end()) {
            common.push_back(&*version);
        }
    }
    return common;
}

ContentBase CommonVersionByContent(const PadHistory& history, const KeysInForm& there,
                                   std::uint64_t emptyPageKey, bool firstCounts) {
    std::unordered_set<std::uint64_t> seen{emptyPageKey};
    ContentBase newest;
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
        const auto held = static_cast<std::size_t>(std::count_if(
            theirs.begin(), theirs.end(), [&](std::uint64_t key) { return fresh.erase(key) > 0; }));
        if (counts && held > 0) {
            newest = {&version, fresh.empty()};
        }
    }
    return newest;
}

PageMerge KeptByEveryMerge(std::vector<PageMerge> merges, const std::vector<std::uint64_t>& here,
                           const std::vector<std::uint64_t>& there) {
    const auto keyOf = [&](const MergedPage& page) {
        return page.fromThere ? there[static_cast<std::size_t>(page.there - 1)]
                              : here[static_cast<std::size_t>(page.here - 1)];
    };
    const auto fewest =
        std::min_element(merges.begin(), merges.end(), [](const auto& a, const auto& b) {
            return a.pages.size() < b.pages.size();
        });
    PageMerge merge = std::move(*fewest);
    std::unordered_map<std::uint64_t, std::size_t> allowed;
    for (const MergedPage& page : merge.pages) {
        ++allowed[keyOf(page)];
    }
    for (const PageMerge& other : merges) {
        if (&other == &*fewest) {
            continue; // moved from
        }
        std::unordered_map<std::uint64_t, std::size_t> held;
        for (const MergedPage& page : other.pages) {
            ++held[keyOf(page)];
        }
        for (auto& [key, count] : allowed) {
            count = std::min(count, held[key]);
        }
    }
    std::vector<bool> dropped(merge.pages.size(), false);
    for (std::size_t n = 0; n < merge.pages.size(); ++n) {
        std::size_t& left = allowed[keyOf(merge.pages[n])];
        dropped[n] = left == 0;
        left -= left > 0 ? 1 : 0;
    }
    DropMergedPages(merge, dropped);
    return merge;
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

void DropOlderTexts(PageMerge& merge, const PadHistory& history, bool keysUtf8,
                    const std::vector<std::uint64_t>& here, const std::vector<std::uint64_t>& there,
                    const std::vector<VersionId>& thereGrewFrom) {
    std::unordered_map<std::uint64_t, std::ptrdiff_t> firstHad;
    std::unordered_set<std::uint64_t> thereHad;
    for (std::size_t n = 0; n < history.versions.size(); ++n) {
        const KnownVersion& version = history.versions[n];
        if (version.utf8 != keysUtf8) {
            continue;
        }
        const bool ancestor = std::find(thereGrewFrom.begin(), thereGrewFrom.end(), version.id) !=
                              thereGrewFrom.end();
        for (const std::uint64_t key : version.keys) {
            firstHad.emplace(key, static_cast<std::ptrdiff_t>(n));
            if (ancestor) {
                thereHad.insert(key);
            }
        }
    }
    const auto had = [&](std::uint64_t key) {
        const auto found = firstHad.find(key);
        return found == firstHad.end() ? std::ptrdiff_t{-1} : found->second;
    };
    const std::unordered_set<std::uint64_t> hereHolds(here.begin(), here.end());
    const std::unordered_set<std::uint64_t> thereHolds(there.begin(), there.end());
    std::vector<std::int32_t>& twice = merge.keptTwice;
    for (std::size_t n = twice.size(); n-- > 0;) {
        const std::size_t first = static_cast<std::size_t>(twice[n]) - 1;
        if (first + 1 >= merge.pages.size() ||
            merge.pages[first].fromThere == merge.pages[first + 1].fromThere) {
            continue;
        }
        const std::size_t fromThere = merge.pages[first].fromThere ? first : first + 1;
        const std::size_t fromHere = fromThere == first ? first + 1 : first;
        const std::uint64_t x = there[static_cast<std::size_t>(merge.pages[fromThere].there - 1)];
        const std::uint64_t h = here[static_cast<std::size_t>(merge.pages[fromHere].here - 1)];
        // A side that still holds the other's text elsewhere did not change it into its own.
        std::size_t dropped = merge.pages.size();
        if (had(x) >= 0 && (had(h) < 0 || had(h) > had(x)) && !hereHolds.contains(x)) {
            dropped = fromThere;
        } else if (had(x) < 0 && thereHad.contains(h) && !thereHolds.contains(h)) {
            dropped = fromHere;
        }
        if (dropped == merge.pages.size()) {
            continue;
        }
        merge.pages.erase(merge.pages.begin() + static_cast<std::ptrdiff_t>(dropped));
        for (std::size_t later = n + 1; later < twice.size(); ++later) {
            --twice[later];
        }
        twice.erase(twice.begin() + static_cast<std::ptrdiff_t>(n));
    }
}
