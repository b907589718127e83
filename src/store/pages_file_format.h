// The pages file as bytes: its fixed lines, reading its header values and pages from
// bytes, and the bytes of a whole file. Nothing here touches a file or a global.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

struct FileHeaderValues {
    std::string header;
    // The main window's outer top-left corner in dialog units.
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t noStoredPosition = 0; // 1 when the position line is empty
};

FileHeaderValues ParseFileHeader(std::string_view bytes);
// Fills pages (element 0 unused); false when the marker line is missing.
bool ParsePages(std::string_view bytes, std::vector<std::string>& pages);

// Whether the bytes hold a byte 26 with anything but line ends after it: reading stops
// at that byte, so what follows would be lost by a save.
bool HoldsTextAfterEndMark(std::string_view bytes);

// A whole file holding these header values and pages (element 0 unused).
std::string PagesFileImage(const FileHeaderValues& header, const std::vector<std::string>& pages);
// The six lines of a new pages file under this header line.
std::string NewPagesFileBytes(std::string_view headerLine);
