// The folder claim of the unit tests: another copy holds the folder when a test says so.
#include "app/single_copy.h"
#include "support/fake_window.h"

bool ClaimWorkingFolder() {
    return !Fake.folderHeldByAnotherCopy;
}

void ShowCopyHoldingFolder() {
    ++Fake.otherCopyShown;
}
