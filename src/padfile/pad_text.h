// The pad's text as the window shows it (UTF-8) and back, in the form the pad keeps: the
// code page's bytes, or UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

std::string TextForWindow(std::string_view padText);
// The window's text in the pad's form: false when the text does not fit it.
bool TextInPadForm(std::string_view windowText, std::string& padText);
// How many UTF-16 units the window counts for text in the pad's form.
long WindowUnits(std::string_view padText);

// Code-page text (or pages) turned UTF-8 in place: false when some bytes were no characters
// of the code page and did not survive the conversion.
bool TextToUtf8(std::string& text);
bool PagesToUtf8(std::vector<std::string>& pages);
// A key per page, page 1 first, of pages kept in UTF-8 or in the code page, as the pages
// would be kept in the form the keys are taken in: one text has one key in that form, so that
// pads in both forms compare page by page. In their own form the keys cost no conversion.
std::vector<std::uint64_t> PageKeys(const std::vector<std::string>& pages, bool pagesUtf8,
                                    bool keysUtf8);
