// Fuzz target: any bytes read as a pages file, then saved and read again.
#include "padfile/pad_state.h"
#include "store/page_store.h"
#include "store/pages_file.h"
#include "padfile/pages_file_format.h"
#include "padfile/stored_text.h"
#include "text/bytes.h"
#include "text/digest.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

void Check(bool holds) {
    if (!holds) {
        std::abort();
    }
}

bool Contains(std::string_view s, std::string_view part) {
    return s.find(part) != std::string_view::npos;
}

// The bytes as a file: what a save writes of it must read back as the same pad.
void ReadSaveRead(std::string_view bytes) {
    const FileHeaderValues header = ParseFileHeader(bytes);
    Check(header.left >= 0 && header.top >= 0);
    Check(!Contains(header.header, "\r") && !Contains(header.header, "\x1a"));
    std::vector<std::string> pages;
    ParsePages(bytes, pages);
    Check(pages.size() >= 2);

    // A UTF-8 file gives well-formed UTF-8 whatever it holds, and is saved in its form.
    Check(header.utf8 || !header.utf8Mark);
    if (header.utf8) {
        Check(IsUtf8(header.header));
        for (const std::string& page : pages) {
            Check(IsUtf8(page));
        }
    }
    FileHeader = header.header;
    WindowLeft = header.left;
    WindowTop = header.top;
    SaveState.utf8 = header.utf8;
    SaveState.utf8Mark = header.utf8Mark;
    Pages = pages;
    const std::string saved = PagesFileBytes();
    Check(saved.starts_with(Utf8Mark) == header.utf8Mark);
    std::vector<std::string> again;
    Check(ParsePages(saved, again));
    Check(again == pages);
    const FileHeaderValues headerAgain = ParseFileHeader(saved);
    Check(headerAgain.header == header.header);
    Check(headerAgain.utf8 == header.utf8 && headerAgain.utf8Mark == header.utf8Mark);
    if (!Contains(header.header, "[Pages")) {
        Check(headerAgain.left == header.left && headerAgain.top == header.top);
    }
}

// The bytes cut at NUL into pages put straight into the list, CR and byte 26 included:
// a save must keep every page on its own line, and a page without them as it is.
void SaveOddPages(std::string_view bytes) {
    Pages.assign(1, std::string());
    std::size_t from = 0;
    for (std::size_t at = bytes.find('\0'); at != std::string_view::npos;
         at = bytes.find('\0', from)) {
        Pages.emplace_back(bytes.substr(from, at - from));
        from = at + 1;
    }
    Pages.emplace_back(bytes.substr(from));
    FileHeader.clear();
    WindowLeft = 0;
    WindowTop = 0;
    SaveState.utf8 = false;
    SaveState.utf8Mark = false;
    std::vector<std::string> again;
    Check(ParsePages(PagesFileBytes(), again));
    Check(again.size() == Pages.size());
    for (std::size_t n = 1; n < again.size(); ++n) {
        Check(again[n] == (BreaksFileLine(Pages[n]) ? EncodePageText(Pages[n]) : Pages[n]));
    }
}

// A byte 26 with anything but line ends after it.
bool HoldsTextAfterEndMark(std::string_view bytes) {
    const std::size_t mark = bytes.find('\x1a');
    return mark != std::string_view::npos &&
           bytes.find_first_not_of("\r\n", mark + 1) != std::string_view::npos;
}

// However the file is cut into pieces on its way from the disk, it reads the same.
void ReadInPieces(std::string_view bytes) {
    PagesFileReader whole;
    ReadPiece(whole, bytes);
    FinishReading(whole);
    const std::size_t cut = bytes.empty() ? 1 : 1 + static_cast<unsigned char>(bytes[0]) % 7;
    PagesFileReader pieces;
    for (std::size_t at = 0; at < bytes.size(); at += cut) {
        ReadPiece(pieces, bytes.substr(at, cut));
    }
    FinishReading(pieces);
    Check(pieces.pages == whole.pages && pieces.marked == whole.marked);
    Check(pieces.header.header == whole.header.header && pieces.header.left == whole.header.left &&
          pieces.header.top == whole.header.top &&
          pieces.header.noStoredPosition == whole.header.noStoredPosition &&
          pieces.header.utf8 == whole.header.utf8 &&
          pieces.header.utf8Mark == whole.header.utf8Mark);
    Check(pieces.textAfterEndMark == whole.textAfterEndMark);
    Check(whole.textAfterEndMark == HoldsTextAfterEndMark(bytes));
    // What the reader says a save of its pages writes is what the writer writes.
    Check(pieces.imageKnown == whole.imageKnown);
    if (whole.imageKnown) {
        const std::string image = PagesFileImage(whole.header, whole.pages);
        Check(whole.image.length == image.size());
        Check(DigestValue(whole.image) == DigestOf(image));
        Check(DigestValue(pieces.image) == DigestValue(whole.image));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ReadSaveRead(bytes);
    SaveOddPages(bytes);
    ReadInPieces(bytes);
    return 0;
}
