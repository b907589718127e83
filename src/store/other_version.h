// Another version of the pad on disk, put there by something else: a sync client bringing
// another computer's pages, a backup copied in. It is merged page by page with the pages in
// memory, shown as it is when they hold nothing the file lacks, and kept under a backup
// name when it can't be merged.
#pragma once

#include "store/pad_state.h"
#include "store/page_merge.h"

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

// Another version's pages and those in memory in one form: UTF-8 when either is.
void BothInOneForm(std::vector<std::string>& there, bool thereUtf8);
// The pages of a merge with another version's (there, page 1 at element 1, moved from) take
// the place of those in memory, and the page the user is on keeps its place among them; the
// page text field changes only when that page's text did.
void TakeMergedPages(const PageMerge& merge, std::vector<std::string>& there);

// The pad now holds these pages, kept in UTF-8 or not: one more base to merge against.
void RememberBase(const std::vector<std::string>& pages, bool utf8);
