// Start-up and shutdown around the window's run.
#include "app/app_main.h"
#include "commands/flipping.h"
#include "padfile/pages_file_format.h"
#include "platform/window.h"
#include "store/page_store.h"
#include "store/pages_file.h"
#include "support/fake_window.h"
#include "support/temp_folder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

class Startup : public ::testing::Test {
  protected:
    TempFolder folder;
    void SetUp() override { ResetFake(); }
};

TEST_F(Startup, FirstStartCreatesThePadAndShowsPageOneOfOne) {
    EXPECT_EQ(AppMain(), 0);
    EXPECT_TRUE(Fake.built);
    EXPECT_EQ(Fake.texts[ID_PAGE_BOX], "1");
    EXPECT_EQ(Fake.texts[ID_PAGE_COUNT], " 1");
    EXPECT_EQ(NoStoredPosition, 1);
    std::vector<std::string> pages;
    ASSERT_TRUE(ParsePages(FileBytes(PagesFileName), pages));
    EXPECT_EQ(pages, (std::vector<std::string>{"", ""}));
}

TEST_F(Startup, AnExistingPadIsReadAndKept) {
    const std::string pad = "http://x\r\n\r\n[Position]\r\n 10  20\r\n\r\n"
                            "[Pages Start Under This Line!]\r\nfirst\r\nsecond\r\n";
    WriteBytes(PagesFileName, pad);
    EXPECT_EQ(AppMain(), 0);
    EXPECT_EQ(Fake.texts[ID_PAGE_TEXT], "first");
    EXPECT_EQ(Fake.texts[ID_PAGE_COUNT], " 2");
    EXPECT_EQ(WindowLeft, 10);
    EXPECT_EQ(WindowTop, 20);
    EXPECT_EQ(FileBytes(PagesFileName), pad);
}

// A page emptied before closing is stored empty too: the copy taken at a key release
// alone would leave the old text in the file.
TEST_F(Startup, WhatWasTypedBeforeClosingIsInTheFile) {
    WriteBytes(PagesFileName, "http://x\r\n\r\n[Position]\r\n 10  20\r\n\r\n"
                              "[Pages Start Under This Line!]\r\nold one\r\nold two\r\n");
    Fake.whileRunning = [] {
        Fake.texts[ID_PAGE_TEXT] = "typed\r\nnote";
        TakeTypedText();
        FlipForward();
        Fake.texts[ID_PAGE_TEXT] = "";
        TakeTypedText();
    };
    AppMain();
    std::vector<std::string> pages;
    ASSERT_TRUE(ParsePages(FileBytes(PagesFileName), pages));
    EXPECT_EQ(pages, (std::vector<std::string>{"", "typed<&CR&>note", ""}));
}

TEST_F(Startup, TextChangedWithoutAKeyReleaseIsKeptAtClosing) {
    Fake.whileRunning = [] {
        Fake.texts[ID_PAGE_TEXT] = "typed";
        TakeTypedText();
        Fake.texts[ID_PAGE_TEXT] = "typed and pasted";
    };
    AppMain();
    std::vector<std::string> pages;
    ASSERT_TRUE(ParsePages(FileBytes(PagesFileName), pages));
    EXPECT_EQ(pages.at(1), "typed and pasted");
}

TEST_F(Startup, AFolderNamedLikeThePadIsLeftAloneAndTheUserIsTold) {
    std::filesystem::create_directory(PagesFileName);
    std::filesystem::path inside = std::filesystem::path(PagesFileName) / "keep.txt";
    WriteBytes(inside, "mine");
    EXPECT_EQ(AppMain(), 0);
    EXPECT_FALSE(Fake.built);
    ASSERT_EQ(Fake.boxes.size(), 1u);
    EXPECT_FALSE(Fake.boxes[0].yesNo);
    EXPECT_TRUE(std::filesystem::is_directory(PagesFileName));
    EXPECT_EQ(FileBytes(inside), "mine");
}

TEST_F(Startup, ASecondCopyInTheFolderShowsTheFirstAndLeavesThePadAlone) {
    Fake.folderHeldByAnotherCopy = true;
    EXPECT_EQ(AppMain(), 0);
    EXPECT_EQ(Fake.otherCopyShown, 1);
    EXPECT_FALSE(Fake.built);
    EXPECT_FALSE(std::filesystem::exists(PagesFileName)) << "no pad is made for the second copy";
    const std::string pad = "no pad as Quillpad writes it";
    WriteBytes(PagesFileName, pad);
    WriteBytes("Quillpad.qpd.7-1.tmp", "the first copy's save in progress");
    EXPECT_EQ(AppMain(), 0);
    EXPECT_EQ(FileBytes(PagesFileName), pad);
    EXPECT_EQ(FileBytes("Quillpad.qpd.7-1.tmp"), "the first copy's save in progress");
    EXPECT_TRUE(Fake.boxes.empty());
    EXPECT_FALSE(std::filesystem::exists("Quillpad.qpd.bak"));
}

} // namespace
