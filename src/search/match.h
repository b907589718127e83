// The search query taken apart once, and the test of one page against it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

struct SearchQuery {
    enum class Kind { Plain, Either, Both };
    Kind kind = Kind::Plain;
    std::string first; // the whole query for a plain one
    std::string third;
};

// q is already folded to small letters.
SearchQuery ParseQuery(std::string_view q);

// Where t first stands in p, from 1; 0 when it doesn't, and always 0 for an empty p.
std::size_t PositionIn(std::string_view p, std::string_view t);

// Whether the folded page p matches; if so, flashTerm points at the term to flash, which
// lives in the query.
bool MatchQuery(const SearchQuery& query, std::string_view p, const std::string*& flashTerm);
