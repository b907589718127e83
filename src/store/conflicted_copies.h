// Copies of the pad that sync clients leave beside it when they could not reconcile two
// versions: their pages are brought into the pad, and each copy goes once a save holds them.
#pragma once

#include <string_view>

// Whether an entry is such a copy of the pad named: its name begins with the pad's without
// ".qpd", holds the word "conflict" in any case and ends in ".qpd".
bool IsConflictedCopyName(std::string_view entry, std::string_view padName);

// Brings the pages of every conflicted copy beside the pad into the pages in memory: pages
// both hold once, every other page kept. A copy that does not read as a pad is left alone.
void BringInConflictedCopies();
// Removes the copies brought in, now that the pad holds all their pages, and tells which.
void RemoveCopiesBroughtIn();
