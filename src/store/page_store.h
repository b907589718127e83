// The page list grown and renumbered, and the moves of text between it and the page text
// field.
#pragma once

#include "store/pages.h"

#include <cstdint>
#include <string>

// The field's text as last copied (real line breaks) and the page it was copied from.
extern std::string TypedText;
extern std::int32_t TypedPage;
// What ShowPage put into the field, in the window's UTF-8: a field that still shows it holds
// no change, whatever converting it back would give, so showing a page never changes it.
extern std::string ShownText;

void GrowPages();                     // a new empty last page
void InsertEmptyPage(std::int32_t n); // pages n..N move up one number
void DeletePageAt(std::int32_t n);    // pages n+1..N move down one number

void StorePageText();
void ShowPage();

// The field's text changed (typing, Enter, paste, cut, undo, a stamp), not by ShowPage:
// the page is stored once the typing pauses for a moment.
void PageTextChanged();
// The wait after the last change ran out with no further change.
void TypingPaused();
void TakeTypedText();
void StoreTypedText();

// The field got the keyboard focus: no selection left, typed copy taken.
void PageTextGotFocus();
// The window is about to close (or the session to end): keep what the field shows and
// everything else the file lacks.
void StoreShownPage();
