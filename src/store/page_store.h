// The pages in memory, the page shown, and the moves of text between them and the field.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Page n is element n in stored form (line breaks as "<&CR&>"); element 0 is never used.
extern std::vector<std::string> Pages;
extern std::int32_t CurrentPage;
extern std::int16_t HelpMode;
// The field's text as last copied (real line breaks) and the page it was copied from.
extern std::string TypedText;
extern std::int32_t TypedPage;

std::int32_t PageCount();
void GrowPages();                     // a new empty last page
void InsertEmptyPage(std::int32_t n); // pages n..N move up one number
void DeletePageAt(std::int32_t n);    // pages n+1..N move down one number

// Field text to stored form and back. Encoding also turns what the file could not hold
// (a lone CR, byte 26) into something it can, so a page never splits or cuts the file.
std::string EncodePageText(std::string_view fieldText);
std::string DecodePageText(std::string_view storedText);

void StorePageText();
void ShowPage();
void TakeTypedText();
void StoreTypedText();

// The field got the keyboard focus: no selection left, typed copy taken.
void PageTextGotFocus();
// The window is about to close (or the session to end): keep what the field shows.
void StoreShownPage();
