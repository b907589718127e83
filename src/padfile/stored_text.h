// The stored form of a page text: how the page list and the pages file hold what the
// page text field shows.
#pragma once

#include <string>
#include <string_view>

// Stands for each line break of a page, so that a page is one line of the file.
inline constexpr std::string_view LineBreakMark = "<&CR&>";

// Field text to stored form: a line break (CR LF; a lone CR, which would end the page's
// line in the file; or a lone LF, pasted from another system, which the field shows as a
// break and other programs read as a line end) becomes the mark, and byte 26, which would
// end the file, is left out.
std::string EncodePageText(std::string_view fieldText);
// Stored form back to field text: each mark becomes CR LF.
std::string DecodePageText(std::string_view storedText);

// Whether the text holds a byte that would end its line or the whole file early.
bool BreaksFileLine(std::string_view text);
