// The in-memory template of a dialog window without controls, laid out as the dialog
// manager reads it.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

struct DialogTemplateFields {
    std::uint32_t style = 0; // must hold the set-font style when a font is given
    std::uint32_t extendedStyle = 0;
    std::int16_t x = 0; // dialog units
    std::int16_t y = 0;
    std::int16_t width = 0;
    std::int16_t height = 0;
    std::string_view caption; // ASCII
    std::uint16_t pointSize = 0;
    std::string_view fontName; // ASCII; empty for none
};

// The template as 16-bit little-endian words: header, no menu, the standard dialog class,
// the caption, then the font. Its storage must start on a 4-byte boundary.
std::vector<std::uint16_t> DialogTemplateWords(const DialogTemplateFields& fields);
