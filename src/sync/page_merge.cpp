// The page merge: each version aligned with the base by a diff of page digests, then, between
// the base pages that both versions kept, the pages each version changed or inserted brought
// together. Every choice depends on the two versions alone, never on which one is this side,
// so that two PCs merging the same versions reach the same pages.
#include "sync/page_merge.h"

#include "text/digest.h"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <span>
#include <unordered_map>
#include <utility>

namespace {

using Digests = std::vector<std::uint64_t>;

// A part of two sequences: a[aFrom, aTo) against b[bFrom, bTo).
struct Part {
    int aFrom, aTo, bFrom, bTo;
};

// A run of pages alike in both, from (a, b) to (aEnd, bEnd), relative to a part.
struct Snake {
    int a, b, aEnd, bEnd;
};

// The middle snake of a shortest edit script of a part whose ends differ, found by searching
// from both corners at once; each half of the part beside it needs at most half the edits.
Snake MiddleSnake(const Digests& a, const Digests& b, const Part& part) {
    const int n = part.aTo - part.aFrom;
    const int m = part.bTo - part.bFrom;
    const int delta = n - m;
    const int most = (n + m + 1) / 2;
    // Furthest reaching pages of a per diagonal k = x - y, forward and backward (in pages
    // from the far corner), with k offset by most + 1.
    std::vector<int> forward(static_cast<std::size_t>(2 * most + 3), 0);
    std::vector<int> backward(forward.size(), 0);
    const auto at = [most](std::vector<int>& furthest, int k) -> int& {
        return furthest[static_cast<std::size_t>(k + most + 1)];
    };
    const auto alike = [&](int x, int y) {
        return a[static_cast<std::size_t>(part.aFrom + x)] ==
               b[static_cast<std::size_t>(part.bFrom + y)];
    };
    for (int d = 0;; ++d) { // the two searches meet by d = most
        for (int k = -d; k <= d; k += 2) {
            int x = k == -d || (k != d && at(forward, k - 1) < at(forward, k + 1))
                        ? at(forward, k + 1)
                        : at(forward, k - 1) + 1;
            const int xStart = x;
            while (x < n && x - k < m && alike(x, x - k)) {
                ++x;
            }
            at(forward, k) = x;
            const int back = delta - k;
            if (delta % 2 != 0 && back >= 1 - d && back <= d - 1 && x + at(backward, back) >= n) {
                return {xStart, xStart - k, x, x - k};
            }
        }
        for (int k = -d; k <= d; k += 2) {
            int x = k == -d || (k != d && at(backward, k - 1) < at(backward, k + 1))
                        ? at(backward, k + 1)
                        : at(backward, k - 1) + 1;
            const int xStart = x;
            while (x < n && x - k < m && alike(n - 1 - x, m - 1 - (x - k))) {
                ++x;
            }
            at(backward, k) = x;
            const int ahead = delta - k;
            if (delta % 2 == 0 && ahead >= -d && ahead <= d && x + at(forward, ahead) >= n) {
                return {n - x, m - (x - k), n - xStart, m - (xStart - k)};
            }
        }
    }
}

// The pages a part of two sequences shares, added to `common` in order.
void AddCommonPages(const Digests& a, const Digests& b, Part part,
                    std::vector<std::pair<int, int>>& common) {
    while (part.aFrom < part.aTo && part.bFrom < part.bTo &&
           a[static_cast<std::size_t>(part.aFrom)] == b[static_cast<std::size_t>(part.bFrom)]) {
        common.emplace_back(part.aFrom++, part.bFrom++);
    }
    int tail = 0;
    while (part.aFrom < part.aTo && part.bFrom < part.bTo &&
           a[static_cast<std::size_t>(part.aTo - 1)] == b[static_cast<std::size_t>(part.bTo - 1)]) {
        --part.aTo;
        --part.bTo;
        ++tail;
    }
    if (part.aFrom < part.aTo && part.bFrom < part.bTo) {
        const Snake snake = MiddleSnake(a, b, part);
        AddCommonPages(a, b, {part.aFrom, part.aFrom + snake.a, part.bFrom, part.bFrom + snake.b},
                       common);
        for (int n = 0; n < snake.aEnd - snake.a; ++n) {
            common.emplace_back(part.aFrom + snake.a + n, part.bFrom + snake.b + n);
        }
        AddCommonPages(a, b, {part.aFrom + snake.aEnd, part.aTo, part.bFrom + snake.bEnd, part.bTo},
                       common);
    }
    for (int n = 0; n < tail; ++n) {
        common.emplace_back(part.aTo + n, part.bTo + n);
    }
}

// The pages two sequences share, as pairs of 0-based indexes in order: a longest common
// subsequence, by Myers' diff. Pads change in few places, so it takes little more than a
// pass over both; in linear space, even two unrelated pads of 10,000 pages take a few MB.
std::vector<std::pair<int, int>> CommonPages(const Digests& a, const Digests& b) {
    std::vector<std::pair<int, int>> common;
    AddCommonPages(a, b, {0, static_cast<int>(a.size()), 0, static_cast<int>(b.size())}, common);
    return common;
}

// The same pairs whichever version is given first: where a diff has a choice between equally
// long alignments, it depends on the order of its two sequences.
std::vector<std::pair<int, int>> CommonPagesEitherWay(const Digests& a, const Digests& b) {
    if (!std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end())) {
        return CommonPages(a, b);
    }
    std::vector<std::pair<int, int>> common = CommonPages(b, a);
    for (auto& [inA, inB] : common) {
        std::swap(inA, inB);
    }
    return common;
}

// A page of one version that is not a base page kept unchanged: changed or inserted.
struct NewPage {
    std::uint64_t digest;
    int index; // in its version, 0-based
    int base;  // the base page it takes the place of, or -1 when inserted
    // Where it stands among the base pages: 2k+1 in base page k's place, 2k before base
    // page k. New pages of both versions meet in this order.
    int place;
};

// One version against the base.
struct Version {
    bool isThere;
    std::vector<int> kept; // per base page: this version's page that holds it unchanged, or -1
    std::vector<NewPage> newPages;
};

// Aligns a version with the base. Within each stretch it changed (base pages dropped, pages
// of its own in their place), its pages take the places of the base pages one to one from
// the start; the pages beyond those are inserted after them.
Version Align(const Digests& base, const Digests& pages, bool isThere) {
    Version version{isThere, std::vector<int>(base.size(), -1), {}};
    std::vector<std::pair<int, int>> common = CommonPages(base, pages);
    for (const auto& [inBase, inVersion] : common) {
        version.kept[static_cast<std::size_t>(inBase)] = inVersion;
    }
    common.emplace_back(static_cast<int>(base.size()), static_cast<int>(pages.size()));
    int inBase = 0;
    int inVersion = 0;
    for (const auto& [baseEnd, versionEnd] : common) {
        for (int n = 0; inVersion + n < versionEnd; ++n) {
            const bool inPlace = inBase + n < baseEnd;
            version.newPages.push_back({pages[static_cast<std::size_t>(inVersion + n)],
                                        inVersion + n, inPlace ? inBase + n : -1,
                                        inPlace ? 2 * (inBase + n) + 1 : 2 * baseEnd});
        }
        inBase = baseEnd + 1;
        inVersion = versionEnd + 1;
    }
    return version;
}

struct Merging {
    const Version& here;
    const Version& there;
    PageMerge result;
};

void Put(Merging& merging, bool fromThere, int here, int there) {
    merging.result.pages.push_back({fromThere, here, there});
}

// A page new in one version alone, with the other version's page it takes the place of.
void PutNewPage(Merging& merging, const Version& version, const NewPage& page) {
    const Version& other = version.isThere ? merging.here : merging.there;
    const int otherPage = page.base < 0 ? 0 : other.kept[static_cast<std::size_t>(page.base)] + 1;
    if (version.isThere) {
        Put(merging, true, otherPage, page.index + 1);
    } else {
        Put(merging, false, page.index + 1, otherPage);
    }
}

// New pages of both versions with no page alike between them, by their places. Both versions
// new in one base page's place are its two versions, the lesser digest first; pages inserted
// by both at one place stand as two runs, the lesser run first.
void PutUnalike(Merging& merging, std::span<const NewPage> here, std::span<const NewPage> there) {
    while (!here.empty() || !there.empty()) {
        constexpr int pastAll = std::numeric_limits<int>::max();
        const int place = std::min(here.empty() ? pastAll : here.front().place,
                                   there.empty() ? pastAll : there.front().place);
        const auto atPlace = [place](std::span<const NewPage> pages) {
            std::size_t count = 0;
            while (count < pages.size() && pages[count].place == place) {
                ++count;
            }
            return pages.first(count);
        };
        std::span<const NewPage> first = atPlace(here);
        std::span<const NewPage> second = atPlace(there);
        const Version* firstVersion = &merging.here;
        const Version* secondVersion = &merging.there;
        here = here.subspan(first.size());
        there = there.subspan(second.size());
        if (std::lexicographical_compare(
                second.begin(), second.end(), first.begin(), first.end(),
                [](const NewPage& a, const NewPage& b) { return a.digest < b.digest; })) {
            std::swap(first, second);
            std::swap(firstVersion, secondVersion);
        }
        if (!first.empty() && !second.empty() && place % 2 == 1) {
            merging.result.keptTwice.push_back(
                static_cast<std::int32_t>(merging.result.pages.size() + 1));
        }
        for (const NewPage& page : first) {
            PutNewPage(merging, *firstVersion, page);
        }
        for (const NewPage& page : second) {
            PutNewPage(merging, *secondVersion, page);
        }
    }
}

// The new pages of both versions in one stretch between base pages that both kept: those
// alike in both are taken once, where a diff of the two aligns them; the rest by their places.
void PutStretch(Merging& merging, std::span<const NewPage> here, std::span<const NewPage> there) {
    if (here.empty() || there.empty()) {
        PutUnalike(merging, here, there);
        return;
    }
    const auto digestsOf = [](std::span<const NewPage> pages) {
        Digests digests;
        for (const NewPage& page : pages) {
            digests.push_back(page.digest);
        }
        return digests;
    };
    std::vector<std::pair<int, int>> alike =
        CommonPagesEitherWay(digestsOf(here), digestsOf(there));
    alike.emplace_back(static_cast<int>(here.size()), static_cast<int>(there.size()));
    std::size_t hereDone = 0;
    std::size_t thereDone = 0;
    for (const auto& [inHere, inThere] : alike) {
        const auto hereEnd = static_cast<std::size_t>(inHere);
        const auto thereEnd = static_cast<std::size_t>(inThere);
        PutUnalike(merging, here.subspan(hereDone, hereEnd - hereDone),
                   there.subspan(thereDone, thereEnd - thereDone));
        if (hereEnd < here.size()) {
            Put(merging, false, here[hereEnd].index + 1, there[thereEnd].index + 1);
        }
        hereDone = hereEnd + 1;
        thereDone = thereEnd + 1;
    }
}

// The new pages of a version from `done` on that stand at `place` or before it.
std::span<const NewPage> NewPagesThrough(const Version& version, std::size_t& done, int place) {
    const std::size_t from = done;
    while (done < version.newPages.size() && version.newPages[done].place <= place) {
        ++done;
    }
    return std::span<const NewPage>(version.newPages).subspan(from, done - from);
}

// A page that both versions added apart, each in a place of its own (around pages that one
// of them moved, or versions merged differently on two PCs at once), is one page: kept once
// as often as either version holds it, where it first stands; later ones go. Empty pages
// added apart are pages of their own, each waiting for its text.
void DropPagesAddedTwice(PageMerge& merge, const Version& here, const Version& there,
                         const Digests& hereDigests, const Digests& thereDigests) {
    std::unordered_map<std::uint64_t, std::pair<int, int>> added; // per digest: here, there
    for (const NewPage& page : here.newPages) {
        ++added[page.digest].first;
    }
    for (const NewPage& page : there.newPages) {
        ++added[page.digest].second;
    }
    std::vector<bool> keptHere(hereDigests.size(), false), keptThere(thereDigests.size(), false);
    const auto markKept = [](const Version& version, std::vector<bool>& kept) {
        for (const int page : version.kept) {
            if (page >= 0) {
                kept[static_cast<std::size_t>(page)] = true;
            }
        }
    };
    markKept(here, keptHere), markKept(there, keptThere);
    std::unordered_map<std::uint64_t, int> seen;
    const std::uint64_t emptyPage = DigestOf("");
    std::vector<bool> dropped(merge.pages.size(), false);
    for (std::size_t n = 0; n < merge.pages.size(); ++n) {
        const MergedPage& page = merge.pages[n];
        const std::size_t index =
            static_cast<std::size_t>((page.fromThere ? page.there : page.here) - 1);
        const bool isNew = !(page.fromThere ? keptThere : keptHere)[index];
        const std::uint64_t digest = (page.fromThere ? thereDigests : hereDigests)[index];
        const auto found = added.find(digest);
        dropped[n] = isNew && digest != emptyPage && found->second.first > 0 &&
                     found->second.second > 0 &&
                     ++seen[digest] > std::max(found->second.first, found->second.second);
    }
    DropMergedPages(merge, dropped);
}

} // namespace

PageMerge MergePages(const Digests& base, const Digests& here, const Digests& there) {
    const Version hereVersion = Align(base, here, false);
    const Version thereVersion = Align(base, there, true);
    Merging merging{hereVersion, thereVersion, {}};
    std::size_t hereDone = 0;
    std::size_t thereDone = 0;
    // The stretches between the base pages that both versions kept. Pages alike on both sides
    // are sought across a whole stretch, since where each version's new pages stand among the
    // base pages it dropped is a guess that the two versions need not share.
    for (std::size_t page = 0; page <= base.size(); ++page) {
        const bool atEnd = page == base.size();
        const int inHere = atEnd ? -1 : hereVersion.kept[page];
        const int inThere = atEnd ? -1 : thereVersion.kept[page];
        if (!atEnd && (inHere < 0 || inThere < 0)) {
            continue;
        }
        const int before = atEnd ? std::numeric_limits<int>::max() : 2 * static_cast<int>(page);
        PutStretch(merging, NewPagesThrough(hereVersion, hereDone, before),
                   NewPagesThrough(thereVersion, thereDone, before));
        if (!atEnd) {
            Put(merging, false, inHere + 1, inThere + 1);
        }
    }
    if (!base.empty()) {
        DropPagesAddedTwice(merging.result, hereVersion, thereVersion, here, there);
    }
    return merging.result;
}

std::optional<PageMerge> OneOrderOfSamePages(const Digests& here, const Digests& there) {
    // Sums that differ tell different pages at once; only equal ones are sorted to make sure.
    const auto sum = [](const Digests& pages) {
        std::uint64_t total = 0;
        for (const std::uint64_t page : pages) {
            total += page;
        }
        return total;
    };
    if (here.size() != there.size() || sum(here) != sum(there)) {
        return std::nullopt;
    }
    Digests hereSorted = here, thereSorted = there;
    std::sort(hereSorted.begin(), hereSorted.end());
    std::sort(thereSorted.begin(), thereSorted.end());
    if (hereSorted != thereSorted) {
        return std::nullopt;
    }
    const bool fromThere = there < here;
    const Digests& taken = fromThere ? there : here;
    const Digests& other = fromThere ? here : there;
    // Each page's place in the other version, alike pages matched in order.
    std::unordered_map<std::uint64_t, std::vector<std::int32_t>> places;
    for (std::size_t n = other.size(); n-- > 0;) {
        places[other[n]].push_back(static_cast<std::int32_t>(n + 1));
    }
    PageMerge merge;
    for (std::size_t n = 0; n < taken.size(); ++n) {
        std::vector<std::int32_t>& free = places[taken[n]];
        const std::int32_t inOther = free.back();
        free.pop_back();
        const std::int32_t inTaken = static_cast<std::int32_t>(n + 1);
        merge.pages.push_back(fromThere ? MergedPage{true, inOther, inTaken}
                                        : MergedPage{false, inTaken, inOther});
    }
    return merge;
}

void DropMergedPages(PageMerge& merge, const std::vector<bool>& dropped) {
    std::vector<MergedPage> pages;
    std::vector<std::int32_t> twice;
    std::size_t pair = 0;
    for (std::size_t n = 0; n < merge.pages.size(); ++n) {
        while (pair < merge.keptTwice.size() &&
               static_cast<std::size_t>(merge.keptTwice[pair]) < n + 1) {
            ++pair;
        }
        if (dropped[n]) {
            // The other of a pair of versions stands alone now.
            if (!twice.empty() && static_cast<std::size_t>(twice.back()) == pages.size()) {
                twice.pop_back();
            }
            continue;
        }
        if (pair < merge.keptTwice.size() &&
            static_cast<std::size_t>(merge.keptTwice[pair]) == n + 1) {
            twice.push_back(static_cast<std::int32_t>(pages.size() + 1));
        }
        pages.push_back(merge.pages[n]);
    }
    merge.pages = std::move(pages);
    merge.keptTwice = std::move(twice);
}

PageMerge UnitePages(const Digests& here, const Digests& there) {
    return MergePages({}, here, there);
}
