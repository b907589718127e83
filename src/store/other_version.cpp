// Another version of the pad: read, merged page by page with the pages in memory or shown as
// it is, or kept under a backup name when merging it could lose a page.
#include "store/other_version.h"

#include "platform/files.h"
#include "store/pad_header.h"
#include "store/pad_on_disk.h"
#include "store/pad_text.h"
#include "store/page_field.h"
#include "store/page_merge.h"
#include "store/pages.h"
#include "text/digest.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<std::string>& PagesHere() {
    return HelpMode == 1 ? PagesKeptDuringHelp : Pages;
}

std::int32_t& PageHere() {
    return HelpMode == 1 ? PageBeforeHelp : CurrentPage;
}

// Versions of the pad that another computer's may have grown from: the one this run began
// with and those of its last saves are enough for the usual while a sync client takes to
// pass one on.
constexpr std::size_t BasesKept = 16;

bool HoldsText(const std::vector<std::uint64_t>& keys) {
    const std::uint64_t empty = DigestOf("");
    for (const std::uint64_t key : keys) {
        if (key != empty) {
            return true;
        }
    }
    return false;
}

// Why the version read can't be merged without risking a page; nullptr when it can.
const char* WhyNotMerged(const PadRead& read, const std::vector<std::uint64_t>& there) {
    const PagesFileReader& reader = read.reader;
    if (!reader.marked) {
        return "it does not hold pages as Quillpad writes them";
    }
    if (reader.textAfterEndMark) {
        return "it holds an end-of-file mark (byte 26) with more text after it";
    }
    if (reader.notUtf8) {
        return "it is marked as UTF-8 but holds bytes that are not";
    }
    if (!read.endsLine) {
        return "it ends inside a page, as a file cut short does";
    }
    if (!HoldsText(there) && HoldsText(SaveState.bases.back().keys)) {
        return "it holds no text at all";
    }
    return nullptr;
}

// Keeps a version that can't be merged under a backup name, once however many saves come
// after it; false while it is not kept. The user hears of each version once.
bool KeepForeignVersion(const PadVersion& version, const char* why) {
    const bool firstSeen = SaveState.foreign != version;
    if (firstSeen) {
        SaveState.foreign = version;
        SaveState.foreignBackup.clear();
    }
    if (!SaveState.foreignBackup.empty()) {
        return true;
    }
    SaveState.foreignBackup = KeepCopyOfFile(PagesFileName);
    const std::string changed = std::string(PagesFileName) +
                                " was changed by another program while Quillpad was running, "
                                "and that version can't be merged with your pages: " +
                                why + ". ";
    if (!SaveState.foreignBackup.empty()) {
        TellAboutPad(changed + "It is kept unchanged in " + SaveState.foreignBackup +
                     "; the pages in the window are yours.");
        return true;
    }
    if (firstSeen) {
        TellAboutPad(changed + "Quillpad could not keep a copy of it, so it does not save over "
                               "it. Your latest changes are in the window only.");
    }
    return false;
}

// Whether more than half of the merged pages would be versions of pages that both sides
// changed: two quite different pads, better kept apart than interleaved.
bool MostlyTwice(const PageMerge& merge) {
    return merge.pages.empty() || merge.keptTwice.size() * 4 > merge.pages.size();
}

// Where the user's page went: the same page, or when the other side deleted it, the page
// that followed it.
std::int32_t PageFollowed(const PageMerge& merge, std::int32_t page) {
    for (std::size_t n = 0; n < merge.pages.size(); ++n) {
        if (merge.pages[n].here >= page) {
            return static_cast<std::int32_t>(n + 1);
        }
    }
    return static_cast<std::int32_t>(merge.pages.size());
}

void TellKeptTwice(const PageMerge& merge) {
    for (const std::int32_t page : merge.keptTwice) {
        TellAboutPad("Page " + std::to_string(page) + " was changed both here and in the copy of " +
                     PagesFileName +
                     " that another program put in place (another computer, through a sync "
                     "folder, for example). Both versions are kept, one after the other: pages " +
                     std::to_string(page) + " and " + std::to_string(page + 1) + ".");
    }
}

std::size_t PagesInCommon(std::vector<std::uint64_t> a, const std::vector<std::uint64_t>& sortedB) {
    std::sort(a.begin(), a.end());
    std::vector<std::uint64_t> common;
    std::set_intersection(a.begin(), a.end(), sortedB.begin(), sortedB.end(),
                          std::back_inserter(common));
    return common.size();
}

// The version the other one grew from: the one with most of its pages. A version that a
// sync client put in place may have grown from an older save of this run than the last;
// merged against the last, the pages saved since would count as deleted there. Of equals the
// older wins, so that a page added here since is kept.
const PadBase& BaseOf(const std::vector<std::string>& there, bool thereUtf8) {
    const PadBase* best = &SaveState.bases.front();
    std::size_t most = 0;
    for (const PadBase& base : SaveState.bases) {
        std::vector<std::uint64_t> keys = PageKeys(there, thereUtf8, base.utf8);
        std::sort(keys.begin(), keys.end());
        const std::size_t common = PagesInCommon(base.keys, keys);
        if (common > most) {
            most = common;
            best = &base;
        }
    }
    return *best;
}

// Merges the version read into the pages in memory; false when it can't be merged.
bool Merge(PadRead& read, const PadVersion& version, const std::optional<FileStamp>& stamp) {
    PagesFileReader& reader = read.reader;
    const bool thereUtf8 = reader.header.utf8;
    const PadBase& base = BaseOf(reader.pages, thereUtf8);
    const bool baseUtf8 = base.utf8;
    const std::vector<std::uint64_t> there = PageKeys(reader.pages, thereUtf8, baseUtf8);
    const char* why = WhyNotMerged(read, there);
    PageMerge merge;
    if (why == nullptr) {
        merge = MergePages(base.keys, PageKeys(PagesHere(), SaveState.utf8, baseUtf8), there);
        why = MostlyTwice(merge) ? "most of its pages differ from yours" : nullptr;
    }
    if (why != nullptr) {
        SaveState.pagesAhead = true;
        SaveState.fileHoldsPages = false;
        return KeepForeignVersion(version, why);
    }
    RememberBase(reader.pages, thereUtf8);
    BothInOneForm(reader.pages, thereUtf8);
    // A pad in UTF-8 keeps the form its file has, with the mark or without.
    if (thereUtf8) {
        SaveState.utf8Mark = reader.header.utf8Mark;
    }
    TakeMergedPages(merge, reader.pages);
    TellKeptTwice(merge);
    // The merged pages stand on the version read: the next save writes them over it, unless
    // they are its pages (pages converted to UTF-8 hold nothing new, yet the file does not
    // hold them in that form).
    FileHeader = reader.header.header;
    SaveState.lastSeen = version;
    SaveState.lastStamp = stamp;
    SaveState.headerOfFile = reader.header;
    SaveState.pagesAhead = PageKeys(PagesHere(), SaveState.utf8, baseUtf8) != there;
    SaveState.fileHoldsPages = !SaveState.pagesAhead && thereUtf8 == SaveState.utf8 &&
                               reader.imageKnown && VersionOf(reader.image) == version;
    return true;
}

} // namespace

void TakeMergedPages(const PageMerge& merge, std::vector<std::string>& there) {
    std::vector<std::string>& here = PagesHere();
    std::int32_t& page = PageHere();
    const std::int32_t followed = PageFollowed(merge, page);
    const MergedPage& shown = merge.pages[followed - 1];
    const bool textChanged = shown.fromThere || shown.here != page;
    std::vector<std::string> merged(1);
    merged.reserve(merge.pages.size() + 1);
    for (const MergedPage& m : merge.pages) {
        merged.push_back(m.fromThere ? std::move(there[m.there]) : std::move(here[m.here]));
    }
    here = std::move(merged);
    const bool renumbered = followed != page;
    page = followed;
    if (HelpMode == 1) {
        return;
    }
    if (renumbered) {
        TypedPage = 0;
    }
    if (textChanged) {
        ShowPage();
    } else {
        ShowPageNumbers();
    }
}

void BothInOneForm(std::vector<std::string>& there, bool thereUtf8) {
    if (thereUtf8 && !SaveState.utf8) {
        const bool ahead = SaveState.pagesAhead;
        TurnPadUtf8();
        SaveState.pagesAhead = ahead;
    } else if (!thereUtf8 && SaveState.utf8) {
        PagesToUtf8(there);
    }
}

std::optional<PadVersion> TakeInOtherVersion(PadLook look) {
    // Without a version read or written there is nothing to tell another one from.
    if (!SaveState.lastSeen || SaveState.bases.empty()) {
        return VersionOnDisk(PagesFileName);
    }
    // Taken before the file is read: a change while it is read shows at the next look.
    const std::optional<FileStamp> stamp = StampOfFile(PagesFileName);
    if (look == PadLook::Quick && SaveState.lastStamp && stamp == SaveState.lastStamp) {
        return SaveState.lastSeen;
    }
    const std::optional<PadVersion> now = VersionOnDisk(PagesFileName);
    if (!now || now == SaveState.lastSeen) {
        if (now) {
            SaveState.lastStamp = stamp;
        }
        return now;
    }
    // Removed or emptied: nothing of it to keep, and the pages in memory are all there is.
    if (!now->present || now->size == 0) {
        SaveState.pagesAhead = true;
        SaveState.fileHoldsPages = false;
        return now;
    }
    if (HelpMode == 0 && CurrentPageExists()) {
        TakeFieldIntoPage();
    }
    PadRead read;
    if (!ReadPadFile(PagesFileName, read)) {
        return std::nullopt;
    }
    const PadVersion version = VersionOf(read.digest);
    if (version == SaveState.lastSeen) {
        SaveState.lastStamp = stamp;
        return version;
    }
    return Merge(read, version, stamp) ? std::optional<PadVersion>(version) : std::nullopt;
}

void RememberBase(const std::vector<std::string>& pages, bool utf8) {
    PadBase base{PageKeys(pages, utf8, utf8), utf8};
    std::vector<PadBase>& bases = SaveState.bases;
    if (!bases.empty() && bases.back().keys == base.keys && bases.back().utf8 == utf8) {
        return;
    }
    // The first, the version this run began with, stays.
    if (bases.size() == BasesKept) {
        bases.erase(bases.begin() + 1);
    }
    bases.push_back(std::move(base));
}
