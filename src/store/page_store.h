// The page list grown and renumbered, and the moves of text between it and the page text
// field.
#pragma once

#include "store/page_field.h"
#include "store/pages.h"

#include <cstdint>
#include <string>

void GrowPages();                     // a new empty last page
void InsertEmptyPage(std::int32_t n); // pages n..N move up one number
void DeletePageAt(std::int32_t n);    // pages n+1..N move down one number

void StorePageText();
// Looks whether the pad on disk is still the version the program last read or wrote, and
// takes in another one (saving what that leaves ahead of the file).
void TakeInAndSave();
// The same, with sync clients' conflicted copies brought in too, at a moment when the user
// may be typing: the window's activation, a change in its folder, the start, Exit Help.
void LookAtPadOnDisk();

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
