// The page merge: what pages changed, inserted or deleted on one side or both become, the
// same pages whichever side merges, and no page that differs from the base lost.
#include "sync/page_merge.h"

#include "text/digest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Digests = std::vector<std::uint64_t>;

// Pages named by words of up to 8 letters, "_" an empty page. A page's digest is its name's
// bytes, so that the order of digests both sides share is the names' order.
Digests PagesOf(const std::string& names) {
    Digests pages;
    std::istringstream words(names);
    for (std::string name; words >> name;) {
        if (name == "_") {
            pages.push_back(DigestOf(""));
            continue;
        }
        name.resize(8);
        pages.push_back(0);
        for (const char letter : name) {
            pages.back() = pages.back() << 8 | static_cast<unsigned char>(letter);
        }
    }
    return pages;
}

// The digest of every page of a merge, each page checked to name a page of its side.
Digests DigestsOf(const PageMerge& merge, const Digests& here, const Digests& there) {
    Digests pages;
    for (const MergedPage& page : merge.pages) {
        const Digests& side = page.fromThere ? there : here;
        const std::int32_t number = page.fromThere ? page.there : page.here;
        const bool named = number >= 1 && number <= static_cast<std::int32_t>(side.size());
        EXPECT_TRUE(named);
        pages.push_back(named ? side[static_cast<std::size_t>(number - 1)] : 0);
    }
    return pages;
}

// here:there of each page, with * for a page from there.
std::string Fields(const PageMerge& merge) {
    std::string fields;
    for (const MergedPage& page : merge.pages) {
        fields += fields.empty() ? "" : " ";
        fields += page.fromThere ? "*" : "";
        fields += std::to_string(page.here) + ':' + std::to_string(page.there);
    }
    return fields;
}

// Merges (unites, with no base) and checks what holds of every merge: each page names a
// page of its side, every page new on a side stands in the result as often, no page of a side
// is named twice (the window follows the user's page by its number), the sides swapped give
// the same pages, and, if `again`, merging the result again with either side gives it back.
PageMerge Merged(const Digests* base, const Digests& here, const Digests& there, bool again) {
    const auto merged = [&](const Digests& a, const Digests& b) {
        return base != nullptr ? MergePages(*base, a, b) : UnitePages(a, b);
    };
    const PageMerge merge = merged(here, there);
    const Digests result = DigestsOf(merge, here, there);
    for (const bool isThere : {false, true}) {
        const Digests& side = isThere ? there : here;
        for (const std::uint64_t page : side) {
            EXPECT_TRUE((base != nullptr && std::count(base->begin(), base->end(), page) > 0) ||
                        std::count(result.begin(), result.end(), page) >=
                            std::count(side.begin(), side.end(), page));
        }
        std::vector<std::int32_t> named;
        for (const MergedPage& page : merge.pages) {
            named.push_back(isThere ? page.there : page.here);
        }
        std::erase(named, 0);
        std::sort(named.begin(), named.end());
        EXPECT_EQ(std::adjacent_find(named.begin(), named.end()), named.end());
    }
    const PageMerge swapped = merged(there, here);
    EXPECT_EQ(DigestsOf(swapped, there, here), result);
    EXPECT_EQ(swapped.keptTwice, merge.keptTwice);
    if (again) {
        EXPECT_EQ(DigestsOf(merged(here, result), here, result), result);
        EXPECT_EQ(DigestsOf(merged(result, there), result, there), result);
    }
    return merge;
}

struct Row {
    const char *base, *here, *there, *result, *fields;
    std::vector<std::int32_t> keptTwice;
};

// A base of "-": no base, the two versions united.
const Row Rows[] = {
    // base | here | there | result | fields (empty: not checked) | kept twice
    {"A B C", "A B C", "A B' C", "A B' C", "1:1 *2:2 3:3", {}},
    {"A B C", "A B' C", "A B C", "A B' C", "1:1 2:2 3:3", {}},
    {"A B", "A' B", "A B'", "A' B'", "1:1 *2:2", {}},
    {"A B C", "A B' C", "A B'' C", "A B' B'' C", "1:1 2:0 *0:2 3:3", {2}},
    {"A B C", "A B' C", "A B' C", "A B' C", "1:1 2:2 3:3", {}},
    {"A B C", "A C", "A B' C", "A B' C", "1:1 *0:2 2:3", {}},
    {"A B C", "A C", "A B C", "A C", "1:1 2:3", {}},
    {"A C", "A X C", "A Y C", "A X Y C", "1:1 2:0 *0:2 3:3", {}},
    {"A B", "A B X", "A B Y", "A B X Y", "1:1 2:2 3:0 *0:3", {}},
    {"A B C D", "A B' C D", "A D", "A B' D", "1:1 2:0 4:2", {}},
    {"A _ _ B", "A _ x B", "A _ _ B'", "A _ x B'", "", {}},
    {"A B C D", "A B' C D'", "A B'' C D''", "A B' B'' C D' D''", "", {2, 5}},
    {"A", "A1 A2", "A3", "A1 A3 A2", "1:0 *0:1 2:0", {1}},
    {"A B C", "X", "A B C'", "X C'", "1:1 *0:3", {}},
    {"A B", "", "A B'", "B'", "*0:2", {}},
    {"_ _", "_ _ X", "_", "_ X", "1:1 3:0", {}},
    {"A B C", "X A B C", "A B C X", "X A B C", "1:0 2:1 3:2 4:3", {}},
    {"A B", "_ A B", "A B _", "_ A B _", "1:0 2:1 3:2 *0:3", {}},
    {"A B C", "A X B C'", "X A B C''", "X A B C' C''", "", {4}},
    {"-", "A B C", "A C D", "A B C D", "1:1 2:0 3:2 *0:3", {}},
    {"-", "A Y Z B", "A X B", "A X Y Z B", "1:1 *0:2 2:0 3:0 4:3", {}},
};

TEST(PageMerge, FollowsTheRulesForPagesAndGivesTheSamePagesOnEitherSide) {
    for (const Row& row : Rows) {
        SCOPED_TRACE(std::string(row.base) + " | " + row.here + " | " + row.there);
        const Digests base = PagesOf(row.base), here = PagesOf(row.here),
                      there = PagesOf(row.there);
        const bool unite = std::string(row.base) == "-";
        const PageMerge merge = Merged(unite ? nullptr : &base, here, there, true);
        EXPECT_EQ(DigestsOf(merge, here, there), PagesOf(row.result));
        EXPECT_TRUE(*row.fields == '\0' || Fields(merge) == row.fields) << Fields(merge);
        EXPECT_EQ(merge.keptTwice, row.keptTwice);
    }
}

// How many pages a longest common subsequence of two versions holds, the plain way.
std::size_t MostAlike(const Digests& a, const Digests& b) {
    std::vector<std::vector<std::size_t>> most(a.size() + 1,
                                               std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            most[i][j] = a[i - 1] == b[j - 1] ? most[i - 1][j - 1] + 1
                                              : std::max(most[i - 1][j], most[i][j - 1]);
        }
    }
    return most[a.size()][b.size()];
}

TEST(PageMerge, RandomEditsOnBothSidesKeepEveryNewPageAndMeetInOneResult) {
    std::mt19937 random(7);
    std::uint64_t fresh = 100;
    // Most pages are new text; with copies, a quarter are one of three texts (blank pages).
    bool copies = true;
    const auto page = [&] { return copies && random() % 4 == 0 ? random() % 3 : ++fresh; };
    const auto edit = [&](Digests pages) {
        for (unsigned n = random() % 6; n > 0; --n) {
            const auto at = pages.begin() + random() % (pages.size() + 1);
            const unsigned kind = random() % 3;
            if (kind == 0) {
                pages.insert(at, page());
            } else if (at != pages.end()) {
                kind == 1 ? void(*at = page()) : void(pages.erase(at));
            }
        }
        return pages;
    };
    for (int round = 0; round < 3000; ++round) {
        Digests base(random() % 12);
        copies = true;
        std::generate(base.begin(), base.end(), page);
        copies = round % 2 == 0;
        const Digests here = edit(base);
        const Digests there = edit(random() % 5 == 0 ? here : base);
        // Where a text stands twice or moves, a page kept and a page inserted are alike: only
        // where none does is the merge sure to find its own result again.
        Digests sorted = base;
        std::sort(sorted.begin(), sorted.end());
        Merged(&base, here, there,
               !copies && std::adjacent_find(sorted.begin(), sorted.end()) == sorted.end());
        EXPECT_EQ(Merged(nullptr, here, there, true).pages.size(),
                  here.size() + there.size() - MostAlike(here, there));
        ASSERT_FALSE(HasFailure())
            << "round " << round << ": " << testing::PrintToString(base) << " | "
            << testing::PrintToString(here) << " | " << testing::PrintToString(there);
    }
}

} // namespace
