// The pages of another version merged with those in memory: the choice of the version they
// are merged against, and how sure it is.
#include "store/merge_with_here.h"

#include "padfile/pad_state.h"
#include "store/pages.h"
#include "sync/common_version.h"
#include "text/digest.h"

#include <algorithm>
#include <unordered_set>

std::vector<std::string>& PagesHere() {
    return HelpMode == 1 ? PagesKeptDuringHelp : Pages;
}

namespace {

// Whether the pages in memory are still those of the version they build on.
bool UnchangedHere(const KnownVersion* mine) {
    return mine && PageKeys(PagesHere(), SaveState.utf8, mine->utf8) == mine->keys;
}

// A base told by content, other than the version this computer started from (which the
// sync client had settled on) or one whose every new page the other holds, may be one the
// other never grew from: a page the other changed or deleted that is still the base's text
// here may be one it never had. Taken as changed here as well, such a page is kept beside
// the other's, never dropped.
KnownVersion ChangedHereWhereUnsure(const KnownVersion& base, ThereKeys& there) {
    const std::vector<std::uint64_t> here = PageKeys(PagesHere(), SaveState.utf8, base.utf8);
    const std::vector<std::uint64_t>& theirs = there(base.utf8);
    const std::unordered_set<std::uint64_t> hereKeys(here.begin(), here.end());
    const std::unordered_set<std::uint64_t> thereKeys(theirs.begin(), theirs.end());
    KnownVersion unsure = base;
    for (std::uint64_t& key : unsure.keys) {
        if (hereKeys.contains(key) && !thereKeys.contains(key)) {
            key = ~key; // a text neither side holds
        }
    }
    return unsure;
}

// Merged against one version both grew from, with older texts of a page dropped.
PageMerge MergeAgainst(const KnownVersion& base, ThereKeys& there,
                       const std::vector<VersionId>& thereGrewFrom) {
    const std::vector<std::uint64_t> here = PageKeys(PagesHere(), SaveState.utf8, base.utf8);
    PageMerge merge = MergePages(base.keys, here, there(base.utf8));
    DropOlderTexts(merge, History, base.utf8, here, there(base.utf8), thereGrewFrom);
    return merge;
}

} // namespace

// The other version's pages (a conflicted copy's, or the pad's) merged with those in memory.
// The same pages in another order: the lesser order. Else against the version both grew
// from: the one the pages here build on when nothing changed here and the other, a pad naming
// nothing, came after a version taken in; else against each of the last few of the other and
// those it names that this computer learned of, as one merge (see KeptByEveryMerge: a window
// with nothing changed takes the other's pages so, less those that other merged back in);
// else against one told by content; with none, every page kept that this computer has not
// had already. Of two texts of one page, an older one is dropped.
PageMerge MergeWithHere(ThereKeys& there, VersionId id, const std::vector<VersionId>& thereGrewFrom,
                        bool aCopy) {
    // The pages here, keyed in the other's text form.
    const std::vector<std::uint64_t> here = PageKeys(PagesHere(), SaveState.utf8, there.utf8);
    if (std::optional<PageMerge> reordered = OneOrderOfSamePages(here, there(there.utf8))) {
        return std::move(*reordered);
    }
    const KnownVersion* mine = FindKnownVersion(SaveState.versionHere);
    if (UnchangedHere(mine) && thereGrewFrom.empty() && !SaveState.versionHereOwn && !aCopy) {
        return MergeAgainst(*mine, there, thereGrewFrom);
    }
    std::vector<PageMerge> merges;
    for (const KnownVersion* base :
         NewestCommonVersions(History, id, thereGrewFrom, CommonVersionsTried)) {
        merges.push_back(MergeAgainst(*base, there, thereGrewFrom));
    }
    if (!merges.empty()) {
        return KeptByEveryMerge(std::move(merges), here, there(there.utf8));
    }
    // A copy may be a sibling of the version read at the start, never of later ones.
    const ContentBase told =
        CommonVersionByContent(History, there, DigestOf(""), !aCopy || History.versions.size() > 1);
    if (const KnownVersion* base = told.version) {
        const bool start = base == &History.versions.front() && History.olderIds.empty();
        PageMerge merge =
            MergeAgainst(start || told.allHeld ? *base : ChangedHereWhereUnsure(*base, there),
                         there, thereGrewFrom);
        merge.baseGuessed = true;
        return merge;
    }
    return UniteExceptKnown(History, here, there, there.utf8);
}

bool MostlyTwice(const PageMerge& merge) {
    const auto held = [&](bool bySides) {
        return std::count_if(merge.pages.begin(), merge.pages.end(), [&](const MergedPage& page) {
            return (page.here != 0 && page.there != 0) == bySides;
        });
    };
    return merge.pages.empty() ||
           (merge.baseGuessed && !merge.keptTwice.empty() && held(true) == 0) ||
           (merge.united && held(false) * 2 > static_cast<std::ptrdiff_t>(merge.pages.size()));
}
