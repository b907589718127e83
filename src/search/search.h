// Searching the pages with Shift held, and the flash of the match found.
#pragma once

#include <string>
#include <string_view>

// Whether folded query q matches folded stored page p; if so, the term to flash.
bool MatchPage(std::string_view q, std::string_view p, std::string& flashTerm);

void SearchBack();
void SearchForward();
void FlashMatch();
