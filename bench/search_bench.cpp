// How fast a search walks a large pad, in the code page and in UTF-8, against a plain memmem.
#include "commands/flipping.h"
#include "padfile/pad_state.h"
#include "platform/window.h"
#include "search/search.h"
#include "search/walk.h"
#include "store/page_store.h"
#include "support/fake_window.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

const std::size_t PageBytes = 4096;

// A pad to search: the words its pages are made of, its last page, and the query (small
// letters, as the search box's text is once folded) that only the last page holds.
struct PadKind {
    std::vector<const char*> words;
    const char* lastPage;
    const char* query;
    bool utf8;
};

const PadKind CodePagePad{
    {
        "the",  "Page",   "notes", "and",        "meeting",    "with",  "Sarah",  "about",
        "list", "of",     "ITEMS", "to",         "buy",        "bread", "butter", "jam",
        "call", "Monday", "a",     "sandwiches", "marmalades", "is",    "on",     "[msg]",
    },
    "Lunch:<&CR&>a Marmalade Sandwich",
    "marmalade sandwich",
    false,
};

// Latin with accents, Cyrillic, CJK and emoji, and near misses of the query.
const PadKind Utf8Pad{
    {
        "the",    "Ärger", "café",      "naïve", "Привет", "ЗАМЕТКИ", "встреча",     "хлеба",
        "масло",  "на",    "мармелады", "日本",  "会議",   "メモ",    "電話",        "買い物",
        "火曜日", "😀",     "📞",         "🍞",     "✓",      "→",       "smörgåsbord", "[msg]",
    },
    "Обед:<&CR&>Мармелад На Хлебе 🍞",
    "мармелад на хлебе",
    true,
};

// Pages of mixed-case words and line breaks, of which only the last holds the query.
void FillPad(std::size_t padBytes, const PadKind& kind) {
    std::mt19937 random(42);
    ResetFake();
    SaveState.utf8 = kind.utf8;
    Pages.assign(1, std::string());
    std::size_t total = 0;
    while (total < padBytes) {
        std::string page;
        while (page.size() < PageBytes) {
            page += kind.words[random() % kind.words.size()];
            page += random() % 12 == 0 ? "<&CR&>" : " ";
        }
        total += page.size();
        Pages.push_back(std::move(page));
    }
    Pages.back() = kind.lastPage;
}

std::size_t StoredBytes() {
    std::size_t total = 0;
    for (const std::string& page : Pages) {
        total += page.size();
    }
    return total;
}

void SearchWalk(benchmark::State& state, const PadKind& kind) {
    FillPad(static_cast<std::size_t>(state.range(0)) << 20, kind);
    const SearchQuery query = ParseQuery(kind.query);
    const std::string* term = nullptr;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FindMatchingPage(query, 1, PageCount(), 1, term));
    }
    if (FindMatchingPage(query, 1, PageCount(), 1, term) != PageCount()) {
        state.SkipWithError("the walk did not stop on the last page");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * StoredBytes()));
}

// The whole key press: store, fold the query, walk, show the page found and flash it.
void SearchForwardFromPageOne(benchmark::State& state, const PadKind& kind) {
    FillPad(static_cast<std::size_t>(state.range(0)) << 20, kind);
    for (auto _ : state) {
        CurrentPage = 1;
        ShowPage();
        SearchText = kind.query;
        SearchForward();
        Fake.pauses.clear();
        Fake.focusLog.clear();
        Fake.selectionLog.clear();
    }
    if (CurrentPage != PageCount()) {
        state.SkipWithError("the search did not stop on the last page");
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * StoredBytes()));
}

void SearchMemmemBaseline(benchmark::State& state) {
    FillPad(static_cast<std::size_t>(state.range(0)) << 20, CodePagePad);
    const std::size_t length = std::strlen(CodePagePad.query);
    for (auto _ : state) {
        for (const std::string& page : Pages) {
            benchmark::DoNotOptimize(memmem(page.data(), page.size(), CodePagePad.query, length));
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * StoredBytes()));
}

} // namespace

// The code-page pads keep the names they always had; the UTF-8 ones are named ".../Utf8/MB".
BENCHMARK_CAPTURE(SearchWalk, CodePage, CodePagePad)
    ->Name("SearchWalk")
    ->Arg(1)
    ->Arg(10)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SearchWalk, Utf8, Utf8Pad)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SearchForwardFromPageOne, CodePage, CodePagePad)
    ->Name("SearchForwardFromPageOne")
    ->Arg(1)
    ->Arg(10)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(SearchForwardFromPageOne, Utf8, Utf8Pad)
    ->Arg(10)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(SearchMemmemBaseline)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);
