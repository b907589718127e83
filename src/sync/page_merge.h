// Two versions of the pad that grew apart from one base, merged page by page as a three-way
// merge does, over the pages' digests; and two versions with no base, united.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

// One page of a merge's result.
struct MergedPage {
    bool fromThere =
        false; // the text is the other version's page `there`; else this side's page `here`
    std::int32_t here = 0;  // this side's page (1-based) it holds or takes the place of; 0 for none
    std::int32_t there = 0; // the other version's page it holds or takes the place of; 0 for none
};

struct PageMerge {
    std::vector<MergedPage> pages;       // the result, page 1 first
    std::vector<std::int32_t> keptTwice; // result page numbers of the first page of each pair of
                                         // versions of one page that both sides changed differently
    bool united = false;                 // no base: every page that differs kept
    bool baseGuessed = false;            // the base was told by content, not known by its id
};

// A digest per page, page 1 first (no unused element 0): of the base, this side and the other.
PageMerge MergePages(const std::vector<std::uint64_t>& base, const std::vector<std::uint64_t>& here,
                     const std::vector<std::uint64_t>& there);
// Two versions holding the same pages in other orders (pages moved, or merged in other
// orders on two PCs at once): the lesser order of the two, on every PC alike, so that they
// meet; nothing when the versions hold different pages.
std::optional<PageMerge> OneOrderOfSamePages(const std::vector<std::uint64_t>& here,
                                             const std::vector<std::uint64_t>& there);
// Drops the pages of a merge marked (one flag per page); a pair of versions of one page that
// loses one of them is a pair no more.
void DropMergedPages(PageMerge& merge, const std::vector<bool>& dropped);
// No base: aligned by the same diff, pages equal on both sides once, every page that differs kept.
// Each stretch that differs is kept whole, the two in their shared order, as pages inserted on
// both sides at one place are; keptTwice stays empty, since no page is known to be two versions.
PageMerge UnitePages(const std::vector<std::uint64_t>& here,
                     const std::vector<std::uint64_t>& there);
