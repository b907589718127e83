// The pads the bench measures: 1 KB pages of filler words, the search word on the last page.
#include "bench_pads.h"

#include "pages_file.h"
#include "session.h"

#include <random>

namespace {

constexpr std::size_t PageBytes = 1024;
const char* const LineBreak = "<&CR&>";

// A page of words and line breaks, exactly PageBytes long, ending in the tail given. Words
// are never cut, so a page of UTF-8 words stays whole characters.
template <std::size_t WordCount>
std::string FillerPage(std::mt19937& random, const char* const (&words)[WordCount],
                       const std::string& tail) {
    std::string page;
    for (;;) {
        std::string next = words[random() % WordCount];
        next += random() % 10 == 0 ? LineBreak : " ";
        if (page.size() + next.size() + tail.size() > PageBytes) {
            break;
        }
        page += next;
    }
    page.append(PageBytes - page.size() - tail.size(), '.');
    return page + tail;
}

// A pad of such pages, enough for that many bytes; its file begins with `mark`.
template <std::size_t WordCount>
BenchPad FillerPad(std::size_t padBytes, const char* const (&words)[WordCount],
                   const std::string& lastTail, const std::string& searchWord,
                   const std::string& mark) {
    std::mt19937 random(11);
    const std::size_t count = padBytes / PageBytes;
    BenchPad pad;
    pad.pages.reserve(count);
    for (std::size_t page = 1; page < count; ++page) {
        pad.pages.push_back(FillerPage(random, words, ""));
    }
    pad.pages.push_back(FillerPage(random, words, std::string(LineBreak) + lastTail));
    pad.file = mark + PagesFile(HeaderOfNewPad(), PositionLine(20, 10), pad.pages);
    pad.fileWithoutPlace = mark + PagesFile(HeaderOfNewPad(), "", pad.pages);
    pad.searchWord = searchWord;
    return pad;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at)) {
        text.replace(at, from.size(), to);
        at += to.size();
    }
    return text;
}

} // namespace

BenchPad CodePagePad(std::size_t padBytes) {
    static const char* const Words[] = {
        "the",    "Page",  "notes",  "and",       "meeting", "with",     "Sarah",
        "about",  "list",  "of",     "ITEMS",     "to",      "buy",      "bread",
        "butter", "jam",   "call",   "Monday",    "a",       "sandwich", "is",
        "on",     "[msg]", "garage", "telephone", "Tuesday", "dentist",  "Bob",
    };
    return FillerPad(padBytes, Words, "Lunch: a marmalade sandwich", "marmalade", "");
}

BenchPad Utf8Pad(std::size_t padBytes) {
    // Two-, three- and four-byte characters in every page; none of these words holds the
    // search word in any case.
    static const char* const Words[] = {
        "the",      "Ärger",       "café",     "naïve",  "smörgåsbord", "crème",   "brûlée",
        "Ångström", "façade",      "jalapeño", "Привет", "заметки",     "ВСТРЕЧА", "хлеб",
        "масло",    "Понедельник", "звонок",   "日本",   "会議",        "メモ",    "電話",
        "買い物",   "中文",        "火曜日",   "😀",      "📞",           "🍞",       "✓",
        "→",        "—",           "€5",       "[msg]",  "αβγ",         "Σ",       "and",
    };
    return FillerPad(padBytes, Words, "Обед: Мармелад на хлебе 🍞", "мармелад", "\xEF\xBB\xBF");
}

std::string ShownForm(const std::string& storedPage) {
    return Replaced(storedPage, LineBreak, "\r\n");
}

std::string PlainText(const std::vector<std::string>& pages) {
    std::string text;
    text.reserve(pages.size() * (PageBytes + 2));
    for (const std::string& page : pages) {
        text += ShownForm(page) + "\r\n";
    }
    return text;
}
