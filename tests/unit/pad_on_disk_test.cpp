// The pad changed behind the program's back: its own saves never count, every write by
// something else is kept under a backup name before the next save; and what cut-short
// saves left behind is tidied away at the start, never the only copy of the pad.
#include "file_size_limit.h"
#include "padfile/pages_file_format.h"
#include "platform/save_faults.h"
#include "store/page_store.h"
#include "store/pages_file.h"
#include "support/fake_window.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace fs = std::filesystem;
using PageList = std::vector<std::string>;

namespace {

const std::string Pad = "http://h\r\n\r\n[Position]\r\n 1  2\r\n\r\n"
                        "[Pages Start Under This Line!]\r\nmine\r\n";

std::vector<std::string> NamesHere() {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(".")) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

PageList PagesIn(const std::string& file) {
    PageList pages;
    ParsePages(FileBytes(file), pages);
    return pages;
}

class PadOnDisk : public ::testing::Test {
  protected:
    TempFolder folder;
    void SetUp() override { ResetFake(); }
    static void Start() {
        ASSERT_TRUE(OpenPad());
        CurrentPage = 1;
    }
};

TEST_F(PadOnDisk, ALongRunOfTheProgramsOwnSavesNeverCountsAsAChange) {
    WriteBytes(PagesFileName, Pad);
    Start();
    // Same-size pages and saves within one tick of the file clock included.
    for (int n = 0; n < 50; ++n) {
        Pages[1] = n % 2 == 0 ? "even" : "odd!";
        if (n % 3 == 0) {
            Pages.push_back("more");
        }
        SavePagesFile();
        WindowMoved(n, n);
    }
    SavePagesFile();
    EXPECT_TRUE(Fake.boxes.empty());
    EXPECT_EQ(NamesHere(), std::vector<std::string>{PagesFileName});
}

TEST_F(PadOnDisk, EveryWriteBySomethingElseIsKeptBeforeTheNextSave) {
    struct Writer {
        const char* what;
        std::function<void()> write;
    };
    const std::string other = "http://h\r\n\r\n[Position]\r\n 1  2\r\n\r\n"
                              "[Pages Start Under This Line!]\r\nyours\r\n";
    const std::vector<Writer> writers = {
        {"same size, the old time put back",
         [] {
             struct stat before;
             stat(PagesFileName, &before);
             std::string bytes = FileBytes(PagesFileName);
             bytes[bytes.size() - 3] ^= 1;
             WriteBytes(PagesFileName, bytes);
             const timespec times[2] = {before.st_atim, before.st_mtim};
             utimensat(AT_FDCWD, PagesFileName, times, 0);
         }},
        {"another pad copied in", [&] { WriteBytes(PagesFileName, other); }},
        {"renamed over it",
         [&] {
             WriteBytes("new.qpd", other + "page two\r\n");
             fs::rename("new.qpd", PagesFileName);
         }},
        {"not a pad any more", [] { WriteBytes(PagesFileName, "just a note"); }},
    };
    WriteBytes(PagesFileName, Pad);
    Start();
    for (std::size_t n = 0; n < writers.size(); ++n) {
        SCOPED_TRACE(writers[n].what);
        writers[n].write();
        const std::string theirs = FileBytes(PagesFileName);
        const std::string backup =
            n == 0 ? "Quillpad.qpd.bak" : "Quillpad.qpd." + std::to_string(n) + ".bak";
        Pages[1] = "typed " + std::to_string(n);
        Fake.boxes.clear();
        SavePagesFile();
        ASSERT_EQ(Fake.boxes.size(), 1u);
        EXPECT_NE(Fake.boxes[0].text.find(backup), std::string::npos) << Fake.boxes[0].text;
        EXPECT_FALSE(Fake.boxes[0].yesNo);
        EXPECT_EQ(FileBytes(backup), theirs);
        EXPECT_EQ(PagesIn(PagesFileName), (PageList{"", "typed " + std::to_string(n)}));
        // Told once: the next save finds the pad as it wrote it.
        WindowMoved(3, 4);
        EXPECT_EQ(Fake.boxes.size(), 1u);
    }
}

// Nothing of the other version could be lost.
TEST_F(PadOnDisk, APadRemovedOrEmptiedMeanwhileIsWrittenAgainWithoutABackup) {
    WriteBytes(PagesFileName, Pad);
    Start();
    fs::remove(PagesFileName);
    Pages[1] = "again";
    SavePagesFile();
    EXPECT_EQ(PagesIn(PagesFileName), (PageList{"", "again"}));
    WriteBytes(PagesFileName, "");
    Pages[1] = "once more";
    SavePagesFile();
    EXPECT_EQ(PagesIn(PagesFileName), (PageList{"", "once more"}));
    EXPECT_TRUE(Fake.boxes.empty());
    EXPECT_EQ(NamesHere(), std::vector<std::string>{PagesFileName});
}

TEST_F(PadOnDisk, AChangedPadThatCantBeKeptIsNotSavedOver) {
    WriteBytes(PagesFileName, Pad);
    Start();
    const std::string theirs(5000, 'x');
    WriteBytes(PagesFileName, theirs);
    Pages[1] = "typed";
    {
        FileSizeLimit limit(1000);
        SavePagesFile();
    }
    EXPECT_EQ(FileBytes(PagesFileName), theirs);
    ASSERT_FALSE(Fake.boxes.empty());
    EXPECT_NE(Fake.boxes[0].text.find("changed by another program"), std::string::npos);
    EXPECT_FALSE(fs::exists("Quillpad.qpd.bak"));
}

// The replace moves the old file aside; one that another program put there after the check
// is merged and written at once, or kept when it is no pad; one that the check saw goes.
TEST_F(PadOnDisk, AVersionThatLandsJustBeforeTheReplaceIsMergedOrKept) {
    const struct {
        std::string theirs;
        PageList pages;
        std::vector<std::string> names;
    } cases[] = {
        {Pad + "theirs\r\n", {"", "typed", "theirs"}, {PagesFileName}},
        {"no pad", {"", "typed"}, {PagesFileName, "Quillpad.qpd.bak"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.theirs);
        TempFolder inner;
        ResetFake();
        WriteBytes(PagesFileName, Pad);
        Start();
        BeforeReplace = [&] {
            WriteBytes(PagesFileName, c.theirs);
            BeforeReplace = nullptr;
        };
        Pages[1] = "typed";
        SavePagesFile();
        EXPECT_EQ(PagesIn(PagesFileName), c.pages);
        EXPECT_EQ(NamesHere(), c.names);
        EXPECT_EQ(Fake.boxes.size(), c.names.size() - 1);
        if (c.names.size() > 1) {
            EXPECT_EQ(FileBytes("Quillpad.qpd.bak"), c.theirs);
            EXPECT_NE(Fake.boxes[0].text.find("kept unchanged in Quillpad.qpd.bak"),
                      std::string::npos);
        }
    }
}

// A save written whole that was stopped before it took the pad's place holds the newest
// pages; one that is the pad byte for byte holds nothing more.
TEST_F(PadOnDisk, AWholeSaveLeftBesideThePadTakesItsPlaceUnlessItIsThePad) {
    const std::string newer = Pad + "newer\r\n";
    const struct {
        const char* what;
        std::string done;
        bool renamesFail;
        std::string pad;
        std::vector<std::pair<std::string, std::string>> kept;
    } cases[] = {
        {"the pad itself", Pad, false, Pad, {}},
        {"newer", newer, false, newer, {{"Quillpad.qpd.bak", Pad}}},
        {"newer, but nothing can be renamed", newer, true, Pad, {{"Quillpad.qpd.9-2.done", newer}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder inner;
        ResetFake();
        WriteBytes(PagesFileName, Pad);
        WriteBytes("Quillpad.qpd.9-2.done", c.done);
        RenamesFail = c.renamesFail;
        Start();
        EXPECT_EQ(FileBytes(PagesFileName), c.pad);
        std::vector<std::string> names = {PagesFileName};
        for (const auto& [name, bytes] : c.kept) {
            EXPECT_EQ(FileBytes(name), bytes);
            names.push_back(name);
        }
        std::sort(names.begin(), names.end());
        EXPECT_EQ(NamesHere(), names);
        ASSERT_EQ(Fake.boxes.size(), c.kept.size());
        if (!c.kept.empty()) {
            EXPECT_NE(Fake.boxes[0].text.find(c.kept[0].first), std::string::npos);
        }
    }
}

TEST_F(PadOnDisk, OnlyTheProgramsOwnLeftoversAreRemovedWhileThePadStands) {
    WriteBytes(PagesFileName, Pad);
    const std::vector<std::string> others = {
        "Quillpad.qpd.tmp",         "Quillpad.qpd.12-x.tmp",  "Quillpad.qpd.-3.tmp",
        "Quillpad.qpd.1-2.tmp.bak", "quillpad.qpd.1-2.tmp",   "notes.1-2.tmp",
        "Quillpad.qpd.1-2.TMP",     "Quillpad.qpd.1-2-3.tmp", "Quillpad.qpd.bak"};
    for (const std::string& name : others) {
        WriteBytes(name, "keep");
    }
    WriteBytes("Quillpad.qpd.4411-1.tmp", "cut short");
    WriteBytes("Quillpad.qpd.4411-27.done", Pad);
    fs::create_directory("Quillpad.qpd.5-6.tmp");
    Start();
    std::vector<std::string> kept = others;
    kept.push_back(PagesFileName);
    kept.push_back("Quillpad.qpd.5-6.tmp");
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(NamesHere(), kept);
    EXPECT_EQ(FileBytes(PagesFileName), Pad);
}

// A save cut short after the old pad was moved away and before the new one took its name.
// Only a leftover written whole may take the pad's place; otherwise every leftover is kept
// under a backup name, and the user told which.
TEST_F(PadOnDisk, WhenThePadIsGoneNoLeftoverThatMayHoldItIsLost) {
    const std::string older = Pad + "older\r\n";
    const std::string cut = Pad + "more\r\n"; // cut short on a page boundary
    const auto leave = [](const char* name, const std::string& bytes, std::time_t written) {
        WriteBytes(name, bytes);
        const timespec times[2] = {{written, 0}, {written, 0}};
        utimensat(AT_FDCWD, name, times, 0);
    };
    const struct {
        const char* what;
        bool whole;
        bool renamesFail;
        std::vector<std::string> names;
        std::string pad;
        std::vector<std::pair<std::string, std::string>> kept;
    } cases[] = {
        {"the newest whole one takes the name", true, false, {PagesFileName}, older, {}},
        {"none whole: all kept, a new pad",
         false,
         false,
         {PagesFileName, "Quillpad.qpd.1.bak", "Quillpad.qpd.bak"},
         "",
         {{"Quillpad.qpd.bak", cut}, {"Quillpad.qpd.1.bak", older}}},
        {"nothing can be renamed: a copy of the whole one",
         true,
         true,
         {PagesFileName, "Quillpad.qpd.300-1.done", "Quillpad.qpd.300-3.tmp"},
         older,
         {{"Quillpad.qpd.300-1.done", older}, {"Quillpad.qpd.300-3.tmp", cut}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempFolder inner;
        ResetFake();
        leave(c.whole ? "Quillpad.qpd.300-1.done" : "Quillpad.qpd.300-1.tmp", older, 1000);
        leave("Quillpad.qpd.300-3.tmp", cut, 3000);
        RenamesFail = c.renamesFail;
        Start();
        RenamesFail = false;
        EXPECT_EQ(NamesHere(), c.names);
        if (!c.pad.empty()) {
            EXPECT_EQ(FileBytes(PagesFileName), c.pad);
        }
        for (const auto& [name, bytes] : c.kept) {
            EXPECT_EQ(FileBytes(name), bytes) << name;
        }
        ASSERT_EQ(Fake.boxes.size(), c.kept.empty() ? 0u : 1u);
        for (const auto& kept : c.kept) {
            EXPECT_NE(Fake.boxes[0].text.find(kept.first), std::string::npos) << Fake.boxes[0].text;
        }
    }
}

} // namespace
