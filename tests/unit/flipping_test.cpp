// Flipping with the buttons and arrow keys, searching with Shift, and the page box.
#include "commands/flipping.h"
#include "platform/window.h"
#include "search/search.h"
#include "store/page_store.h"
#include "support/fake_window.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

const int LeftKey = 37;
const int UpKey = 38;
const int RightKey = 39;
const int DownKey = 40;

class Flipping : public ::testing::Test {
  protected:
    TempFolder folder;

    void SetUp() override { StartWith({"one", "two", "", "four", "five"}, 2); }

    static void StartWith(std::vector<std::string> pages, std::int32_t current) {
        ResetFake();
        pages.insert(pages.begin(), std::string());
        Pages = std::move(pages);
        CurrentPage = current;
        ShowPage();
    }

    static void Type(std::string text) { Fake.texts[ID_PAGE_TEXT] = std::move(text); }
    static void TypeInBox(std::string text) { Fake.texts[ID_PAGE_BOX] = std::move(text); }
};

TEST_F(Flipping, EveryFlipStoresTheFieldFirstAndEndsInTheSearchBox) {
    Type("two, edited");
    FlipForward();
    EXPECT_EQ(Pages[2], "two, edited");
    EXPECT_EQ(CurrentPage, 3);
    EXPECT_EQ(Fake.texts[ID_PAGE_BOX], "3");
    EXPECT_EQ(Fake.focus, ID_SEARCH_BOX);

    Type("three");
    FlipBack();
    EXPECT_EQ(Pages[3], "three");
    EXPECT_EQ(CurrentPage, 2);
    EXPECT_EQ(Fake.texts[ID_PAGE_TEXT], "two, edited");
    EXPECT_EQ(Fake.focus, ID_SEARCH_BOX);
}

TEST_F(Flipping, AtTheEndsNothingMovesButTheStoreAndFocusHappen) {
    StartWith({"one", "two"}, 1);
    Type("first");
    FlipBack();
    EXPECT_EQ(CurrentPage, 1);
    EXPECT_EQ(Pages[1], "first");
    EXPECT_EQ(Fake.focus, ID_SEARCH_BOX);

    CurrentPage = 2;
    ShowPage();
    Fake.focus = 0;
    Type("last");
    FlipForward();
    EXPECT_EQ(CurrentPage, 2);
    EXPECT_EQ(Pages[2], "last");
    EXPECT_EQ(Fake.focus, ID_SEARCH_BOX);

    StartWith({"only"}, 1);
    FlipForward();
    FlipBack();
    EXPECT_EQ(CurrentPage, 1);
    EXPECT_EQ(Fake.texts[ID_PAGE_TEXT], "only");
}

TEST_F(Flipping, ButtonsSearchOnlyWithShiftAndASearchText) {
    // The search text matches page 5 only, so a search and a flip end on different pages.
    Fake.texts[ID_SEARCH_BOX] = "  FIVE ";
    Fake.shift = true;
    EXPECT_EQ(OnNextButton(nullptr, 273, ID_NEXT_BUTTON, 0), 0);
    EXPECT_EQ(CurrentPage, 5);
    EXPECT_EQ(SearchText, "five");
    OnPrevButton(nullptr, 273, ID_PREV_BUTTON, 0);
    EXPECT_EQ(CurrentPage, 5); // nothing before it matches

    Fake.shift = false;
    OnPrevButton(nullptr, 273, ID_PREV_BUTTON, 0);
    EXPECT_EQ(CurrentPage, 4);
    EXPECT_EQ(SearchText, "FIVE");
    OnNextButton(nullptr, 273, ID_NEXT_BUTTON, 0);
    EXPECT_EQ(CurrentPage, 5);
    EXPECT_EQ(Fake.focus, ID_SEARCH_BOX);
}

TEST_F(Flipping, ButtonsFlipPlainlyWithAnEmptySearchText) {
    Fake.shift = true;
    Fake.texts[ID_SEARCH_BOX] = "   ";
    OnNextButton(nullptr, 273, ID_NEXT_BUTTON, 0);
    EXPECT_EQ(CurrentPage, 3); // an empty page, which a search would pass over
    EXPECT_EQ(SearchText, "");
    Fake.texts[ID_SEARCH_BOX] = "";
    OnNextButton(nullptr, 273, ID_NEXT_BUTTON, 0);
    EXPECT_EQ(CurrentPage, 4);
    OnPrevButton(nullptr, 273, ID_PREV_BUTTON, 0);
    EXPECT_EQ(CurrentPage, 3);
}

TEST_F(Flipping, OnlyBlanksAreTrimmedFromTheSearchText) {
    Fake.texts[ID_SEARCH_BOX] = " \tx\t ";
    OnNextButton(nullptr, 273, ID_NEXT_BUTTON, 0);
    EXPECT_EQ(SearchText, "\tx\t");
}

TEST_F(Flipping, ArrowKeysFlipAndWithShiftAlwaysSearch) {
    SearchBoxKeyDown(RightKey);
    EXPECT_EQ(CurrentPage, 3);
    SearchBoxKeyDown(LeftKey);
    EXPECT_EQ(CurrentPage, 2);

    // An empty search text with Shift passes over the empty page 3.
    Fake.shift = true;
    SearchBoxKeyDown(RightKey);
    EXPECT_EQ(CurrentPage, 4);
    EXPECT_EQ(Fake.focus, ID_SEARCH_BOX);
    Fake.texts[ID_SEARCH_BOX] = "One";
    SearchBoxKeyDown(LeftKey);
    EXPECT_EQ(CurrentPage, 1);
    EXPECT_EQ(SearchText, "one");
}

TEST_F(Flipping, OtherKeysOnlyReadTheSearchBox) {
    Type("typed");
    Fake.texts[ID_SEARCH_BOX] = " up ";
    for (const int key : {UpKey, DownKey, 65, 13}) {
        Fake.shift = key == DownKey;
        SearchBoxKeyDown(key);
    }
    EXPECT_EQ(SearchText, "up");
    EXPECT_EQ(CurrentPage, 2);
    EXPECT_EQ(Pages[2], "two");
    EXPECT_TRUE(Fake.focusLog.empty());
}

struct BoxCase {
    const char* box;
    std::int32_t page;
    bool reloaded;
};

TEST_F(Flipping, PageBoxValuesInAPadOfFiveShowingPageTwo) {
    const BoxCase cases[] = {
        {"3", 3, true},     {" 4", 4, true},   {"5", 5, true},    {"6", 2, true},
        {"0", 2, true},     {"-1", 2, true},   {"abc", 2, true},  {"", 2, true},
        {"2", 2, false},    {"2.5", 2, true},  {"2.6", 3, true},  {"0.5", 2, true},
        {"5.2", 2, true},   {"&H4", 4, true},  {"3xyz", 3, true}, {"0.6", 1, true},
        {"1e999", 2, true}, {"2.0", 2, false},
    };
    for (const BoxCase& c : cases) {
        SetUp();
        Fake.selectionStart = 1;
        Fake.selectionEnd = 3;
        TypeInBox(c.box);
        PageBoxReturn();
        EXPECT_EQ(CurrentPage, c.page) << c.box;
        if (c.reloaded) {
            EXPECT_EQ(Fake.texts[ID_PAGE_BOX], std::to_string(c.page)) << c.box;
            EXPECT_EQ(Fake.selectionEnd, 0) << c.box;
        } else {
            EXPECT_EQ(Fake.texts[ID_PAGE_BOX], c.box);
            EXPECT_EQ(Fake.selectionEnd, 3) << c.box;
        }
        EXPECT_EQ(Fake.texts[ID_PAGE_TEXT], Pages[static_cast<std::size_t>(c.page)]) << c.box;
        EXPECT_TRUE(Fake.focusLog.empty()) << c.box;
    }
}

TEST_F(Flipping, PageBoxStoresFirstAndRepeatsHarmlessly) {
    Type("two, edited");
    TypeInBox("2");
    PageBoxReturn();
    EXPECT_EQ(Pages[2], "two, edited");
    EXPECT_EQ(CurrentPage, 2);

    Type("two, again");
    TypeInBox("4");
    PageBoxReturn();
    EXPECT_EQ(Pages[2], "two, again");
    EXPECT_EQ(CurrentPage, 4);
    // The character and key-up of the same press carry the code too.
    Fake.selectionStart = Fake.selectionEnd = 2;
    PageBoxReturn();
    PageBoxReturn();
    EXPECT_EQ(CurrentPage, 4);
    EXPECT_EQ(Fake.selectionEnd, 2);
}

} // namespace
