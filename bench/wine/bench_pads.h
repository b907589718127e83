// The pads the bench measures: 1 KB pages of filler words, the search word on the last page.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

extern const char* const SearchWord;
constexpr std::size_t PageBytes = 1024;

// Pages in stored form, each PageBytes long, enough to make a pad of that many bytes; only the
// last one holds SearchWord.
std::vector<std::string> FillerPages(std::size_t padBytes);
// A page as the page text field shows it: its stored line breaks made CR LF again.
std::string ShownForm(const std::string& storedPage);
// The whole pads file, in the form the program writes, with the window near the top-left.
std::string PadBytes(const std::vector<std::string>& pages);
// The same pages as one plain text for an ordinary editor: one page after another, each
// with its line breaks and a line break after it.
std::string PlainText(const std::vector<std::string>& pages);
