// Time and date stamps at fixed clock times, and the stamp keys of the page text field.
#include "app/window.h"
#include "stamps/stamps.h"
#include "store/page_store.h"
#include "support/fake_clock.h"
#include "support/fake_window.h"

#include <gtest/gtest.h>

namespace {

const int TKey = 0x54;
const int DKey = 0x44;
const int F5Key = 0x74;
const int NumPad4Key = 0x64;

class Stamps : public ::testing::Test {
  protected:
    LocalTime savedNow = FakeNow;

    void SetUp() override {
        ResetFake();
        Pages = {"", "page one"};
        CurrentPage = 1;
        ShowPage();
        FakeNow = {2026, 12, 6, 9, 7, 5};
    }
    void TearDown() override { FakeNow = savedNow; }

    static void CaretAtEnd() {
        const auto end = static_cast<long>(Fake.texts[ID_PAGE_TEXT].size());
        SelectText(ID_PAGE_TEXT, end, end);
    }
    static std::string Field() { return Fake.texts[ID_PAGE_TEXT]; }
};

TEST_F(Stamps, TimeFollowsTheTwelveHourClock) {
    const struct {
        int hour, minute;
        const char* stamp;
    } cases[] = {
        {0, 5, "12:05am "},   {0, 0, "12:00am "},  {9, 7, "9:07am "},  {11, 59, "11:59am "},
        {12, 30, "12:30pm "}, {12, 0, "12:00pm "}, {13, 0, "1:00pm "}, {23, 59, "11:59pm "},
        {10, 9, "10:09am "},  {21, 40, "9:40pm "},
    };
    for (const auto& c : cases) {
        FakeNow.hour = c.hour;
        FakeNow.minute = c.minute;
        EXPECT_EQ(TimeStamp(), c.stamp) << c.hour << ":" << c.minute;
    }
}

TEST_F(Stamps, DateIsTheDateTextAndOneBlank) {
    FakeNow = {2027, 3, 1, 15, 0, 0};
    EXPECT_EQ(DateStamp(), "01 Mar 2027 ");
    FakeNow = {2026, 12, 31, 23, 59, 59};
    EXPECT_EQ(DateStamp(), "31 Dec 2026 ");
}

TEST_F(Stamps, CtrlWithTOrDStampsAtTheCaretAndLeavesItAfterTheStamp) {
    Fake.ctrl = true;
    CaretAtEnd();
    PageTextKeyDown(TKey);
    EXPECT_EQ(Field(), "page one9:07am ");
    PageTextKeyDown(DKey);
    EXPECT_EQ(Field(), "page one9:07am 06 Dec 2026 ");
    EXPECT_EQ(Fake.selectionStart, static_cast<long>(Field().size()));

    SelectText(ID_PAGE_TEXT, 0, 0);
    PageTextKeyDown(DKey);
    EXPECT_EQ(Field(), "06 Dec 2026 page one9:07am 06 Dec 2026 ");
}

TEST_F(Stamps, F5AndNumericKeypad4CountAsTAndDAndOnlyTheLowByteIsRead) {
    Fake.ctrl = true;
    SelectText(ID_PAGE_TEXT, 0, 0);
    PageTextKeyDown(F5Key);
    EXPECT_EQ(Field(), "9:07am page one");
    PageTextKeyDown(NumPad4Key);
    EXPECT_EQ(Field(), "9:07am 06 Dec 2026 page one");
    PageTextKeyDown(0x100 | TKey);
    EXPECT_EQ(Field(), "9:07am 06 Dec 2026 9:07am page one");
}

TEST_F(Stamps, OtherKeysAndKeysWithoutCtrlStampNothing) {
    Fake.ctrl = true;
    for (const int key : {0x41, 0x43, 0x56, 0x58, 0x5A, 0x75, 0x65, 0x14, 0x04, 0x0D, 0x25}) {
        PageTextKeyDown(key);
    }
    EXPECT_EQ(Field(), "page one");

    Fake.ctrl = false;
    for (const int key : {TKey, DKey, F5Key, NumPad4Key}) {
        PageTextKeyDown(key);
    }
    EXPECT_EQ(Field(), "page one");
}

TEST_F(Stamps, ShiftMakesNoDifferenceAndEveryRepeatStampsAgain) {
    Fake.ctrl = true;
    Fake.shift = true;
    CaretAtEnd();
    PageTextKeyDown(TKey);
    PageTextKeyDown(TKey);
    EXPECT_EQ(Field(), "page one9:07am 9:07am ");
}

TEST_F(Stamps, AStampReplacesTheSelection) {
    Fake.ctrl = true;
    FakeNow.hour = 12;
    FakeNow.minute = 30;
    SelectText(ID_PAGE_TEXT, 5, 8);
    PageTextKeyDown(TKey);
    EXPECT_EQ(Field(), "page 12:30pm ");
    SelectText(ID_PAGE_TEXT, 0, 4);
    PageTextKeyDown(DKey);
    EXPECT_EQ(Field(), "06 Dec 2026  12:30pm ");
}

TEST_F(Stamps, NothingIsStampedIntoTheHelpPages) {
    HelpMode = 1;
    Fake.ctrl = true;
    PageTextKeyDown(TKey);
    PageTextKeyDown(DKey);
    EXPECT_EQ(Field(), "page one");
}

} // namespace
