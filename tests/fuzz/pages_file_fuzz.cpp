// Fuzz target: any bytes read as a pages file, then saved and read again.
#include "store/page_store.h"
#include "store/pages_file.h"
#include "store/pages_file_format.h"
#include "store/stored_text.h"

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

    FileHeader = header.header;
    WindowLeft = header.left;
    WindowTop = header.top;
    Pages = pages;
    const std::string saved = PagesFileBytes();
    std::vector<std::string> again;
    Check(ParsePages(saved, again));
    Check(again == pages);
    const FileHeaderValues headerAgain = ParseFileHeader(saved);
    Check(headerAgain.header == header.header);
    if (!Contains(header.header, "[Pages")) {
        Check(headerAgain.left == header.left && headerAgain.top == header.top);
    }
}

// The bytes cut at NUL into pages put straight into the list, CR and byte 26 included:
// a save must keep every page on its own line.
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
    std::vector<std::string> again;
    Check(ParsePages(PagesFileBytes(), again));
    Check(again.size() == Pages.size());
    for (std::size_t n = 1; n < again.size(); ++n) {
        Check(again[n] == EncodePageText(Pages[n]));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ReadSaveRead(bytes);
    SaveOddPages(bytes);
    return 0;
}
