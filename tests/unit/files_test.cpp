// The file layer: kinds of entries, whole reads, crash-safe replacing and copying.
#include "file_size_limit.h"
#include "platform/files.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> NamesIn(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class Files : public ::testing::Test {
  protected:
    TempFolder folder;
};

TEST_F(Files, KindsOfEntries) {
    EXPECT_EQ(KindOfEntry("none"), EntryKind::Missing);
    WriteBytes("plain", "x");
    EXPECT_EQ(KindOfEntry("plain"), EntryKind::File);
    fs::permissions("plain", fs::perms::owner_read);
    EXPECT_EQ(KindOfEntry("plain"), EntryKind::File);
    fs::create_directory("folder");
    EXPECT_EQ(KindOfEntry("folder"), EntryKind::Unusable);
    ASSERT_EQ(mkfifo("pipe", 0600), 0);
    EXPECT_EQ(KindOfEntry("pipe"), EntryKind::Unusable);
}

TEST_F(Files, ReadsWholeFilesOnly) {
    std::string bytes = "left over";
    EXPECT_FALSE(ReadWholeFile("none", bytes));
    EXPECT_TRUE(bytes.empty());
    fs::create_directory("folder");
    EXPECT_FALSE(ReadWholeFile("folder", bytes));
    const std::string content("a\0b\r\n\x1a z", 8);
    WriteBytes("file", content);
    ASSERT_TRUE(ReadWholeFile("file", bytes));
    EXPECT_EQ(bytes, content);
    WriteBytes("empty", "");
    ASSERT_TRUE(ReadWholeFile("empty", bytes));
    EXPECT_TRUE(bytes.empty());
}

TEST_F(Files, ReplacesOrCreatesAndKeepsPermissions) {
    ASSERT_TRUE(ReplaceFileWith("pad", OnePiece("first")));
    EXPECT_EQ(FileBytes("pad"), "first");
    fs::permissions("pad", fs::perms::owner_read | fs::perms::owner_write);
    ASSERT_TRUE(ReplaceFileWith("pad", OnePiece("second, longer")));
    EXPECT_EQ(FileBytes("pad"), "second, longer");
    ASSERT_TRUE(ReplaceFileWith("pad", OnePiece("")));
    EXPECT_EQ(FileBytes("pad"), "");
    EXPECT_EQ(fs::status("pad").permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(NamesIn(folder.path()), std::vector<std::string>{"pad"});
}

TEST_F(Files, NeverReplacesReadOnlyFilesOrFolders) {
    WriteBytes("pad", "kept");
    fs::permissions("pad", fs::perms::owner_read | fs::perms::group_read);
    EXPECT_FALSE(ReplaceFileWith("pad", OnePiece("new")));
    EXPECT_EQ(FileBytes("pad"), "kept");
    fs::create_directory("folder");
    EXPECT_FALSE(ReplaceFileWith("folder", OnePiece("new")));
    EXPECT_TRUE(fs::is_directory("folder"));
    EXPECT_EQ(NamesIn(folder.path()), (std::vector<std::string>{"folder", "pad"}));
}

TEST_F(Files, AFailedWriteLeavesTheOldFileWholeAndNoTemporaryFile) {
    const std::string old(3000, 'o');
    WriteBytes("pad", old);
    {
        FileSizeLimit limit(4096);
        EXPECT_FALSE(ReplaceFileWith("pad", OnePiece(std::string(100000, 'n'))));
    }
    EXPECT_EQ(FileBytes("pad"), old);
    EXPECT_EQ(NamesIn(folder.path()), std::vector<std::string>{"pad"});
    EXPECT_TRUE(ReplaceFileWith("pad", OnePiece(std::string(100000, 'n'))));
    EXPECT_EQ(FileBytes("pad").size(), 100000u);
}

TEST(TemporaryNames, OnlyTheExactFormOfTheProgramsOwnCounts) {
    struct Case {
        const char* entry;
        LeftoverKind kind;
    };
    constexpr LeftoverKind No = LeftoverKind::None;
    const Case cases[] = {
        {"pad.1-1.tmp", LeftoverKind::Partial},
        {"pad.4411-27.tmp", LeftoverKind::Partial},
        {"pad.1-1.done", LeftoverKind::Whole},
        {"pad.1-1.old", LeftoverKind::Replaced},
        {"pad.1-1.done.tmp", No},
        {"pad.tmp", No},
        {"pad.1-.tmp", No},
        {"pad.-1.tmp", No},
        {"pad.1-1.tmpx", No},
        {"pad.1-1.TMP", No},
        {"PAD.1-1.tmp", No},
        {"pad.1-1-1.tmp", No},
        {"pad.a-1.tmp", No},
        {"pad1-1.tmp", No},
        {"xpad.1-1.tmp", No},
        {"pad.1-1.tmp.", No},
        {"pad.12 -3.tmp", No},
        {"pad.1-1.bak", No},
        {"pad.1-1.don", No},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(KindOfLeftover(c.entry, "pad"), c.kind) << c.entry;
    }
    const std::string temporary = TemporaryNameFor("pad", 4411, 27);
    EXPECT_EQ(KindOfLeftover(temporary, "pad"), LeftoverKind::Partial);
    EXPECT_EQ(KindOfLeftover(FinishedNameFor(temporary), "pad"), LeftoverKind::Whole);
}

TEST_F(Files, CopiesOnlyToNewNames) {
    WriteBytes("from", "bytes");
    WriteBytes("taken", "mine");
    EXPECT_FALSE(CopyToNewFile("from", "taken"));
    EXPECT_EQ(FileBytes("taken"), "mine");
    EXPECT_FALSE(CopyToNewFile("none", "to"));
    EXPECT_FALSE(fs::exists("to"));
    ASSERT_TRUE(CopyToNewFile("from", "to"));
    EXPECT_EQ(FileBytes("to"), "bytes");
    {
        FileSizeLimit limit(2);
        EXPECT_FALSE(CopyToNewFile("from", "cut"));
    }
    EXPECT_FALSE(fs::exists("cut"));
}

} // namespace
