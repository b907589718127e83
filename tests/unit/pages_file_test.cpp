// The pages file byte for byte: new files, saves, reading odd files, and keeping the
// user's bytes whatever is found under the pad's name.
#include "file_size_limit.h"
#include "padfile/pad_state.h"
#include "padfile/pages_file_format.h"
#include "padfile/stored_text.h"
#include "platform/code_page.h"
#include "platform/window.h"
#include "store/page_store.h"
#include "store/pages_file.h"
#include "support/fake_clock.h"
#include "support/fake_window.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace std::string_literals;
using PageList = std::vector<std::string>;

namespace {

const std::string Position =
    "[Position] This tells us where the position of the window was last time we closed the "
    "program.\r\n";
const std::string Marker = "[Pages Start Under This Line!] The Character Sequence <&CR&> "
                           "replaces any Character Return/LineFeed characters.\r\n";

// A file as SavePagesFile writes it, around the given position line and page lines.
std::string PadFile(const std::string& header, const std::string& position,
                    const std::string& pageLines) {
    return header + "\r\n\r\n" + Position + position + "\r\n\r\n" + Marker + pageLines;
}

PageList Parsed(const std::string& bytes) {
    PageList pages;
    ParsePages(bytes, pages);
    return pages;
}

class PagesFile : public ::testing::Test {
  protected:
    TempFolder folder;
    void SetUp() override {
        ResetFake();
        FakeNow = {2026, 12, 6, 9, 7, 5};
    }
    // Start-up as the program does it; true when the pad is open.
    static bool Start() {
        const bool open = OpenPad();
        CurrentPage = 1;
        return open;
    }
};

TEST_F(PagesFile, ANewFileHasItsSixLinesAndReadsAsOneEmptyPage) {
    EXPECT_FALSE(PagesFileExists());
    CreatePagesFile();
    const std::string header =
        "http://quillpad.example/  Quillpad.qpd file started 06 Dec 2026 09:07:05";
    EXPECT_EQ(FileBytes(PagesFileName), header + "\r\n\r\n" + Position + "\r\n" + Marker + "\r\n");
    EXPECT_TRUE(PagesFileExists());
    ReadFileHeader();
    EXPECT_EQ(FileHeader, header);
    ASSERT_TRUE(Start());
    EXPECT_EQ(NoStoredPosition, 1);
    EXPECT_EQ(Pages, (PageList{"", ""}));
    WindowMoved(120, 80);
    EXPECT_EQ(FileBytes(PagesFileName), PadFile(header, " 120  80", "\r\n"));
}

TEST_F(PagesFile, AnExistingFileIsNeverRecreated) {
    WriteBytes(PagesFileName, "mine");
    CreatePagesFile();
    EXPECT_EQ(FileBytes(PagesFileName), "mine");
}

TEST_F(PagesFile, ASaveWritesEveryLineExactly) {
    FileHeader = "http://h";
    WindowLeft = 120;
    WindowTop = 80;
    Pages = {"", "one", "", "two"};
    SavePagesFile();
    EXPECT_EQ(FileBytes(PagesFileName), PadFile("http://h", " 120  80", "one\r\n\r\ntwo\r\n"));
    Pages = {"", "a<&CR&>b", ""};
    WindowLeft = 0;
    WindowTop = 0;
    FileHeader.clear();
    SavePagesFile();
    EXPECT_EQ(FileBytes(PagesFileName), PadFile("", " 0  0", "a<&CR&>b\r\n\r\n"));
    WindowLeft = -5;
    EXPECT_EQ(PagesFileBytes(), PadFile("", "-5  0", "a<&CR&>b\r\n\r\n"));
}

TEST_F(PagesFile, SavedPagesReadBackUnchanged) {
    FileHeader = "http://h";
    Pages = {"", "one", "", "two", "tab\there\nand LF", ""};
    const PageList written = Pages;
    SavePagesFile();
    ResetFake();
    ASSERT_TRUE(Start());
    EXPECT_EQ(Pages, written);
    EXPECT_EQ(FileHeader, "http://h");
}

TEST_F(PagesFile, LinesEndAtCrWithOrWithoutLfAndALoneLfStays) {
    const std::string crLf = "h\r\n[Pages Start Under This Line!]\r\none\r\n\r\ntwo\r\n";
    const std::string crOnly = "h\r[Pages Start Under This Line!]\rone\r\rtwo\r";
    EXPECT_EQ(Parsed(crLf), (PageList{"", "one", "", "two"}));
    EXPECT_EQ(Parsed(crOnly), Parsed(crLf));
    EXPECT_EQ(Parsed("[Pages Start Under This Line!]\r\na\nb\r\nc"), (PageList{"", "a\nb", "c"}));
    // An LF after the marker is still part of the marker's line.
    EXPECT_EQ(Parsed("[Pages Start Under This Line!]\nx\r\ny"), (PageList{"", "y"}));
    EXPECT_EQ(Parsed("[Pages Start Under This Line!]\r\n\n\r\n"), (PageList{"", "\n"}));
    EXPECT_EQ(Parsed("[Pages Start Under This Line!]\r\nlast line"), (PageList{"", "last line"}));
}

TEST_F(PagesFile, Byte26EndsTheFile) {
    EXPECT_EQ(Parsed("[Pages Start Under This Line!]\r\none\r\nt\x1awo\r\nthree\r\n"),
              (PageList{"", "one", "t"}));
    EXPECT_EQ(Parsed("[Pages Start Under This Line!]\r\none\r\n\x1atwo\r\n"),
              (PageList{"", "one"}));
    PageList pages;
    EXPECT_FALSE(ParsePages("a\x1a\r\n[Pages Start Under This Line!]\r\none\r\n", pages));
    EXPECT_EQ(ParseFileHeader("\x1ahttp://h\r\n").header, "");
}

TEST_F(PagesFile, NulBytesInAPageReadAsBlanksSoNoTextAfterThemIsLost) {
    EXPECT_EQ(Parsed("[Pages Start Under This Line!]\r\nab\0cd\0\r\n\0\r\n"s),
              (PageList{"", "ab cd ", " "}));
}

TEST_F(PagesFile, TheMarkerMustBeginItsLineAndOnlyItsFirst30BytesCount) {
    PageList pages;
    EXPECT_TRUE(ParsePages("[Pages Start Under This Line!]anything\r\np\r\n", pages));
    EXPECT_EQ(pages, (PageList{"", "p"}));
    EXPECT_FALSE(ParsePages(" [Pages Start Under This Line!]\r\np\r\n", pages));
    EXPECT_FALSE(ParsePages("[Pages Start Under This Line]\r\np\r\n", pages));
    EXPECT_FALSE(ParsePages("[pages start under this line!]\r\np\r\n", pages));
    EXPECT_EQ(pages, (PageList{"", ""}));
    // The header pass stops at "[Pages" anywhere, so a position after it is not read.
    const FileHeaderValues values =
        ParseFileHeader("x [Pages\r\n[Position]\r\n 10  20\r\n[Pages Start Under This Line!]\r\n");
    EXPECT_EQ(values.left, 0);
    EXPECT_EQ(values.top, 0);
}

TEST_F(PagesFile, AMarkerWithNoPagesGivesOneEmptyPage) {
    PageList pages;
    EXPECT_TRUE(ParsePages("[Pages Start Under This Line!]", pages));
    EXPECT_EQ(pages, (PageList{"", ""}));
    EXPECT_TRUE(ParsePages("[Pages Start Under This Line!]\r\n", pages));
    EXPECT_EQ(pages, (PageList{"", ""}));
}

TEST_F(PagesFile, TheLaterOfTwoHeaderLinesIsKeptAndWrittenBack) {
    WriteBytes(PagesFileName, "http://first\r\nhttp://second\r\nhtt\r\n" + Position + " 1  2\r\n" +
                                  Marker + "p\r\n");
    ASSERT_TRUE(Start());
    EXPECT_EQ(FileHeader, "http://second");
    SavePagesFile();
    EXPECT_EQ(FileBytes(PagesFileName), PadFile("http://second", " 1  2", "p\r\n"));
}

// A pad that met another version names the versions it grew from on a line before the marker;
// a damaged line names none, and the pages and header read as ever.
TEST_F(PagesFile, TheVersionsLineIsReadWrittenAndIgnoredWhenDamaged) {
    const std::string line = std::string(VersionsLineStart) + " 00000000000000ff 0123456789abcdef";
    const struct {
        std::string line;
        std::vector<std::uint64_t> ids;
    } rows[] = {
        {line, {0xff, 0x0123456789abcdefULL}},
        {std::string(VersionsLineStart), {}},
        {line + "0", {}},
        {std::string(VersionsLineStart) + " 00000000000000fg", {}},
        {"[Versions] written by hand", {}},
    };
    for (const auto& row : rows) {
        const std::string bytes = PadFile("http://h", " 1  2", "p\r\n");
        const std::string withLine =
            std::string(bytes).insert(bytes.find(Marker), row.line + "\r\n");
        const FileHeaderValues header = ParseFileHeader(withLine);
        EXPECT_TRUE(header.versionsLine) << row.line;
        EXPECT_EQ(header.grewFrom, row.ids) << row.line;
        EXPECT_EQ(header.header, "http://h");
        EXPECT_EQ(Parsed(withLine), (PageList{"", "p"}));
        if (!row.ids.empty()) {
            EXPECT_EQ(PagesFileImage(header, {"", "p"}), withLine);
        }
    }
    EXPECT_FALSE(ParseFileHeader(PadFile("http://h", " 1  2", "p\r\n")).versionsLine);
}

TEST_F(PagesFile, PositionLinesAreReadByTheirFields) {
    struct Case {
        std::string line;
        std::int32_t left, top, noStoredPosition;
    };
    const std::vector<Case> cases = {
        {" 120  80", 120, 80, 0},
        {" 40", 40, 40, 0},
        {" -5 300", 0, 300, 0},
        {"-5  300", 0, 300, 0},
        {"", 0, 0, 1},
        {"abc", 0, 0, 0},
        {" 2.5  3.5", 2, 4, 0},
        {" &H10  &B11", 16, 3, 0},
        {" 1e20  -7", 2147483647, 0, 0},
    };
    for (const Case& c : cases) {
        const FileHeaderValues values =
            ParseFileHeader("http://h\r\n\r\n" + Position + c.line + "\r\n\r\n" + Marker);
        EXPECT_EQ(values.left, c.left) << '"' << c.line << '"';
        EXPECT_EQ(values.top, c.top) << '"' << c.line << '"';
        EXPECT_EQ(values.noStoredPosition, c.noStoredPosition) << '"' << c.line << '"';
        EXPECT_EQ(values.header, "http://h");
    }
    const FileHeaderValues none = ParseFileHeader("http://h\r\n" + Marker + "p\r\n");
    EXPECT_EQ(none.left, 0);
    EXPECT_EQ(none.noStoredPosition, 0);
    EXPECT_EQ(ParseFileHeader("[Position]").noStoredPosition, 1);
}

TEST_F(PagesFile, AnEmptyPositionLineLeavesTheWindowCentredAfterLaterReads) {
    WriteBytes(PagesFileName, PadFile("http://h", "", "p\r\n"));
    ReadFileHeader();
    EXPECT_EQ(NoStoredPosition, 1);
    WriteBytes(PagesFileName, PadFile("http://h", " 3  4", "p\r\n"));
    ReadFileHeader();
    EXPECT_EQ(NoStoredPosition, 1);
    EXPECT_EQ(WindowLeft, 3);
}

TEST_F(PagesFile, LoneCrAndByte26InAPageNeverSplitOrCutTheFile) {
    FileHeader = "http://h";
    Pages = {"",
             "a\rb",
             "c\x1a"
             "d",
             "e\r\nf",
             "g\r",
             "last"};
    SavePagesFile();
    const std::string bytes = FileBytes(PagesFileName);
    EXPECT_EQ(bytes.find('\x1a'), std::string::npos);
    EXPECT_EQ(Parsed(bytes), (PageList{"", "a<&CR&>b", "cd", "e<&CR&>f", "g<&CR&>", "last"}));
}

TEST_F(PagesFile, NothingIsWrittenInHelpModeAndMovesAreSavedOtherwise) {
    WriteBytes(PagesFileName, PadFile("http://h", " 1  1", "mine\r\n"));
    ASSERT_TRUE(Start());
    HelpMode = 1;
    Pages = {"", "help page"};
    PagesKeptDuringHelp = {"", "mine"};
    SavePagesFile();
    WindowMoved(50, 60);
    EXPECT_EQ(FileBytes(PagesFileName), PadFile("http://h", " 1  1", "mine\r\n"));
    EXPECT_EQ(WindowLeft, 50);
    Pages = PagesKeptDuringHelp;
    HelpMode = 0;
    EXPECT_EQ(Pages, (PageList{"", "mine"}));
    WindowMoved(70, 80);
    EXPECT_EQ(FileBytes(PagesFileName), PadFile("http://h", " 70  80", "mine\r\n"));
}

TEST_F(PagesFile, ReadingPagesDropsWhatTheListHeldBefore) {
    WriteBytes(PagesFileName, PadFile("http://h", " 1  1", "one\r\ntwo\r\n"));
    Pages.assign(9, "help");
    ASSERT_TRUE(Start());
    EXPECT_EQ(Pages, (PageList{"", "one", "two"}));
}

TEST_F(PagesFile, AFileWithoutMarkerIsKeptUnderABackupName) {
    const std::string mine = "my own notes\r\nnot a pad\r\n";
    WriteBytes(PagesFileName, mine);
    ASSERT_TRUE(Start());
    ASSERT_EQ(Fake.boxes.size(), 1u);
    EXPECT_EQ(Fake.boxes[0].caption, "Quillpad");
    EXPECT_FALSE(Fake.boxes[0].yesNo);
    EXPECT_NE(Fake.boxes[0].text.find("Quillpad.qpd.bak"), std::string::npos);
    EXPECT_EQ(Pages, (PageList{"", ""}));
    EXPECT_EQ(FileBytes(PagesFileName), mine);
    EXPECT_EQ(FileBytes("Quillpad.qpd.bak"), mine);

    Pages[1] = "new text";
    SavePagesFile();
    EXPECT_EQ(Parsed(FileBytes(PagesFileName)), (PageList{"", "new text"}));
    EXPECT_EQ(FileBytes("Quillpad.qpd.bak"), mine);

    // A second such file finds the first backup taken and uses the next free name.
    WriteBytes(PagesFileName, "other bytes");
    ResetFake();
    ASSERT_TRUE(Start());
    EXPECT_EQ(FileBytes("Quillpad.qpd.bak"), mine);
    EXPECT_EQ(FileBytes("Quillpad.qpd.1.bak"), "other bytes");
    ASSERT_EQ(Fake.boxes.size(), 1u);
    EXPECT_NE(Fake.boxes[0].text.find("Quillpad.qpd.1.bak"), std::string::npos);
}

TEST_F(PagesFile, TextAfterAByte26IsKeptUnderABackupNameBeforeAnySave) {
    const std::string pad =
        PadFile("http://h", " 1  1", "one\r\nt\x1awo\r\nthree\r\n\x1a\r\nfour\r\n");
    WriteBytes(PagesFileName, pad);
    ASSERT_TRUE(Start());
    ASSERT_EQ(Fake.boxes.size(), 1u);
    EXPECT_NE(Fake.boxes[0].text.find("byte 26"), std::string::npos);
    EXPECT_NE(Fake.boxes[0].text.find("Quillpad.qpd.bak"), std::string::npos);
    EXPECT_EQ(FileBytes("Quillpad.qpd.bak"), pad);
    EXPECT_EQ(Pages, (PageList{"", "one", "t"}));
    WindowMoved(5, 5);
    EXPECT_EQ(FileBytes("Quillpad.qpd.bak"), pad);
    EXPECT_EQ(Parsed(FileBytes(PagesFileName)), (PageList{"", "one", "t"}));
    EXPECT_EQ(Fake.boxes.size(), 1u);

    // Only line ends after the mark: nothing is lost, nothing to keep.
    for (const std::string tail : {"\x1a", "\x1a\r\n", "\x1a\n\r\r"}) {
        ResetFake();
        fs::remove("Quillpad.qpd.bak");
        WriteBytes(PagesFileName, PadFile("http://h", " 1  1", "one\r\n" + tail));
        ASSERT_TRUE(Start());
        EXPECT_TRUE(Fake.boxes.empty()) << tail.size() << " bytes after the pages";
        EXPECT_FALSE(fs::exists("Quillpad.qpd.bak"));
    }
}

TEST_F(PagesFile, TextAfterAByte26ThatCantBeKeptLeavesThePadAlone) {
    const std::string pad = PadFile("http://h", " 1  1", "one\r\n\x1a" + std::string(5000, 'x'));
    WriteBytes(PagesFileName, pad);
    {
        FileSizeLimit limit(1000);
        EXPECT_FALSE(Start());
    }
    ASSERT_EQ(Fake.boxes.size(), 1u);
    EXPECT_NE(Fake.boxes[0].text.find("no copy"), std::string::npos);
    EXPECT_EQ(FileBytes(PagesFileName), pad);
}

TEST_F(PagesFile, AFolderThatTakesNoNewFilesIsToldWithTheWayOut) {
    {
        FileSizeLimit limit(10);
        EXPECT_FALSE(Start());
    }
    ASSERT_EQ(Fake.boxes.size(), 1u);
    EXPECT_NE(Fake.boxes[0].text.find("could not be created"), std::string::npos);
    EXPECT_NE(Fake.boxes[0].text.find("\"Start in\" folder"), std::string::npos);
    EXPECT_FALSE(fs::exists(PagesFileName));
}

TEST_F(PagesFile, AnEmptyFileNeedsNoBackup) {
    WriteBytes(PagesFileName, "");
    ASSERT_TRUE(Start());
    EXPECT_TRUE(Fake.boxes.empty());
    EXPECT_EQ(Pages, (PageList{"", ""}));
    EXPECT_FALSE(fs::exists("Quillpad.qpd.bak"));
}

TEST_F(PagesFile, WithoutRoomForABackupTheFileIsLeftAlone) {
    const std::string mine(5000, 'x');
    WriteBytes(PagesFileName, mine);
    {
        FileSizeLimit limit(1000);
        EXPECT_FALSE(Start());
    }
    ASSERT_EQ(Fake.boxes.size(), 1u);
    EXPECT_EQ(FileBytes(PagesFileName), mine);
    EXPECT_FALSE(fs::exists("Quillpad.qpd.bak"));
}

TEST_F(PagesFile, AFolderUnderThePadsNameIsNeverTouched) {
    fs::create_directory(PagesFileName);
    EXPECT_FALSE(PagesFileExists());
    EXPECT_FALSE(Start());
    ASSERT_EQ(Fake.boxes.size(), 1u);
    EXPECT_NE(Fake.boxes[0].text.find("folder"), std::string::npos);

    // Put there while the program runs: no save touches it.
    fs::remove(PagesFileName);
    WriteBytes(PagesFileName, PadFile("http://h", " 1  1", "one\r\n"));
    ResetFake();
    ASSERT_TRUE(Start());
    fs::remove(PagesFileName);
    fs::create_directory(PagesFileName);
    Pages[1] = "typed";
    SaveState.pagesAhead = true;
    EXPECT_FALSE(SavePagesFile());
    EXPECT_TRUE(fs::is_directory(PagesFileName));
    EXPECT_TRUE(fs::is_empty(PagesFileName));
}

TEST_F(PagesFile, AReadOnlyFileIsReadAndLeftAsItWas) {
    const std::string pad = PadFile("http://h", " 5  6", "one\r\n");
    WriteBytes(PagesFileName, pad);
    fs::permissions(PagesFileName, fs::perms::owner_read);
    ASSERT_TRUE(PagesFileExists());
    ASSERT_TRUE(Start());
    EXPECT_EQ(Pages, (PageList{"", "one"}));
    WindowMoved(7, 8);
    EXPECT_TRUE(Fake.boxes.empty()) << "a position that can't be saved loses nothing";
    Fake.texts[ID_PAGE_TEXT] = "changed";
    StorePageText();
    EXPECT_EQ(FileBytes(PagesFileName), pad);
    EXPECT_TRUE(Fake.boxes.empty()) << "tried once more before it counts";
    Fake.texts[ID_PAGE_TEXT] = "changed again";
    StorePageText();
    ASSERT_EQ(Fake.boxes.size(), 1u) << "a change that can't be saved is told";
    EXPECT_NE(Fake.boxes[0].text.find("could not be saved"), std::string::npos);
    StorePageText();
    EXPECT_EQ(Fake.boxes.size(), 1u) << "told once, not at every retry";
}

TEST_F(PagesFile, AFailedSaveLeavesTheOldFileWhole) {
    const std::string pad = PadFile("http://h", " 5  6", "one\r\n");
    WriteBytes(PagesFileName, pad);
    ASSERT_TRUE(Start());
    Pages[1] = std::string(10000, 'z');
    {
        FileSizeLimit limit(pad.size() + 100);
        SavePagesFile();
    }
    EXPECT_EQ(FileBytes(PagesFileName), pad);
    EXPECT_EQ(std::distance(fs::directory_iterator("."), fs::directory_iterator()), 1);
}

// A pad stays in the code page, byte for byte, while its text fits; the first character
// beyond it turns the whole pad UTF-8 behind the mark, for good. Showing a page, or a page
// shown with bytes the code page leaves undefined, never changes it.
TEST_F(PagesFile, APadKeepsItsFormUntilACharacterNeedsUtf8) {
    const std::string header = "http://h Caf\xE9";
    const std::string pad = PadFile(header, " 1  1", "Caf\xE9\r\nna\xEFve \x81\r\n");
    WriteBytes(PagesFileName, pad);
    ASSERT_TRUE(Start());
    EXPECT_FALSE(SaveState.utf8);
    for (const std::int32_t page : {1, 2, 1}) {
        CurrentPage = page;
        ShowPage();
        StorePageText();
    }
    EXPECT_EQ(Fake.texts[ID_PAGE_TEXT], "Caf\xC3\xA9");
    EXPECT_EQ(FileBytes(PagesFileName), pad) << "shown and stored, never written";

    Fake.texts[ID_PAGE_TEXT] = "Caf\xC3\xA9 ok";
    StorePageText();
    EXPECT_EQ(FileBytes(PagesFileName),
              PadFile(header, " 1  1", "Caf\xE9 ok\r\nna\xEFve \x81\r\n"));

    const std::string typed =
        "\xE2\x9C\x93 \xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xF0\x9F\x98\x80";
    Fake.texts[ID_PAGE_TEXT] = typed;
    StorePageText();
    const std::string utf8 = "\xEF\xBB\xBF" + PadFile("http://h Caf\xC3\xA9", " 1  1",
                                                      typed + "\r\nna\xC3\xAFve \xC2\x81\r\n");
    EXPECT_EQ(FileBytes(PagesFileName), utf8);

    // Read again, it is UTF-8, shows the same, and stays so.
    ResetFake();
    ASSERT_TRUE(Start());
    EXPECT_TRUE(SaveState.utf8);
    ShowPage();
    EXPECT_EQ(Fake.texts[ID_PAGE_TEXT], typed);
    Fake.texts[ID_PAGE_TEXT] = "plain";
    StorePageText();
    EXPECT_EQ(FileBytes(PagesFileName).substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(Parsed(FileBytes(PagesFileName)), (PageList{"", "plain", "na\xC3\xAFve \xC2\x81"}));
}

// Each pad is read in its own form, shown alike, and a start writes nothing. A character the
// code page lacks leaves a UTF-8 pad in its form and turns any other UTF-8 behind the mark,
// keeping the file first when the conversion changes its bytes (0x81, which the code page
// leaves undefined, comes back as no byte of it).
TEST_F(PagesFile, APadIsReadShownAndWrittenInItsOwnForm) {
    const struct {
        std::string mark, header, page, shown;
        bool utf8, markAfter, kept;
    } cases[] = {
        {"", "http://h Caf\xC3\xA9", "na\xC3\xAFve \xE2\x9C\x93", "na\xC3\xAFve \xE2\x9C\x93", true,
         false, false},
        {"", "http://h Caf\xC3\xA9", "caf\xE9", "caf\xC3\xA9", false, true, false},
        {"", "http://h Caf\xE9", "caf\xC3\xA9<&CR&>x", "caf\xC3\x83\xC2\xA9\r\nx", false, true,
         false},
        {"", "http://h", "plain", "plain", false, true, false},
        {"", "http://h", "odd \x81", "odd \xC2\x81", false, true, true},
        {std::string(Utf8Mark), "http://h", "caf\xC3\xA9", "caf\xC3\xA9", true, true, false},
    };
    const std::string typed = "\xD0\x96 "; // a Cyrillic capital, beyond the code page
    for (const auto& c : cases) {
        SCOPED_TRACE(c.header + " " + c.page);
        ResetFake();
        fs::remove("Quillpad.qpd.bak");
        const std::string pad = c.mark + PadFile(c.header, " 1  1", c.page + "\r\n");
        WriteBytes(PagesFileName, pad);
        ASSERT_TRUE(Start());
        EXPECT_EQ(SaveState.utf8, c.utf8);
        ShowPage();
        EXPECT_EQ(Fake.texts[ID_PAGE_TEXT], c.shown);
        WindowMoved(1, 1);
        EXPECT_EQ(FileBytes(PagesFileName), pad);

        Fake.texts[ID_PAGE_TEXT] = typed + c.shown;
        StorePageText();
        const std::string mark = c.markAfter ? std::string(Utf8Mark) : "";
        const std::string header = c.utf8 ? c.header : CodePageToUtf8(c.header);
        EXPECT_EQ(FileBytes(PagesFileName),
                  mark + PadFile(header, " 1  1", EncodePageText(typed + c.shown) + "\r\n"));
        EXPECT_EQ(fs::exists("Quillpad.qpd.bak"), c.kept);
        EXPECT_EQ(Fake.boxes.size(), c.kept ? 1u : 0u);
        if (c.kept) {
            EXPECT_EQ(FileBytes("Quillpad.qpd.bak"), pad);
            EXPECT_NE(Fake.boxes[0].text.find("Quillpad.qpd.bak"), std::string::npos);
        }
    }
}

// Bytes that are not UTF-8 in a pad marked as UTF-8: the whole file is kept first, and the
// pages show them as U+FFFD.
TEST_F(PagesFile, APadMarkedUtf8WithOtherBytesIsKeptWhole) {
    const std::string pad = "\xEF\xBB\xBF" + PadFile("http://h", " 1  1", "ok\r\n\xFF\xFE bad\r\n");
    WriteBytes(PagesFileName, pad);
    ASSERT_TRUE(Start());
    EXPECT_EQ(FileBytes("Quillpad.qpd.bak"), pad);
    ASSERT_EQ(Fake.boxes.size(), 1u);
    EXPECT_NE(Fake.boxes[0].text.find("Quillpad.qpd.bak"), std::string::npos);
    EXPECT_EQ(Pages, (PageList{"", "ok", "\xEF\xBF\xBD\xEF\xBF\xBD bad"}));
    EXPECT_TRUE(SaveState.utf8);
}

// The disk hands the file over in pieces of any size: a line end, a CR LF pair or the end
// mark cut between two pieces reads as in one piece.
TEST_F(PagesFile, AFileReadInPiecesOfAnySizeReadsAsWhole) {
    const std::string files[] = {
        PadFile("http://h", " 10  20", "one\r\ntwo\rthree\n\r\n\r\nlast"),
        "http://a\r\nhttp://b\r[Position]\r\n 7  8\r\n" + Marker + "p\x1aq\r\n",
        "x\r\n[Position]",
        "[Position] [Pages\r\n 3  4\r\n" + Marker + "\r\n\r\n\x1a\r\n",
        "",
        "\r\n\r\n",
        Marker + "a\r\n\x1a\x1a",
    };
    for (const std::string& file : files) {
        PagesFileReader whole;
        ReadPiece(whole, file);
        FinishReading(whole);
        for (const std::size_t size : {1u, 2u, 3u, 5u, 64u}) {
            PagesFileReader pieces;
            for (std::size_t at = 0; at < file.size(); at += size) {
                ReadPiece(pieces, std::string_view(file).substr(at, size));
            }
            FinishReading(pieces);
            const std::string what = "pieces of " + std::to_string(size) + " of " + file;
            EXPECT_EQ(pieces.pages, whole.pages) << what;
            EXPECT_EQ(pieces.marked, whole.marked) << what;
            EXPECT_EQ(pieces.textAfterEndMark, whole.textAfterEndMark) << what;
            EXPECT_EQ(pieces.header.header, whole.header.header) << what;
            EXPECT_EQ(pieces.header.left, whole.header.left) << what;
            EXPECT_EQ(pieces.header.top, whole.header.top) << what;
            EXPECT_EQ(pieces.header.noStoredPosition, whole.header.noStoredPosition) << what;
        }
    }
    PagesFileReader first;
    ReadPiece(first, files[0]);
    FinishReading(first);
    EXPECT_EQ(first.pages, (PageList{"", "one", "two", "three\n", "", "last"}));
    EXPECT_EQ(first.header.left, 10);
    PagesFileReader cut;
    ReadPiece(cut, files[1]);
    FinishReading(cut);
    EXPECT_EQ(cut.pages, (PageList{"", "p"}));
    EXPECT_TRUE(cut.textAfterEndMark);
    EXPECT_EQ(cut.header.header, "http://b");
}

TEST_F(PagesFile, AFiftyMegabytePadIsReadWhole) {
    std::string lines;
    const int count = 50000;
    for (int n = 1; n <= count; ++n) {
        std::string page = "page " + std::to_string(n) + "<&CR&>";
        page.resize(1000, static_cast<char>('a' + n % 26));
        lines += page + "\r\n";
    }
    WriteBytes(PagesFileName, PadFile("http://h", " 1  1", lines));
    ASSERT_TRUE(Start());
    ASSERT_EQ(PageCount(), count);
    EXPECT_EQ(Pages[1].substr(0, 13), "page 1<&CR&>b");
    EXPECT_EQ(Pages[count].substr(0, 17), "page 50000<&CR&>c");
    EXPECT_EQ(Pages[count].size(), 1000u);
    SavePagesFile();
    EXPECT_EQ(FileBytes(PagesFileName), PadFile("http://h", " 1  1", lines));
}

} // namespace
