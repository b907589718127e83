// Searching: the match test's fields and connectives, the walk, and the flash selection.
#include "commands/flipping.h"
#include "padfile/pad_state.h"
#include "platform/code_page.h"
#include "platform/window.h"
#include "search/match.h"
#include "search/search.h"
#include "search/walk.h"
#include "store/page_store.h"
#include "support/fake_window.h"
#include "support/temp_folder.h"
#include "text/bytes.h"

#include <gtest/gtest.h>

#include <random>

namespace {

struct MatchCase {
    const char* query; // folded
    const char* page;  // folded stored form
    bool matches;
    const char* flash;
};

TEST(MatchPage, ConnectivesFieldsAndFlashTerms) {
    const MatchCase cases[] = {
        {"[msg] and john", "from john: [msg] hi", true, "john"},
        {"[msg] and john", "[msg] to john", true, "[msg]"},
        {"[msg] and john", "[msg] alone", false, ""},
        {"[msg] and john", "john alone", false, ""},
        {"mechanic or maintenance", "maintenance of the mechanic", true, "mechanic"},
        {"mechanic or maintenance", "maintenance due", true, "maintenance"},
        {"mechanic or maintenance", "nothing here", false, ""},
        // Terms are fields 1 and 3: big and "or".
        {"big red or blue", "a blue car", false, ""},
        {"big red or blue", "for sale", true, "or"},
        {"big red or blue", "a big one", true, "big"},
        // Two blanks make an empty field: terms cat and "or".
        {"cat  or dog", "a dog", false, ""},
        {"cat  or dog", "a horse", true, "or"},
        // An empty third field occurs in every page with text.
        {"cat or  dog", "anything", true, ""},
        {"cat or  dog", "the cat", true, "cat"},
        {"cat and  dog", "the cat", true, ""},
        {"cat and  dog", "cat", true, ""},
        {"cat and  dog", "dog", false, ""},
        // Nothing after the connective: a plain query, blank included.
        {"cat or", "the cat ordered", true, "cat or"},
        {"cat or", "cat", false, ""},
        {"apple or pear or plum", "plum", false, ""},
        {"apple or pear or plum", "pear", true, "pear"},
        {"apple and pear or plum", "pear", true, "pear"},
        // Both terms at the same place: the third one is flashed.
        {"ab and a", "abc", true, "a"},
        {"b and ab", "xab", true, "ab"},
        {"cr", "one<&cr&>two", true, "cr"},
        {"&", "one<&cr&>two", true, "&"},
        {"end of", "the end<&cr&>of it", false, ""},
        {"x", "", false, ""},
        {"", "", false, ""},
        {"", "x", true, ""},
        {"a b", "a b", true, "a b"},
    };
    for (const MatchCase& c : cases) {
        std::string flash = "unset";
        const bool matched = MatchPage(c.query, c.page, flash);
        EXPECT_EQ(matched, c.matches) << c.query << " | " << c.page;
        if (c.matches) {
            EXPECT_EQ(flash, c.flash) << c.query << " | " << c.page;
        } else {
            EXPECT_EQ(flash, "unset") << c.query << " | " << c.page;
        }
    }
}

TEST(MatchPage, PositionAgreesWithFindText) {
    std::mt19937 random(7);
    const auto text = [&](int longest) {
        std::string s(random() % static_cast<unsigned>(longest + 1), 'a');
        for (char& c : s) {
            c = static_cast<char>('a' + random() % 3);
        }
        return s;
    };
    // Pages long enough for several sixteen-byte blocks and a tail of every length.
    for (int i = 0; i < 20000; ++i) {
        const std::string p = text(i % 2 == 0 ? 12 : 80);
        const std::string t = text(i % 3 == 0 ? 2 : 6);
        ASSERT_EQ(PositionIn(p, t), FindText(p, t, 1)) << p << " | " << t;
    }
}

TEST(FoldPageInto, AgreesWithFoldLowerAndReusesItsBuffer) {
    std::string folded;
    std::string everyByte;
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        FoldPageInto(folded, one);
        ASSERT_EQ(folded, FoldLower(one)) << b;
        everyByte += one;
    }
    FoldPageInto(folded, everyByte);
    EXPECT_EQ(folded, FoldLower(everyByte));

    std::mt19937 random(11);
    for (int i = 0; i < 2000; ++i) {
        std::string page(random() % 100, 'x');
        for (char& c : page) {
            // Mostly letters, now and then a byte of the upper half.
            c = static_cast<char>(random() % 8 == 0 ? 0x80 + random() % 128 : 'A' + random() % 58);
        }
        FoldPageInto(folded, page);
        ASSERT_EQ(folded, FoldLower(page)) << page;
    }
}

class Search : public ::testing::Test {
  protected:
    TempFolder folder;

    void StartWith(std::vector<std::string> pages, std::int32_t current) {
        ResetFake();
        pages.insert(pages.begin(), std::string());
        Pages = std::move(pages);
        CurrentPage = current;
        ShowPage();
    }
};

TEST_F(Search, ForwardStopsOnTheNearestMatchAndFlashesIt) {
    StartWith({"john", "nothing", "", "Hi<&CR&>JOHN was here", "john again"}, 1);
    SearchText = "John";
    SearchForward();
    EXPECT_EQ(CurrentPage, 4);
    EXPECT_EQ(Fake.texts[ID_PAGE_BOX], "4");
    EXPECT_EQ(Fake.texts[ID_PAGE_TEXT], "Hi\r\nJOHN was here");
    EXPECT_EQ(SearchText, "john");
    ASSERT_FALSE(Fake.selectionLog.empty());
    EXPECT_EQ(Fake.selectionLog.back(), std::make_pair(4L, 8L));
    EXPECT_EQ(Fake.pauses, std::vector<int>{60});
    EXPECT_EQ(Fake.focus, ID_SEARCH_BOX);
}

TEST_F(Search, BackStopsOnTheNearestMatchBelow) {
    StartWith({"apple", "", "an apple", "pear", "Apple tree"}, 5);
    SearchText = "APPLE";
    SearchBack();
    EXPECT_EQ(CurrentPage, 3);
    SearchBack();
    EXPECT_EQ(CurrentPage, 1);
    EXPECT_EQ(Fake.focus, ID_SEARCH_BOX);
}

TEST_F(Search, ConnectivesAreFoundInAnyCase) {
    StartWith({"start", "only dog", "a cat"}, 1);
    SearchText = "Cat OR Dog";
    SearchForward();
    EXPECT_EQ(CurrentPage, 2);
    EXPECT_EQ(SearchText, "dog");
}

// The current page matches too, but the walk begins at its neighbour.
TEST_F(Search, NoMatchAheadLeavesThePageAndNeverWrapsAround) {
    StartWith({"target", "x", "the target", "y", "z"}, 3);
    SearchText = "TARGET";
    SearchForward();
    EXPECT_EQ(CurrentPage, 3);
    EXPECT_EQ(Fake.texts[ID_PAGE_TEXT], "the target");
    EXPECT_EQ(SearchText, "target"); // folded once the walk began
    EXPECT_EQ(Fake.focus, ID_SEARCH_BOX);
    EXPECT_TRUE(Fake.pauses.empty());
}

TEST_F(Search, AtTheEndsOnlyStoresAndFocuses) {
    StartWith({"first", "second"}, 1);
    Fake.texts[ID_PAGE_TEXT] = "edited";
    SearchText = "SECOND";
    SearchBack();
    EXPECT_EQ(CurrentPage, 1);
    EXPECT_EQ(Pages[1], "edited");
    EXPECT_EQ(SearchText, "SECOND"); // the walk never began
    EXPECT_EQ(Fake.focus, ID_SEARCH_BOX);

    CurrentPage = 2;
    ShowPage();
    Fake.texts[ID_PAGE_TEXT] = "changed";
    SearchText = "edited";
    SearchForward();
    EXPECT_EQ(CurrentPage, 2);
    EXPECT_EQ(Pages[2], "changed");
}

TEST_F(Search, TheShownPageIsStoredBeforeTheWalk) {
    StartWith({"one", "two", "three"}, 1);
    Fake.texts[ID_PAGE_TEXT] = "a\r\nb";
    SearchText = "three";
    SearchForward();
    EXPECT_EQ(Pages[1], "a<&CR&>b");
    EXPECT_EQ(CurrentPage, 3);
}

TEST_F(Search, AnEmptyQueryStopsOnTheNearestPageWithText) {
    StartWith({"a", "", "", "d", "e"}, 1);
    SearchText = "";
    SearchForward();
    EXPECT_EQ(CurrentPage, 4);
    EXPECT_EQ(SearchText, "");
    EXPECT_EQ(Fake.selectionLog.back(), std::make_pair(0L, 0L));
    SearchForward();
    EXPECT_EQ(CurrentPage, 5);
    SearchText = "";
    SearchForward();
    EXPECT_EQ(CurrentPage, 5); // the last page: nothing ahead
    Pages[4] = "";
    SearchBack();
    EXPECT_EQ(CurrentPage, 1); // past the empty pages only
}

// The search box's text comes as UTF-8 and is searched for in the code page's bytes.
TEST_F(Search, OnlyTheCodePageLettersFold) {
    StartWith({"start", "\xC0", "\x84", "\x8E"}, 1);
    SearchText = CodePageToUtf8("\x8E");
    SearchForward();
    EXPECT_EQ(CurrentPage, 3);
    SearchText = CodePageToUtf8("\x84");
    SearchForward();
    EXPECT_EQ(CurrentPage, 4);

    StartWith({"start", "\xC0", "x\xE0"}, 1);
    SearchText = CodePageToUtf8("\xE0");
    SearchForward();
    EXPECT_EQ(CurrentPage, 3);
    SearchText = CodePageToUtf8("\xC0");
    SearchBack();
    EXPECT_EQ(CurrentPage, 2);
    SearchText = CodePageToUtf8("\xE0");
    SearchBack();
    EXPECT_EQ(CurrentPage, 2);
}

// A UTF-8 pad folds every letter by the platform's case mapping; a code-page pad never
// matches a character its code page lacks (not even a question mark standing for it).
TEST_F(Search, EveryScriptFoldsInAUtf8PadAndOnlyTheCodePageInOthers) {
    const struct {
        bool utf8;
        std::vector<std::string> pages;
        const char* query;
        std::int32_t found;
    } cases[] = {
        {true,
         {"start", "ärger", "\xF0\x9F\x98\x80 \xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82"},
         "\xD0\xBF\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82",
         3}, // привет finds Привет
        {true, {"start", "x", "\xC3\x84RGER"}, "\xC3\xA4rger", 3}, // ärger, ÄRGER
        {true, {"start", "\xE2\x9C\x93 done"}, "\xE2\x9C\x93", 2}, // ✓
        {false, {"start", "?", "\xC4rger"}, "\xC3\x84rger", 3},    // Ärger in 1252
        {false, {"start", "?", "??????"}, "\xD0\xBF\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.query);
        StartWith(c.pages, 1);
        SaveState.utf8 = c.utf8;
        SearchText = c.query;
        SearchForward();
        EXPECT_EQ(CurrentPage, c.found);
    }
}

TEST_F(Search, TheLineBreakMarkMatchesButNothingIsHighlighted) {
    StartWith({"start", "plain", "one\r\ntwo"}, 1);
    Pages[3] = "one<&CR&>two";
    SearchText = "cr";
    SearchForward();
    EXPECT_EQ(CurrentPage, 3);
    EXPECT_EQ(Fake.selectionLog.back().first, -1);
    EXPECT_EQ(Fake.selectionStart, Fake.selectionEnd);
}

class Flash : public ::testing::Test {
  protected:
    void SetUp() override { ResetFake(); }

    static std::pair<long, long> FlashIn(const std::string& field, const std::string& term) {
        Fake.texts[ID_PAGE_TEXT] = field;
        SearchText = term;
        FlashMatch();
        return Fake.selectionLog.back();
    }
};

TEST_F(Flash, SelectsTheFirstOccurrenceInTheFieldsOwnText) {
    EXPECT_EQ(FlashIn("abc\r\nxy john john", "john"), std::make_pair(8L, 12L));
    EXPECT_EQ(FlashIn("Hello JOHN", "john"), std::make_pair(6L, 10L));
    EXPECT_EQ(FlashIn("abc", ""), std::make_pair(0L, 0L));
    EXPECT_EQ(FlashIn("a\r\nb", "cr"), std::make_pair(-1L, -1L));
    EXPECT_EQ(FlashIn("", "x"), std::make_pair(-1L, -1L));
    EXPECT_EQ(FlashIn("", ""), std::make_pair(-1L, -1L));
    EXPECT_EQ(SearchText, ""); // left as it was
}

// The field counts in UTF-16 units: an emoji takes two, a Cyrillic letter one.
TEST_F(Flash, CountsAsTheFieldCountsAfterCharactersOfEveryKind) {
    SaveState.utf8 = true;
    EXPECT_EQ(
        FlashIn(
            "\xF0\x9F\x98\x80 \xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xF0\x9F\x98\x80x",
            "\xD0\xBF\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82"),
        std::make_pair(3L, 9L));
    EXPECT_EQ(FlashIn("\xF0\x9F\x98\x80\xF0\x9F\x98\x80 \xE6\x97\xA5\xE6\x9C\xAC",
                      "\xE6\x97\xA5\xE6\x9C\xAC"),
              std::make_pair(5L, 7L));
    SaveState.utf8 = false;
    EXPECT_EQ(FlashIn("\xC3\x85ngstr\xC3\xB6m caf\xC3\xA9", "caf\xE9"), std::make_pair(9L, 13L));
}

TEST_F(Flash, ReadsALongFieldWhole) {
    std::string field(40000, 'x');
    field += "Needle";
    EXPECT_EQ(FlashIn(field, "needle"), std::make_pair(40000L, 40006L));
    EXPECT_EQ(Fake.selectionStart, 40000);
    EXPECT_EQ(Fake.selectionEnd, 40006);
}

TEST_F(Flash, VisitsTheFieldForThePauseAndReturnsToTheSearchBox) {
    Fake.focus = ID_SEARCH_BOX;
    FlashIn("some text", "text");
    EXPECT_EQ(Fake.focusLog, (std::vector<int>{ID_PAGE_TEXT, ID_SEARCH_BOX}));
    // The page is drawn, then the field with the match selected, before the pause.
    EXPECT_EQ(Fake.repaintedSelections, (std::vector<std::pair<long, long>>{{0, 0}, {5, 9}}));
    EXPECT_EQ(Fake.pauses, std::vector<int>{60});
    EXPECT_EQ(Fake.focus, ID_SEARCH_BOX);
    // The field's own focus handling cancelled the selection before the flash set it.
    EXPECT_EQ(Fake.selectionLog, (std::vector<std::pair<long, long>>{{-1, -1}, {5, 9}}));
}

} // namespace
