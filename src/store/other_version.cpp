// Another version of the pad: read, merged page by page with the pages in memory against the
// version both grew from, shown as it is, or kept under a backup name when merging it could
// lose a page.
#include "store/other_version.h"

#include "padfile/pad_header.h"
#include "padfile/pad_on_disk.h"
#include "padfile/pad_text.h"
#include "platform/files.h"
#include "store/merge_with_here.h"
#include "store/pad_form.h"
#include "store/page_field.h"
#include "store/pages.h"
#include "sync/common_version.h"
#include "text/digest.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {

std::int32_t& PageHere() {
    return HelpMode == 1 ? PageBeforeHelp : CurrentPage;
}

bool Names(const std::vector<VersionId>& ids, VersionId id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

bool HoldsText(const std::vector<std::uint64_t>& keys) {
    const std::uint64_t empty = DigestOf("");
    return std::any_of(keys.begin(), keys.end(), [&](std::uint64_t key) { return key != empty; });
}

// Why a version read can't be merged without risking a page; nullptr when it can.
const char* WhyNotMerged(const PadRead& read, ThereKeys& there) {
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
    if (!HoldsText(there(SaveState.utf8)) &&
        HoldsText(PageKeys(PagesHere(), SaveState.utf8, SaveState.utf8))) {
        return "it holds no text at all";
    }
    return nullptr;
}

// Keeps a version that can't be merged under a backup name, once however many saves come
// after it; false while it is not kept. The user hears of each version once.
bool KeepForeignVersion(const PadVersion& version, const char* why) {
    SaveState.pagesAhead = true;
    SaveState.fileHoldsPages = false;
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

void TellKeptTwice(const PageMerge& merge) {
    for (const std::int32_t page : merge.keptTwice) {
        TellAboutPad("Page " + std::to_string(page) + " was changed both here and in the copy of " +
                     PagesFileName +
                     " that another program put in place (another computer, through a sync "
                     "folder, for example). Both versions are kept, one after the other: pages " +
                     std::to_string(page) + " and " + std::to_string(page + 1) + ".");
    }
}

bool KnownHere(VersionId id) {
    return id == SaveState.versionHere || VersionKnown(id) || Names(SaveState.grewFrom, id);
}

// Where a version stands in the order this computer learned of them; -1 when its pages are
// not known.
std::ptrdiff_t Learned(VersionId id) {
    const KnownVersion* version = FindKnownVersion(id);
    return version == nullptr ? -1 : version - History.versions.data();
}

// Whether another version brings nothing this computer has not had: it is one of the versions
// known here, and so is every version it grew from, none of which came here after it (pages
// that came back to an earlier version's have that one's id, yet grew from later ones).
bool NothingNew(VersionId id, const std::vector<VersionId>& grewFrom) {
    const std::ptrdiff_t learned = Learned(id);
    return KnownHere(id) && std::all_of(grewFrom.begin(), grewFrom.end(), [&](VersionId from) {
               return KnownHere(from) && (from != SaveState.versionHere || from == id) &&
                      (learned < 0 || Learned(from) <= learned);
           });
}

// The merged pages take the place of those in memory, in one form, and the pages in memory
// now also grew from the version merged in.
void TakeIn(const PageMerge& merge, PagesFileReader& reader) {
    const bool thereUtf8 = reader.header.utf8;
    BothInOneForm(reader.pages, thereUtf8);
    // A pad in UTF-8 keeps the form its file has, with the mark or without.
    if (thereUtf8) {
        SaveState.utf8Mark = reader.header.utf8Mark;
    }
    TakeMergedPages(merge, reader.pages);
    TellKeptTwice(merge);
    SaveState.carriesVersions = true;
}

// The file holds this version now: the next save writes over it.
void SeeFile(const PagesFileReader& reader, const PadVersion& version,
             const std::optional<FileStamp>& stamp) {
    FileHeader = reader.header.header;
    SaveState.lastSeen = version;
    SaveState.lastStamp = stamp;
    SaveState.headerOfFile = reader.header;
}

// Whether the file read is exactly what a save of the pages in memory writes: nothing ahead,
// the same form, and the bytes of its own header values and pages.
bool FileHoldsPages(const PagesFileReader& reader, const PadVersion& version) {
    return !SaveState.pagesAhead && reader.header.utf8 == SaveState.utf8 && reader.imageKnown &&
           VersionOf(reader.image) == version;
}

// Takes in the version read; false when it can't be merged and could not be kept either.
bool TakeInVersion(PadRead& read, const PadVersion& version,
                   const std::optional<FileStamp>& stamp) {
    ReadHistoryWhenDue();
    PagesFileReader& reader = read.reader;
    const bool thereUtf8 = reader.header.utf8;
    ThereKeys there{reader.pages, thereUtf8};
    if (const char* why = WhyNotMerged(read, there)) {
        return KeepForeignVersion(version, why);
    }
    const VersionId id = VersionIdOf(there(thereUtf8));
    const std::vector<VersionId> thereGrewFrom = reader.header.grewFrom;
    // The same pages with another header or window position, or pages the ones here grew
    // from: nothing new, and nothing to write back but pages that are newer here.
    if (NothingNew(id, thereGrewFrom)) {
        SeeFile(reader, version, stamp);
        const bool older = id != SaveState.versionHere;
        SaveState.pagesAhead = SaveState.pagesAhead || older;
        SaveState.fileHoldsPages = FileHoldsPages(reader, version);
        SaveState.carriesVersions = SaveState.carriesVersions || older;
        return true;
    }
    const PageMerge merge = MergeWithHere(there, id, thereGrewFrom, false);
    if (MostlyTwice(merge)) {
        return KeepForeignVersion(version, "most of its pages differ from yours");
    }
    RememberVersion(id, thereUtf8, there(thereUtf8));
    RememberIds(thereGrewFrom);
    // The pages here grew from the version read now, and from the one they built on.
    std::vector<VersionId> before{SaveState.versionHere};
    before.insert(before.end(), SaveState.grewFrom.begin(), SaveState.grewFrom.end());
    SaveState.grewFrom = JoinedLineages(thereGrewFrom, before);
    SaveState.versionHere = id;
    SaveState.versionHereOwn = false;
    SaveState.versionHereLine = reader.header.versionsLine;
    TakeIn(merge, reader);
    SeeFile(reader, version, stamp);
    // The merged pages stand on the version read: the next save writes them over it, unless
    // they are its pages (pages converted to UTF-8 hold nothing new, yet the file does not
    // hold them in that form).
    SaveState.pagesAhead = PageKeys(PagesHere(), SaveState.utf8, thereUtf8) != there(thereUtf8);
    if (!SaveState.pagesAhead) {
        SaveState.grewFrom = thereGrewFrom;
    }
    SaveState.fileHoldsPages = FileHoldsPages(reader, version);
    return true;
}

// What a version written from the pages here grew from: the version they build on first.
std::vector<VersionId> GrewFromForNewVersion() {
    return JoinedLineages({SaveState.versionHere}, SaveState.grewFrom);
}

} // namespace

void ReadHistoryWhenDue() {
    if (!SaveState.historyDue) {
        return;
    }
    SaveState.historyDue = false;
    LoadHistory();
    const bool known = VersionKnown(SaveState.versionHere);
    SaveState.versionHereOwn = known;
    SaveState.carriesVersions = SaveState.carriesVersions || (!History.versions.empty() && !known);
    RememberVersion(SaveState.versionHere, SaveState.keysReadUtf8, std::move(SaveState.keysRead));
    SaveState.keysRead.clear();
}

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
    if (!SaveState.lastSeen) {
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
    return TakeInVersion(read, version, stamp) ? std::optional<PadVersion>(version) : std::nullopt;
}

CopyTaken TakeInCopy(PadRead& read) {
    ReadHistoryWhenDue();
    PagesFileReader& reader = read.reader;
    const bool thereUtf8 = reader.header.utf8;
    ThereKeys there{reader.pages, thereUtf8};
    if (!reader.marked || reader.textAfterEndMark || reader.notUtf8 || !read.endsLine) {
        return CopyTaken::NotAPad;
    }
    const VersionId id = VersionIdOf(there(thereUtf8));
    if (NothingNew(id, reader.header.grewFrom)) {
        return CopyTaken::NothingNew;
    }
    const PageMerge merge = MergeWithHere(there, id, reader.header.grewFrom, true);
    if (merge.pages.empty()) {
        return CopyTaken::NotAPad;
    }
    RememberVersion(id, thereUtf8, there(thereUtf8));
    RememberIds(reader.header.grewFrom);
    std::vector<VersionId> copy{id};
    copy.insert(copy.end(), reader.header.grewFrom.begin(), reader.header.grewFrom.end());
    SaveState.grewFrom = JoinedLineages(copy, SaveState.grewFrom);
    TakeIn(merge, reader);
    SaveState.pagesAhead = true;
    return CopyTaken::Merged;
}

void VersionWritten(const std::vector<std::uint64_t>& keys, bool utf8,
                    const FileHeaderValues& header) {
    const VersionId id = VersionIdOf(keys);
    if (id == SaveState.versionHere) {
        return;
    }
    ReadHistoryWhenDue();
    // Kept whether the file carries the line or not, so that a line begun later names them.
    SaveState.grewFrom = GrewFromForNewVersion();
    SaveState.versionHere = id;
    SaveState.versionHereOwn = true;
    SaveState.versionHereLine = header.versionsLine;
    RememberVersion(id, utf8, keys);
}

// The same pages keep their line; new ones carry it once the pad has met another version,
// naming the version they build on first.
void AddVersionsLine(FileHeaderValues& header, std::uint64_t id) {
    if (id == SaveState.versionHere) {
        header.versionsLine = SaveState.versionHereLine;
        header.grewFrom = SaveState.grewFrom;
        return;
    }
    ReadHistoryWhenDue();
    if (SaveState.carriesVersions) {
        header.versionsLine = true;
        header.grewFrom = GrewFromForNewVersion();
    }
}

void VersionRead(const std::vector<std::uint64_t>& keys, bool utf8,
                 const FileHeaderValues& header) {
    SaveState.versionHere = VersionIdOf(keys);
    SaveState.versionHereLine = header.versionsLine;
    SaveState.grewFrom = header.grewFrom;
    SaveState.carriesVersions = header.versionsLine;
    SaveState.historyDue = true;
    SaveState.keysRead = keys;
    SaveState.keysReadUtf8 = utf8;
}
