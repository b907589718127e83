// Another version of the pad on disk, put there by something else: a sync client bringing
// another computer's pages, a backup copied in. It is merged page by page with the pages in
// memory against the version both grew from, shown as it is when nothing changed here, and
// kept under a backup name when it can't be merged.
#pragma once

#include "padfile/pad_on_disk.h"
#include "padfile/pad_state.h"
#include "sync/page_merge.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum class PadLook {
    Quick,    // the file's stamp decides whether it is read: a flip, the window's activation
    Thorough, // its bytes decide: every save
};

// Takes in a version of the pad that this run did not read or write, into the pages in
// memory (those kept during help while help is shown, without the page text field). The
// field's text is taken into the current page first, and shown again only when that
// page's text changed. Returns the version on disk now, which a save may replace; empty when
// the file can't be read at the moment or holds a version that could not be kept.
std::optional<PadVersion> TakeInOtherVersion(PadLook look);

// What a sync client's conflicted copy of the pad brought.
enum class CopyTaken { NotAPad, NothingNew, Merged };
// Merges a copy read into the pages in memory as another version of the pad.
CopyTaken TakeInCopy(PadRead& read);

// Another version's pages and those in memory in one form: UTF-8 when either is.
void BothInOneForm(std::vector<std::string>& there, bool thereUtf8);
// The pages of a merge with another version's (there, page 1 at element 1, moved from) take
// the place of those in memory, and the page the user is on keeps its place among them; the
// page text field changes only when that page's text did.
void TakeMergedPages(const PageMerge& merge, std::vector<std::string>& there);

// The versions line of a save of pages with this id, when the pad carries one: the versions
// they grew from.
void AddVersionsLine(FileHeaderValues& header, std::uint64_t id);
// The pad now holds pages with these keys, in UTF-8 or not, written by this computer under
// this header.
void VersionWritten(const std::vector<std::uint64_t>& keys, bool utf8,
                    const FileHeaderValues& header);
// The pad was opened holding pages with these keys: the version the pages in memory build on,
// one more in the history once that is read. A pad that holds a versions line, or one that
// another computer changed since this one last had it, has met another version of itself.
void VersionRead(const std::vector<std::uint64_t>& keys, bool utf8, const FileHeaderValues& header);
// Reads the history of versions the first time a version other than the one read at the
// start is met or written, so that the start never waits for it.
void ReadHistoryWhenDue();
