// Conflicted copies and versions that landed during a save, merged into the pages in memory.
#include "store/conflicted_copies.h"

#include "padfile/pad_header.h"
#include "padfile/pad_on_disk.h"
#include "padfile/pad_state.h"
#include "platform/files.h"
#include "store/other_version.h"
#include "store/pages.h"
#include "sync/copy_names.h"

#include <algorithm>
#include <string>

namespace {

bool Listed(const std::vector<std::string>& names, const std::string& name) {
    return std::find(names.begin(), names.end(), name) != names.end();
}

// Merges the copy into the pages in memory; false when it does not read as a pad. One that
// adds nothing goes as well once the pad on disk holds the pages in memory.
bool BringIn(const std::string& copy) {
    PadRead read;
    if (!ReadPadFile(copy.c_str(), read)) {
        return true; // held for the moment: tried again at the next look
    }
    if (TakeInCopy(read) == CopyTaken::NotAPad) {
        return false;
    }
    SaveState.copiesBroughtIn.push_back(copy);
    return true;
}

} // namespace

bool BringInLateVersions() {
    const std::size_t brought = SaveState.copiesBroughtIn.size();
    std::erase_if(SaveState.lateVersions, [](const std::string& late) {
        if (Listed(SaveState.copiesBroughtIn, late) || BringIn(late)) {
            return false;
        }
        TellAboutPad("Another program put a new version of " + std::string(PagesFileName) +
                     " in place while Quillpad was saving its pages into it. That version can't "
                     "be merged with your pages, so it is kept unchanged in " +
                     late + ".");
        return true;
    });
    return SaveState.copiesBroughtIn.size() != brought;
}

// Help mode brings copies in once it ends: the pages wait in memory meanwhile.
void BringInConflictedCopies() {
    BringInLateVersions();
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
        if (std::erase(SaveState.lateVersions, copy) > 0) {
            RemoveFile(copy.c_str());
            continue;
        }
        TellAboutPad("Quillpad brought in " + copy +
                     ", a copy of the pad that a sync client left beside it: every page of it is "
                     "now in " +
                     PagesFileName +
                     (RemoveFile(copy.c_str()) ? ", so the copy is removed."
                                               : ". The copy itself could not be removed."));
    }
    SaveState.copiesBroughtIn.clear();
}
