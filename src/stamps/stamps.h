// Time and date stamps, and what the page text field does with keys.
#pragma once

#include <string>

std::string TimeStamp(); // "9:07am "
std::string DateStamp(); // "06 Dec 2026 "

// A key went down in the page text field: Ctrl with T (or F5) stamps the time, with D
// (or numeric keypad 4) the date.
void PageTextKeyDown(int keyCode);
// A key came up in the page text field: the field's text is copied as typed so far.
void PageTextKeyUp();
// The page text field refused a paste for lack of room: the user is told.
void PasteDidNotFit();
