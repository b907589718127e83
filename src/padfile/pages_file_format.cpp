// The pages file as bytes: its lines read from pieces, and the file written in pieces.
#include "padfile/pages_file_format.h"

#include "padfile/stored_text.h"
#include "text/bytes.h"

#include <algorithm>

namespace {

static_assert(MarkerStart == "[Pages Start Under This Line!]");

constexpr std::string_view LineEnd = "\r\n";

bool Contains(std::string_view line, std::string_view sought) {
    return line.find(sought) != std::string_view::npos;
}

void ReadPosition(std::string_view line, FileHeaderValues& values) {
    if (line.empty()) {
        values.noStoredPosition = 1;
    } else {
        values.left = RoundToWhole(NumericValue(FieldOf(line, " ", 2)));
        values.top = RoundToWhole(NumericValue(FieldOf(line, " ", -1)));
    }
    values.left = values.left < 0 ? 0 : values.left;
    values.top = values.top < 0 ? 0 : values.top;
}

void AppendLine(std::string& out, std::string_view line) {
    out.append(line);
    out.append(LineEnd);
}

void AppendFixedLines(std::string& out, const FileHeaderValues& header) {
    if (header.utf8Mark) {
        out.append(Utf8Mark);
    }
    AppendLine(out, header.header);
    AppendLine(out, "");
    AppendLine(out, PositionLine);
    AppendLine(out, NumberText(header.left) + " " + NumberText(header.top));
    AppendLine(out, "");
    if (header.versionsLine) {
        AppendLine(out, VersionsLineOf(header.grewFrom));
    }
    AppendLine(out, MarkerLine);
}

// A page line as the file can hold it: a CR would end the line early and byte 26 the
// whole file, so such a page goes through the same guard as text taken from the field.
void AppendPageLine(std::string& out, std::string_view page) {
    if (BreaksFileLine(page)) {
        AppendLine(out, EncodePageText(page));
    } else {
        AppendLine(out, page);
    }
}

// No page text field can show a NUL byte: the text after one would vanish from the field,
// and from the pad at the next store. Such bytes, found only in damaged files, read as blanks.
std::string PageFromLine(std::string_view line, bool holdsNul) {
    std::string page(line);
    if (holdsNul) {
        std::replace(page.begin(), page.end(), '\0', ' ');
    }
    return page;
}

// A line without a byte above 127 needs no look: it is ASCII, and so well-formed UTF-8.
// Once one line is not, the file is in the code page and no further line needs one.
void NoteUtf8(Utf8Evidence& evidence, std::string_view line, bool high) {
    if (high && evidence.wellFormed) {
        evidence.beyondAscii = true;
        evidence.wellFormed = IsUtf8(line);
    }
}

// Where the header values stand and which pages a line begins or is. A file marked UTF-8
// must hold nothing else: what it holds besides reads as U+FFFD, and the reader says so.
void TakeLine(PagesFileReader& reader, std::string_view line) {
    using Step = PagesFileReader::HeaderStep;
    const bool utf8Mark = reader.header.utf8Mark;
    const bool high = reader.lineHigh;
    std::string mended;
    if (utf8Mark && high && !IsUtf8(line)) {
        reader.notUtf8 = true;
        mended = MendUtf8(line);
        line = mended;
    }
    if (reader.headerStep == Step::PositionLine) {
        ReadPosition(line, reader.header);
        reader.headerStep = Contains(line, "[Pages") ? Step::Done : Step::Lines;
    } else if (reader.headerStep == Step::Lines) {
        if (line.size() >= 4 && line.substr(0, 4) == WebAddress.substr(0, 4)) {
            reader.header.header = std::string(line);
            reader.headerText = Utf8Evidence();
            NoteUtf8(reader.headerText, line, high && !utf8Mark);
        }
        if (line.starts_with(VersionsLineStart.substr(0, 10))) {
            reader.header.versionsLine = true;
            reader.header.grewFrom = VersionIdsOf(line);
        }
        if (Contains(line, "[Position]")) {
            reader.headerStep = Step::PositionLine;
        } else if (Contains(line, "[Pages")) {
            reader.headerStep = Step::Done;
        }
    }
    if (reader.marked) {
        NoteUtf8(reader.pagesText, line, high && !utf8Mark);
        reader.pages.push_back(PageFromLine(line, reader.lineHoldsNul));
        // A page read holds no CR and no byte 26, so a save writes it as it stands.
        AddToDigest(reader.image, reader.pages.back());
        AddToDigest(reader.image, LineEnd);
    } else if (line.substr(0, MarkerStart.size()) == MarkerStart) {
        reader.marked = true;
        reader.imageKnown = reader.headerStep == PagesFileReader::HeaderStep::Done;
        std::string fixedLines;
        AppendFixedLines(fixedLines, reader.header);
        AddToDigest(reader.image, fixedLines);
    }
    reader.lineHoldsNul = false;
    reader.lineHigh = false;
}

// A line that a CR ends; one that began in an earlier piece is joined first.
void EndLine(PagesFileReader& reader, std::string_view text) {
    if (reader.line.empty()) {
        TakeLine(reader, text);
    } else {
        reader.line.append(text);
        TakeLine(reader, reader.line);
        reader.line.clear();
    }
}

// The bytes the reading stops at, all found in one pass.
constexpr std::uint32_t StopBytes = ControlBit('\r') | ControlBit('\x1a') | ControlBit('\0');

constexpr std::size_t PieceSize = 1 << 20;

} // namespace

// A line ends at a CR, which takes an LF directly after it along; a lone LF is part of its
// line. Byte 26 ends the file.
void ReadPiece(PagesFileReader& reader, std::string_view piece) {
    if (!reader.started) {
        // The mark may come in more than one piece; the first bytes wait until it can be told.
        reader.line.append(piece);
        if (reader.line.size() < Utf8Mark.size()) {
            return;
        }
        reader.started = true;
        std::string first = std::move(reader.line);
        reader.line.clear();
        reader.header.utf8Mark = first.starts_with(Utf8Mark);
        ReadPiece(reader,
                  std::string_view(first).substr(reader.header.utf8Mark ? Utf8Mark.size() : 0));
        return;
    }
    if (reader.endMarkRead) {
        reader.textAfterEndMark =
            reader.textAfterEndMark || piece.find_first_not_of("\r\n") != std::string_view::npos;
        return;
    }
    if (reader.lineEndLast && !piece.empty() && piece.front() == '\n') {
        piece.remove_prefix(1);
    }
    reader.lineEndLast = false;
    std::size_t lineStart = 0;
    std::size_t at = 0;
    while ((at = FindControlByte(piece, at, StopBytes, reader.lineHigh)) !=
           std::string_view::npos) {
        const std::string_view before = piece.substr(lineStart, at - lineStart);
        if (piece[at] == '\0') {
            reader.lineHoldsNul = true;
            ++at;
        } else if (piece[at] == '\x1a') {
            reader.line.append(before);
            reader.endMarkRead = true;
            ReadPiece(reader, piece.substr(at + 1));
            return;
        } else {
            EndLine(reader, before);
            ++at;
            if (at == piece.size()) {
                reader.lineEndLast = true;
            } else if (piece[at] == '\n') {
                ++at;
            }
            lineStart = at;
        }
    }
    reader.line.append(piece.substr(lineStart));
}

void FinishReading(PagesFileReader& reader) {
    if (!reader.started) {
        reader.started = true;
        std::string first = std::move(reader.line);
        reader.line.clear();
        ReadPiece(reader, first);
    }
    if (!reader.line.empty()) {
        TakeLine(reader, reader.line);
        reader.line.clear();
    }
    if (reader.headerStep == PagesFileReader::HeaderStep::PositionLine) {
        TakeLine(reader, "");
    }
    if (reader.pages.size() == 1) {
        reader.pages.emplace_back();
        AddToDigest(reader.image, LineEnd);
    }
    const Utf8Evidence& header = reader.headerText;
    const Utf8Evidence& pages = reader.pagesText;
    reader.header.utf8 = reader.header.utf8Mark || (header.wellFormed && pages.wellFormed &&
                                                    (header.beyondAscii || pages.beyondAscii));
}

std::vector<std::uint64_t> VersionIdsOf(std::string_view line) {
    std::vector<std::uint64_t> ids;
    if (!line.starts_with(VersionsLineStart)) {
        return ids;
    }
    line.remove_prefix(VersionsLineStart.size());
    while (!line.empty()) {
        if (line.size() < 17 || line[0] != ' ' || ids.size() == VersionsLineIds) {
            return {};
        }
        std::uint64_t id = 0;
        for (const char c : line.substr(1, 16)) {
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                     : -1;
            if (digit < 0) {
                return {};
            }
            id = id << 4 | static_cast<std::uint64_t>(digit);
        }
        ids.push_back(id);
        line.remove_prefix(17);
    }
    return ids;
}

std::string VersionsLineOf(const std::vector<std::uint64_t>& ids) {
    std::string line(VersionsLineStart);
    constexpr std::string_view Hex = "0123456789abcdef";
    for (std::size_t n = 0; n < ids.size() && n < VersionsLineIds; ++n) {
        line.push_back(' ');
        for (int shift = 60; shift >= 0; shift -= 4) {
            line.push_back(Hex[(ids[n] >> shift) & 0xF]);
        }
    }
    return line;
}

FileHeaderValues ParseFileHeader(std::string_view bytes) {
    PagesFileReader reader;
    ReadPiece(reader, bytes);
    FinishReading(reader);
    return reader.header;
}

bool ParsePages(std::string_view bytes, std::vector<std::string>& pages) {
    PagesFileReader reader;
    ReadPiece(reader, bytes);
    FinishReading(reader);
    pages = std::move(reader.pages);
    return reader.marked;
}

std::string_view NextPiece(PagesFileWriter& writer) {
    writer.piece.clear();
    if (writer.nextPage == 0) {
        AppendFixedLines(writer.piece, writer.header);
        writer.nextPage = 1;
    }
    while (writer.nextPage < writer.pages.size() && writer.piece.size() < PieceSize) {
        AppendPageLine(writer.piece, writer.pages[writer.nextPage++]);
    }
    return writer.piece;
}

std::string PagesFileImage(const FileHeaderValues& header, const std::vector<std::string>& pages) {
    PagesFileWriter writer{header, pages, 0, {}};
    std::string out;
    for (std::string_view piece = NextPiece(writer); !piece.empty(); piece = NextPiece(writer)) {
        out.append(piece);
    }
    return out;
}

std::string NewPagesFileBytes(std::string_view headerLine) {
    std::string out;
    AppendLine(out, headerLine);
    AppendLine(out, "");
    AppendLine(out, PositionLine);
    AppendLine(out, "");
    AppendLine(out, MarkerLine);
    AppendLine(out, "");
    return out;
}
