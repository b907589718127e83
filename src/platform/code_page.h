// The system's ANSI code page, in which a pad keeps its text as long as it can, and the
// platform's own case mapping for text beyond it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Code page bytes as UTF-8; bytes the code page leaves undefined come out as well as the
// platform can show them.
std::string CodePageToUtf8(std::string_view bytes);
// UTF-8 as code page bytes; false when a character has no place in the code page (none is
// ever replaced by a look-alike or a question mark).
bool Utf8ToCodePage(std::string_view utf8, std::string& bytes);
// Every letter of well-formed UTF-8 in its small form, by the platform's case mapping, one
// code point for one, so that positions counted in code points or UTF-16 units stay;
// folded's memory is used again.
void FoldUtf8LowerInto(std::string& folded, std::string_view utf8);
// Every character whose small form is c, c among them, in UTF-8; empty when they can't all
// be told. A page that holds none of them can't hold c once folded.
std::vector<std::string> FormsFoldingTo(char32_t c);
// A name of a file or folder in UTF-8 as the platform compares names: every UTF-16 unit in
// its capital form, one for one, so that two names are one exactly when these are equal.
std::string NameInCapitals(std::string_view utf8);
