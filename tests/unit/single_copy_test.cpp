// The name a copy claims its folder under: one per folder, however it is spelt.
#include "app/single_copy.h"

#include <gtest/gtest.h>

namespace {

TEST(FolderClaim, OneNamePerFolderWhateverItsCaseOrTrailingBackslash) {
    const std::string notes = FolderClaimName("C:\\Users\\Ann\\Notes");
    for (const char* same : {"C:\\Users\\Ann\\Notes", "c:\\users\\ann\\notes",
                             "C:\\USERS\\ANN\\NOTES\\", "C:\\Users\\Ann\\Notes\\\\"}) {
        EXPECT_EQ(FolderClaimName(same), notes) << same;
    }
    for (const char* other : {"C:\\Users\\Ann\\Notes2", "C:\\Users\\Ann", "D:\\Users\\Ann\\Notes",
                              "C:\\Users\\Ann\\Notes\\Old", "C:\\Users\\Bob\\Notes"}) {
        EXPECT_NE(FolderClaimName(other), notes) << other;
    }
    EXPECT_NE(FolderClaimName("C:\\"), FolderClaimName("D:\\"));
    for (const char* path : {"C:\\", "C:\\Users\\Ann\\Notes", "\\\\server\\share\\pads"}) {
        const std::string name = FolderClaimName(path);
        EXPECT_EQ(name.find('\\'), std::string::npos) << name;
        EXPECT_LT(name.size(), 64u) << "named objects take at most MAX_PATH characters";
    }
}

// Letters beyond ASCII count as Windows compares names: capitals of one letter are one,
// different letters never are, whatever bytes their UTF-8 shares.
TEST(FolderClaim, FoldersOfOtherLettersAreOthers) {
    struct Row {
        const char* one;
        const char* other;
        bool same;
    };
    const Row rows[] = {
        {"C:\\Notes\\Ł", "C:\\Notes\\Ś", false},
        {"C:\\ДОМ", "C:\\ЙОМ", false},
        {"C:\\Τ", "C:\\Υ", false},
        {"C:\\Ç", "C:\\À", false},
        {"C:\\Notes\\ł", "C:\\NOTES\\Ł", true},
        {"C:\\дом", "C:\\ДОМ", true},
        {"C:\\über\\", "c:\\ÜBER", true},
        {"C:\\τ", "C:\\Τ", true},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(FolderClaimName(row.one) == FolderClaimName(row.other), row.same)
            << row.one << " and " << row.other;
    }
}

} // namespace
