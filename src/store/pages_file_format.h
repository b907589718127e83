// The fixed lines of the pages file, shared by its reading and its writing.
#pragma once

#include <string>
#include <string_view>

// The header line of a new file begins with this address; a line is taken for a header
// when its first four bytes are the address's first four.
inline constexpr std::string_view WebAddress = "http://quillpad.example/";
inline constexpr std::string_view PositionLine =
    "[Position] This tells us where the position of the window was last time we closed the "
    "program.";
inline constexpr std::string_view MarkerLine =
    "[Pages Start Under This Line!] The Character Sequence <&CR&> replaces any Character "
    "Return/LineFeed characters.";
// What a line must begin with to be the marker.
inline constexpr std::string_view MarkerStart = MarkerLine.substr(0, 30);

// The six lines of a new pages file, its header stamped with the local date and time.
std::string NewPagesFileBytes();
