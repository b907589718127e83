// What the main window does when it moves: a move writes the pad, a drag only once, the
// first showing once it is painted, and nothing is written that the file holds already.
#include "app/help_mode.h"
#include "app/main_window_events.h"
#include "padfile/pages_file_format.h"
#include "platform/save_faults.h"
#include "store/page_store.h"
#include "store/pages_file.h"
#include "support/fake_window.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

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
    MainWindowMoved(7, 8);
    EXPECT_EQ(FilesReplaced, 1) << "a move outside a drag writes at once";
    MainWindowDragStarted();
    for (int step = 1; step <= 30; ++step) {
        MainWindowMoved(10 * step, 20 * step);
    }
    EXPECT_EQ(FilesReplaced, 1) << "nothing is written while the window is dragged";
    EXPECT_EQ(Stored().left, 7);
    MainWindowDropped();
    EXPECT_EQ(FilesReplaced, 2);
    EXPECT_EQ(Stored().left, 300);
    EXPECT_EQ(Stored().top, 600);
}

// The first showing's moves only note the place: it is written once the window is painted,
// and not at all where the file holds it already.
TEST_F(WindowEvents, TheFirstShowingWritesItsPlaceOnceWhenPainted) {
    MainWindowShowing();
    MainWindowMoved(7, 8);
    MainWindowMoved(9, 10);
    EXPECT_EQ(FilesReplaced, 0) << "nothing is written before the window is painted";
    MainWindowPainted();
    EXPECT_EQ(FilesReplaced, 1);
    EXPECT_EQ(Stored().left, 9);
    EXPECT_EQ(Stored().top, 10);
    MainWindowMoved(11, 12);
    EXPECT_EQ(FilesReplaced, 2) << "a move after the first painting writes at once";
    MainWindowShowing();
    MainWindowMoved(11, 12);
    MainWindowPainted();
    EXPECT_EQ(FilesReplaced, 2) << "a window shown where the file says writes nothing";
}

TEST_F(WindowEvents, ADragThatMovesNothingOrHappensInHelpWritesNothing) {
    Drag(0);
    EXPECT_EQ(FilesReplaced, 0);
    OnHelpButton(nullptr, 0, 0, 0);
    Drag(3);
    EXPECT_EQ(FilesReplaced, 0);
    EXPECT_EQ(WindowLeft, 30) << "the position is still taken";
}

// A move to where the file says the window is writes only when the file's bytes are not
// what a save writes, or are no longer what the program read.
TEST(MoveToTheStoredPlace, WritesOnlyWhatTheFileDoesNotHoldAlready) {
    const std::string written = "http://h\r\n\r\n" + std::string(PositionLine) +
                                "\r\n 1  2\r\n\r\n" + std::string(MarkerLine) +
                                "\r\none\r\ntwo\r\n";
    const auto with = [&](std::string_view from, std::string_view to) {
        std::string bytes = written;
        return bytes.replace(bytes.find(from), from.size(), to);
    };
    struct Case {
        const char* what;
        std::string bytes;
        std::function<void()> meanwhile;
        int writes;
    };
    const Case cases[] = {
        {"the written form", written, [] {}, 0},
        {"the last page without its line end", written.substr(0, written.size() - 2), [] {}, 1},
        {"a line ended by an LF after a CR", with("one\r\n", "one\r"), [] {}, 1},
        {"the position written otherwise", with(" 1  2", "1 2"), [] {}, 1},
        {"a NUL read as a blank", with("one", std::string("o\0e", 3)), [] {}, 1},
        {"a short marker line", with(MarkerLine, MarkerStart), [] {}, 1},
        {"a header line more", "http://old\r\n" + written, [] {}, 1},
        {"the file rewritten by another program, its pages taken in", written,
         [&] { WriteBytes(PagesFileName, with("one", "One")); }, 0},
        {"the file removed", written, [] { std::filesystem::remove(PagesFileName); }, 1},
        {"another position read with the pages after help", written,
         [&] {
             WriteBytes(PagesFileName, with(" 1  2", " 9  9"));
             OnHelpButton(nullptr, 0, 0, 0);
             OnHelpButton(nullptr, 0, 0, 0);
         },
         1},
        {"a page typed and saved before", written,
         [] {
             EditPageText("uno");
             StorePageText();
             FilesReplaced = 0;
         },
         0},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        ResetFake();
        WriteBytes(PagesFileName, c.bytes);
        ASSERT_TRUE(OpenPad()) << c.what;
        CurrentPage = 1;
        ShowPage();
        c.meanwhile();
        MainWindowMoved(1, 2);
        EXPECT_EQ(FilesReplaced, c.writes) << c.what;
        EXPECT_EQ(FileBytes(PagesFileName), PagesFileBytes()) << c.what;
        MainWindowMoved(1, 2);
        EXPECT_EQ(FilesReplaced, c.writes) << c.what << ": nothing more to write";
    }
}

} // namespace
