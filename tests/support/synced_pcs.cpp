// PCs sharing one pad through a modelled sync client, each driven as its window drives it.
#include "support/synced_pcs.h"

#include "app/app_main.h"
#include "app/help_mode.h"
#include "app/main_window_events.h"
#include "commands/flipping.h"
#include "commands/page_commands.h"
#include "padfile/pad_header.h"
#include "padfile/pad_state.h"
#include "padfile/pages_file_format.h"
#include "padfile/stored_text.h"
#include "platform/save_faults.h"
#include "search/search.h"
#include "store/page_store.h"
#include "support/fake_window.h"
#include "support/temp_folder.h"
#include "sync/version_history.h"

#include <algorithm>
#include <optional>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;
using Files = std::map<std::string, std::string>;

// Every global the program keeps, as ResetProgramState lists them, and its window.
struct PcProgram {
    std::vector<std::string> pages, pagesKept, helpPages;
    std::int32_t currentPage = 0, typedPage = 0, pageBeforeHelp = 0;
    std::int32_t left = 0, top = 0, noStoredPosition = 0;
    std::int16_t helpMode = 0;
    std::string typedText, shownText, fileHeader, searchText;
    PadSaveState saveState;
    PadHistory history;
    std::string historyFile;
    FakeWindow window;

    // Swapping twice leaves both where they were: one swap takes a PC's state in, the next
    // puts it back.
    void Swap() {
        std::swap(pages, Pages), std::swap(pagesKept, PagesKeptDuringHelp);
        std::swap(helpPages, HelpPages), std::swap(currentPage, CurrentPage);
        std::swap(typedPage, TypedPage), std::swap(pageBeforeHelp, PageBeforeHelp);
        std::swap(left, WindowLeft), std::swap(top, WindowTop);
        std::swap(noStoredPosition, NoStoredPosition), std::swap(helpMode, HelpMode);
        std::swap(typedText, TypedText), std::swap(shownText, ShownText);
        std::swap(fileHeader, FileHeader), std::swap(searchText, SearchText);
        std::swap(saveState, SaveState), std::swap(window, Fake);
        std::swap(history, History), std::swap(historyFile, HistoryFileName);
    }
};

namespace {

// AppMain returns only once its window has gone; the window's loop is left this way instead,
// with the window still open.
struct WindowOpen {};

std::string PadBytes(const std::vector<std::string>& pages) {
    std::string bytes = "http://h\r\n\r\n" + std::string(PositionLine) + "\r\n 5  6\r\n\r\n" +
                        std::string(MarkerLine) + "\r\n";
    for (const std::string& page : pages) {
        bytes += page + "\r\n";
    }
    return bytes;
}

// The files the client carries: the pad and the copies it keeps beside it.
Files FilesIn(const fs::path& folder) {
    Files files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() == ".qpd") {
            files[entry.path().filename().string()] = FileBytes(entry.path());
        }
    }
    return files;
}

std::optional<std::string> Find(const Files& files, const std::string& name) {
    const auto found = files.find(name);
    return found == files.end() ? std::nullopt : std::optional(found->second);
}

void Put(Files& files, const std::string& name, const std::optional<std::string>& bytes) {
    bytes ? void(files[name] = *bytes) : void(files.erase(name));
}

// As sync clients do: written whole under a temporary name, then renamed over the file.
void Place(const fs::path& file, const std::optional<std::string>& bytes) {
    if (!bytes) {
        fs::remove(file);
        return;
    }
    fs::path temporary = file;
    temporary += ".sync.tmp";
    WriteBytes(temporary, *bytes);
    fs::rename(temporary, file);
}

// Whether the pad on disk names no versions it grew from. Before a pad has met another
// version, nothing tells the others what its pages grew from: where they are unsure they
// keep both texts of a page, as they do for a page changed on two PCs at once, and a
// version that changed every page shares nothing with theirs and is kept aside.
bool Lineless() {
    return FileBytes(PagesFileName).find("\r\n[Versions]") == std::string::npos;
}

} // namespace

// In memory where the system has such a folder: every save flushes the pad to disk, which
// would take most of the time of a run.
SyncedPcs::SyncedPcs(int count, const std::vector<std::string>& pages, bool unsureOfFirstMeetings)
    : root_(fs::is_directory("/dev/shm") ? "/dev/shm" : fs::temp_directory_path()),
      pcs_(static_cast<std::size_t>(count)), unsure_(unsureOfFirstMeetings) {
    shared_[PagesFileName] = PadBytes(pages);
    for (int pc = 0; pc < count; ++pc) {
        Pc& it = At(pc);
        const std::string letter(1, static_cast<char>('A' + pc));
        it.folder = root_.path() / letter, it.history = root_.path() / (letter + "-history");
        fs::create_directories(it.folder), fs::create_directories(it.history);
        it.program = std::make_unique<PcProgram>();
        it.known = shared_;
        WriteBytes(it.folder / PagesFileName, shared_[PagesFileName]);
        Activate(pc);
        Start();
    }
    for (const std::string& page : pages) {
        typed_.insert(page);
    }
}

SyncedPcs::~SyncedPcs() {
    if (active_ >= 0) {
        At(active_).program->Swap();
    }
    ResetFake();
}

void SyncedPcs::Activate(int pc) {
    if (active_ != pc) {
        if (active_ >= 0) {
            At(active_).program->Swap();
        }
        At(pc).program->Swap();
        active_ = pc;
    }
    fs::current_path(At(pc).folder);
}

// Each PC keeps its history of versions in a folder of its own, outside the synced one.
void SyncedPcs::Start() {
    ResetFake();
    HistoryFileName = HistoryFileFor(At(active_).history.string(), At(active_).folder.string());
    Fake.whileRunning = [] { throw WindowOpen(); };
    try {
        AppMain();
    } catch (const WindowOpen&) {
        At(active_).running = true;
    }
}

// As the window ends and AppMain after it.
void SyncedPcs::Close() {
    At(active_).running = false;
    if (!MainWindowClosing()) {
        throw std::logic_error("the window stayed open");
    }
    StoreTypedText();
}

void SyncedPcs::GoTo(int page) {
    Fake.texts[ID_PAGE_BOX] = std::to_string(std::min(page, PageCount()));
    PageBoxReturn();
}

void SyncedPcs::Step(const std::string& step) {
    const int pc = step[0] - 'A';
    if (step.size() == 3 && step[1] == '>') {
        Deliver(pc, step[2] - 'A');
        return;
    }
    std::istringstream words(step.substr(2));
    std::string what;
    int page = 0;
    words >> what >> page;
    Pc& it = At(pc);
    if (what == "off" || what == "on") {
        it.online = what == "on";
        return;
    }
    Activate(pc);
    if (what == "restart") {
        Close();
        Start();
        return;
    }
    if (what == "new") {
        NewPage(nullptr, 0, 0, 0);
    } else if (what == "type") {
        GoTo(page);
        const std::string before = Fake.texts[ID_PAGE_TEXT];
        const std::string word =
            std::string(1, static_cast<char>('a' + pc)) + std::to_string(++words_);
        const std::string after = before.empty() ? word : before + " " + word;
        typed_.erase(before), typed_.insert(after);
        EditPageText(after);
        RunOutWaitTimer();
        unsure_ && Lineless() ? void() : void(replaced_.insert(before));
    } else if (what == "insert" || what == "delete") {
        GoTo(page);
        const std::string text = Fake.texts[ID_PAGE_TEXT];
        const std::int32_t count = PageCount();
        Fake.answers = {true};
        (what == "insert" ? InsertPage : DeletePage)(nullptr, 0, 0, 0);
        Fake.answers.clear(); // not asked on page 1
        if (PageCount() < count) {
            typed_.erase(text);
            unsure_ && Lineless() ? void() : void(deleted_.insert(text));
        }
    } else {
        throw std::invalid_argument("no such step: " + step);
    }
    // The window's own writes change its folder too.
    LookAtPadOnDisk();
}

// Files this PC and the others changed since they last agreed: one side's change is taken
// over; where both changed a file, the change that reaches the others first wins and this
// PC's loses, kept beside it as a conflicted copy that is carried like any file.
bool SyncedPcs::Sync(int pc) {
    Pc& it = At(pc);
    if (!it.online) {
        return false;
    }
    bool changed = false;
    for (bool again = true; again;) {
        again = false;
        Files here = FilesIn(it.folder), names = here;
        names.insert(shared_.begin(), shared_.end()),
            names.insert(it.known.begin(), it.known.end());
        for (const auto& [name, ignored] : names) {
            const auto mine = Find(here, name), theirs = Find(shared_, name);
            const auto agreed = Find(it.known, name);
            if (mine != theirs && mine != agreed && (theirs == agreed || !theirs)) {
                Put(shared_, name, mine);
            } else if (mine != theirs && (mine == agreed || !mine)) {
                Place(it.folder / name, theirs), changed = true;
            } else if (mine != theirs) {
                const std::string copy = "Quillpad.sync-conflict-20261208-0930" +
                                         std::to_string(10 + ++conflicts_) + "-" +
                                         std::string(7, static_cast<char>('A' + pc)) + ".qpd";
                fs::rename(it.folder / name, it.folder / copy);
                Place(it.folder / name, theirs), changed = again = true;
            }
            Put(it.known, name, Find(shared_, name));
        }
    }
    if (changed && it.running) {
        Activate(pc);
        LookAtPadOnDisk();
    }
    return changed;
}

void SyncedPcs::Deliver(int from, int to) {
    if (At(from).online) {
        Sync(from), Sync(to);
    }
}

bool SyncedPcs::Rest(int rounds) {
    for (Pc& it : pcs_) {
        it.online = true;
    }
    for (int round = 0; round < rounds; ++round) {
        const Files before = shared_;
        const int written = FilesReplaced;
        bool changed = false;
        for (int pc = 0; pc < static_cast<int>(pcs_.size()); ++pc) {
            changed |= Sync(pc);
            Activate(pc);
            // The window activated, and the user's next move stores what is ahead of the file
            // (an inserted page).
            LookAtPadOnDisk();
            StorePageText();
        }
        if (!changed && shared_ == before && FilesReplaced == written) {
            return true;
        }
    }
    return false;
}

std::vector<std::string> SyncedPcs::PagesOf(int pc) {
    std::vector<std::string> pages;
    ParsePages(FileBytes(At(pc).folder / PagesFileName), pages);
    return pages;
}

namespace {

std::string Listed(const std::vector<std::string>& pages) {
    std::string list;
    for (std::size_t n = 1; n < pages.size(); ++n) {
        list += (n > 1 ? " / " : "") + pages[n];
    }
    return "[" + list + "]";
}

} // namespace

std::vector<std::string> SyncedPcs::Faults() {
    std::vector<std::string> faults;
    const std::vector<std::string> pages = PagesOf(0);
    for (int pc = 0; pc < static_cast<int>(pcs_.size()); ++pc) {
        const std::string name(1, static_cast<char>('A' + pc));
        if (PagesOf(pc) != pages) {
            faults.push_back(name + " holds " + Listed(PagesOf(pc)) + ", A " + Listed(pages));
        }
        for (const auto& entry : fs::directory_iterator(At(pc).folder)) {
            const bool backup = entry.path().extension() == ".bak";
            if (entry.path().filename() != PagesFileName && !(backup && unsure_)) {
                faults.push_back(name + " keeps " + entry.path().filename().string());
            }
        }
        if (!At(pc).running) {
            continue;
        }
        Activate(pc);
        if (Pages != PagesOf(pc)) {
            faults.push_back(name + "'s window holds " + Listed(Pages));
        }
        if (Fake.texts[ID_PAGE_BOX] != std::to_string(CurrentPage) ||
            CurrentPage >= PageCount() + 1 ||
            Fake.texts[ID_PAGE_TEXT] != DecodePageText(Pages[CurrentPage])) {
            faults.push_back(name + "'s window shows \"" + Fake.texts[ID_PAGE_TEXT] +
                             "\" as page " + Fake.texts[ID_PAGE_BOX]);
        }
    }
    for (const std::string& text : typed_) {
        const auto times = std::count(pages.begin() + 1, pages.end(), text);
        if (times != 1 && !text.empty()) {
            faults.push_back("\"" + text + "\" is there " + std::to_string(times) + " times");
        }
    }
    for (const std::string& text : pages) {
        if (!text.empty() && (replaced_.count(text) || deleted_.count(text))) {
            faults.push_back("\"" + text + "\" came back after it was " +
                             (deleted_.count(text) ? "deleted" : "typed over"));
        }
    }
    if (!faults.empty()) {
        faults.push_back("A holds " + Listed(pages));
    }
    return faults;
}
