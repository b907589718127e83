// The pages file as bytes: its lines read from memory, and the whole file built in memory.
#include "store/pages_file_format.h"

#include "store/stored_text.h"
#include "text/bytes.h"

#include <algorithm>
#include <cstring>

namespace {

static_assert(MarkerStart == "[Pages Start Under This Line!]");

constexpr std::string_view LineEnd = "\r\n";

// Lines of a file image: each ends at a CR, which takes an LF directly after it along;
// byte 26 ends the file.
class LineReader {
  public:
    explicit LineReader(std::string_view bytes) : rest_(bytes) {
        if (const void* stop = Find(bytes.data(), 26, bytes.size())) {
            rest_ = bytes.substr(0, static_cast<const char*>(stop) - bytes.data());
        }
    }

    bool AtEnd() const { return rest_.empty(); }

    std::string_view Next() {
        const void* cr = Find(rest_.data(), '\r', rest_.size());
        if (cr == nullptr) {
            const std::string_view last = rest_;
            rest_ = {};
            return last;
        }
        const std::size_t length = static_cast<const char*>(cr) - rest_.data();
        const std::string_view line = rest_.substr(0, length);
        rest_.remove_prefix(length + 1);
        if (!rest_.empty() && rest_.front() == '\n') {
            rest_.remove_prefix(1);
        }
        return line;
    }

    // Line ends (CR) left; an upper bound of the lines left.
    std::size_t CountLineEnds() const {
        std::size_t count = 0;
        const char* at = rest_.data();
        const char* end = at + rest_.size();
        while (const void* cr = Find(at, '\r', static_cast<std::size_t>(end - at))) {
            ++count;
            at = static_cast<const char*>(cr) + 1;
        }
        return count;
    }

  private:
    // memchr, also for the empty view, whose data may be null.
    static const void* Find(const char* from, int byte, std::size_t count) {
        return count == 0 ? nullptr : std::memchr(from, byte, count);
    }

    std::string_view rest_;
};

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
std::string PageFromLine(std::string_view line) {
    std::string page(line);
    if (line.find('\0') != std::string_view::npos) {
        std::replace(page.begin(), page.end(), '\0', ' ');
    }
    return page;
}

} // namespace

FileHeaderValues ParseFileHeader(std::string_view bytes) {
    FileHeaderValues values;
    LineReader lines(bytes);
    std::string_view current;
    while (!Contains(current, "[Pages") && !lines.AtEnd()) {
        current = lines.Next();
        if (current.size() >= 4 && current.substr(0, 4) == WebAddress.substr(0, 4)) {
            values.header = std::string(current);
        }
        if (Contains(current, "[Position]")) {
            current = lines.Next();
            ReadPosition(current, values);
        }
    }
    return values;
}

bool ParsePages(std::string_view bytes, std::vector<std::string>& pages) {
    pages.assign(1, std::string());
    LineReader lines(bytes);
    bool marked = false;
    while (!marked && !lines.AtEnd()) {
        marked = lines.Next().substr(0, MarkerStart.size()) == MarkerStart;
    }
    if (marked) {
        pages.reserve(lines.CountLineEnds() + 2);
        while (!lines.AtEnd()) {
            pages.push_back(PageFromLine(lines.Next()));
        }
    }
    // Page 1 always exists, even in a file that lists none.
    if (pages.size() == 1) {
        pages.emplace_back();
    }
    return marked;
}

std::string PagesFileImage(const FileHeaderValues& header, const std::vector<std::string>& pages) {
    const std::string position = NumberText(header.left) + " " + NumberText(header.top);
    std::size_t size = header.header.size() + PositionLine.size() + position.size() +
                       MarkerLine.size() + 6 * LineEnd.size();
    for (std::size_t n = 1; n < pages.size(); ++n) {
        size += pages[n].size() + LineEnd.size();
    }
    std::string out;
    out.reserve(size);
    AppendLine(out, header.header);
    AppendLine(out, "");
    AppendLine(out, PositionLine);
    AppendLine(out, position);
    AppendLine(out, "");
    AppendLine(out, MarkerLine);
    for (std::size_t n = 1; n < pages.size(); ++n) {
        AppendPageLine(out, pages[n]);
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

bool HoldsTextAfterEndMark(std::string_view bytes) {
    const std::size_t mark = bytes.find('\x1a');
    return mark != std::string_view::npos &&
           bytes.find_first_not_of("\r\n", mark + 1) != std::string_view::npos;
}
