// The walk over the pages in one direction, without touching the window.
#pragma once

#include "search/match.h"

#include <cstdint>
#include <string>
#include <string_view>

// folded = the page folded to small letters as the search compares, reusing folded's
// memory: by the byte rules in a code-page pad, by the platform's case mapping in a UTF-8 one.
void FoldPageInto(std::string& folded, std::string_view page);
std::string FoldForSearch(std::string_view page);
// The search box's text (UTF-8) in the pad's form, folded; false when the code page of the
// pad lacks one of its characters, so that no page can match.
bool FoldQuery(std::string& text);

// The nearest page from `from` to `to` (inclusive, in the direction of step, +1 or -1)
// whose folded stored text matches, or 0; flashTerm as for MatchQuery.
std::int32_t FindMatchingPage(const SearchQuery& query, std::int32_t from, std::int32_t to,
                              int step, const std::string*& flashTerm);
