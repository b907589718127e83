// Turning the whole pad UTF-8 when a character the code page lacks comes in.
#include "store/pad_form.h"

#include "padfile/pad_header.h"
#include "padfile/pad_on_disk.h"
#include "padfile/pad_state.h"
#include "padfile/pad_text.h"
#include "store/pages.h"

namespace {

// The file still holds the bytes that the conversion lost; they are kept under a backup
// name before the save in UTF-8 replaces it. A file changed elsewhere holds them no more,
// and the save keeps that version anyway.
void KeepBytesTheConversionLost() {
    if (!PadFileUnchanged(PagesFileName)) {
        return;
    }
    const std::string what = std::string(PagesFileName) +
                             " holds bytes that are no characters of this system's code page. "
                             "Quillpad now keeps the pad in UTF-8, to hold a character the "
                             "code page lacks, and writes those bytes as it shows them";
    const std::string backup = KeepCopyOfFile(PagesFileName);
    TellAboutPad(backup.empty()
                     ? what + "; no copy of the file as it was could be made."
                     : what + ". The file as it was is kept unchanged in " + backup + ".");
}

} // namespace

// Every page, the help's keeping included, and the header line; the next save writes the
// whole pad in UTF-8 with its mark.
void TurnPadUtf8() {
    const bool pagesWhole = PagesToUtf8(Pages);
    const bool keptWhole = PagesToUtf8(PagesKeptDuringHelp);
    const bool headerWhole = TextToUtf8(FileHeader);
    if (!pagesWhole || !keptWhole || !headerWhole) {
        KeepBytesTheConversionLost();
    }
    SaveState.utf8 = true;
    SaveState.utf8Mark = true;
    SaveState.pagesAhead = true;
}

std::string TextForPad(std::string_view windowText) {
    std::string padText;
    if (!TextInPadForm(windowText, padText)) {
        TurnPadUtf8();
        padText.assign(windowText);
    }
    return padText;
}
