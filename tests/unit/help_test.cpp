// Help mode: switching in and out through the window, and the help pages themselves.
#include "app/help_mode.h"
#include "padfile/pages_file_format.h"
#include "padfile/stored_text.h"
#include "platform/window.h"
#include "store/page_store.h"
#include "store/pages_file.h"
#include "support/fake_window.h"
#include "support/temp_folder.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

namespace {

const unsigned CommandMessage = 0x111;

std::string Pad(const std::vector<std::string>& pages,
                const std::string& header = "http://x  Quillpad.qpd file started") {
    std::string bytes = header + "\r\n\r\n[Position] Where the window was.\r\n 10  20\r\n\r\n"
                                 "[Pages Start Under This Line!] Line breaks are <&CR&>.\r\n";
    for (const std::string& page : pages) {
        bytes += page + "\r\n";
    }
    return bytes;
}

std::vector<std::string> LinesOf(const std::string& stored) {
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (;;) {
        const std::size_t mark = stored.find("<&CR&>", from);
        lines.push_back(stored.substr(from, mark == std::string::npos ? mark : mark - from));
        if (mark == std::string::npos) {
            return lines;
        }
        from = mark + 6;
    }
}

class Help : public ::testing::Test {
  protected:
    TempFolder folder;

    void SetUp() override {
        ResetFake();
        WriteBytes(PagesFileName, Pad({"one", "two", "three", "four", "five", "six", "seven"}));
        ASSERT_TRUE(OpenPad());
        CurrentPage = 5;
        ShowPage();
    }

    static int PressHelp() { return OnHelpButton(nullptr, CommandMessage, ID_HELP_BUTTON, 0); }
    static std::vector<std::string> PagesInFile() {
        std::vector<std::string> pages;
        EXPECT_TRUE(ParsePages(FileBytes(PagesFileName), pages));
        return pages;
    }
    static void ExpectPageButtonsDisabled(bool disabled) {
        EXPECT_EQ(Fake.disabled[ID_NEW_PAGE], disabled);
        EXPECT_EQ(Fake.disabled[ID_DELETE_PAGE], disabled);
        EXPECT_EQ(Fake.disabled[ID_INSERT_PAGE], disabled);
    }
};

TEST_F(Help, FromPageFiveOfSevenWithTypingToHelpPageOneOfEightAndBack) {
    Fake.texts[ID_PAGE_TEXT] = "five\r\ntyped";
    EXPECT_EQ(PressHelp(), 0);

    EXPECT_EQ(PagesInFile()[5], "five<&CR&>typed");
    EXPECT_EQ(HelpMode, 1);
    EXPECT_EQ(Fake.texts[ID_PAGE_BOX], "1");
    EXPECT_EQ(Fake.texts[ID_PAGE_COUNT], " 8");
    EXPECT_EQ(Fake.texts[ID_PAGE_TEXT], DecodePageText(HelpPages[1]));
    EXPECT_EQ(Fake.texts[ID_HELP_BUTTON], "&Exit Help");
    ExpectPageButtonsDisabled(true);
    EXPECT_TRUE(Fake.pageTextReadOnly);
    EXPECT_EQ(Fake.focus, ID_SEARCH_BOX);

    CurrentPage = 4; // the user reads on in the help pages
    ShowPage();
    Fake.focus = ID_PAGE_BOX;
    EXPECT_EQ(PressHelp(), 0);

    EXPECT_EQ(HelpMode, 0);
    EXPECT_EQ(Fake.texts[ID_PAGE_BOX], "5");
    EXPECT_EQ(Fake.texts[ID_PAGE_COUNT], " 7");
    EXPECT_EQ(Fake.texts[ID_PAGE_TEXT], "five\r\ntyped");
    EXPECT_EQ(Fake.texts[ID_HELP_BUTTON], "&Help");
    ExpectPageButtonsDisabled(false);
    EXPECT_FALSE(Fake.pageTextReadOnly);
    EXPECT_EQ(Fake.focus, ID_SEARCH_BOX);
}

// The file on disk gets a header the program never wrote, so any save would show.
TEST_F(Help, EnteringAndLeavingAgainAndAgainWritesNothingAndShowsTheSamePages) {
    const std::string untouched =
        Pad({"one", "two", "three", "four", "five", "six", "seven"}, "http://elsewhere");
    WriteBytes(PagesFileName, untouched);
    PressHelp();
    const std::vector<std::string> firstHelpPages = Pages;
    PressHelp();
    for (int round = 0; round < 3; ++round) {
        PressHelp();
        EXPECT_EQ(Pages, firstHelpPages);
        PressHelp();
        EXPECT_EQ(CurrentPage, 5);
        EXPECT_EQ(Fake.texts[ID_PAGE_TEXT], "five");
    }
    EXPECT_EQ(FileBytes(PagesFileName), untouched);
}

// Exit Help takes in what another program did to the file meanwhile: a shorter version is
// shown as it is, since nothing changed here; a pad gone or held costs no page.
TEST_F(Help, ExitHelpTakesInTheFileAsItIsNowAndLosesNoPage) {
    const struct {
        const char* what;
        std::function<void()> change;
        std::int32_t page;
        const char* count;
        const char* text;
        std::vector<std::string> saved;
    } cases[] = {
        {"shortened",
         [] {
             WriteBytes(PagesFileName, Pad({"a", "b", "c"}));
         },
         3,
         " 3",
         "c",
         {"", "a", "b", "five!"}},
        {"removed",
         [] { std::filesystem::remove(PagesFileName); },
         5,
         " 7",
         "five",
         {"", "one", "two", "three", "four", "five!", "six", "seven"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        SetUp();
        PressHelp();
        c.change();
        PressHelp();
        EXPECT_EQ(CurrentPage, c.page);
        EXPECT_EQ(Fake.texts[ID_PAGE_COUNT], c.count);
        EXPECT_EQ(Fake.texts[ID_PAGE_TEXT], c.text);
        Fake.texts[ID_PAGE_TEXT] = "five!";
        StorePageText();
        EXPECT_EQ(PagesInFile(), c.saved);
        EXPECT_TRUE(Fake.boxes.empty());
        EXPECT_FALSE(std::filesystem::exists("Quillpad.qpd.bak"));
    }
}

TEST_F(Help, WhatTheHelpFieldShowsIsNeverStored) {
    PressHelp();
    const std::string fileBefore = FileBytes(PagesFileName);
    const std::string helpPage = Pages[1];
    Fake.texts[ID_PAGE_TEXT] += "typed into help";
    StorePageText(); // as a flip or a search would
    TakeTypedText();
    StoreShownPage(); // as closing the window would
    StoreTypedText();
    EXPECT_EQ(Pages[1], helpPage);
    EXPECT_EQ(FileBytes(PagesFileName), fileBefore);

    PressHelp();
    EXPECT_EQ(Fake.texts[ID_PAGE_TEXT], "five");
    EXPECT_EQ(FileBytes(PagesFileName), fileBefore);
}

TEST(HelpPageList, BuildingPutsTheEightPagesInPlaceOfThePad) {
    Pages.assign(12, "user page");
    Pages[0] = "element zero";
    HelpPages.clear();
    BuildHelpPages();
    ASSERT_EQ(HelpPages.size(), 11u);
    EXPECT_EQ(HelpPages[0], "");
    EXPECT_EQ(HelpPages[9], "");
    EXPECT_EQ(HelpPages[10], "");
    ASSERT_EQ(Pages.size(), 9u);
    EXPECT_EQ(Pages[0], "element zero");
    for (int n = 1; n <= 8; ++n) {
        EXPECT_FALSE(HelpPages[n].empty());
        EXPECT_EQ(Pages[n], HelpPages[n]);
    }
}

// The help field neither scrolls nor has scroll bars: 29 lines of about 46 average
// characters are all it shows, and a longer line would wrap.
TEST(HelpPageList, EveryPageHasItsHeadingAndFitsTheFieldUnwrapped) {
    const struct {
        int blanks;
        const char* title;
    } titles[] = {
        {19, nullptr},
        {31, "Advanced Searching"},
        {19, "Remember your Keyboard Shortcuts!"},
        {37, "The Buttons:"},
        {37, "Other Controls:"},
        {41, "Printing:"},
        {27, "Notes on using Quillpad."},
        {16, "General Information on running Quillpad"},
    };
    BuildHelpPages();
    for (int n = 1; n <= 8; ++n) {
        SCOPED_TRACE("help page " + std::to_string(n));
        const std::string& page = HelpPages[n];
        const std::vector<std::string> lines = LinesOf(page);
        ASSERT_GT(lines.size(), 5u);
        EXPECT_LE(lines.size(), 29u);
        EXPECT_EQ(lines[0], std::string(36, ' ') + "Quillpad Help");
        EXPECT_EQ(lines[1], "");
        const std::string blanks(static_cast<std::size_t>(titles[n - 1].blanks), ' ');
        if (titles[n - 1].title != nullptr) {
            EXPECT_EQ(lines[2], blanks + titles[n - 1].title);
        } else {
            EXPECT_EQ(lines[2].rfind(blanks + "Welcome", 0), 0u) << lines[2];
            EXPECT_NE(lines[2].find("Quillpad"), std::string::npos);
            EXPECT_NE(lines[2].find("1.0"), std::string::npos);
        }
        EXPECT_EQ(lines[3], "");
        EXPECT_NE(lines[4], "");
        for (std::size_t i = 4; i < lines.size(); ++i) {
            EXPECT_LE(lines[i].size(), 44u) << "line " << i + 1 << ": " << lines[i];
        }
        for (const char c : page) {
            EXPECT_TRUE(c >= 32 && c <= 126) << "byte " << static_cast<int>(c);
        }
        EXPECT_EQ(EncodePageText(DecodePageText(page)), page);
    }
}

} // namespace
