// Searching the pages with Shift held, and the flash of the match found.
#pragma once

#include <string>
#include <string_view>

// The search box's text, blanks trimmed, as last read; the search folds and replaces it.
extern std::string SearchText;

// Whether folded query q matches folded stored page p; if so, the term to flash.
bool MatchPage(std::string_view q, std::string_view p, std::string& flashTerm);

void SearchBack();
void SearchForward();
void FlashMatch();
