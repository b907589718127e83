// The pages of another version of the pad merged with those in memory: against the version
// both grew from where this computer knows one, else one told by content, else united.
#pragma once

#include "padfile/pad_text.h"
#include "sync/page_merge.h"
#include "sync/version_history.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

// The pages in memory: those kept during help while help is shown.
std::vector<std::string>& PagesHere();

// The other version's page keys in either form, each taken once.
struct ThereKeys {
    const std::vector<std::string>& pages;
    bool utf8;
    std::array<std::optional<std::vector<std::uint64_t>>, 2> inForm{};
    const std::vector<std::uint64_t>& operator()(bool form) {
        std::optional<std::vector<std::uint64_t>>& keys = inForm[form ? 1 : 0];
        if (!keys) {
            keys = PageKeys(pages, utf8, form);
        }
        return *keys;
    }
};

// The other version's pages (a conflicted copy's, or the pad's) merged with those in memory;
// `id` and `thereGrewFrom` are the other's id and the versions its line names.
PageMerge MergeWithHere(ThereKeys& there, VersionId id, const std::vector<VersionId>& thereGrewFrom,
                        bool aCopy);

// Whether the merge would interleave two quite different pads, better kept apart: with a
// base told by content, pages kept twice and none that both hold alike; with no common
// version, more than half the pages held by one side alone. A base known by its id is the
// version both grew from, whatever they changed since.
bool MostlyTwice(const PageMerge& merge);
