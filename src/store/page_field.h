// The page text field and the current page: what the field shows, and taking its text into
// the page. Everything that moves pages or reads the pad works through these.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// What ShowPage put into the field, in the window's UTF-8: a field that still shows it holds
// no change, whatever converting it back would give, so showing a page never changes it.
extern std::string ShownText;
// Set while the program itself puts a page into the field, which is no change by the user.
extern bool ShowingPage;
// The field's text as last copied (real line breaks) and the page it was copied from.
extern std::string TypedText;
extern std::int32_t TypedPage;

bool CurrentPageExists();
// Puts the window's text into the current page; false when the page held it already.
bool PutIntoCurrentPage(std::string_view windowText);
// Puts what the field shows into the current page; false when it holds no change.
bool TakeFieldIntoPage();

void ShowPage();
// The current page's number and the page count, the field left as it is (its caret,
// selection and undo with it): for a page whose text did not change but whose number did.
void ShowPageNumbers();
