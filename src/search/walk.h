// The walk over the pages in one direction, without touching the window.
#pragma once

#include "search/match.h"

#include <cstdint>
#include <string>
#include <string_view>

// folded = FoldLower(page), reusing folded's memory.
void FoldPageInto(std::string& folded, std::string_view page);

// The nearest page from `from` to `to` (inclusive, in the direction of step, +1 or -1)
// whose folded stored text matches, or 0; flashTerm as for MatchQuery.
std::int32_t FindMatchingPage(const SearchQuery& query, std::int32_t from, std::int32_t to,
                              int step, const std::string*& flashTerm);
