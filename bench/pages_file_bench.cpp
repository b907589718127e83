// Reading and saving whole pads of 1 and 10 MB, and reading a UTF-8 one, against a raw write;
// merging two versions of the 10 MB pad beside saving it.
#include "padfile/pad_state.h"
#include "padfile/pad_text.h"
#include "padfile/pages_file_format.h"
#include "platform/files.h"
#include "store/other_version.h"
#include "store/page_store.h"
#include "store/pages_file.h"
#include "support/temp_folder.h"
#include "sync/common_version.h"
#include "sync/page_merge.h"
#include "sync/version_history.h"
#include "text/digest.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int PageBytes = 1000;

// A pad of the given number of pages of 1000 bytes, a few line breaks in each; in UTF-8 the
// text is Latin with accents, Cyrillic, CJK and emoji, and the pad is written so, behind the
// mark or without it.
void MakePad(int pageCount, bool utf8 = false, bool mark = true) {
    const std::string line = utf8 ? "Заметки: café crème, 日本の会議 😀 → ✓ Ärger.<&CR&>"
                                  : "Some words of a note, and a line break.<&CR&>";
    FileHeader = "http://quillpad.example/  Quillpad.qpd file started 06 Dec 2026 09:07:05";
    WindowLeft = 120;
    WindowTop = 80;
    SaveState.utf8 = utf8;
    SaveState.utf8Mark = utf8 && mark;
    Pages.assign(1, std::string());
    for (int n = 1; n <= pageCount; ++n) {
        std::string page = "Page " + std::to_string(n) + "<&CR&>";
        while (page.size() < PageBytes) {
            page += line;
        }
        // Cut before a character, never inside one.
        std::size_t end = PageBytes;
        while ((static_cast<unsigned char>(page[end]) & 0xC0) == 0x80) {
            --end;
        }
        page.resize(end);
        page.resize(PageBytes, '.');
        Pages.push_back(std::move(page));
    }
}

void ReportBytes(benchmark::State& state, std::size_t size) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * size));
    state.counters["file_MB"] = static_cast<double>(size) / 1e6;
}

void ParsePad(benchmark::State& state, bool utf8, bool mark) {
    MakePad(static_cast<int>(state.range(0)), utf8, mark);
    const std::string bytes = PagesFileBytes();
    std::vector<std::string> pages;
    for (auto _ : state) {
        FileHeaderValues header = ParseFileHeader(bytes);
        benchmark::DoNotOptimize(header);
        ParsePages(bytes, pages);
        benchmark::DoNotOptimize(pages.data());
    }
    const FileHeaderValues read = ParseFileHeader(bytes);
    if (pages != Pages || read.utf8 != utf8 || read.utf8Mark != SaveState.utf8Mark) {
        state.SkipWithError("the pad did not read back as written");
    }
    ReportBytes(state, bytes.size());
}

// Opening the pad as the start does: the file read (from the page cache) and parsed, and
// with a history, the history read too: one of a thousand versions, each a page changed.
void OpenPadFile(benchmark::State& state, bool utf8, bool history) {
    TempFolder folder;
    MakePad(static_cast<int>(state.range(0)), utf8);
    const std::string bytes = PagesFileBytes();
    ReplaceFileWith(PagesFileName, OnePiece(bytes));
    const std::vector<std::string> written = Pages;
    History = PadHistory();
    HistoryFileName.clear();
    if (history) {
        const std::vector<std::uint64_t> padKeys = PageKeys(Pages, utf8, utf8);
        for (std::uint64_t n = 0; n < 1000; ++n) {
            std::vector<std::uint64_t> keys = padKeys;
            keys[n % keys.size()] = n;
            RememberVersion(n, utf8, keys);
        }
        HistoryFileName = "history.qph";
        RememberVersion(VersionIdOf(padKeys), utf8, padKeys);
        state.counters["history_KB"] = static_cast<double>(HistoryBytes(History).size()) / 1e3;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(OpenPad());
    }
    // Read only once another version is met or written: it costs the start nothing, and the
    // first new version this long.
    History = PadHistory();
    const auto reading = std::chrono::steady_clock::now();
    ReadHistoryWhenDue();
    state.counters["history_read_ms"] =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - reading)
            .count();
    if (Pages != written || SaveState.utf8 != utf8 ||
        FindKnownVersion(SaveState.versionHere) == nullptr ||
        (history && !SaveState.versionHereOwn)) {
        state.SkipWithError("the pad did not open as written");
    }
    HistoryFileName.clear();
    ReportBytes(state, bytes.size());
}

void BuildPad(benchmark::State& state) {
    MakePad(static_cast<int>(state.range(0)));
    std::size_t size = 0;
    for (auto _ : state) {
        const std::string bytes = PagesFileBytes();
        size = bytes.size();
        benchmark::DoNotOptimize(bytes.data());
    }
    ReportBytes(state, size);
}

// The whole save: the pad on disk checked against what was last written (read in pieces
// and digested), the file built in memory, written under a temporary name, flushed and
// renamed over the old one.
void SavePad(benchmark::State& state) {
    TempFolder folder;
    MakePad(static_cast<int>(state.range(0)));
    const std::size_t size = PagesFileBytes().size();
    // Every save of a new version writes the history of versions too.
    History = PadHistory();
    HistoryFileName = "history.qph";
    SavePagesFile();
    for (auto _ : state) {
        // A changed page, as at every real save: unchanged pages are not written again.
        Pages[1].back() ^= 1;
        SaveState.pagesAhead = true;
        SavePagesFile();
    }
    HistoryFileName.clear();
    ReportBytes(state, size);
}

// The digest of every page of a page list (element 0 unused), page 1 first.
std::vector<std::uint64_t> PageDigests(const std::vector<std::string>& pages) {
    std::vector<std::uint64_t> digests;
    digests.reserve(pages.size());
    for (std::size_t n = 1; n < pages.size(); ++n) {
        digests.push_back(DigestOf(pages[n]));
    }
    return digests;
}

// Two versions of the pad grown apart since a save, 10 pages changed on each side and spread
// over the pad, merged as the program does it: the pages of both digested, the versions both
// grew from found in a history of 20 by the other's versions line, each merged against (two
// here), the merge with fewest pages kept.
void MergePad(benchmark::State& state) {
    MakePad(static_cast<int>(state.range(0)));
    const std::vector<std::uint64_t> base = PageDigests(Pages);
    PadHistory history;
    for (std::uint64_t n = 0; n < 20; ++n) {
        std::vector<std::uint64_t> keys = base;
        keys[n] = n;
        history.versions.push_back(KnownVersion{n == 10 ? VersionIdOf(base) : n, false, keys});
    }
    history.versions[10].keys = base;
    const std::vector<VersionId> thereGrewFrom = {200, 100, 101, VersionIdOf(base), 5};
    std::vector<std::string> here = Pages;
    std::vector<std::string> there = Pages;
    const std::size_t step = base.size() / 11;
    for (std::size_t n = 1; n <= 10; ++n) {
        here[n * step] += " Changed here.";
        there[n * step + step / 2] += " Changed there.";
    }
    PageMerge merge;
    for (auto _ : state) {
        const std::vector<std::uint64_t> hereKeys = PageDigests(here),
                                         thereKeys = PageDigests(there);
        merge.pages.clear();
        for (const KnownVersion* common :
             NewestCommonVersions(history, 300, thereGrewFrom, CommonVersionsTried)) {
            PageMerge tried = MergePages(common->keys, hereKeys, thereKeys);
            if (merge.pages.empty() || tried.pages.size() < merge.pages.size()) {
                merge = std::move(tried);
            }
        }
        benchmark::DoNotOptimize(merge.pages.data());
    }
    const auto fromThere = std::count_if(merge.pages.begin(), merge.pages.end(),
                                         [](const MergedPage& page) { return page.fromThere; });
    if (merge.pages.size() != base.size() || fromThere != 10 || !merge.keptTwice.empty()) {
        state.SkipWithError("the merge did not take each side's 10 pages");
    }
    ReportBytes(state, PagesFileBytes().size());
}

// The check alone: the pad on disk read in pieces and digested.
void CheckPadOnDisk(benchmark::State& state) {
    TempFolder folder;
    MakePad(static_cast<int>(state.range(0)));
    const std::string bytes = PagesFileBytes();
    ReplaceFileWith(PagesFileName, OnePiece(bytes));
    for (auto _ : state) {
        Digest digest = NewDigest();
        ReadFileInPieces(PagesFileName,
                         [&](std::string_view piece) { AddToDigest(digest, piece); });
        benchmark::DoNotOptimize(DigestValue(digest));
    }
    ReportBytes(state, bytes.size());
}

// The digest of bytes in memory, as taken of every save's bytes.
void DigestPad(benchmark::State& state) {
    MakePad(static_cast<int>(state.range(0)));
    const std::string bytes = PagesFileBytes();
    for (auto _ : state) {
        benchmark::DoNotOptimize(DigestOf(bytes));
    }
    ReportBytes(state, bytes.size());
}

// The baseline: the same bytes written in place with one write and one fsync.
void RawWrite(benchmark::State& state) {
    TempFolder folder;
    MakePad(static_cast<int>(state.range(0)));
    const std::string bytes = PagesFileBytes();
    for (auto _ : state) {
        const int fd = ::open("raw.qpd", O_WRONLY | O_CREAT | O_TRUNC, 0666);
        std::size_t written = 0;
        while (written < bytes.size()) {
            const ssize_t got = ::write(fd, bytes.data() + written, bytes.size() - written);
            if (got <= 0) {
                state.SkipWithError("write failed");
                break;
            }
            written += static_cast<std::size_t>(got);
        }
        ::fsync(fd);
        ::close(fd);
    }
    ReportBytes(state, bytes.size());
}

} // namespace

// The code-page pads keep the names they always had; the UTF-8 ones are named ".../Utf8/pages".
BENCHMARK_CAPTURE(ParsePad, CodePage, false, false)
    ->Name("ParsePad")
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ParsePad, Utf8, true, true)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ParsePad, Utf8WithoutMark, true, false)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OpenPadFile, CodePage, false, false)
    ->Name("OpenPadFile")
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(OpenPadFile, WithHistory, false, true)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(OpenPadFile, Utf8, true, false)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BuildPad)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(SavePad)->Arg(1000)->Arg(10000)->Arg(10240)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(MergePad)->Arg(10240)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(CheckPadOnDisk)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(DigestPad)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(RawWrite)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();
