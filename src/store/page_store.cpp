// Growing and renumbering the page list, and moving text between it and the page text field,
// which shows it in UTF-8 whatever the pad keeps it in.
#include "store/page_store.h"

#include "padfile/pad_state.h"
#include "padfile/stored_text.h"
#include "platform/window.h"
#include "store/conflicted_copies.h"
#include "store/other_version.h"
#include "store/pages_file.h"
#include "text/bytes.h"

namespace {

constexpr int TypingPauseMs = 1500;

} // namespace

void GrowPages() {
    if (Pages.empty()) {
        Pages.emplace_back();
    }
    Pages.emplace_back();
    SaveState.pagesAhead = true;
}

// After pages are renumbered the typed copy may name a page that now holds other text,
// so it is given up; the field itself is stored before any later move or at closing.
void InsertEmptyPage(std::int32_t n) {
    Pages.insert(Pages.begin() + n, std::string());
    TypedPage = 0;
    SaveState.pagesAhead = true;
}

void DeletePageAt(std::int32_t n) {
    Pages.erase(Pages.begin() + n);
    TypedPage = 0;
    SaveState.pagesAhead = true;
}

// Storing ends the wait for a typing pause, and is where the user acts: what waited for
// that is told first. While pages are ahead of the file (a save failed, a page was inserted,
// a look at another version took the field in), every store saves, changed page or not.
void StorePageText() {
    StopWaitTimer();
    TellPadNews();
    if (HelpMode == 1 || !CurrentPageExists()) {
        return;
    }
    if (TakeFieldIntoPage() || SaveState.unsaved || SaveState.pagesAhead) {
        SavePagesFile();
    } else {
        TakeInAndSave();
    }
}

// A look that merged another version saves the merged pages. One that found nothing new
// writes nothing, so that the program's own saves, which the folder's change notification
// reports as well, never start another; nor does one that kept a version aside, which may be
// a file still being written.
void TakeInAndSave() {
    const std::optional<PadVersion> seen = SaveState.lastSeen;
    TakeInOtherVersion(PadLook::Quick);
    if (SaveState.lastSeen != seen && SaveState.pagesAhead) {
        SavePagesFile();
    }
}

void LookAtPadOnDisk() {
    if (HelpMode == 1) {
        return;
    }
    Quietly([] {
        TakeInAndSave();
        const std::size_t brought = SaveState.copiesBroughtIn.size();
        BringInConflictedCopies();
        if (SaveState.copiesBroughtIn.size() != brought) {
            SavePagesFile();
        }
    });
}

void PageTextChanged() {
    if (HelpMode == 0 && !ShowingPage) {
        StartWaitTimer(TypingPauseMs);
    }
}

// The user may go on typing at any moment: nothing here shows a box.
void TypingPaused() {
    Quietly(StorePageText);
}

void TakeTypedText() {
    TypedPage = CurrentPage;
    TypedText = ControlText(ID_PAGE_TEXT);
}

void StoreTypedText() {
    if (TypedPage != CurrentPage || TypedText.empty() || HelpMode == 1 || !CurrentPageExists() ||
        TypedText == ShownText || !PutIntoCurrentPage(TypedText)) {
        return;
    }
    SavePagesFile();
}

void PageTextGotFocus() {
    SelectText(ID_PAGE_TEXT, -1, -1);
    TakeTypedText();
}

// The copy is taken again too, so that the older copy can't overwrite the text at shutdown.
// Pages ahead of the file (an inserted page) are saved as well, from help mode too.
void StoreShownPage() {
    StopWaitTimer();
    if (HelpMode != 1 && CurrentPageExists()) {
        TakeFieldIntoPage();
        TakeTypedText();
    }
    SaveWhatTheFileLacks();
}
