// The match test: plain, "or" and "and" queries against a page's folded stored text.
#include "search/match.h"

#include "search/search.h"
#include "text/bytes.h"

SearchQuery ParseQuery(std::string_view q) {
    SearchQuery query;
    // " or " is looked for first, so a query holding both connectives is an or-query.
    if (q.find(" or ") != std::string_view::npos) {
        query.kind = SearchQuery::Kind::Either;
    } else if (q.find(" and ") != std::string_view::npos) {
        query.kind = SearchQuery::Kind::Both;
    }
    if (query.kind == SearchQuery::Kind::Plain) {
        query.first = std::string(q);
    } else {
        query.first = FieldOf(q, " ", 1);
        query.third = FieldOf(q, " ", 3);
    }
    return query;
}

bool MatchQuery(const SearchQuery& query, std::string_view p, const std::string*& flashTerm) {
    switch (query.kind) {
    case SearchQuery::Kind::Plain:
        if (PositionIn(p, query.first) == 0) {
            return false;
        }
        flashTerm = &query.first;
        return true;
    case SearchQuery::Kind::Either:
        if (PositionIn(p, query.first) != 0) {
            flashTerm = &query.first;
            return true;
        }
        if (PositionIn(p, query.third) != 0) {
            flashTerm = &query.third;
            return true;
        }
        return false;
    case SearchQuery::Kind::Both: {
        const std::size_t at1 = PositionIn(p, query.first);
        if (at1 == 0) {
            return false;
        }
        const std::size_t at3 = PositionIn(p, query.third);
        if (at3 == 0) {
            return false;
        }
        flashTerm = at1 < at3 ? &query.first : &query.third;
        return true;
    }
    }
    return false;
}

bool MatchPage(std::string_view q, std::string_view p, std::string& flashTerm) {
    const SearchQuery query = ParseQuery(q);
    const std::string* term = nullptr;
    if (!MatchQuery(query, p, term)) {
        return false;
    }
    flashTerm = *term;
    return true;
}
