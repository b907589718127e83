// Copies of the pad that sync clients leave beside it when they could not reconcile two
// versions: their pages are brought into the pad, and each copy goes once a save holds them.
#pragma once

// Merges every conflicted copy beside the pad into the pages in memory, as another version of
// the pad. A copy that does not read as a pad is left alone.
void BringInConflictedCopies();
// Removes the copies brought in, now that the pad holds all their pages, and tells which.
void RemoveCopiesBroughtIn();
