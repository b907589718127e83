// Copies of the pad that sync clients leave beside it when they could not reconcile two
// versions: their pages are brought into the pad, and each copy goes once a save holds them.
#pragma once

// Merges every conflicted copy beside the pad into the pages in memory, as another version of
// the pad. A copy that does not read as a pad is left alone.
void BringInConflictedCopies();
// Merges the versions that another program put in place while a save replaced the pad, as
// conflicted copies are; one that does not read as a pad stays where it is kept, and the user
// hears where. True when any was brought in.
bool BringInLateVersions();
// Removes the copies and late versions brought in, now that the pad holds all their pages,
// and tells which copies.
void RemoveCopiesBroughtIn();
