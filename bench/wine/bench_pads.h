// The pads the bench measures: 1 KB pages of filler words, the search word on the last page.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// A pad to measure: its pages in stored form, the whole file, and the word that the search
// box is given to find the last page.
struct BenchPad {
    std::vector<std::string> pages;
    std::string file;             // with the window's place stored
    std::string fileWithoutPlace; // the same with no place: the window comes up centred
    std::string searchWord;
};

// Pages of plain English words, 1 KB each and enough to make a pad of that many bytes,
// in the code page; only the last one holds the search word, as typed.
BenchPad CodePagePad(std::size_t padBytes);
// The same number of pages of Latin with accents, Cyrillic, CJK and emoji, written as UTF-8
// (EF BB BF before the header); only the last one holds the search word, with a capital.
BenchPad Utf8Pad(std::size_t padBytes);
// A page as the page text field shows it: its stored line breaks made CR LF again.
std::string ShownForm(const std::string& storedPage);
// The same pages as one plain text for an ordinary editor: one page after another, each
// with its line breaks and a line break after it.
std::string PlainText(const std::vector<std::string>& pages);
