// The pages file as bytes: its fixed lines, reading its header values and pages from
// bytes, and writing the bytes of a whole file. Nothing here touches a file or a global.
#pragma once

#include "text/digest.h"

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
// A pad that has met another version of itself names the versions it grew from on a line of
// its own before the marker, which reading the header and pages passes over.
inline constexpr std::string_view VersionsLineStart =
    "[Versions] This pad grew from these versions of it, newest first:";
// The ids a versions line holds at most: about a kilobyte.
inline constexpr std::size_t VersionsLineIds = 56;

struct FileHeaderValues {
    std::string header;
    // The main window's outer top-left corner in dialog units.
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t noStoredPosition = 0; // 1 when the position line is empty
    // The text is UTF-8: behind the mark, or without it when every line the pad keeps (its
    // header line and pages) is well-formed UTF-8 and one holds a byte above 127. Otherwise
    // it is in the code page.
    bool utf8 = false;
    bool utf8Mark = false; // the file begins with the mark (EF BB BF), and a save writes it
    // The file has a versions line, and the ids it holds, newest first (none when it is
    // damaged); a save writes the line when versionsLine is set.
    bool versionsLine = false;
    std::vector<std::uint64_t> grewFrom;
};

// A versions line's ids; empty when the line is damaged.
std::vector<std::uint64_t> VersionIdsOf(std::string_view line);
std::string VersionsLineOf(const std::vector<std::uint64_t>& ids);

inline constexpr std::string_view Utf8Mark = "\xEF\xBB\xBF";

// What lines tell of a file without the mark: whether they are all well-formed UTF-8, and
// whether one holds a byte above 127.
struct Utf8Evidence {
    bool wellFormed = true;
    bool beyondAscii = false;
};

// Reads a pages file fed in pieces as they come from the disk, so that opening a pad never
// holds its bytes and its pages at once.
struct PagesFileReader {
    FileHeaderValues header;
    std::vector<std::string> pages = std::vector<std::string>(1); // element 0 unused
    bool marked = false;                                          // the marker line was found
    bool textAfterEndMark = false; // a byte 26 with anything but line ends after it
    bool notUtf8 = false;          // a file marked UTF-8 held other bytes, read as U+FFFD
    // Of the file that a save of these header values and pages writes, when known: when it
    // is the digest of the file read, saving them unchanged would write the same bytes. It
    // is known when the header values are final at the marker line, as in every file this
    // program writes (a marker line that names the position leaves them open).
    Digest image = NewDigest();
    bool imageKnown = false;

    // How far the reading has got.
    bool started = false;      // the first bytes were looked at for the UTF-8 mark
    std::string line;          // the line read so far, before its end
    bool lineHoldsNul = false; // a NUL byte was read in the line read so far
    bool lineHigh = false;     // a byte above 127 was read in the line read so far
    Utf8Evidence headerText;   // of the header line taken
    Utf8Evidence pagesText;    // of the pages read so far
    bool lineEndLast = false;  // the last byte ended a line with CR; an LF next is part of it
    bool endMarkRead = false;  // a byte 26 was read: no more lines
    enum class HeaderStep { Lines, PositionLine, Done } headerStep = HeaderStep::Lines;
};
void ReadPiece(PagesFileReader& reader, std::string_view piece);
// The end of the file: its last line is taken even without a line end, page 1 always
// exists, even in a file that lists none, and a file without the mark turns out UTF-8 or not.
void FinishReading(PagesFileReader& reader);

// The same for bytes held whole.
FileHeaderValues ParseFileHeader(std::string_view bytes);
// Fills pages (element 0 unused); false when the marker line is missing.
bool ParsePages(std::string_view bytes, std::vector<std::string>& pages);

// Writes a pages file a piece at a time, so that a save never holds a second copy of the
// pad. The header values and pages must stay as they are until the last piece.
struct PagesFileWriter {
    const FileHeaderValues& header;
    const std::vector<std::string>& pages; // element 0 unused
    std::size_t nextPage = 0;              // 0 while the fixed lines are still to come
    std::string piece;
};
// The next piece of the file; empty once it is all written.
std::string_view NextPiece(PagesFileWriter& writer);

// A whole file holding these header values and pages (element 0 unused).
std::string PagesFileImage(const FileHeaderValues& header, const std::vector<std::string>& pages);
// The six lines of a new pages file under this header line.
std::string NewPagesFileBytes(std::string_view headerLine);
