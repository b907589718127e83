// Another version of the pad put in place while the program runs (another computer's, through
// a sync folder): shown as it is, merged page by page, or kept aside; a window left open
// never writes older pages over it. Sync clients' conflicted copies are brought in.
#include "app/app_main.h"
#include "app/help_mode.h"
#include "app/main_window_events.h"
#include "commands/flipping.h"
#include "padfile/pad_state.h"
#include "padfile/pages_file_format.h"
#include "padfile/stored_text.h"
#include "store/conflicted_copies.h"
#include "store/page_store.h"
#include "store/pages_file.h"
#include "support/fake_window.h"
#include "support/temp_folder.h"
#include "sync/copy_names.h"
#include "text/digest.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

namespace fs = std::filesystem;
using PageList = std::vector<std::string>;

namespace {

// In the form a save writes, so that a save shows only where pages differ.
std::string Pad(const PageList& pages) {
    std::string bytes = "http://h\r\n\r\n" + std::string(PositionLine) + "\r\n 5  6\r\n\r\n" +
                        std::string(MarkerLine) + "\r\n";
    for (const std::string& page : pages) {
        bytes += page + "\r\n";
    }
    return bytes;
}

PageList PagesIn(const std::string& file) {
    PageList pages;
    ParsePages(FileBytes(file), pages);
    return pages;
}

// Two versions of one page stand in the order both computers give them.
PageList Both(const std::string& a, const std::string& b) {
    return DigestOf(a) < DigestOf(b) ? PageList{a, b} : PageList{b, a};
}

PageList Joined(PageList pages, const PageList& more, const PageList& rest = {}) {
    pages.insert(pages.end(), more.begin(), more.end());
    pages.insert(pages.end(), rest.begin(), rest.end());
    return pages;
}

int PressHelp() {
    return OnHelpButton(nullptr, 0, 0, 0);
}

TEST(OtherVersion, ShownMergedOrKeptAtEveryMoment) {
    const auto idle = [] {};
    const auto look = [] { LookAtPadOnDisk(); };
    const auto pause = [] { RunOutWaitTimer(); };
    const PageList two = {"", "one", "two", "three"};
    const PageList both = Both("two here", "two there");
    const std::int32_t hereAt = both[0] == "two here" ? 2 : 3;
    const struct {
        const char* what;
        std::function<void()> here; // what the user does before the other version arrives
        std::string there;
        std::function<void()> moment;
        PageList pages;
        std::int32_t page;
        const char* told; // at the user's next action; "" for nothing
        bool kept;        // the other version kept under a backup name
        bool written;     // the file holds the pages; otherwise still the other version
    } rows[] = {
        // clang-format off
        {"idle: shown as it is", idle, Pad({"one", "TWO", "three", "four"}), look,
         {"", "one", "TWO", "three", "four"}, 2, "", false, false},
        {"idle: every later version shown as it is", idle, Pad({"one", "TWO 3 3", "three"}),
         [] {
             const std::string last = FileBytes(PagesFileName);
             for (const char* two : {"TWO", "TWO 2"}) {
                 WriteBytes(PagesFileName, Pad({"one", two, "three"}));
                 LookAtPadOnDisk();
             }
             WriteBytes(PagesFileName, last);
             LookAtPadOnDisk();
         },
         {"", "one", "TWO 3 3", "three"}, 2, "", false, false},
        {"idle: a page inserted before the one shown", idle, Pad({"zero", "one", "two", "three"}),
         look, {"", "zero", "one", "two", "three"}, 3, "", false, false},
        {"a page number typed as a version arrives is the page shown",
         [] { Fake.texts[ID_PAGE_BOX] = "1"; }, Pad({"zero", "one", "two", "three"}), PageBoxReturn,
         {"", "zero", "one", "two", "three"}, 1, "", false, false},
        {"a move never rolls back", idle, Pad({"one", "TWO", "three"}),
         [] { MainWindowMoved(9, 9); }, {"", "one", "TWO", "three"}, 2, "", false, true},
        {"closing never rolls back", idle, Pad({"one", "TWO", "three"}),
         [] { EXPECT_TRUE(MainWindowClosing()); }, {"", "one", "TWO", "three"}, 2, "", false, false},
        {"during help: taken in at Exit Help", PressHelp, Pad({"one", "TWO", "three"}), PressHelp,
         {"", "one", "TWO", "three"}, 2, "", false, false},
        {"edits on different pages merged", [] { EditPageText("two typed"); },
         Pad({"one", "two", "THREE"}), pause, {"", "one", "two typed", "THREE"}, 2, "", false, true},
        {"grown from an older save: the page saved since is kept",
         [] { EditPageText("two typed"), RunOutWaitTimer(); }, Pad({"one", "two", "THREE"}), look,
         {"", "one", "two typed", "THREE"}, 2, "", false, true},
        {"one page changed on both sides: both kept", [] { EditPageText("two here"); },
         Pad({"one", "two there", "three"}), pause, Joined({"", "one"}, both, {"three"}), hereAt,
         "Both versions are kept, one after the other: pages 2 and 3.", false, true},
        {"not a pad: kept aside, the typing saved at the pause", [] { EditPageText("two typed"); },
         "just a note", [] { LookAtPadOnDisk(), RunOutWaitTimer(); },
         {"", "one", "two typed", "three"}, 2, "does not hold pages", true, true},
        {"cut short: kept aside", idle, Pad({"one", "TWO"}).substr(0, Pad({"one", "TWO"}).size() - 2),
         look, two, 2, "ends inside a page", true, false},
        {"no text: kept aside", idle, Pad({""}), look, two, 2, "holds no text", true, false},
        // clang-format on
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        TempFolder folder;
        ResetFake();
        WriteBytes(PagesFileName, Pad({"one", "two", "three"}));
        ASSERT_TRUE(OpenPad());
        CurrentPage = 2;
        ShowPage();
        row.here();
        SelectText(ID_PAGE_TEXT, 1, 2);
        const std::string shown = Fake.texts[ID_PAGE_TEXT];
        WriteBytes(PagesFileName, row.there);
        row.moment();
        if (Fake.texts[ID_PAGE_TEXT] == shown && HelpMode == 0) {
            EXPECT_EQ(Fake.selectionEnd, 2) << "the field was set again";
        }
        EXPECT_EQ(Pages, row.pages);
        EXPECT_EQ(CurrentPage, row.page);
        EXPECT_EQ(Fake.texts[ID_PAGE_BOX], std::to_string(row.page));
        EXPECT_EQ(Fake.texts[ID_PAGE_TEXT], DecodePageText(Pages[CurrentPage]));
        if (row.written) {
            EXPECT_EQ(PagesIn(PagesFileName), row.pages);
        } else {
            EXPECT_EQ(FileBytes(PagesFileName), row.there);
        }
        EXPECT_EQ(fs::exists("Quillpad.qpd.bak"), row.kept);
        if (row.kept) {
            EXPECT_EQ(FileBytes("Quillpad.qpd.bak"), row.there);
        }
        const std::size_t shownBefore = Fake.boxes.size();
        TellPadNews();
        ASSERT_EQ(Fake.boxes.size(), shownBefore + (*row.told ? 1u : 0u));
        if (*row.told) {
            EXPECT_NE(Fake.boxes.back().text.find(row.told), std::string::npos)
                << Fake.boxes.back().text;
        }
    }
}

// Copies that sync clients leave beside the pad are brought in at the start as a union, and
// removed once the pad holds their pages; one that is no pad is left alone.
TEST(ConflictedCopies, BroughtInAtTheStartAndRemovedOnceSaved) {
    TempFolder folder;
    ResetFake();
    const std::string copy = "Quillpad (LAPTOP's conflicted copy 2026-12-08).qpd";
    WriteBytes(PagesFileName, Pad({"one", "two", "three"}));
    WriteBytes(copy, Pad({"one", "two laptop", "three", "four"}));
    WriteBytes("Quillpad.sync-conflict-20261208-093012-ABCDEFG.qpd", "a note\r\n");
    EXPECT_EQ(AppMain(), 0);
    const PageList united = Joined({"", "one"}, Both("two", "two laptop"), {"three", "four"});
    EXPECT_EQ(PagesIn(PagesFileName), united);
    EXPECT_FALSE(fs::exists(copy));
    EXPECT_EQ(FileBytes("Quillpad.sync-conflict-20261208-093012-ABCDEFG.qpd"), "a note\r\n");
    ASSERT_EQ(Fake.boxes.size(), 1u);
    EXPECT_NE(Fake.boxes[0].text.find(copy), std::string::npos);
}

TEST(ConflictedCopies, KnownByTheirNames) {
    for (const char* name :
         {"Quillpad (LAPTOP's conflicted copy 2026-12-08).qpd",
          "Quillpad (conflicted copy 2026-12-08 093012).qpd",
          "Quillpad_conflict-20261208-093012.qpd",
          "Quillpad.sync-conflict-20261208-093012-ABCDEFG.qpd", "quillpad CONFLICT.QPD"}) {
        EXPECT_TRUE(IsConflictedCopyName(name, "Quillpad.qpd")) << name;
    }
    for (const char* name : {"Quillpad.qpd", "Quillpad.qpd.bak", "Notes (conflicted copy).qpd",
                             "Quillpad conflict.txt", "Quillpad.qpd.1-2.tmp", "Quillpad copy.qpd",
                             "conflict Quillpad.qpd"}) {
        EXPECT_FALSE(IsConflictedCopyName(name, "Quillpad.qpd")) << name;
    }
}

} // namespace
