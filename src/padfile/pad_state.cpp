// The pad's save state, and the notices about it that wait for a moment when a box can't
// take keys meant for the page.
#include "padfile/pad_state.h"

#include "platform/window.h"

PadSaveState SaveState;

namespace {

constexpr std::string_view Caption = "Quillpad";

constexpr std::string_view UnsavedNotice =
    "Quillpad.qpd could not be saved: it may be read-only, or open in another program. Your "
    "latest changes are still in the window, and Quillpad saves them again at the next flip "
    "and when you close it.";

} // namespace

void TellAboutPad(std::string_view text) {
    if (SaveState.quiet) {
        SaveState.news.emplace_back(text);
    } else {
        Tell(text, Caption);
    }
}

void TellUnsaved() {
    if (SaveState.toldUnsaved) {
        return;
    }
    SaveState.toldUnsaved = true;
    if (SaveState.quiet) {
        SaveState.unsavedNoticeDue = true;
    } else {
        Tell(UnsavedNotice, Caption);
    }
}

void TellPadNews() {
    if (SaveState.quiet) {
        return;
    }
    ShowPageFullInTitle(0);
    // Taken first: a box keeps handling the window's messages, which may add more news.
    std::vector<std::string> news = std::move(SaveState.news);
    SaveState.news.clear();
    if (SaveState.unsavedNoticeDue) {
        SaveState.unsavedNoticeDue = false;
        news.emplace_back(UnsavedNotice);
    }
    for (const std::string& text : news) {
        Tell(text, Caption);
    }
}

void ShowSavedStateInTitle() {
    std::string title(Caption);
    if (SaveState.fullPage != 0) {
        title += " - page " + std::to_string(SaveState.fullPage) + " is full";
    }
    if (SaveState.unsaved) {
        title += " - not saved";
    }
    SetWindowTitle(title);
}

void ShowPageFullInTitle(std::int32_t page) {
    if (SaveState.fullPage != page) {
        SaveState.fullPage = page;
        ShowSavedStateInTitle();
    }
}

void Quietly(const std::function<void()>& work) {
    const bool was = SaveState.quiet;
    SaveState.quiet = true;
    work();
    SaveState.quiet = was;
}
