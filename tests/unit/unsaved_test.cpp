// Nothing typed is lost: saves in typing pauses, failed saves kept in memory and retried
// until one lands, the question before closing, help mode and the session's end.
#include "app/app_main.h"
#include "app/help_mode.h"
#include "app/main_window_events.h"
#include "commands/flipping.h"
#include "commands/page_commands.h"
#include "padfile/pad_state.h"
#include "padfile/pages_file_format.h"
#include "platform/files.h"
#include "platform/save_faults.h"
#include "platform/window.h"
#include "search/search.h"
#include "stamps/stamps.h"
#include "store/page_store.h"
#include "store/pages_file.h"
#include "support/fake_window.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace fs = std::filesystem;
using PageList = std::vector<std::string>;

namespace {

const std::string Pad = "http://h\r\n\r\n[Position]\r\n 5  6\r\n\r\n"
                        "[Pages Start Under This Line!]\r\none\r\ntwo\r\nthree\r\n";

PageList PagesInFile() {
    PageList pages;
    EXPECT_TRUE(ParsePages(FileBytes(PagesFileName), pages));
    return pages;
}

std::size_t EntriesInFolder() {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator("."), fs::directory_iterator()));
}

int Press(int (*command)(WindowHandle, unsigned, std::uintptr_t, std::intptr_t)) {
    return command(nullptr, 273, 0, 0);
}

class Unsaved : public ::testing::Test {
  protected:
    TempFolder folder;

    void SetUp() override {
        ResetFake();
        WriteBytes(PagesFileName, Pad);
        ASSERT_TRUE(OpenPad());
        CurrentPage = 1;
        ShowPage();
    }

    // Page 1 typed on and flipped away from while every save fails.
    static void TypeAndFlipWhileSavesFail(SaveStep step) {
        FailingSaveStep = step;
        EditPageText("changed");
        FlipForward();
    }
};

const std::string NotSaved =
    "Quillpad.qpd could not be saved: it may be read-only, or open in another program. Your "
    "latest changes are still in the window, and Quillpad saves them again at the next flip "
    "and when you close it.";

// Each step of a save that fails keeps the old file whole and leaves no temporary file;
// the change stays in memory and the title says so. The save is tried once more with
// nobody acting; the user hears of it once, at the next action, and a later save that
// works writes it.
TEST_F(Unsaved, EveryFailingStepOfASaveKeepsTheOldFileAndTheChange) {
    for (const SaveStep step : {SaveStep::CreateTemporary, SaveStep::Write, SaveStep::Flush,
                                SaveStep::Close, SaveStep::Replace}) {
        SetUp();
        const int step_number = static_cast<int>(step);
        TypeAndFlipWhileSavesFail(step);
        EXPECT_EQ(FileBytes(PagesFileName), Pad) << step_number;
        EXPECT_EQ(EntriesInFolder(), 1u) << step_number;
        EXPECT_EQ(Pages[1], "changed") << step_number;
        EXPECT_TRUE(SaveState.unsaved) << step_number;
        EXPECT_EQ(Fake.title, "Quillpad - not saved") << step_number;
        EXPECT_TRUE(Fake.boxes.empty()) << step_number;
        EXPECT_EQ(Fake.waitTimerMs, 1000) << "tried again soon" << step_number;

        RunOutWaitTimer(); // failed again, told at the user's next action
        EXPECT_TRUE(Fake.boxes.empty()) << step_number;
        FlipBack(); // retried, failed again, told once
        EXPECT_EQ(FileBytes(PagesFileName), Pad) << step_number;
        ASSERT_EQ(Fake.boxes.size(), 1u) << step_number;
        EXPECT_EQ(Fake.boxes[0].text, NotSaved);
        FlipForward();
        EXPECT_EQ(Fake.boxes.size(), 1u) << step_number;

        FailingSaveStep = SaveStep::None;
        FlipBack(); // no change since, yet saved
        EXPECT_EQ(PagesInFile(), (PageList{"", "changed", "two", "three"})) << step_number;
        EXPECT_FALSE(SaveState.unsaved) << step_number;
        EXPECT_EQ(Fake.title, "Quillpad") << step_number;
        EXPECT_EQ(EntriesInFolder(), 1u) << step_number;

        // A new spell of failures is told again.
        FailingSaveStep = step;
        EditPageText("one changed");
        FlipForward();
        FlipBack();
        EXPECT_EQ(Fake.boxes.size(), 2u) << step_number;
    }
}

// A pad held shut by another program is not a changed one: with nothing typed, closing and
// the session's end write nothing and ask nothing.
TEST_F(Unsaved, AFailedSaveOfThePositionAloneTellsNothingAndLeavesNothingUnsaved) {
    FailingSaveStep = SaveStep::Replace;
    WindowMoved(40, 50);
    FlipForward();
    BusyAttempts = 1 << 30;
    EXPECT_TRUE(SessionMayEnd());
    EXPECT_TRUE(MainWindowClosing()) << "closing asks nothing";
    EXPECT_TRUE(Fake.boxes.empty());
    EXPECT_FALSE(SaveState.unsaved);
    EXPECT_EQ(Fake.title, "Quillpad");
}

// Every moment that stores saves again while the pad is unsaved, whether or not the page
// changed once more.
TEST_F(Unsaved, EveryMomentThatStoresRetriesTheSave) {
    const struct {
        const char* moment;
        std::function<void()> act;
    } moments[] = {
        {"flip forward", [] { FlipForward(); }},
        {"flip back", [] { FlipBack(); }},
        {"Return in the page box",
         [] {
             SetControlText(ID_PAGE_BOX, "3");
             PageBoxReturn();
         }},
        {"a search",
         [] {
             SearchText = "three";
             SearchForward();
         }},
        {"New Page", [] { Press(NewPage); }},
        {"Insert Page",
         [] {
             Fake.answers = {true};
             Press(InsertPage);
         }},
        {"Delete Page",
         [] {
             Fake.answers = {true};
             Press(DeletePage);
         }},
        {"Help", [] { Press(OnHelpButton); }},
        {"closing", [] { EXPECT_TRUE(MainWindowClosing()); }},
        {"the session's end", [] { EXPECT_TRUE(SessionMayEnd()); }},
    };
    for (const auto& m : moments) {
        SetUp();
        TypeAndFlipWhileSavesFail(SaveStep::Write); // now on page 2
        FailingSaveStep = SaveStep::None;
        m.act();
        EXPECT_EQ(PagesInFile().at(1), "changed") << m.moment;
        EXPECT_FALSE(SaveState.unsaved) << m.moment;
    }
}

// Another program at the pad, at every moment that saves or reads it: the pages in memory
// stay, nothing is written half, no version is lost or copied twice, no box comes while the
// user may be typing, and once the obstacle is gone everything is saved.
TEST_F(Unsaved, OtherProgramsAtThePadNeverCostAPage) {
    const std::string note = "just a note";
    const PageList typed = {"", "typed", "two", "three"};
    const PageList merged = {"", "typed", "two", "three", "their page"};
    std::string put; // what another program put in place of the pad
    const auto readOnly = [&put](std::function<std::string()> bytes) {
        return [&put, bytes] {
            put = bytes();
            WriteBytes(PagesFileName, put);
            fs::permissions(PagesFileName, fs::perms::owner_read);
        };
    };
    // A version with a page more than the pad as it stands.
    const auto theirs = [] { return FileBytes(PagesFileName) + "their page\r\n"; };
    const auto writable = [] { fs::permissions(PagesFileName, fs::perms::owner_all); };
    const struct {
        const char* what;
        const std::string* kept; // a version of its own that can't be merged, kept aside
        const PageList& pages;
        std::function<void()> put;
        std::function<void()> lift;
    } obstacles[] = {
        {"held for a moment", nullptr, typed, [] { BusyAttempts = BusyTries - 1; }, [] {}},
        {"locked", nullptr, typed, [] { BusyAttempts = 1 << 30; }, [] { BusyAttempts = 0; }},
        {"replaced by a read-only copy", nullptr, merged, readOnly(theirs), writable},
        {"replaced by a read-only note", &note, typed, readOnly([&] { return note; }), writable},
    };
    const struct {
        const char* moment;
        bool quiet;
        std::function<void()> before;
        std::function<void()> act;
    } moments[] = {
        {"a pause", true, [] {}, [] { RunOutWaitTimer(); }},
        {"a flip", false, [] {}, [] { FlipForward(); }},
        {"Help", false, [] {}, [] { Press(OnHelpButton); }},
        {"Exit Help", false, [] { Press(OnHelpButton); }, [] { Press(OnHelpButton); }},
        {"closing", false, [] {},
         [] {
             Fake.answers = {false};
             MainWindowClosing();
         }},
        {"the session's end", true, [] {}, [] { SessionMayEnd(); }},
    };
    for (const auto& o : obstacles) {
        for (const auto& m : moments) {
            SCOPED_TRACE(std::string(o.what) + " at " + m.moment);
            SetUp();
            put.clear();
            EditPageText("typed");
            m.before();
            o.put();
            m.act();
            EXPECT_EQ(HelpMode == 1 ? PagesKeptDuringHelp : Pages, o.pages);
            const std::string file = FileBytes(PagesFileName);
            if (file != Pad && file != put) {
                EXPECT_EQ(PagesInFile(), o.pages);
            }
            if (m.quiet) {
                EXPECT_TRUE(Fake.boxes.empty());
            }
            RunOutWaitTimer(); // the retry with nobody acting
            m.act();
            o.lift();
            EXPECT_TRUE(SessionMayEnd());
            EXPECT_EQ(PagesInFile(), o.pages);
            EXPECT_EQ(EntriesInFolder(), o.kept ? 2u : 1u);
            if (o.kept) {
                EXPECT_EQ(FileBytes("Quillpad.qpd.bak"), *o.kept);
            }
            FlipBack(); // what waited is told now, once
            std::size_t changedElsewhere = 0;
            for (const MessageBoxShown& box : Fake.boxes) {
                changedElsewhere += box.text.find("changed by another") != std::string::npos;
            }
            EXPECT_EQ(changedElsewhere, o.kept ? 1u : 0u);
            fs::remove("Quillpad.qpd.bak");
        }
    }
}

TEST_F(Unsaved, AtTheStartAPadHeldForUnderASecondIsWaitedFor) {
    BusyAttempts = 3 * BusyTries;
    EXPECT_TRUE(OpenPad());
    EXPECT_EQ(Pages, (PageList{"", "one", "two", "three"}));
    BusyAttempts = 1 << 30;
    EXPECT_FALSE(OpenPad());
    BusyAttempts = 0;
    ASSERT_EQ(Fake.boxes.size(), 1u);
    EXPECT_NE(Fake.boxes[0].text.find("could not be read"), std::string::npos);
    EXPECT_EQ(FileBytes(PagesFileName), Pad);
}

TEST_F(Unsaved, ClosingAsksFirstAndNoKeepsTheWindowUntilASaveWorks) {
    ResetFake();
    Fake.whileRunning = [] {
        FailingSaveStep = SaveStep::Replace;
        EditPageText("typed before closing");
    };
    Fake.answers = {false};
    Fake.afterCloseRefused = [] {
        EXPECT_EQ(Fake.texts[ID_PAGE_TEXT], "typed before closing");
        FailingSaveStep = SaveStep::None; // the user made the pad writable again
    };
    EXPECT_EQ(AppMain(), 0);
    EXPECT_EQ(Fake.closesRefused, 1);
    ASSERT_EQ(Fake.boxes.size(), 1u) << "only the question, no second box";
    EXPECT_TRUE(Fake.boxes[0].yesNo);
    EXPECT_TRUE(Fake.boxes[0].defaultNo) << "Enter must keep the window";
    EXPECT_EQ(Fake.boxes[0].caption, "Quillpad");
    EXPECT_EQ(Fake.boxes[0].text, "Quillpad.qpd could not be saved, so your latest changes are "
                                  "not in it. Close Quillpad anyway and lose them?");
    EXPECT_EQ(PagesInFile().at(1), "typed before closing");
}

TEST_F(Unsaved, YesClosesWithoutTheChangeAndLeavesTheOldFile) {
    ResetFake();
    Fake.whileRunning = [] {
        FailingSaveStep = SaveStep::Replace;
        EditPageText("given up");
    };
    Fake.answers = {true};
    EXPECT_EQ(AppMain(), 0);
    EXPECT_EQ(Fake.closesRefused, 0);
    EXPECT_EQ(FileBytes(PagesFileName), Pad);
    EXPECT_EQ(Fake.boxes.size(), 1u);
}

// Help mode can't save, so pages that could not be saved stay in memory meanwhile and come
// back when help ends, instead of the older pages of the file.
TEST_F(Unsaved, HelpModeKeepsUnsavedPagesInMemory) {
    FlipForward();
    TypeAndFlipWhileSavesFail(SaveStep::Replace); // page 2 changed, now on page 3
    FlipBack();
    Press(OnHelpButton);
    EXPECT_EQ(HelpMode, 1);
    Fake.answers = {false};
    EXPECT_FALSE(MainWindowClosing()) << "closing in help asks about the pages kept";
    Press(OnHelpButton);
    EXPECT_EQ(HelpMode, 0);
    EXPECT_EQ(CurrentPage, 2);
    EXPECT_EQ(Fake.texts[ID_PAGE_TEXT], "changed");
    EXPECT_EQ(Fake.texts[ID_PAGE_COUNT], " 3");
    EXPECT_TRUE(SaveState.unsaved);

    FailingSaveStep = SaveStep::None;
    FlipForward();
    EXPECT_EQ(PagesInFile(), (PageList{"", "one", "changed", "three"}));
}

TEST_F(Unsaved, TheSessionMayEndOnlyOnceTheChangesAreSaved) {
    FailingSaveStep = SaveStep::Flush;
    EditPageText("typed, then Windows shuts down");
    EXPECT_FALSE(SessionMayEnd());
    EXPECT_TRUE(Fake.boxes.empty()) << "Windows shows the reason, the program shows nothing";
    EXPECT_EQ(FileBytes(PagesFileName), Pad);
    FailingSaveStep = SaveStep::None;
    EXPECT_TRUE(SessionMayEnd());
    EXPECT_EQ(PagesInFile().at(1), "typed, then Windows shuts down");
}

// Typing waits for a pause of 1.5 s; the pause saves once, and what the program shows
// itself, help mode and moves that store anyway start or leave no wait.
TEST_F(Unsaved, APauseInTypingSavesOnce) {
    EXPECT_EQ(Fake.waitTimerMs, 0) << "a page shown is no change";
    for (const char* text : {"t", "ty", "typ", "typed"}) {
        EditPageText(text);
    }
    EXPECT_EQ(Fake.waitTimerMs, 1500);
    EXPECT_EQ(Fake.waitTimersStarted, 4);
    EXPECT_EQ(FilesReplaced, 0) << "no save per key";
    RunOutWaitTimer();
    EXPECT_EQ(FilesReplaced, 1);
    EXPECT_EQ(PagesInFile().at(1), "typed");
    RunOutWaitTimer();
    EXPECT_EQ(FilesReplaced, 1) << "no wait is left running";

    Fake.ctrl = true;
    PageTextKeyDown('T'); // a stamp is a change too
    EXPECT_EQ(Fake.waitTimerMs, 1500);
    FlipForward();
    EXPECT_EQ(Fake.waitTimerMs, 0) << "the flip stored the page and ended the wait";
    EXPECT_EQ(FilesReplaced, 2);

    Press(OnHelpButton);
    EditPageText("no wait in help");
    EXPECT_EQ(Fake.waitTimerMs, 0);
}

} // namespace
