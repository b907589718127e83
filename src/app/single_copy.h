// One copy of the program per folder: a start in a folder where another copy works on
// the pad brings that copy's window to the front instead of opening the pad again.
#pragma once

#include <string>
#include <string_view>

// The name under which a copy claims its folder, given the folder's full path in UTF-8: the
// same for every spelling of one folder that differs only in case, as Windows compares
// names, or a trailing backslash; different for different folders, and free of backslashes.
std::string FolderClaimName(std::string_view fullPath);

// Claims the working folder for this copy until it ends; false when another copy holds it.
bool ClaimWorkingFolder();
// Brings the window of the copy that holds the working folder to the front, restored if
// it was minimised.
void ShowCopyHoldingFolder();
