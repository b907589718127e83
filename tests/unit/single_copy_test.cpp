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

} // namespace
