// The pads the bench measures: 1 KB pages of filler words, the search word on the last page.
#include "bench_pads.h"

#include "pages_file.h"
#include "session.h"

#include <random>

const char* const SearchWord = "marmalade";

namespace {

const char* const LineBreak = "<&CR&>";

// A page of words and line breaks, exactly PageBytes long, ending in the tail given.
std::string FillerPage(std::mt19937& random, const std::string& tail) {
    static const char* const Words[] = {
        "the",    "Page",  "notes",  "and",       "meeting", "with",     "Sarah",
        "about",  "list",  "of",     "ITEMS",     "to",      "buy",      "bread",
        "butter", "jam",   "call",   "Monday",    "a",       "sandwich", "is",
        "on",     "[msg]", "garage", "telephone", "Tuesday", "dentist",  "Bob",
    };
    std::string page;
    for (;;) {
        std::string next = Words[random() % std::size(Words)];
        next += random() % 10 == 0 ? LineBreak : " ";
        if (page.size() + next.size() + tail.size() > PageBytes) {
            break;
        }
        page += next;
    }
    page.append(PageBytes - page.size() - tail.size(), '.');
    return page + tail;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
        text.replace(at, from.size(), to);
        at += to.size();
    }
    return text;
}

} // namespace

std::vector<std::string> FillerPages(std::size_t padBytes) {
    std::mt19937 random(11);
    const std::size_t count = padBytes / PageBytes;
    std::vector<std::string> pages;
    pages.reserve(count);
    for (std::size_t page = 1; page < count; ++page) {
        pages.push_back(FillerPage(random, ""));
    }
    pages.push_back(
        FillerPage(random, std::string(LineBreak) + "Lunch: a " + SearchWord + " sandwich"));
    return pages;
}

std::string ShownForm(const std::string& storedPage) {
    return Replaced(storedPage, LineBreak, "\r\n");
}

std::string PadBytes(const std::vector<std::string>& pages) {
    return PagesFile(HeaderOfNewPad(), PositionLine(20, 10), pages);
}

std::string PlainText(const std::vector<std::string>& pages) {
    std::string text;
    text.reserve(pages.size() * (PageBytes + 2));
    for (const std::string& page : pages) {
        text += ShownForm(page) + "\r\n";
    }
    return text;
}
