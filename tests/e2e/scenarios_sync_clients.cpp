// One pad on two PCs through real sync clients: a window in PC A's synced folder and one in
// PC B's, off line and on line; each scenario ends with both pads alike and nothing beside.
#include "check.h"
#include "input.h"
#include "message_boxes.h"
#include "more_actions.h"
#include "pages_file.h"
#include "scenario_table.h"
#include "session.h"
#include "sync_clients.h"
#include "window_reading.h"

#include <windows.h>

#include <algorithm>
#include <functional>
#include <tuple>

namespace {

// Long enough for the sync clients to meet, settle a conflict and carry a merge back.
constexpr int MeetMs = 30000;
// A save after a pause in typing, or one version carried to the other PC.
constexpr int SaveMs = 5000;
constexpr int CarryMs = 15000;

const std::vector<std::string> FivePages = {"one", "two", "three", "four", "five"};

std::string Listed(const std::vector<std::string>& items) {
    std::string text;
    for (const std::string& item : items) {
        text += (text.empty() ? "" : ", ") + Visible(item);
    }
    return "[" + text + "]";
}

std::vector<std::string> PagesIn(const WorkFolder& folder,
                                 const std::string& name = PagesFileName) {
    try {
        return SplitPagesFile(ReadBytes(folder / name)).pages;
    } catch (const ScenarioFailure& failure) {
        return {std::string("no pad: ") + failure.what()};
    }
}

// The names in the folder but the sync client's own hidden temporaries.
std::vector<std::string> FilesIn(const WorkFolder& folder) {
    std::vector<std::string> names = NamesIn(folder.Path());
    names.erase(std::remove_if(names.begin(), names.end(),
                               [](const std::string& name) {
                                   return name.rfind(".syncthing.", 0) == 0 && name.size() > 15 &&
                                          name.compare(name.size() - 4, 4, ".tmp") == 0;
                               }),
                names.end());
    std::sort(names.begin(), names.end());
    return names;
}

// The pad's pages and those of every file beside it (a backup, a conflicted copy).
std::string PadOf(const WorkFolder& folder) {
    std::string held = "pages " + Listed(PagesIn(folder));
    for (const std::string& name : FilesIn(folder)) {
        if (name != PagesFileName) {
            held += ", and beside it " + name + " with pages " + Listed(PagesIn(folder, name));
        }
    }
    return held;
}

// Both PCs hold the same pages, such as wanted, and no conflicted copy or backup beside.
void WaitForBothPads(const SyncedFolders& pcs,
                     const std::function<bool(const std::vector<std::string>&)>& wanted,
                     const std::string& what) {
    const auto alone = [](const WorkFolder& folder) {
        return FilesIn(folder) == std::vector<std::string>{PagesFileName};
    };
    if (!PollUntil(
            [&] {
                const std::vector<std::string> pages = PagesIn(pcs.A());
                return alone(pcs.A()) && alone(pcs.B()) && PagesIn(pcs.B()) == pages &&
                       wanted(pages);
            },
            MeetMs)) {
        Fail(what + ": PC A holds " + PadOf(pcs.A()) + "; PC B holds " + PadOf(pcs.B()));
    }
}

void WaitForBothPads(const SyncedFolders& pcs, const std::vector<std::string>& pages,
                     const std::string& what) {
    WaitForBothPads(
        pcs, [&](const std::vector<std::string>& held) { return held == pages; },
        what + " " + Listed(pages));
}

void WaitForOwnSave(const WorkFolder& folder, const std::vector<std::string>& pages,
                    const std::string& what) {
    PollUntil([&] { return PagesIn(folder) == pages; }, SaveMs);
    ExpectPagesInFile(folder, pages, what);
}

// Every box the last command brought up is a notice, and is answered.
void AnswerNotices(Session& session) {
    for (const MessageBoxSeen& box : MessageBoxesOf(session.ProcessId())) {
        Expect(box.buttons == std::vector<std::string>{"OK"},
               "unexpected box " + Visible(box.text));
        AnswerMessageBox(box, "OK");
    }
}

// The two windows open in one place, as the pad says: the one acted on is raised above
// the other, so that clicks reach it.
void Front(HWND main) {
    BringToFront(main);
    SetWindowPos(main, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    WaitUntil(
        [&] {
            return GetAncestor(WindowFromPoint(CentreOf(WindowRect(Control(main, PageText)))),
                               GA_ROOT) == main;
        },
        "the window to lie above the other");
}

void GoToPage(Session& session, long page) {
    Front(session.Main());
    EnterInPageBox(session.Main(), std::to_string(page));
    AnswerNotices(session);
}

void TypeOnPage(Session& session, long page, const std::string& text) {
    GoToPage(session, page);
    TypeAtEndOfPage(session.Main(), text);
}

void WaitForWindow(HWND main, long page, long count, const std::string& text,
                   const std::string& what) {
    const auto shown = [&] {
        return "page " + ControlText(main, PageBox) + " of" + ControlText(main, PageCount) + ", " +
               Visible(ControlText(main, PageText));
    };
    const std::string wanted =
        "page " + std::to_string(page) + " of" + NumberText(count) + ", " + Visible(text);
    if (!PollUntil([&] { return shown() == wanted; }, CarryMs)) {
        Fail(what + ": the window shows " + shown() + ", not " + wanted);
    }
}

// Closes the window, answering the notices it gives on the way out.
void CloseAnsweringNotices(Session& session) {
    PostMessageA(session.Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
    WaitUntil(
        [&] {
            try {
                AnswerNotices(session);
            } catch (const ScenarioFailure&) {
                // Read while the window went away, or a box that is no notice.
                if (IsWindow(session.Main())) {
                    throw;
                }
            }
            return session.Program().HasEnded();
        },
        "the window to close");
    ExpectNumber(session.Program().WaitForExit(), 0, "the exit code");
}

// Page 2 typed on A, page 4 on B, both off line: both pads take both, and each window shows
// the other's page under its number.
void OffLineEditsOnDifferentPagesMeet() {
    SyncedFolders pcs(FivePages);
    Session a(pcs.A());
    Session b(pcs.B());
    GoOffLine();
    TypeOnPage(a, 2, " typed on A");
    TypeOnPage(b, 4, " typed on B");
    WaitForOwnSave(pcs.A(), {"one", "two typed on A", "three", "four", "five"}, "A's save");
    WaitForOwnSave(pcs.B(), {"one", "two", "three", "four typed on B", "five"}, "B's save");
    GoOnLine();
    WaitForBothPads(pcs, {"one", "two typed on A", "three", "four typed on B", "five"},
                    "both PCs should hold");
    GoToPage(a, 4);
    WaitForWindow(a.Main(), 4, 5, "four typed on B", "A's window taken to page 4");
    GoToPage(b, 2);
    WaitForWindow(b.Main(), 2, 5, "two typed on A", "B's window taken to page 2");
    CloseAnsweringNotices(a);
    CloseAnsweringNotices(b);
}

// Page 2 typed on both off line: both versions kept, each once, on both PCs.
void SamePageTypedOffLineIsKeptTwice() {
    SyncedFolders pcs(FivePages);
    Session a(pcs.A());
    Session b(pcs.B());
    GoOffLine();
    TypeOnPage(a, 2, " on A");
    TypeOnPage(b, 2, " on B");
    WaitForOwnSave(pcs.A(), {"one", "two on A", "three", "four", "five"}, "A's save");
    WaitForOwnSave(pcs.B(), {"one", "two on B", "three", "four", "five"}, "B's save");
    GoOnLine();
    const auto bothOnce = [](const std::vector<std::string>& pages) {
        return pages.size() == 6 &&
               ((pages[1] == "two on A" && pages[2] == "two on B") ||
                (pages[1] == "two on B" && pages[2] == "two on A")) &&
               pages[0] == "one" && pages[3] == "three" && pages[4] == "four" && pages[5] == "five";
    };
    WaitForBothPads(pcs, bothOnce, "both PCs should hold \"two on A\" and \"two on B\" once each");
    for (Session* session : {&a, &b}) {
        WaitUntil([&] { return ControlText(session->Main(), PageCount) == NumberText(6); },
                  "a count of 6 pages in both windows");
    }
    CloseAnsweringNotices(a);
    CloseAnsweringNotices(b);
}

// Three bursts typed on A's page 1, each as the last reaches B: B's window, untouched, shows
// each in turn and no box.
void IdleWindowFollowsBursts() {
    SyncedFolders pcs(FivePages);
    Session a(pcs.A());
    Session b(pcs.B());
    std::string page = "one";
    for (const char* burst : {" burst 1", " burst 2", " burst 3"}) {
        page += burst;
        Front(a.Main());
        TypeAtEndOfPage(a.Main(), burst);
        WaitForWindow(b.Main(), 1, 5, page, "B's idle window after" + std::string(burst));
    }
    WaitForBothPads(pcs, {page, "two", "three", "four", "five"}, "both PCs should hold");
    ExpectNoMessageBox(b.ProcessId());
    CloseAnsweringNotices(a);
    CloseAnsweringNotices(b);
}

// A types on page 2 and B on page 4, in bursts about 2 s apart, on line: every page's last
// text once on both PCs, and each window still on its page.
void TypingAtOnceLosesAndDoublesNothing() {
    SyncedFolders pcs(FivePages);
    Session a(pcs.A());
    Session b(pcs.B());
    GoToPage(a, 2);
    GoToPage(b, 4);
    std::string two = "two";
    std::string four = "four";
    for (const char* burst : {"1", "2", "3", "4"}) {
        two += std::string(" a") + burst;
        four += std::string(" b") + burst;
        // Each burst is seen in its field, so that a text missing later is one the pads lost.
        for (const auto& [session, page, typed] :
             {std::tuple{&a, &two, " a"}, std::tuple{&b, &four, " b"}}) {
            Front(session->Main());
            TypeAtEndOfPage(session->Main(), typed + std::string(burst));
            WaitUntil([&] { return ControlText(session->Main(), PageText) == *page; },
                      "the burst " + Visible(*page) + " in its field");
        }
        Sleep(2000);
    }
    WaitForBothPads(pcs, {"one", two, "three", four, "five"}, "both PCs should hold");
    WaitForWindow(a.Main(), 2, 5, two, "A's window");
    WaitForWindow(b.Main(), 4, 5, four, "B's window");
    CloseAnsweringNotices(a);
    CloseAnsweringNotices(b);
}

const bool registered = RegisterScenarios({
    {"sync_off_line_edits_on_different_pages_meet", "each window shows the other's page",
     OffLineEditsOnDifferentPagesMeet},
    {"sync_same_page_typed_off_line_is_kept_twice", "both versions, each once, on both PCs",
     SamePageTypedOffLineIsKeptTwice},
    {"sync_idle_window_follows_bursts", "B, untouched, shows each of A's three bursts",
     IdleWindowFollowsBursts},
    {"sync_typing_at_once_loses_and_doubles_nothing", "A and B type on line: each text once",
     TypingAtOnceLosesAndDoublesNothing},
});

} // namespace
