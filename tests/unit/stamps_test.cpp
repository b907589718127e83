// Time and date stamps at fixed clock times, and the stamp keys of the page text field.
#include "commands/flipping.h"
#include "padfile/pad_state.h"
#include "platform/window.h"
#include "stamps/stamps.h"
#include "store/page_store.h"
#include "support/fake_clock.h"
#include "support/fake_window.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

const int TKey = 0x54, DKey = 0x44, F5Key = 0x74, NumPad4Key = 0x64;

class Stamps : public ::testing::Test {
  protected:
    LocalTime savedNow = FakeNow;

    void SetUp() override {
        ResetFake();
        Pages = {"", "page one"};
        CurrentPage = 1;
        ShowPage();
        FakeNow = {2026, 12, 6, 9, 7, 5};
        Fake.ctrl = true;
    }
    void TearDown() override { FakeNow = savedNow; }

    static std::string Field() { return Fake.texts[ID_PAGE_TEXT]; }
};

TEST_F(Stamps, TimeFollowsTheTwelveHourClockAndDateTakesABlank) {
    const struct {
        int hour, minute;
        const char* stamp;
    } cases[] = {
        {0, 5, "12:05am "}, {9, 7, "9:07am "},    {11, 59, "11:59am "}, {12, 30, "12:30pm "},
        {13, 0, "1:00pm "}, {23, 59, "11:59pm "}, {21, 4, "9:04pm "},
    };
    for (const auto& c : cases) {
        FakeNow.hour = c.hour;
        FakeNow.minute = c.minute;
        EXPECT_EQ(TimeStamp(), c.stamp) << c.hour << ":" << c.minute;
    }
    FakeNow = {2027, 3, 1, 15, 0, 0};
    EXPECT_EQ(DateStamp(), "01 Mar 2027 ");
}

// F5 and numeric keypad 4 share their low byte with small t and d; Shift changes nothing.
TEST_F(Stamps, CtrlWithTDF5OrKeypad4StampsAtTheCaretEveryTime) {
    Fake.shift = true;
    for (const int key : {TKey, DKey, F5Key, NumPad4Key, TKey}) {
        PageTextKeyDown(key);
    }
    EXPECT_EQ(Field(), "9:07am 06 Dec 2026 9:07am 06 Dec 2026 9:07am page one");
    EXPECT_EQ(Fake.selectionStart, 45);
}

TEST_F(Stamps, AStampReplacesTheSelection) {
    SelectText(ID_PAGE_TEXT, 5, 8);
    PageTextKeyDown(DKey);
    EXPECT_EQ(Field(), "page 06 Dec 2026 ");
}

TEST_F(Stamps, OtherKeysKeysWithoutCtrlAndTheHelpPagesGetNoStamp) {
    for (const int key : {0x41, 0x56, 0x5A, 0x75, 0x65, 0x14, 0x04, 0x0D, 0x25}) {
        PageTextKeyDown(key);
    }
    Fake.ctrl = false;
    PageTextKeyDown(TKey);
    PageTextKeyDown(DKey);
    Fake.ctrl = true;
    HelpMode = 1;
    PageTextKeyDown(TKey);
    EXPECT_EQ(Field(), "page one");
}

// A paste comes with CR LF for every line break, and the page's room is judged by those
// lines: what does not fit is not pasted at all, and the box says whether a new page would
// take it. The fake sheet, like the edit control, breaks lines only at CR LF.
TEST_F(Stamps, APasteBreaksItsLinesAsTheFieldDoesAndFitsWholeOrNotAtAll) {
    const struct {
        std::string field;
        std::optional<std::string> clipboard;
        long sheetLines;
        std::string shown, box;
    } cases[] = {
        {"", "mac one\rmac two\rmac three", 0, "mac one\r\nmac two\r\nmac three", ""},
        {"", "a\nb\r\nc\n\rd\r", 0, "a\r\nb\r\nc\r\n\r\nd\r\n", ""},
        {"", "one\rtwo\rthree", 3, "one\r\ntwo\r\nthree", ""},
        {"", "one\rtwo\rthree", 2, "", "longer than one page can hold"},
        {"x\r\ny", "one\ntwo", 2, "x\r\ny", "paste it on a new page"},
        {"x", std::nullopt, 1, "x", ""},
    };
    for (const auto& c : cases) {
        ResetFake();
        Pages = {"", "one", ""};
        CurrentPage = 2;
        ShowPage();
        EditPageText(c.field);
        SelectText(ID_PAGE_TEXT, static_cast<long>(c.field.size()), -1);
        Fake.clipboard = c.clipboard;
        Fake.sheetLines = c.sheetLines;
        PasteIntoPageText();
        EXPECT_EQ(Field(), c.shown) << c.field << " + " << c.clipboard.value_or("(none)");
        EXPECT_EQ(Fake.boxes.size(), c.box.empty() ? 0U : 1U) << c.shown;
        EXPECT_NE((Fake.boxes.empty() ? "" : Fake.boxes[0].text).find(c.box), std::string::npos);
        EXPECT_EQ(Fake.title, c.box.empty() ? "Quillpad" : "Quillpad - page 2 is full") << c.shown;
    }
}

// No box while the user types: the title says the page is full until the field takes a
// key or the user acts, a pause in typing does not end it, and a failed save is said too.
TEST_F(Stamps, AFullPageIsSaidInTheTitleUntilAKeyIsTakenOrAFlip) {
    TempFolder folder;
    Pages = {"", "page one", "page two"};
    SaveState.unsaved = true;
    PageTextRefused();
    EXPECT_EQ(Fake.title, "Quillpad - page 1 is full - not saved");
    PageTextTookKey();
    EXPECT_EQ(Fake.title, "Quillpad - not saved");
    SaveState.unsaved = false;
    PageTextRefused();
    EditPageText("page one changed");
    RunOutWaitTimer();
    EXPECT_EQ(Fake.title, "Quillpad - page 1 is full");
    FlipForward();
    EXPECT_EQ(Fake.title, "Quillpad");
}

// The copy taken at a key release is what the end of the program stores; a page longer
// than any fixed buffer is copied whole.
TEST_F(Stamps, AKeyReleaseCopiesTheWholeFieldForThePageShown) {
    Pages = {"", "page one", "page two"};
    CurrentPage = 2;
    const std::string typed = "typed\r\n" + std::string(40000, 'x');
    Fake.texts[ID_PAGE_TEXT] = typed;
    PageTextKeyUp();
    EXPECT_EQ(TypedPage, 2);
    EXPECT_EQ(TypedText, typed);
}

} // namespace
