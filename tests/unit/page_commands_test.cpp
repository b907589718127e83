// New, Insert and Delete Page: questions, refusals, renumbering, focus and the file.
#include "commands/flipping.h"
#include "commands/page_commands.h"
#include "platform/window.h"
#include "store/page_store.h"
#include "store/pages_file.h"
#include "support/fake_window.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using PageList = std::vector<std::string>;

class PageCommands : public ::testing::Test {
  protected:
    TempFolder folder;

    void SetUp() override { StartWith({"one", "two", "three", "four", "five"}, 3); }

    static void StartWith(PageList pages, std::int32_t current) {
        ResetFake();
        pages.insert(pages.begin(), std::string());
        Pages = std::move(pages);
        CurrentPage = current;
        ShowPage();
    }

    static PageList Shown() { return PageList(Pages.begin() + 1, Pages.end()); }
    static bool FileWritten() { return std::filesystem::exists(PagesFileName); }
    static bool FileHoldsThePages() { return FileBytes(PagesFileName) == PagesFileBytes(); }
    static void Click(int (*command)(WindowHandle, unsigned, std::uintptr_t, std::intptr_t)) {
        EXPECT_EQ(command(nullptr, 273, 0, 0), 0);
    }
};

TEST_F(PageCommands, NewPageGoesAtTheEndAndIsSaved) {
    StartWith({"only"}, 1);
    Fake.texts[ID_PAGE_TEXT] = "only, edited";
    Click(NewPage);
    EXPECT_EQ(Shown(), (PageList{"only, edited", ""}));
    EXPECT_EQ(CurrentPage, 2);
    EXPECT_EQ(Fake.texts[ID_PAGE_BOX], "2");
    EXPECT_EQ(Fake.texts[ID_PAGE_COUNT], " 2");
    EXPECT_EQ(Fake.texts[ID_PAGE_TEXT], "");
    EXPECT_EQ(Fake.focus, ID_PAGE_TEXT);
    EXPECT_TRUE(FileHoldsThePages());
    EXPECT_TRUE(Fake.boxes.empty());

    StartWith({"a", "b", "c", "d"}, 2);
    Click(NewPage);
    EXPECT_EQ(CurrentPage, 5);
    EXPECT_EQ(Fake.texts[ID_PAGE_COUNT], " 5");
}

TEST_F(PageCommands, PageOneIsNeitherPrecededNorDeleted) {
    StartWith({"one", "two"}, 1);
    Fake.texts[ID_PAGE_TEXT] = "one, edited";
    Click(InsertPage);
    ASSERT_EQ(Fake.boxes.size(), 1u);
    EXPECT_EQ(Fake.boxes[0].text, "You can't Insert a page before page 1!");
    EXPECT_EQ(Fake.boxes[0].caption, "Insert Page");
    EXPECT_FALSE(Fake.boxes[0].yesNo);
    EXPECT_EQ(Pages[1], "one, edited"); // stored before the refusal
    EXPECT_EQ(Fake.focus, ID_SEARCH_BOX);

    Fake.focus = ID_PAGE_TEXT;
    Fake.texts[ID_PAGE_TEXT] = "one, edited again";
    Click(DeletePage);
    ASSERT_EQ(Fake.boxes.size(), 2u);
    EXPECT_EQ(Fake.boxes[1].text, "You can't Delete Page 1");
    EXPECT_EQ(Fake.boxes[1].caption, "Delete Page");
    EXPECT_FALSE(Fake.boxes[1].yesNo);
    EXPECT_EQ(Pages[1], "one, edited"); // not stored
    EXPECT_EQ(Fake.texts[ID_PAGE_TEXT], "one, edited again");
    EXPECT_EQ(Fake.focus, ID_SEARCH_BOX);
    EXPECT_EQ(Shown(), (PageList{"one, edited", "two"}));
}

TEST_F(PageCommands, TheQuestionsSpellOutTheRenumbering) {
    Fake.answers = {false, false};
    Click(InsertPage);
    Click(DeletePage);
    ASSERT_EQ(Fake.boxes.size(), 2u);
    EXPECT_EQ(Fake.boxes[0].text,
              "Are you sure you would like to insert a page before page 3 ? This will make this "
              "new page No.3 and what was page No.3 will become page No.4 and all the pages "
              "above will be moved up one number.");
    EXPECT_EQ(Fake.boxes[0].caption, "Insert Page");
    EXPECT_TRUE(Fake.boxes[0].yesNo);
    EXPECT_FALSE(Fake.boxes[0].defaultNo);
    EXPECT_EQ(Fake.boxes[1].text, "Are you sure you wish to delete page 3");
    EXPECT_EQ(Fake.boxes[1].caption, "Delete Page");
    EXPECT_TRUE(Fake.boxes[1].yesNo);
    EXPECT_FALSE(Fake.boxes[1].defaultNo);

    StartWith({"1", "2", "3", "4", "5"}, 5);
    Fake.answers = {false};
    Click(InsertPage);
    EXPECT_EQ(Fake.boxes[0].text,
              "Are you sure you would like to insert a page before page 5 ? This will make this "
              "new page No.5 and what was page No.5 will become page No.6");
}

TEST_F(PageCommands, InsertMovesThePagesAboveUpWithoutSaving) {
    Fake.answers = {true};
    Click(InsertPage);
    EXPECT_EQ(Shown(), (PageList{"one", "two", "", "three", "four", "five"}));
    EXPECT_EQ(CurrentPage, 3);
    EXPECT_EQ(Fake.texts[ID_PAGE_TEXT], "");
    EXPECT_EQ(Fake.texts[ID_PAGE_COUNT], " 6");
    EXPECT_EQ(Fake.focus, ID_PAGE_TEXT);
    EXPECT_FALSE(FileWritten());

    StartWith({"1", "2", "3", "4", "5"}, 5);
    Fake.answers = {true};
    Click(InsertPage);
    EXPECT_EQ(Shown(), (PageList{"1", "2", "3", "4", "", "5"}));
    EXPECT_EQ(CurrentPage, 5);
    EXPECT_EQ(Fake.texts[ID_PAGE_BOX], "5");
}

TEST_F(PageCommands, DeleteMovesThePagesAboveDownAndSaves) {
    Fake.texts[ID_PAGE_TEXT] = "three, edited";
    Fake.focus = ID_DELETE_PAGE;
    Fake.answers = {true};
    Click(DeletePage);
    EXPECT_EQ(Shown(), (PageList{"one", "two", "four", "five"}));
    EXPECT_EQ(CurrentPage, 3);
    EXPECT_EQ(Fake.texts[ID_PAGE_TEXT], "four");
    EXPECT_EQ(Fake.texts[ID_PAGE_COUNT], " 4");
    EXPECT_EQ(Fake.focus, ID_DELETE_PAGE);
    EXPECT_TRUE(FileHoldsThePages());

    StartWith({"1", "2", "3", "4", "5"}, 5);
    Fake.answers = {true};
    Click(DeletePage);
    EXPECT_EQ(Shown(), (PageList{"1", "2", "3", "4"}));
    EXPECT_EQ(CurrentPage, 4);
    EXPECT_EQ(Fake.texts[ID_PAGE_BOX], "4");
    EXPECT_EQ(Fake.texts[ID_PAGE_TEXT], "4");
}

TEST_F(PageCommands, NoChangesNothingButInsertHasStoredTheEdits) {
    Fake.texts[ID_PAGE_TEXT] = "three, edited";
    Fake.focus = ID_INSERT_PAGE;
    Fake.answers = {false};
    Click(InsertPage);
    EXPECT_EQ(Shown(), (PageList{"one", "two", "three, edited", "four", "five"}));
    EXPECT_EQ(Fake.focus, ID_INSERT_PAGE);
    EXPECT_TRUE(FileHoldsThePages());

    Fake.texts[ID_PAGE_TEXT] = "three, edited again";
    Fake.answers = {false};
    Click(DeletePage);
    EXPECT_EQ(Shown(), (PageList{"one", "two", "three, edited", "four", "five"}));
    EXPECT_EQ(Fake.texts[ID_PAGE_TEXT], "three, edited again");
    EXPECT_EQ(CurrentPage, 3);
    EXPECT_EQ(Fake.focus, ID_INSERT_PAGE);
}

// The window stays usable while a question is open: the command still acts on the page
// its question named, or not at all.
TEST_F(PageCommands, InsertActsOnTheQuestionedPageAfterAFlip) {
    Fake.whileAsking = [] {
        FlipForward();
        Fake.texts[ID_PAGE_TEXT] = "four, edited";
    };
    Fake.answers = {true};
    Click(InsertPage);
    EXPECT_EQ(Shown(), (PageList{"one", "two", "", "three", "four, edited", "five"}));
    EXPECT_EQ(CurrentPage, 3);
    EXPECT_EQ(Fake.texts[ID_PAGE_TEXT], "");
    EXPECT_EQ(Fake.texts[ID_PAGE_BOX], "3");
}

TEST_F(PageCommands, InsertDoesNothingWhenTheQuestionedPageIsGone) {
    StartWith({"1", "2", "3", "4", "5"}, 5);
    Fake.whileAsking = [] {
        DeletePageAt(5);
        CurrentPage = 4;
        ShowPage();
    };
    Fake.answers = {true};
    Click(InsertPage);
    EXPECT_EQ(Shown(), (PageList{"1", "2", "3", "4"}));
    EXPECT_EQ(CurrentPage, 4);
    EXPECT_EQ(Fake.texts[ID_PAGE_TEXT], "4");
}

TEST_F(PageCommands, DeleteActsOnTheQuestionedPageAfterAFlip) {
    StartWith({"1", "2", "3", "4", "5"}, 4);
    Fake.whileAsking = [] {
        Fake.texts[ID_PAGE_BOX] = "2";
        PageBoxReturn();
        Fake.texts[ID_PAGE_TEXT] = "2, edited";
    };
    Fake.answers = {true};
    Click(DeletePage);
    EXPECT_EQ(Shown(), (PageList{"1", "2, edited", "3", "5"}));
    EXPECT_EQ(CurrentPage, 4);
    EXPECT_EQ(Fake.texts[ID_PAGE_TEXT], "5");
    EXPECT_TRUE(FileHoldsThePages());
}

TEST_F(PageCommands, DeleteDoesNothingWhenTheQuestionedPageIsGone) {
    StartWith({"1", "2", "3", "4", "5"}, 5);
    Fake.whileAsking = [] {
        DeletePageAt(5);
        CurrentPage = 4;
        ShowPage();
    };
    Fake.answers = {true};
    Click(DeletePage);
    EXPECT_EQ(Shown(), (PageList{"1", "2", "3", "4"}));
    EXPECT_EQ(CurrentPage, 4);
}

TEST_F(PageCommands, NeitherActsOnTheHelpPagesEnteredDuringTheQuestion) {
    const PageList help = {"", "help 1", "help 2", "help 3", "help 4"};
    for (const auto command : {InsertPage, DeletePage}) {
        SetUp();
        Fake.whileAsking = [&help] {
            HelpMode = 1;
            Pages = help;
            CurrentPage = 1;
            ShowPage();
        };
        Fake.answers = {true};
        Click(command);
        EXPECT_EQ(Pages, help);
        EXPECT_EQ(CurrentPage, 1);
        EXPECT_FALSE(FileWritten());
    }
}

} // namespace
