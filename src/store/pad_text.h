// The pad's text as the window shows it (UTF-8) and back. A pad keeps the code page's bytes
// while its text fits them, and turns UTF-8 for good with the first character that doesn't.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

std::string TextForWindow(std::string_view padText);
// The window's text in the pad's form; the whole pad turns UTF-8 first when the code page
// lacks one of its characters.
std::string TextForPad(std::string_view windowText);
// The same without turning the pad: false when the text does not fit it.
bool TextInPadForm(std::string_view windowText, std::string& padText);
// How many UTF-16 units the window counts for text in the pad's form.
long WindowUnits(std::string_view padText);

// The whole pad (its pages, those kept during help, the header line) turns UTF-8 for good.
void TurnPadUtf8();
void PagesToUtf8(std::vector<std::string>& pages);
// A key per page, page 1 first, of pages kept in UTF-8 or in the code page, as the pages
// would be kept in the form the keys are taken in: one text has one key in that form, so that
// pads in both forms compare page by page. In their own form the keys cost no conversion.
std::vector<std::uint64_t> PageKeys(const std::vector<std::string>& pages, bool pagesUtf8,
                                    bool keysUtf8);
