// The version of the pad that this computer's pages and another version both grew from: known
// by its id where the other version names the versions it grew from, else told by content.
#pragma once

#include "padfile/pages_file_format.h"
#include "sync/page_merge.h"
#include "sync/version_history.h"

#include <cstdint>
#include <functional>
#include <vector>

// How many versions both grew from a merge tries: two computers that merged at once each
// grew from the other's version, and then no one version holds what both have since.
constexpr std::size_t CommonVersionsTried = 8;

// Of the other version and those it grew from, those whose pages this computer still knows,
// the one it learned of last first, at most `most`; none when it knows none. Each is a
// version both grew from. The history's order, not the other version's line, tells which is
// newest: pages that came back to an earlier version's have that one's id.
std::vector<const KnownVersion*> NewestCommonVersions(const PadHistory& history, VersionId there,
                                                      const std::vector<VersionId>& thereGrewFrom,
                                                      std::size_t most);

// The other version's page keys in the form asked for (UTF-8 or not).
using KeysInForm = std::function<const std::vector<std::uint64_t>&(bool utf8)>;

// With no id in common: the newest version of the history whose own new pages (pages no
// earlier version held) the other version holds as well, which it must have grown from or
// after. The first version's pages count only when asked for (another computer's version of
// the pad grew from what the sync client last settled on, which this computer read at its
// start; a conflicted copy may be a sibling of it) and while the history still holds every
// version since its start. None when the other version holds nothing that tells.
struct ContentBase {
    const KnownVersion* version = nullptr;
    bool allHeld = false; // the other holds every new page of it: it grew from that version
};
ContentBase CommonVersionByContent(const PadHistory& history, const KeysInForm& there,
                                   std::uint64_t emptyPageKey, bool firstCounts);

// Merges of the same two versions against several versions both grew from, as one: the one
// with fewest pages, less each page that a merge against another of them drops (a page one
// side changed or deleted since a version both had is older on every account). Keys are
// those of both sides in one form.
PageMerge KeptByEveryMerge(std::vector<PageMerge> merges, const std::vector<std::uint64_t>& here,
                           const std::vector<std::uint64_t>& there);

// With no common version at all: every page of both kept once, except the other version's
// pages that this computer has had (in the history's keys): those are older versions of its
// pages, or pages deleted here.
PageMerge UniteExceptKnown(const PadHistory& history, const std::vector<std::uint64_t>& here,
                           const KeysInForm& there, bool thereUtf8);

// Where the page the user was on went in a merge: the same page, or when the other side
// deleted it, the page that followed it.
std::int32_t PageFollowed(const PageMerge& merge, std::int32_t page);

// The versions two lineages (newest first) name, newest first from both in turn, each once,
// within what a versions line holds.
std::vector<VersionId> JoinedLineages(const std::vector<VersionId>& a,
                                      const std::vector<VersionId>& b);

// Of two versions of one page that both sides changed, drops one that is an older text of the
// other: the other version's where this computer first had it before the text here (or the
// text here is still being typed), this side's where the other version grew from one that
// held it. A
// base that is not the newest both grew from (two versions merged on both sides at once)
// makes such pairs. Keys are those given to the merge, in the form asked for.
void DropOlderTexts(PageMerge& merge, const PadHistory& history, bool keysUtf8,
                    const std::vector<std::uint64_t>& here, const std::vector<std::uint64_t>& there,
                    const std::vector<VersionId>& thereGrewFrom);
