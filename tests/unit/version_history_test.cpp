// The history of the pad's versions: kept within bounds, read back after a restart, and no
// history at all when its file is damaged.
#include "support/temp_folder.h"
#include "sync/version_history.h"

#include <gtest/gtest.h>

#include <filesystem>

TEST(VersionHistory, BoundedReadBackAfterARestartAndNoneWhenDamaged) {
    TempFolder folder;
    History = PadHistory();
    // A small pad keeps 64 versions' pages, and ids of a thousand (kept in memory alone, for
    // speed, until the last).
    for (std::uint64_t n = 1; n < 1100; ++n) {
        RememberVersion(n, false, {n % 7, 3, 4});
    }
    HistoryFileName = "history.qph";
    RememberVersion(1100, false, {2, 3, 4});
    EXPECT_EQ(History.versions.size(), 64u);
    EXPECT_EQ(History.versions.back().id, 1100u);
    EXPECT_EQ(History.versions.size() + History.olderIds.size(), 1000u);
    EXPECT_TRUE(VersionKnown(101));
    EXPECT_FALSE(VersionKnown(100));
    // A big pad keeps fewer versions' pages, never fewer than four.
    RememberVersion(5000, true, std::vector<std::uint64_t>(300000, 1));
    EXPECT_EQ(History.versions.size(), 4u);
    EXPECT_EQ(FindKnownVersion(5000)->keys.size(), 300000u);

    const PadHistory before = History;
    History = PadHistory();
    LoadHistory();
    EXPECT_EQ(History.versions.size(), before.versions.size());
    EXPECT_EQ(History.olderIds, before.olderIds);
    EXPECT_EQ(History.versions.back().keys, before.versions.back().keys);
    EXPECT_TRUE(History.versions.back().utf8);

    std::string bytes = HistoryBytes(History);
    for (const std::size_t at : {std::size_t{0}, bytes.size() / 2, bytes.size() - 1}) {
        std::string damaged = bytes;
        damaged[at] ^= 0x20;
        PadHistory read;
        EXPECT_FALSE(ParseHistory(damaged, read)) << at;
        EXPECT_TRUE(read.versions.empty());
    }
    EXPECT_FALSE(ParseHistory(bytes.substr(0, bytes.size() - 9), History));
    HistoryFileName.clear();
}
