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
// Ctrl+V, Shift+Insert or Paste in the field's menu: the clipboard's text, its lone CRs and
// LFs made CR LF, replaces the selection if the page still fits. If not, nothing is pasted,
// the title says the page is full and a box says why, and whether a new page would hold it.
void PasteIntoPageText();
// The field refused a key or other input for lack of room: the title says the page is full
// until the field takes a key, or the user flips or gives a command.
void PageTextRefused();
void PageTextTookKey();
