// Sync clients' conflicted copies of the pad, united with the pages in memory.
#include "store/conflicted_copies.h"

#include "platform/files.h"
#include "store/other_version.h"
#include "store/pad_header.h"
#include "store/pad_on_disk.h"
#include "store/pad_state.h"
#include "store/pad_text.h"
#include "store/page_merge.h"
#include "store/pages.h"

#include <algorithm>
#include <string>

namespace {

// Names are compared as Windows compares them, in any case; the parts that matter are ASCII.
std::string AsciiLower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

bool Listed(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Unites the copy's pages with those in memory; false when it does not read as a pad.
bool BringIn(const std::string& copy) {
    PadRead read;
    if (!ReadPadFile(copy.c_str(), read)) {
        return true; // held for the moment: tried again at the next look
    }
    const PagesFileReader& reader = read.reader;
    if (!reader.marked || reader.textAfterEndMark || reader.notUtf8 || !read.endsLine) {
        return false;
    }
    std::vector<std::string> there = reader.pages;
    const PageMerge merge = UnitePages(PageKeys(Pages, SaveState.utf8, SaveState.utf8),
                                       PageKeys(there, reader.header.utf8, SaveState.utf8));
    const bool adds = std::any_of(merge.pages.begin(), merge.pages.end(),
                                  [](const MergedPage& page) { return page.here == 0; });
    if (adds) {
        BothInOneForm(there, reader.header.utf8);
        TakeMergedPages(merge, there);
        SaveState.pagesAhead = true;
    }
    SaveState.copiesBroughtIn.push_back(copy);
    return true;
}

} // namespace

bool IsConflictedCopyName(std::string_view entry, std::string_view padName) {
    const std::string name = AsciiLower(entry);
    const std::string pad = AsciiLower(padName);
    const std::string stem = pad.substr(0, pad.size() - (pad.ends_with(".qpd") ? 4 : 0));
    return name != pad && name.starts_with(stem) && name.ends_with(".qpd") &&
           name.find("conflict", stem.size()) != std::string::npos;
}

// Help mode brings copies in once it ends: the pages wait in memory meanwhile.
void BringInConflictedCopies() {
    if (HelpMode == 1) {
        return;
    }
    for (const std::string& name : FilesInFolder()) {
        if (IsConflictedCopyName(name, PagesFileName) && !Listed(SaveState.copiesLeftAlone, name) &&
            !Listed(SaveState.copiesBroughtIn, name) && !BringIn(name)) {
            SaveState.copiesLeftAlone.push_back(name);
        }
    }
}

void RemoveCopiesBroughtIn() {
    for (const std::string& copy : SaveState.copiesBroughtIn) {
        TellAboutPad("Quillpad brought in " + copy +
                     ", a copy of the pad that a sync client left beside it: every page of it is "
                     "now in " +
                     PagesFileName +
                     (RemoveFile(copy.c_str()) ? ", so the copy is removed."
                                               : ". The copy itself could not be removed."));
    }
    SaveState.copiesBroughtIn.clear();
}
