// Time and date stamps at fixed clock times, and the stamp keys of the page text field.
#include "platform/window.h"
#include "stamps/stamps.h"
#include "store/page_store.h"
#include "support/fake_clock.h"
#include "support/fake_window.h"

#include <gtest/gtest.h>

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
