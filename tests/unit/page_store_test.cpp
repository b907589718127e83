// The page store: what reaches the page list and the file, and when.
#include "padfile/pages_file_format.h"
#include "padfile/stored_text.h"
#include "platform/window.h"
#include "store/page_store.h"
#include "store/pages_file.h"
#include "support/fake_window.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class PageStore : public ::testing::Test {
  protected:
    TempFolder folder;

    void SetUp() override {
        ResetFake();
        Pages = {"", "one", "", "two<&CR&>lines"};
        CurrentPage = 1;
        ShowPage();
    }

    static bool FileWritten() { return !FileBytes(PagesFileName).empty(); }
    static void Type(const std::string& text) { Fake.texts[ID_PAGE_TEXT] = text; }
};

TEST_F(PageStore, ShowPageFillsTheBoxTheCountAndTheFieldWithRealLineBreaks) {
    CurrentPage = 3;
    ShowPage();
    EXPECT_EQ(Fake.texts[ID_PAGE_BOX], "3");
    EXPECT_EQ(Fake.texts[ID_PAGE_COUNT], " 3");
    EXPECT_EQ(Fake.texts[ID_PAGE_TEXT], "two\r\nlines");
    CurrentPage = 2;
    ShowPage();
    EXPECT_EQ(Fake.texts[ID_PAGE_TEXT], "");
}

TEST_F(PageStore, StoringAnUnchangedPageWritesNothing) {
    StorePageText();
    EXPECT_FALSE(FileWritten());
    Pages[2] = "read with\na lone LF";
    for (const std::int32_t page : {3, 2}) {
        CurrentPage = page;
        ShowPage();
        StorePageText();
    }
    EXPECT_FALSE(FileWritten());
    EXPECT_EQ(Pages[2], "read with\na lone LF");
}

TEST_F(PageStore, AChangedPageIsStoredEncodedAndTheFileWritten) {
    Type("a\r\nb");
    StorePageText();
    EXPECT_EQ(Pages[1], "a<&CR&>b");
    const std::string file = FileBytes(PagesFileName);
    EXPECT_NE(file.find("\r\na<&CR&>b\r\n\r\ntwo<&CR&>lines\r\n"), std::string::npos) << file;
}

TEST_F(PageStore, AnEmptiedPageIsStoredAsAnEmptyLine) {
    Type("");
    StorePageText();
    EXPECT_EQ(Pages[1], "");
    EXPECT_TRUE(FileWritten());
}

TEST_F(PageStore, TheWholeFieldIsStoredHoweverLong) {
    const std::string longText = std::string(40000, 'x') + "end";
    Type(longText);
    StorePageText();
    EXPECT_EQ(Pages[1], longText);
}

// A lone LF (text pasted from another system) is a line break in the field, and one in the
// file for other programs: it is stored as a break too, so that each page stays one line.
TEST_F(PageStore, BytesTheFileCannotHoldNeverSplitOrCutAPage) {
    EXPECT_EQ(EncodePageText("a\rb\r\r\nc\x1a"
                             "d\ne\n\r"),
              "a<&CR&>b<&CR&><&CR&>cd<&CR&>e<&CR&><&CR&>");
    Type("lone\rcr and \x1a sub\npasted\nlines");
    StorePageText();
    const std::string file = FileBytes(PagesFileName);
    std::vector<std::string> readBack;
    ASSERT_TRUE(ParsePages(file, readBack));
    EXPECT_EQ(readBack.size(), Pages.size());
    EXPECT_EQ(readBack[1], "lone<&CR&>cr and  sub<&CR&>pasted<&CR&>lines");
    EXPECT_EQ(readBack[3], "two<&CR&>lines");
    EXPECT_EQ(std::count(file.begin(), file.end(), '\n'), 6 + 3) << "six fixed lines, 3 pages";
}

TEST_F(PageStore, TypedMarkComesBackAsALineBreak) {
    Type("x<&CR&>y");
    StorePageText();
    ShowPage();
    EXPECT_EQ(Fake.texts[ID_PAGE_TEXT], "x\r\ny");
}

TEST_F(PageStore, NothingIsStoredInHelpMode) {
    HelpMode = 1;
    Type("help text");
    StorePageText();
    StoreShownPage();
    TypedText = "help text";
    TypedPage = CurrentPage;
    StoreTypedText();
    EXPECT_EQ(Pages[1], "one");
    EXPECT_FALSE(FileWritten());
}

TEST_F(PageStore, TheTypedCopyIsStoredOnlyIntoThePageItCameFrom) {
    Type("typed");
    TakeTypedText();
    EXPECT_EQ(TypedPage, 1);
    CurrentPage = 2;
    StoreTypedText();
    EXPECT_EQ(Pages[2], "");
    CurrentPage = 1;
    StoreTypedText();
    EXPECT_EQ(Pages[1], "typed");
    EXPECT_TRUE(FileWritten());
}

TEST_F(PageStore, AnEmptyTypedCopyStoresNothing) {
    Type("");
    TakeTypedText();
    StoreTypedText();
    EXPECT_EQ(Pages[1], "one");
    EXPECT_FALSE(FileWritten());
}

TEST_F(PageStore, ACopyTakenBeforeRenumberingNeverLandsOnAnotherPage) {
    CurrentPage = 2;
    Type("typed on page two");
    TakeTypedText();
    InsertEmptyPage(2);
    StoreTypedText();
    EXPECT_EQ(Pages[2], "");
    EXPECT_EQ(Pages[3], "");

    TakeTypedText();
    DeletePageAt(2);
    StoreTypedText();
    EXPECT_EQ(Pages[2], "");
    EXPECT_FALSE(FileWritten());
}

TEST_F(PageStore, ClosingKeepsWhatTheFieldShowsEvenWithoutAKeyRelease) {
    Type("abc");
    TakeTypedText();
    Type("abc pasted with the mouse");
    StoreShownPage();
    StoreTypedText();
    EXPECT_EQ(Pages[1], "abc pasted with the mouse");

    Type("");
    StoreShownPage();
    StoreTypedText();
    EXPECT_EQ(Pages[1], "");
}

TEST_F(PageStore, FocusCancelsTheSelectionAndTakesTheCopy) {
    PageTextGotFocus();
    ASSERT_FALSE(Fake.selectionLog.empty());
    EXPECT_EQ(Fake.selectionLog.back(), std::make_pair(-1L, -1L));
    EXPECT_EQ(TypedText, "one");
    EXPECT_EQ(TypedPage, 1);
}

TEST_F(PageStore, ListOperationsRenumberThePages) {
    GrowPages();
    EXPECT_EQ(PageCount(), 4);
    EXPECT_EQ(Pages[4], "");
    InsertEmptyPage(2);
    EXPECT_EQ(Pages, (std::vector<std::string>{"", "one", "", "", "two<&CR&>lines", ""}));
    DeletePageAt(1);
    EXPECT_EQ(Pages, (std::vector<std::string>{"", "", "", "two<&CR&>lines", ""}));
}

} // namespace
