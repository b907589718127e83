// What the main window does when it moves: a move writes the pad, a drag only once, and
// nothing is written that the file holds already.
#include "app/help_mode.h"
#include "app/main_window_events.h"
#include "platform/save_faults.h"
#include "store/page_store.h"
#include "store/pages_file.h"
#include "store/pages_file_format.h"
#include "support/fake_window.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace {

class WindowEvents : public ::testing::Test {
  protected:
    TempFolder folder;

    void SetUp() override {
        ResetFake();
        WriteBytes(PagesFileName, "http://h\r\n\r\n[Position]\r\n 5  6\r\n\r\n"
                                  "[Pages Start Under This Line!]\r\none\r\n");
        ASSERT_TRUE(OpenPad());
        CurrentPage = 1;
        ShowPage();
    }

    static FileHeaderValues Stored() { return ParseFileHeader(FileBytes(PagesFileName)); }

    static void Drag(int steps) {
        MainWindowDragStarted();
        for (int step = 1; step <= steps; ++step) {
            MainWindowMoved(10 * step, 20 * step);
        }
        MainWindowDropped();
    }
};

TEST_F(WindowEvents, ADragWritesThePadOnceWithTheDropPosition) {
    MainWindowMoved(5, 6);
    EXPECT_EQ(FilesReplaced, 1) << "a file not in the written form is written anew";
    MainWindowMoved(5, 6);
    EXPECT_EQ(FilesReplaced, 1) << "the bytes the file holds already are not written again";
    MainWindowMoved(7, 8);
    EXPECT_EQ(FilesReplaced, 2) << "a move outside a drag writes at once";
    MainWindowDragStarted();
    for (int step = 1; step <= 30; ++step) {
        MainWindowMoved(10 * step, 20 * step);
    }
    EXPECT_EQ(FilesReplaced, 2) << "nothing is written while the window is dragged";
    EXPECT_EQ(Stored().left, 7);
    MainWindowDropped();
    EXPECT_EQ(FilesReplaced, 3);
    EXPECT_EQ(Stored().left, 300);
    EXPECT_EQ(Stored().top, 600);
}

TEST_F(WindowEvents, ADragThatMovesNothingOrHappensInHelpWritesNothing) {
    Drag(0);
    EXPECT_EQ(FilesReplaced, 0);
    OnHelpButton(nullptr, 0, 0, 0);
    Drag(3);
    EXPECT_EQ(FilesReplaced, 0);
    EXPECT_EQ(WindowLeft, 30) << "the position is still taken";
}

} // namespace
