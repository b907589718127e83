// How fast a search walks a large pad, against a plain memmem over the same bytes.
#include "commands/flipping.h"
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

const char* const Query = "marmalade sandwich";
const char* const LastPageText = "Lunch:<&CR&>a Marmalade Sandwich";
const std::size_t PageBytes = 4096;

// Pages of mixed-case words and line breaks, of which only the last holds the query.
void FillPad(std::size_t padBytes) {
    static const char* const Words[] = {
        "the",  "Page",   "notes", "and",        "meeting",    "with",  "Sarah",  "about",
        "list", "of",     "ITEMS", "to",         "buy",        "bread", "butter", "jam",
        "call", "Monday", "a",     "sandwiches", "marmalades", "is",    "on",     "[msg]",
    };
    std::mt19937 random(42);
    ResetFake();
    Pages.assign(1, std::string());
    std::size_t total = 0;
    while (total < padBytes) {
        std::string page;
        while (page.size() < PageBytes) {
            page += Words[random() % std::size(Words)];
            page += random() % 12 == 0 ? "<&CR&>" : " ";
        }
        total += page.size();
        Pages.push_back(std::move(page));
    }
    Pages.back() = LastPageText;
}

std::size_t StoredBytes() {
    std::size_t total = 0;
    for (const std::string& page : Pages) {
        total += page.size();
    }
    return total;
}

void SearchWalk(benchmark::State& state) {
    FillPad(static_cast<std::size_t>(state.range(0)) << 20);
    const SearchQuery query = ParseQuery(Query);
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
void SearchForwardFromPageOne(benchmark::State& state) {
    FillPad(static_cast<std::size_t>(state.range(0)) << 20);
    for (auto _ : state) {
        CurrentPage = 1;
        ShowPage();
        SearchText = Query;
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
    FillPad(static_cast<std::size_t>(state.range(0)) << 20);
    const std::size_t length = std::strlen(Query);
    for (auto _ : state) {
        for (const std::string& page : Pages) {
            benchmark::DoNotOptimize(memmem(page.data(), page.size(), Query, length));
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * StoredBytes()));
}

} // namespace

BENCHMARK(SearchWalk)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(SearchForwardFromPageOne)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(SearchMemmemBaseline)->Arg(1)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);
