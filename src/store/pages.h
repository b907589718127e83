// The page list and the two values that say what it holds and which page is shown; the
// page store and the pages file both work on them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Page n is element n in stored form (line breaks as "<&CR&>"); element 0 is never used.
extern std::vector<std::string> Pages;
extern std::int32_t CurrentPage;
// 1 while the help pages stand in Pages: nothing is then stored, and the user's pages wait
// in PagesKeptDuringHelp, the page they were on in PageBeforeHelp.
extern std::int16_t HelpMode;
extern std::vector<std::string> PagesKeptDuringHelp;
extern std::int32_t PageBeforeHelp;

std::int32_t PageCount();
